#pragma once

#include <cstddef>
#include <string>

namespace common {

// Writes the bytes to a temporary file in the target's folder and renames it over the
// target, so readers see either the old file or the whole new one, never a part. On any
// failure the target is untouched, the temporary file is removed, and std::system_error
// names the path and the system's reason.
void writeFileAtomically(const std::string& path, const void* data, std::size_t size);

// Copies a file the same way (the target is replaced whole or not at all).
void copyFileAtomically(const std::string& from, const std::string& to);

// The whole content of a regular file; std::system_error names the path otherwise.
std::string readWholeFile(const std::string& path);

} // namespace common
