#pragma once

namespace generator {

struct RunContext;

// The album without frames: page01.html on, eight thumbnails a page, each launching its
// 160-pixel thumbnail into "mini"; then the closing page and page00.html.
void ThumbnailPages(RunContext& run);

} // namespace generator
