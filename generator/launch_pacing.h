#pragma once

#include "pacing.h"

#include <cstdint>

namespace generator {

class RunHost;

// How launches are paced: the window's clock pause, or (headless) a bound on running jobs.
class LaunchPacing {
public:
    virtual ~LaunchPacing() = default;
    virtual void pauseAfterLaunch(RunHost& host, int units) = 0;
};

// The pause of the window: units count 100-ms ticks, scaled by the clock rate. The host's
// repeating 100-ms timer calls tick().
class ClockPacing final : public LaunchPacing {
public:
    explicit ClockPacing(std::int32_t clockRate) : pacer_(clockRate) {}
    void pauseAfterLaunch(RunHost& host, int units) override { pacer_.wait(host, units); }
    void tick() { pacer_.tick(); }
    const Pacer& pacer() const { return pacer_; }

private:
    Pacer pacer_;
};

// No pause at all: the launcher itself holds back a launch until a job slot is free.
class NoPausePacing final : public LaunchPacing {
public:
    void pauseAfterLaunch(RunHost&, int) override {}
};

} // namespace generator
