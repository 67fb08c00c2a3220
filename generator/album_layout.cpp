#include "album_layout.h"

#include "photo_names.h"

namespace generator {

std::string withTrailingSeparator(std::string folder)
{
    if (!folder.empty() && folder.back() != kSeparator)
        folder += kSeparator;
    return folder;
}

std::string albumSubFolder(const std::string& webFolder, const char* name)
{
    return webFolder + name + kSeparator;
}

std::string thumbnailPageName(int number)
{
    return "page" + pageNumberText(number) + ".html";
}

std::string choiceFrameName(int number)
{
    return "framec" + pageNumberText(number) + ".html";
}

} // namespace generator
