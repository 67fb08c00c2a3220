#pragma once

#include <string>

namespace generator {

// Writes one page: the text, then CR LF, as ISO-8859-1 bytes (see encodeLatin1), through a
// temporary file renamed over the target. On failure GenerationError names the page and
// the earlier file of that name is left as it was.
void writePage(const std::string& path, const std::string& text);

} // namespace generator
