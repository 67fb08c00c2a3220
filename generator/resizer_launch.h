#pragma once

#include <cstdint>
#include <string>

namespace generator {

class ProcessLauncher;

// One resize: the longer side in pixels, the JPEG to read, the JPEG to write.
struct ResizerJob {
    int size = 0;
    std::string input;
    std::string output;
};

// programFolder + "brunsk" + " " + size + " " + "\"" + input + "\"" + " " + "\"" + output + "\"".
// It is the text that status lines and logs show; the process itself gets an argument
// vector, so no character of a path is ever interpreted.
std::string resizerCommandLine(const std::string& programFolder, const ResizerJob& job);

// Starts the resizer in programFolder for the job and returns at once; GenerationError
// when it cannot be started.
void launchResizerJob(ProcessLauncher& launcher, const std::string& programFolder, const ResizerJob& job);

// The program's six launch places and their pause units after a launch.
enum class LaunchPlace {
    thumbnailFirstRow,    // thumbnail pages, first row of a page
    thumbnailSecondRow,   // thumbnail pages, second row of a page
    thumbnailClosingPage, // thumbnail pages, the closing page
    choiceFrames,         // n_framec
    singleChoiceFrame,    // g_framec
    photoPages,           // g_photo
};

struct LaunchPlaceRow {
    LaunchPlace place;
    int size;
    const char* subFolder;
    int largeUnits; // source photo above kLargePhotoBytes
    int smallUnits;
};

inline constexpr LaunchPlaceRow kLaunchPlaces[] = {
    {LaunchPlace::thumbnailFirstRow, 160, "mini", 45, 9},
    {LaunchPlace::thumbnailSecondRow, 160, "mini", 50, 10},
    {LaunchPlace::thumbnailClosingPage, 160, "mini", 50, 10},
    {LaunchPlace::choiceFrames, 120, "minia", 50, 10},
    {LaunchPlace::singleChoiceFrame, 120, "minia", 50, 10},
    {LaunchPlace::photoPages, 640, "jpeg", 40, 8},
};

inline constexpr std::uintmax_t kLargePhotoBytes = 800000;

const LaunchPlaceRow& launchPlace(LaunchPlace place);

// The pause units after a launch at place for a source photo of inputBytes.
int pauseUnits(LaunchPlace place, std::uintmax_t inputBytes);

// The length of the source photo; GenerationError naming it when it cannot be read.
std::uintmax_t sourceFileSize(const std::string& path);

} // namespace generator
