#pragma once

#include <cstddef>
#include <cstdint>

namespace generator {

class RunHost;

// The run's resizer-job counters behind the progress gauge.
struct JobCounters {
    std::int16_t totalJobs = 0;
    int launchedJobs = 0;
};

inline constexpr int kMaxTotalJobs = INT16_MAX;

// Counters for a run of photoCount photos; GenerationError when the jobs exceed 32767,
// before anything is written.
JobCounters startJobCounters(std::size_t photoCount, int imagesPerPhoto);

// One more job launched: count it and show it on the gauge.
void countLaunchedJob(JobCounters& counters, RunHost& host);

} // namespace generator
