#include "process.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace fixtures {

ProcessResult runProgram(const std::string& program, const std::vector<std::string>& args, const ChildSetup& setup)
{
    // Everything the child needs is prepared before fork: after it, only exec-safe calls.
    std::vector<std::string> environment;
    std::string asan = "ASAN_OPTIONS=";
    for (char** entry = environ; *entry; ++entry) {
        if (std::strncmp(*entry, "ASAN_OPTIONS=", 13) == 0)
            asan = *entry;
        else
            environment.emplace_back(*entry);
    }
    if (!setup.asanOptions.empty())
        asan += (asan.back() == '=' ? "" : ":") + setup.asanOptions;
    environment.push_back(asan);
    std::vector<char*> envp;
    for (std::string& entry : environment)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    std::vector<std::string> argvText = {program};
    argvText.insert(argvText.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& argument : argvText)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    int outPipe[2], errPipe[2];
    if (::pipe2(outPipe, O_CLOEXEC) != 0 || ::pipe2(errPipe, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe failed");
    const pid_t pid = ::fork();
    if (pid < 0)
        throw std::runtime_error("fork failed");
    if (pid == 0) {
        ::dup2(outPipe[1], 1);
        ::dup2(errPipe[1], 2);
        if (setup.fileSizeLimit != RLIM_INFINITY) {
            const rlimit limit{setup.fileSizeLimit, setup.fileSizeLimit};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        ::execve(program.c_str(), argv.data(), envp.data());
        ::_exit(127);
    }
    ::close(outPipe[1]);
    ::close(errPipe[1]);
    ProcessResult result;
    pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
    std::string* sinks[2] = {&result.out, &result.err};
    for (int open = 2; open > 0;) {
        if (::poll(fds, 2, -1) < 0 && errno != EINTR)
            break;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP)))
                continue;
            char buffer[8192];
            const ssize_t n = ::read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                sinks[i]->append(buffer, std::size_t(n));
            } else {
                ::close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    return result;
}

std::string builtProgram(const std::string& name)
{
    return std::string(VARNOOK_BIN_DIR) + "/" + name;
}

TempDir::TempDir()
{
    std::string templ = (std::filesystem::temp_directory_path() / "varnook-test-XXXXXX").string();
    if (!::mkdtemp(templ.data()))
        throw std::runtime_error("mkdtemp failed");
    path_ = templ;
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
}

} // namespace fixtures
