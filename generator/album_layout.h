#pragma once

#include <string>

namespace generator {

inline constexpr char kSeparator = '/';

// Album entries under webFolder, and the program's own files in programFolder.
inline constexpr const char* kJpegFolder = "jpeg";
inline constexpr const char* kMiniFolder = "mini";
inline constexpr const char* kMiniaFolder = "minia";
inline constexpr const char* kStartPage = "page00.html";
inline constexpr const char* kTitleFrameFile = "frame1.html";
inline constexpr const char* kPhotoFramesetFile = "framep.html";
inline constexpr const char* kIndexFile = "index.html";
inline constexpr const char* kBackgroundFile = "back.gif";
inline constexpr const char* kBackgroundData = "back.don";
inline constexpr const char* kIndexData = "index.don";
inline constexpr const char* kHelpFile = "aide.htm";

// A folder text ends with the separator, appended only when missing. An empty text stays
// empty: it stands for the current folder, and "" + name is a relative path.
std::string withTrailingSeparator(std::string folder);

// webFolder + name + separator, e.g. "album/" + "mini" -> "album/mini/".
std::string albumSubFolder(const std::string& webFolder, const char* name);

// "page" + two-digit number + ".html"; "framec" + two-digit number + ".html".
std::string thumbnailPageName(int number);
std::string choiceFrameName(int number);

} // namespace generator
