#pragma once

#include <string>

namespace generator {

struct RunContext;

// framep.html: the choice column framec00.html beside the first photo's page.
void g_framep(RunContext& run, const std::string& firstPhotoPage);

// One page per photo in "jpeg", each written before its 640-pixel copy is launched there.
void g_photo(RunContext& run);

} // namespace generator
