#pragma once

#include "album_settings.h"
#include "run_host.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace testing_host {

// A host that records what a run shows and lets the test decide what a wait for events
// does (deliver a pacing tick, usually), so no test sleeps for real pause lengths.
// Every call is also appended to events, in order, for tests of the run's sequence.
class RecordingHost : public generator::RunHost {
public:
    std::string title;
    std::vector<std::string> statuses;
    std::vector<std::pair<int, int>> progress;
    std::vector<bool> busy;
    std::vector<std::string> frameCounts;
    std::vector<std::string> events;
    int yields = 0;
    int eventWaits = 0;
    std::function<void()> onWaitForEvents;
    std::function<void(generator::AlbumSettings&)> onRefresh;
    std::function<bool()> stop;
    // Runs before each event is recorded (a test can note files written since the last).
    std::function<void()> beforeEvent;

    std::string askTitle() override
    {
        record("title");
        return title;
    }
    void setStatus(const std::string& text) override
    {
        record("status:" + text);
        statuses.push_back(text);
    }
    void setProgress(int launched, int total) override
    {
        record("progress:" + std::to_string(launched) + "/" + std::to_string(total));
        progress.emplace_back(launched, total);
    }
    void setBusy(bool on) override
    {
        record(on ? "busy:on" : "busy:off");
        busy.push_back(on);
    }
    void showFrameCount(const std::string& text) override
    {
        record("frames:" + text);
        frameCounts.push_back(text);
    }
    void yield() override
    {
        record("yield");
        ++yields;
    }
    void waitForEvents() override
    {
        ++eventWaits;
        if (onWaitForEvents)
            onWaitForEvents();
    }
    void refreshLiveOptions(generator::AlbumSettings& settings) override
    {
        if (onRefresh)
            onRefresh(settings);
    }
    bool stopRequested() const override { return stop && stop(); }

    void record(const std::string& event)
    {
        if (beforeEvent)
            beforeEvent();
        events.push_back(event);
    }
};

} // namespace testing_host
