#include "program_folder.h"

#include "album_layout.h"

#include <filesystem>
#include <system_error>

namespace generator {

std::string programFolderFor(const std::string& executableFolder)
{
    return withTrailingSeparator(executableFolder);
}

std::string programFolder()
{
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::canonical("/proc/self/exe", error);
    if (error || !executable.has_parent_path())
        return "./";
    return programFolderFor(executable.parent_path().string());
}

} // namespace generator
