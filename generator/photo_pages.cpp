#include "photo_pages.h"

#include "album_layout.h"
#include "page_fragments.h"
#include "page_text.h"
#include "photo_names.h"
#include "run_context.h"
#include "run_host.h"

namespace generator {

namespace {

std::string photoFtpLink(bool wanted, const std::string& url, const std::string& adjusted, const char* caption)
{
    if (!wanted)
        return " ";
    return "<br><a href=\"" + withoutOuterBlanks(url) + nameForUrl(adjusted) + "\">" + caption + "</a> ";
}

} // namespace

void g_framep(RunContext& run, const std::string& firstPhotoPage)
{
    run.host.setStatus("création cadre photo ");
    run.host.yield();
    writeAlbumPage(run, run.settings.webFolder + kPhotoFramesetFile,
                   run.fragments.FramesetOpen + nameForUrl(firstPhotoPage) + run.fragments.FramesetClose);
}

void g_photo(RunContext& run)
{
    const PageFragments& f = run.fragments;
    run.host.setStatus("création des pages photos ");
    run.host.yield();
    const std::size_t photoCount = run.settings.photoFiles.size();
    for (std::size_t photo = 0; photo < photoCount; ++photo) {
        run.host.refreshLiveOptions(run.settings);
        const AlbumSettings& s = run.settings;
        const std::string listed = s.photoFiles[photo];
        const std::string adjusted = adjustedName(listed, s.upperCaseName, s.upperCaseExtension);
        const std::string originalLink = photoFtpLink(s.linkOriginal, s.originalUrl, adjusted, "Originale (FTP)");
        const std::string highResLink = photoFtpLink(s.linkHighRes, s.highResUrl, adjusted, "Résolution + (FTP)");
        const std::string path = albumSubFolder(s.webFolder, kJpegFolder) + photoPageName(adjusted);
        run.host.yield();
        const std::string shown = nameForText(adjusted);
        writeAlbumPage(run, path,
                       f.PhotoHeadOpen + shown + f.PhotoBodyOpen + s.backgroundColour + f.PhotoCenterOpen + shown
                           + f.PhotoImageOpen + nameForUrl(adjusted) + f.PhotoImageClose + highResLink
                           + originalLink + f.PhotoPageEnd);
        run.host.setStatus("création  page photo " + adjusted);
        run.host.yield();
        launchAndPace(run, LaunchPlace::photoPages, listed, adjusted);
        run.host.yield();
    }
}

} // namespace generator
