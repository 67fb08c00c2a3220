#pragma once

#include <functional>
#include <string>
#include <vector>

#include <sys/types.h>

namespace generator {

struct LaunchRequest {
    std::string program;                // path of the executable
    std::vector<std::string> arguments; // after the program name
    std::string commandLine;            // the text shown in status lines and logs
};

// Starts child processes without waiting for them. Tests record launches through it.
class ProcessLauncher {
public:
    virtual ~ProcessLauncher() = default;
    // Returns once the process has started; GenerationError when it cannot be.
    virtual void launch(const LaunchRequest& request) = 0;
};

// posix_spawn with an argument vector (no shell), stdin from /dev/null, none of this
// process's other descriptors inherited. Children are never awaited, but those that have
// ended are reaped on every launch and on every reapFinished, one pid at a time, so other
// owners of child processes (the toolkit) are not disturbed.
class SpawnLauncher final : public ProcessLauncher {
public:
    enum class Output { discard, inherit }; // the children's stdout and stderr

    struct Job {
        pid_t pid = 0;
        std::string commandLine;
        std::vector<std::string> arguments; // as launched, after the program name
        int exitStatus = -1; // once finished; -1 when ended by a signal or status unknown
    };

    explicit SpawnLauncher(Output output = Output::discard);

    void launch(const LaunchRequest& request) override;
    void reapFinished();

    const std::vector<Job>& runningJobs() const { return running_; }
    int runningCount() const { return static_cast<int>(running_.size()); }
    int finishedCount() const { return finishedCount_; }

    // Called with each job as it is reaped. Ended jobs are counted, not kept: a long
    // session would otherwise hold a record of every job it ever ran.
    std::function<void(const Job&)> onJobEnded;

private:
    Output output_;
    std::vector<Job> running_;
    int finishedCount_ = 0;
};

} // namespace generator
