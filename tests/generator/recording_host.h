#pragma once

#include "run_host.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace testing_host {

// A host that records what a run shows and lets the test decide what a wait for events
// does (deliver a pacing tick, usually), so no test sleeps for real pause lengths.
class RecordingHost : public generator::RunHost {
public:
    std::string title;
    std::vector<std::string> statuses;
    std::vector<std::pair<int, int>> progress;
    int yields = 0;
    int eventWaits = 0;
    std::function<void()> onWaitForEvents;

    std::string askTitle() override { return title; }
    void setStatus(const std::string& text) override { statuses.push_back(text); }
    void setProgress(int launched, int total) override { progress.emplace_back(launched, total); }
    void setBusy(bool) override {}
    void showFrameCount(const std::string&) override {}
    void yield() override { ++yields; }
    void waitForEvents() override
    {
        ++eventWaits;
        if (onWaitForEvents)
            onWaitForEvents();
    }
};

} // namespace testing_host
