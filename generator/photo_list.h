#pragma once

#include <string>
#include <vector>

namespace generator {

// The photos of a folder as the photo list shows them: regular files whose name ends in
// ".jpg" in any letter case, hidden (dot) files left out, sorted by name ignoring case
// and, between names equal but for case, by the exact name so the order is stable.
// GenerationError names the folder when it cannot be read.
std::vector<std::string> listPhotoFiles(const std::string& folder);

} // namespace generator
