#include "job_slots.h"

#include <cerrno>
#include <chrono>
#include <thread>
#include <vector>

#include <poll.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace generator {

namespace {

// A descriptor that becomes readable when the process ends; -1 when the system has none.
int openPidfd(pid_t pid)
{
#ifdef SYS_pidfd_open
    return static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
#else
    (void)pid;
    errno = ENOSYS;
    return -1;
#endif
}

} // namespace

JobSlotLauncher::JobSlotLauncher(SpawnLauncher& spawner, int maxRunning)
    : spawner_(spawner), maxRunning_(maxRunning > 0 ? maxRunning : 0)
{
}

void JobSlotLauncher::launch(const LaunchRequest& request)
{
    reapFinished();
    while (maxRunning_ > 0 && spawner_.runningCount() >= maxRunning_)
        waitForAnyEnd();
    spawner_.launch(request);
    ++launchedCount_;
}

void JobSlotLauncher::waitForAll()
{
    reapFinished();
    while (spawner_.runningCount() > 0)
        waitForAnyEnd();
}

void JobSlotLauncher::reapFinished()
{
    const int before = spawner_.finishedCount();
    spawner_.reapFinished();
    if (spawner_.finishedCount() != before && onJobsEnded)
        onJobsEnded();
}

void JobSlotLauncher::waitForAnyEnd()
{
    std::vector<pollfd> fds;
    bool complete = true;
    for (const SpawnLauncher::Job& job : spawner_.runningJobs()) {
        const int fd = openPidfd(job.pid);
        if (fd < 0) {
            // ESRCH: already gone, reaping will tell; otherwise no pidfds here.
            complete = false;
            break;
        }
        fds.push_back({fd, POLLIN, 0});
    }
    if (complete && !fds.empty()) {
        while (::poll(fds.data(), fds.size(), -1) < 0 && errno == EINTR) {
        }
    } else {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    for (const pollfd& fd : fds)
        ::close(fd.fd);
    reapFinished();
}

} // namespace generator
