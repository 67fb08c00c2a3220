#pragma once

#include "album_settings.h"
#include "job_counters.h"
#include "resizer_launch.h"

#include <string>
#include <string_view>

namespace generator {

class LaunchPacing;
class ProcessLauncher;
class RunHost;
struct PageFragments;

// Everything a page writer works with during one run.
struct RunContext {
    AlbumSettings& settings;
    RunHost& host;
    const PageFragments& fragments;
    ProcessLauncher& launcher;
    LaunchPacing& pacing;
    JobCounters& counters;
};

// Unwinds a run whose host asked it to stop; only GenerationRun catches it.
struct RunStopped {};

void stopIfRequested(const RunHost& host);

// The part every launch place shares: launch the job for the photo (read under its listed
// name), count it on the gauge, then pause by the source photo's size. The caller yields.
void launchAndPace(RunContext& run, LaunchPlace place, const std::string& listedName, const std::string& adjusted);

// Writes a finished page, unless the host asked the run to stop.
void writeAlbumPage(RunContext& run, const std::string& path, const std::string& text);

// An FTP folder as a link target: the text typed without the blanks around it.
std::string withoutOuterBlanks(std::string_view text);

} // namespace generator
