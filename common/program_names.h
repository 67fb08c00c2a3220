#pragma once

namespace common {

// The programs' file names on this platform; every text that names a program uses them.
#ifdef _WIN32
inline constexpr const char* kResizerProgram = "brunsk.exe";
inline constexpr const char* kAlbumProgram = "varnook.exe";
#else
inline constexpr const char* kResizerProgram = "brunsk";
inline constexpr const char* kAlbumProgram = "varnook";
#endif

} // namespace common
