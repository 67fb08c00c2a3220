#include "run_context.h"

#include "album_layout.h"
#include "launch_pacing.h"
#include "page_file.h"
#include "run_host.h"

namespace generator {

void stopIfRequested(const RunHost& host)
{
    if (host.stopRequested())
        throw RunStopped{};
}

void launchAndPace(RunContext& run, LaunchPlace place, const std::string& listedName, const std::string& adjusted)
{
    stopIfRequested(run.host);
    const LaunchPlaceRow& row = launchPlace(place);
    const std::string input = run.settings.photoFolder + listedName;
    const ResizerJob job{row.size, input, albumSubFolder(run.settings.webFolder, row.subFolder) + adjusted};
    launchResizerJob(run.launcher, run.settings.programFolder, job);
    countLaunchedJob(run.counters, run.host);
    run.pacing.pauseAfterLaunch(run.host, pauseUnits(place, sourceFileSize(input)));
}

void writeAlbumPage(RunContext& run, const std::string& path, const std::string& text)
{
    stopIfRequested(run.host);
    writePage(path, text);
}

std::string withoutOuterBlanks(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

} // namespace generator
