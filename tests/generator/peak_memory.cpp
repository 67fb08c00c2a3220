// peak_memory REPORT PROGRAM [ARGUMENT...]: runs the program and writes the largest resident
// set of it (and of the children it waited for) in KiB to REPORT. A process inherits the
// peak of the memory it was started from, so a large test cannot start the program itself
// and measure it: this small one starts it instead. Exits with the program's status.
#include <cerrno>
#include <cstdio>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

int main(int argc, char** argv)
{
    if (argc < 3)
        return 125;
    const pid_t pid = ::fork();
    if (pid < 0)
        return 125;
    if (pid == 0) {
        ::execv(argv[2], argv + 2);
        ::_exit(127);
    }
    int status = 0;
    rusage usage{};
    while (::wait4(pid, &status, 0, &usage) < 0) {
        if (errno != EINTR)
            return 125;
    }
    std::FILE* report = std::fopen(argv[1], "w");
    if (!report || std::fprintf(report, "%ld\n", usage.ru_maxrss) < 0 || std::fclose(report) != 0)
        return 125;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
