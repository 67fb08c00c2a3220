#pragma once

#include <string>

namespace generator {

struct RunContext;

// The thumbnail column of the framed album, each thumbnail launching its 120-pixel copy
// into "minia". n_framec splits the photos into framec00.html, framec01.html... of
// thumbnailsPerFrame each, chained by "précédentes"/"suivantes" rows; g_framec puts them
// all in framec00.html. Both return the first photo's page name (firstPhotoPage), or ""
// when there is no photo.
std::string n_framec(RunContext& run);
std::string g_framec(RunContext& run);

// The whole number of thumbnails per frame: the clamped value (which may carry a fraction)
// rounded once, halves to even, so each photo lands in exactly one frame.
int wholeThumbnailsPerFrame(double thumbnailsPerFrame);

// The run's clamping of the thumbnails-per-frame box: below 4 gives 4, above 32 gives 32.
double clampedThumbnailsPerFrame(double thumbnailsPerFrame);

} // namespace generator
