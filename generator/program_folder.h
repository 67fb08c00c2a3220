#pragma once

#include <string>

namespace generator {

// The rule: the executable's folder with exactly one trailing separator ("/" stays "/").
std::string programFolderFor(const std::string& executableFolder);

// The folder of the running executable (from /proc/self/exe, symlinks resolved), by the
// rule above; "./" when the system cannot tell.
std::string programFolder();

} // namespace generator
