#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace generator {

class RunHost;

// Where proc1 looks for the processor's nominal clock rate: cpufreq files in kHz, tried in
// order, then the "cpu MHz" line of a cpuinfo file.
struct ClockRateSources {
    std::vector<std::string> cpufreqFiles;
    std::string cpuinfoFile;
};

ClockRateSources systemClockRateSources();

// The nominal clock rate in MHz, or 0 when no source gives a positive value.
std::int32_t proc1(const ClockRateSources& sources = systemClockRateSources());

// The rate at which pause units count 100-ms ticks one to one; stands in for a rate
// that is unknown (0) or negative, which would divide by zero or never end.
inline constexpr std::int32_t kReferenceClockRate = 2800;

// The pause after each launch: wait(units) lasts floor(2800 / rate * units) ticks of the
// host's 100-ms timer, whose handler calls tick(). The host keeps running meanwhile.
class Pacer {
public:
    explicit Pacer(std::int32_t clockRate);

    // Returns at once when the count is 0; otherwise sleeps in host.waitForEvents()
    // until the ticks have counted it down, or until the host asks the run to stop.
    void wait(RunHost& host, int units);

    // The timer's handler: one tick less, when a pause is running.
    void tick();

    std::int32_t clockRate() const { return clockRate_; }
    std::int64_t waitTicks() const { return waitTicks_; }
    std::int64_t ticksFor(int units) const;

private:
    std::int32_t clockRate_;
    std::int64_t waitTicks_ = 0;
};

} // namespace generator
