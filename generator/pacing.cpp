#include "pacing.h"

#include "run_host.h"

#include <cmath>
#include <fstream>
#include <limits>

namespace generator {

namespace {

// A positive MHz value that fits the signed 32-bit rate, or 0.
std::int32_t asRate(double mhz)
{
    if (!std::isfinite(mhz) || mhz < 0.5 || mhz > std::numeric_limits<std::int32_t>::max())
        return 0;
    return static_cast<std::int32_t>(std::lround(mhz));
}

std::int32_t rateFromCpufreq(const std::string& path)
{
    std::ifstream file(path);
    long long kiloHertz = 0;
    if (!(file >> kiloHertz))
        return 0;
    return asRate(static_cast<double>(kiloHertz) / 1000.0);
}

std::int32_t rateFromCpuinfo(const std::string& path)
{
    std::ifstream file(path);
    std::string line;
    while (std::getline(file, line)) {
        if (line.rfind("cpu MHz", 0) != 0)
            continue;
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos)
            return 0;
        try {
            return asRate(std::stod(line.substr(colon + 1)));
        } catch (const std::exception&) {
            return 0;
        }
    }
    return 0;
}

} // namespace

ClockRateSources systemClockRateSources()
{
    return {{"/sys/devices/system/cpu/cpu0/cpufreq/base_frequency",
             "/sys/devices/system/cpu/cpu0/cpufreq/cpuinfo_max_freq"},
            "/proc/cpuinfo"};
}

std::int32_t proc1(const ClockRateSources& sources)
{
    for (const std::string& path : sources.cpufreqFiles) {
        if (const std::int32_t rate = rateFromCpufreq(path); rate > 0)
            return rate;
    }
    return rateFromCpuinfo(sources.cpuinfoFile);
}

Pacer::Pacer(std::int32_t clockRate)
    : clockRate_(clockRate > 0 ? clockRate : kReferenceClockRate)
{
}

std::int64_t Pacer::ticksFor(int units) const
{
    const double perUnit = 2800.0 / clockRate_;
    const double ticks = std::floor(perUnit * units);
    return ticks > 0 ? static_cast<std::int64_t>(ticks) : 0;
}

void Pacer::wait(RunHost& host, int units)
{
    waitTicks_ = ticksFor(units);
    while (waitTicks_ != 0 && !host.stopRequested())
        host.waitForEvents();
    waitTicks_ = 0;
}

void Pacer::tick()
{
    if (waitTicks_ != 0)
        --waitTicks_;
}

} // namespace generator
