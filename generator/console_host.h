#pragma once

#include "run_host.h"

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

namespace generator {

// The host of a run without a window: each status text becomes a line, and on a terminal
// a progress bar of launched and finished jobs stays under the last line. Its 100-ms clock
// stands in for the window's timer: a wait for events sleeps until the next tick.
class ConsoleHost final : public RunHost {
public:
    ConsoleHost(std::string title, std::FILE* out, bool progressBar);

    std::string askTitle() override { return title_; }
    void setStatus(const std::string& text) override;
    void setProgress(int launched, int total) override;
    void setBusy(bool) override {}
    void showFrameCount(const std::string& text) override { frameCount_ = text; }
    void yield() override;
    void waitForEvents() override;

    // Jobs seen to have ended so far, for the bar.
    void setFinished(int finished);
    // Leaves the bar's line, so what follows starts on a line of its own.
    void endProgress();

    const std::string& frameCount() const { return frameCount_; }

    std::function<void()> onTick; // every 100 ms of a wait
    std::function<void()> onIdle; // at every yield and wait: reap the jobs that ended

private:
    void drawBar();
    void eraseBar();

    std::string title_;
    std::FILE* out_;
    bool progressBar_;
    bool barShown_ = false;
    int launched_ = 0;
    int total_ = 0;
    int finished_ = 0;
    std::string frameCount_;
    std::chrono::steady_clock::time_point nextTick_;
};

} // namespace generator
