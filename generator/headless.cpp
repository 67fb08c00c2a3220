#include "headless.h"

#include "album_layout.h"
#include "console_host.h"
#include "generation_error.h"
#include "generation_run.h"
#include "headless_options.h"
#include "job_slots.h"
#include "pacing.h"
#include "photo_list.h"
#include "program_folder.h"
#include "program_names.h"

#include <cstdio>
#include <filesystem>
#include <set>
#include <system_error>

#include <sched.h>
#include <unistd.h>

#ifndef VARNOOK_VERSION
#define VARNOOK_VERSION "0"
#endif

namespace generator {

namespace {

void printError(const std::string& text)
{
    std::fflush(stdout);
    std::fprintf(stderr, "%s : %s\n", common::kAlbumProgram, text.c_str());
}

int processorCount()
{
    cpu_set_t set;
    if (::sched_getaffinity(0, sizeof set, &set) == 0 && CPU_COUNT(&set) > 0)
        return CPU_COUNT(&set);
    const long online = ::sysconf(_SC_NPROCESSORS_ONLN);
    return online > 0 ? static_cast<int>(online) : 1;
}

// Every picture the pages name must be there and not empty once the jobs have ended; a job
// that failed counts too, even when an earlier run's picture is still in its place.
int checkPictures(const AlbumSettings& settings, const JobSlotLauncher& launcher)
{
    std::vector<std::string> pictures;
    std::set<std::string> seen;
    if (settings.backgroundMode == BackgroundMode::image)
        pictures.push_back(settings.webFolder + kBackgroundFile);
    for (const LaunchRequest& request : launcher.launched()) {
        if (request.arguments.size() == 3 && seen.insert(request.arguments[2]).second)
            pictures.push_back(request.arguments[2]);
    }
    int problems = 0;
    for (const SpawnLauncher::Job& job : launcher.spawner().finishedJobs()) {
        if (job.exitStatus != 0) {
            printError("échec de la réduction (statut " + std::to_string(job.exitStatus) + ") : " + job.commandLine);
            ++problems;
        }
    }
    for (const std::string& picture : pictures) {
        std::error_code error;
        const std::uintmax_t size = std::filesystem::file_size(picture, error);
        if (error) {
            printError("image manquante : " + picture);
            ++problems;
        } else if (size == 0) {
            printError("image vide : " + picture);
            ++problems;
        }
    }
    if (problems != 0) {
        printError(std::to_string(problems) + " problème(s) : l'album est incomplet");
        return 1;
    }
    const std::string entry = settings.pageFormat == PageFormat::noFrames ? kStartPage : kIndexFile;
    std::error_code error;
    const std::filesystem::path page = std::filesystem::absolute(settings.webFolder + entry, error);
    std::printf("album terminé : %zu images vérifiées ; ouvrez %s\n", pictures.size(),
                (error ? settings.webFolder + entry : page.string()).c_str());
    return 0;
}

} // namespace

int headlessMain(int argc, char** argv)
{
    const ParsedOptions parsed = parseHeadlessOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.error.empty()) {
        printError(parsed.error);
        return 2;
    }
    const HeadlessOptions& options = parsed.options;
    if (options.help) {
        std::fputs(headlessHelpText().c_str(), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("%s %s\n", common::kAlbumProgram, VARNOOK_VERSION);
        return 0;
    }

    AlbumSettings settings = settingsFromOptions(options);
    try {
        settings.photoFiles = listPhotoFiles(settings.photoFolder);
    } catch (const GenerationError& error) {
        printError(error.what());
        return 2;
    }
    if (settings.photoFiles.empty()) {
        printError("aucune photo JPEG (*.jpg) dans « " + options.photos + " »");
        return 2;
    }
    settings.programFolder = programFolder();
    PageFragments fragments = buildPageFragments();
    setTitleFrameSound(fragments, settings.soundChoice);

    SpawnLauncher spawner;
    const int slots = options.pace == Pace::jobs ? (options.jobs > 0 ? options.jobs : processorCount()) : 0;
    JobSlotLauncher launcher(spawner, slots);
    ClockPacing clock(proc1());
    NoPausePacing noPause;
    LaunchPacing& pacing = options.pace == Pace::clock ? static_cast<LaunchPacing&>(clock) : noPause;

    ConsoleHost host(options.title, stdout, ::isatty(STDOUT_FILENO) == 1);
    host.onTick = [&] { clock.tick(); };
    host.onIdle = [&] { launcher.reapFinished(); };
    launcher.onJobsEnded = [&] { host.setFinished(static_cast<int>(spawner.finishedJobs().size())); };

    try {
        GenerationRun(settings, host, {fragments, launcher, pacing});
    } catch (const std::exception& error) {
        // The status line told it already; the jobs launched still end before we do.
        launcher.waitForAll();
        host.endProgress();
        printError(error.what());
        return 1;
    }
    launcher.waitForAll();
    host.endProgress();
    return checkPictures(settings, launcher);
}

} // namespace generator
