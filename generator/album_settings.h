#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace generator {

enum class PageFormat { frames = 0, noFrames = 1, both = 2 };
enum class BackgroundMode { image, colour };
enum class SoundChoice { none, mp3, wav };

inline constexpr const char* kStartBackgroundColour = "FFFFFF";
inline constexpr const char* kExampleOriginalUrl = "ftp://ftp.varnook.example/repertoire1/";
inline constexpr const char* kExampleHighResUrl = "ftp://ftp.varnook.example/repertoire2/";

// Every choice a run reads. Defaults are the window's start-up state. Folder texts end
// with the separator (except an empty webFolder, which means the current folder).
struct AlbumSettings {
    std::string webFolder;
    std::string photoFolder;
    std::vector<std::string> photoFiles; // listed names, in list order
    std::string programFolder;
    PageFormat pageFormat = PageFormat::frames;
    double thumbnailsPerFrame = 16; // may carry a fraction; clamped by the run
    bool allThumbnailsInOneFrame = false;
    BackgroundMode backgroundMode = BackgroundMode::image;
    std::string backgroundColour = kStartBackgroundColour; // six hex digits, no '#'
    SoundChoice soundChoice = SoundChoice::none;
    bool linkToIndex = false;
    bool authorLinks = true;
    bool upperCaseName = true;
    bool upperCaseExtension = true;
    bool linkOriginal = false;
    std::string originalUrl = kExampleOriginalUrl;
    bool linkHighRes = false;
    std::string highResUrl = kExampleHighResUrl;
    std::string albumTitle;

    // Resizer jobs per photo: derived, so it can never disagree with the format.
    int imagesPerPhoto() const { return pageFormat == PageFormat::both ? 3 : 2; }
};

// The number at the start of the thumbnails-per-frame box's text ("20.5" gives 20.5,
// "12 photos" 12, "abc" 0). Leading blanks and a sign are accepted; '.' is the decimal
// mark whatever the locale.
double thumbnailsPerFrameFromText(std::string_view text);

} // namespace generator
