#include "process_launcher.h"

#include "generation_error.h"

#include <cerrno>
#include <csignal>
#include <system_error>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace generator {

namespace {

// RAII owners for the spawn attribute objects.
class FileActions {
public:
    FileActions() { ::posix_spawn_file_actions_init(&actions_); }
    ~FileActions() { ::posix_spawn_file_actions_destroy(&actions_); }
    FileActions(const FileActions&) = delete;
    FileActions& operator=(const FileActions&) = delete;
    posix_spawn_file_actions_t* get() { return &actions_; }

private:
    posix_spawn_file_actions_t actions_;
};

class SpawnAttributes {
public:
    SpawnAttributes() { ::posix_spawnattr_init(&attributes_); }
    ~SpawnAttributes() { ::posix_spawnattr_destroy(&attributes_); }
    SpawnAttributes(const SpawnAttributes&) = delete;
    SpawnAttributes& operator=(const SpawnAttributes&) = delete;
    posix_spawnattr_t* get() { return &attributes_; }

private:
    posix_spawnattr_t attributes_;
};

[[noreturn]] void failLaunch(const std::string& program, int error)
{
    throw GenerationError("impossible de lancer « " + program + " » : "
                          + frenchReason(std::error_code(error, std::generic_category())));
}

} // namespace

SpawnLauncher::SpawnLauncher(Output output)
    : output_(output)
{
}

void SpawnLauncher::launch(const LaunchRequest& request)
{
    reapFinished();

    FileActions actions;
    int rc = ::posix_spawn_file_actions_addopen(actions.get(), 0, "/dev/null", O_RDONLY, 0);
    if (rc == 0 && output_ == Output::discard) {
        rc = ::posix_spawn_file_actions_addopen(actions.get(), 1, "/dev/null", O_WRONLY, 0);
        if (rc == 0)
            rc = ::posix_spawn_file_actions_adddup2(actions.get(), 1, 2);
    }
    // Descriptors opened without O_CLOEXEC (by us or by a library) stay with us.
    if (rc == 0)
        rc = ::posix_spawn_file_actions_addclosefrom_np(actions.get(), 3);

    // A host may block or ignore signals (a toolkit, a terminal host); the child starts clean.
    // Except for SIGXFSZ: a host that ignores it wants a file-size limit to fail the write,
    // so the resizer reports it and removes its temporary file instead of dying mid-file.
    SpawnAttributes attributes;
    sigset_t none;
    sigset_t all;
    sigemptyset(&none);
    sigfillset(&all);
    sigdelset(&all, SIGXFSZ);
    if (rc == 0)
        rc = ::posix_spawnattr_setsigmask(attributes.get(), &none);
    if (rc == 0)
        rc = ::posix_spawnattr_setsigdefault(attributes.get(), &all);
    if (rc == 0)
        rc = ::posix_spawnattr_setflags(attributes.get(), POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    if (rc != 0)
        failLaunch(request.program, rc);

    std::vector<char*> argv;
    argv.reserve(request.arguments.size() + 2);
    argv.push_back(const_cast<char*>(request.program.c_str()));
    for (const std::string& argument : request.arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    pid_t pid = 0;
    rc = ::posix_spawn(&pid, request.program.c_str(), actions.get(), attributes.get(), argv.data(), environ);
    if (rc != 0)
        failLaunch(request.program, rc);
    running_.push_back(Job{pid, request.commandLine, request.arguments, -1});
}

void SpawnLauncher::reapFinished()
{
    std::vector<Job> ended;
    for (auto it = running_.begin(); it != running_.end();) {
        int status = 0;
        pid_t result = 0;
        do {
            result = ::waitpid(it->pid, &status, WNOHANG);
        } while (result < 0 && errno == EINTR);
        if (result == 0) {
            ++it;
            continue;
        }
        // result < 0 (ECHILD): someone else reaped it, or SIGCHLD is ignored; it has ended.
        Job job = std::move(*it);
        job.exitStatus = result > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        ended.push_back(std::move(job));
        it = running_.erase(it);
    }
    finishedCount_ += static_cast<int>(ended.size());
    // After the loop: the handler may launch again.
    if (onJobEnded) {
        for (const Job& job : ended)
            onJobEnded(job);
    }
}

} // namespace generator
