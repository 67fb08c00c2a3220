#pragma once

#include "album_settings.h"

#include <optional>
#include <string>
#include <vector>

namespace generator {

enum class Pace { jobs, clock };

// The command line of a run without a window, as typed.
struct HeadlessOptions {
    bool help = false;
    bool version = false;
    std::string photos;
    std::string web;
    std::string title;
    PageFormat format = PageFormat::frames;
    std::string perFrame = "16";
    bool oneFrame = false;
    BackgroundMode background = BackgroundMode::image;
    std::string colour = kStartBackgroundColour;
    SoundChoice sound = SoundChoice::none;
    bool indexLink = false;
    bool noAuthorLinks = false;
    bool lowerName = false;
    bool lowerExtension = false;
    std::optional<std::string> originalUrl;
    std::optional<std::string> highResUrl;
    Pace pace = Pace::jobs;
    int jobs = 0; // 0: one per processor
};

struct ParsedOptions {
    HeadlessOptions options;
    std::string error; // one line naming the option; empty when the line is good
};

// GNU style: "--name value" or "--name=value", a name may be shortened while it stays
// unambiguous. --photos and --web are required unless --help or --version is given.
ParsedOptions parseHeadlessOptions(const std::vector<std::string>& arguments);

// The settings a run starts from: the window's start-up defaults changed by the options.
// The photo list and the program's folder are the caller's.
AlbumSettings settingsFromOptions(const HeadlessOptions& options);

std::string headlessHelpText();

} // namespace generator
