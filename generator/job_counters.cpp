#include "job_counters.h"

#include "generation_error.h"
#include "run_host.h"

#include <string>

namespace generator {

JobCounters startJobCounters(std::size_t photoCount, int imagesPerPhoto)
{
    // Compare before multiplying in 16 bits: a wrapped total would show a wrong gauge.
    const auto jobs = static_cast<unsigned long long>(photoCount) * static_cast<unsigned long long>(imagesPerPhoto);
    if (imagesPerPhoto < 0 || jobs > static_cast<unsigned long long>(kMaxTotalJobs))
        throw GenerationError("trop de photos : " + std::to_string(jobs) + " images à produire, la limite est "
                              + std::to_string(kMaxTotalJobs));
    JobCounters counters;
    counters.totalJobs = static_cast<std::int16_t>(jobs);
    return counters;
}

void countLaunchedJob(JobCounters& counters, RunHost& host)
{
    ++counters.launchedJobs;
    host.setProgress(counters.launchedJobs, counters.totalJobs);
}

} // namespace generator
