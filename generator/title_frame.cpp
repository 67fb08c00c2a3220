#include "title_frame.h"

#include "album_layout.h"
#include "atomic_file.h"
#include "generation_error.h"
#include "page_fragments.h"
#include "run_context.h"
#include "run_host.h"

#include <system_error>

namespace generator {

namespace {

void copyDataFile(RunContext& run, const char* dataName, const char* albumName)
{
    stopIfRequested(run.host);
    const std::string from = run.settings.programFolder + dataName;
    const std::string to = run.settings.webFolder + albumName;
    // Read and write apart, so the message names the file at fault.
    std::string content;
    try {
        content = common::readWholeFile(from);
    } catch (const std::system_error& error) {
        throw GenerationError("impossible de lire le fichier du programme « " + from + " » : "
                              + frenchReason(error.code()));
    }
    try {
        common::writeFileAtomically(to, content.data(), content.size());
    } catch (const std::system_error& error) {
        throw GenerationError("impossible d'écrire « " + to + " » : " + frenchReason(error.code()));
    }
}

} // namespace

void TitleFrame(RunContext& run)
{
    run.host.refreshLiveOptions(run.settings);
    const PageFragments& f = run.fragments;
    const AlbumSettings& s = run.settings;
    std::string text = f.TitleFrameHead + s.backgroundColour + f.TitleFrameTableOpen;
    if (s.linkToIndex)
        text += f.TitleFrameIndexLink;
    text += f.TitleFrameTitleOpen + s.albumTitle + f.TitleFrameEnd;
    writeAlbumPage(run, s.webFolder + kTitleFrameFile, text);
}

void copyBackgroundPicture(RunContext& run)
{
    copyDataFile(run, kBackgroundData, kBackgroundFile);
}

void copyIndexPage(RunContext& run)
{
    copyDataFile(run, kIndexData, kIndexFile);
}

} // namespace generator
