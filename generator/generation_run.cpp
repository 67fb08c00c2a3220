#include "generation_run.h"

#include "album_layout.h"
#include "choice_frames.h"
#include "generation_error.h"
#include "job_counters.h"
#include "photo_pages.h"
#include "run_context.h"
#include "thumbnail_pages.h"
#include "title_frame.h"

#include <charconv>
#include <filesystem>
#include <system_error>

namespace generator {

namespace {

namespace fs = std::filesystem;

// An existing folder is accepted; a missing web folder is made along with it.
void createAlbumFolder(const AlbumSettings& settings, const char* name)
{
    const std::string folder = settings.webFolder + name;
    std::error_code error;
    fs::create_directories(folder, error);
    if (!error && !fs::is_directory(folder, error) && !error)
        error = std::make_error_code(std::errc::not_a_directory);
    if (error)
        throw GenerationError("impossible de créer le dossier « " + folder + " » : " + frenchReason(error));
}

// brunsk would write a photo's copy over the photo itself when the photos are read from one
// of the album's own sub-folders: refuse before anything is written.
void refusePhotoFolderInsideAlbum(const AlbumSettings& settings)
{
    for (const char* name : {kJpegFolder, kMiniFolder, kMiniaFolder}) {
        std::error_code error;
        const fs::path photos = settings.photoFolder.empty() ? fs::path(".") : fs::path(settings.photoFolder);
        if (fs::equivalent(photos, fs::path(settings.webFolder + name), error))
            throw GenerationError("le dossier des photos « " + settings.photoFolder + " » est le sous-dossier « "
                                  + name + " » de l'album : ses photos seraient remplacées");
    }
}

void runSteps(AlbumSettings& settings, RunHost& host, const RunTools& tools)
{
    host.setBusy(true);
    settings.thumbnailsPerFrame = clampedThumbnailsPerFrame(settings.thumbnailsPerFrame);
    host.showFrameCount(frameCountText(settings.thumbnailsPerFrame));
    settings.albumTitle = host.askTitle();
    stopIfRequested(host);

    // The photos are checked before the first folder is made: a refused run writes nothing.
    // Without a photo the frames would lead nowhere (the photo frameset would frame itself).
    if (settings.photoFiles.empty())
        throw GenerationError("aucune photo dans « " + settings.photoFolder + " » : l'album serait vide");
    JobCounters counters = startJobCounters(settings.photoFiles.size(), settings.imagesPerPhoto());
    refusePhotoFolderInsideAlbum(settings);
    createAlbumFolder(settings, kJpegFolder);

    RunContext run{settings, host, tools.fragments, tools.launcher, tools.pacing, counters};
    if (settings.backgroundMode == BackgroundMode::image)
        copyBackgroundPicture(run);

    const PageFormat format = settings.pageFormat;
    if (format == PageFormat::noFrames || format == PageFormat::both) {
        host.setStatus("création du sous répertoires mini");
        createAlbumFolder(settings, kMiniFolder);
        host.setStatus("création des pages miniatures ");
        ThumbnailPages(run);
    }
    if (format == PageFormat::frames || format == PageFormat::both) {
        createAlbumFolder(settings, kMiniaFolder);
        host.yield();
        TitleFrame(run);
        const std::string firstPhotoPage = settings.allThumbnailsInOneFrame ? g_framec(run) : n_framec(run);
        g_framep(run, firstPhotoPage);
        host.setStatus("création page index ");
        host.yield();
        copyIndexPage(run);
    }
    g_photo(run);

    host.setBusy(false);
    host.setStatus(kRunEndStatus);
}

} // namespace

std::string frameCountText(double thumbnailsPerFrame)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, thumbnailsPerFrame);
    return std::string(buffer, result.ptr);
}

void GenerationRun(AlbumSettings& settings, RunHost& host, const RunTools& tools)
{
    try {
        runSteps(settings, host, tools);
    } catch (const RunStopped&) {
        host.setBusy(false);
        host.setStatus(kRunStoppedStatus);
    } catch (const GenerationError& error) {
        host.setBusy(false);
        host.setStatus(error.what());
        throw;
    } catch (const std::exception& error) {
        // Whatever went wrong, the window must not stay busy.
        host.setBusy(false);
        host.setStatus(std::string("erreur inattendue : ") + error.what());
        throw;
    }
}

} // namespace generator
