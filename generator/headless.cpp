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

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

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

// Every picture the pages name must be there and not empty once its job has ended; a job
// that failed counts too, even when an earlier run's picture is still in its place. Each
// picture is checked as its job ends and only the problems are kept, so the memory of a
// run does not grow with the number of photos.
class PictureCheck {
public:
    void jobEnded(const SpawnLauncher::Job& job)
    {
        if (job.exitStatus != 0)
            problems_.push_back("échec de la réduction (statut " + std::to_string(job.exitStatus)
                                + ") : " + job.commandLine);
        if (job.arguments.size() == 3)
            checkPicture(job.arguments[2]);
    }

    void checkPicture(const std::string& picture)
    {
        ++checked_;
        std::error_code error;
        const std::uintmax_t size = std::filesystem::file_size(picture, error);
        if (error)
            problems_.push_back("image manquante : " + picture);
        else if (size == 0)
            problems_.push_back("image vide : " + picture);
    }

    // Prints the problems and the outcome; returns the exit status.
    int report(const AlbumSettings& settings)
    {
        if (settings.backgroundMode == BackgroundMode::image)
            checkPicture(settings.webFolder + kBackgroundFile);
        for (const std::string& problem : problems_)
            printError(problem);
        if (!problems_.empty()) {
            printError(std::to_string(problems_.size()) + " problème(s) : l'album est incomplet");
            return 1;
        }
        const std::string entry = settings.pageFormat == PageFormat::noFrames ? kStartPage : kIndexFile;
        std::error_code error;
        const std::filesystem::path page = std::filesystem::absolute(settings.webFolder + entry, error);
        std::printf("album terminé : %d images vérifiées ; ouvrez %s\n", checked_,
                    (error ? settings.webFolder + entry : page.string()).c_str());
        return 0;
    }

private:
    int checked_ = 0;
    std::vector<std::string> problems_;
};

} // namespace

int headlessMain(int argc, char** argv)
{
    // A file-size limit then fails the write (EFBIG), which the run reports naming the file,
    // instead of killing the program in the middle of one.
    std::signal(SIGXFSZ, SIG_IGN);
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
    launcher.onJobsEnded = [&] { host.setFinished(spawner.finishedCount()); };
    PictureCheck pictures;
    spawner.onJobEnded = [&](const SpawnLauncher::Job& job) { pictures.jobEnded(job); };

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
    return pictures.report(settings);
}

} // namespace generator
