#pragma once

#include "process_launcher.h"

#include <functional>

namespace generator {

// Holds each launch back until fewer than maxRunning of its jobs run (0: no bound), so a
// run paced by jobs never has more resizers at once than the machine has room for. It
// sleeps on the children themselves (pidfds), never spinning; launches keep their order.
class JobSlotLauncher final : public ProcessLauncher {
public:
    JobSlotLauncher(SpawnLauncher& spawner, int maxRunning);

    void launch(const LaunchRequest& request) override;

    // Blocks until every job launched so far has ended.
    void waitForAll();
    // Reaps the jobs that have ended, without blocking.
    void reapFinished();

    // Counted, not kept, so a long run's memory does not grow with its jobs.
    int launchedCount() const { return launchedCount_; }
    const SpawnLauncher& spawner() const { return spawner_; }
    int maxRunning() const { return maxRunning_; }

    // Called whenever jobs were seen to end, to refresh a progress display.
    std::function<void()> onJobsEnded;

private:
    void waitForAnyEnd();

    SpawnLauncher& spawner_;
    int maxRunning_;
    int launchedCount_ = 0;
};

} // namespace generator
