#pragma once

#include "contributor_list.h"
#include "filter_table.h"
#include "rgb_image.h"

namespace resizer {

// Resamples source into destination, whose width and height the caller has set:
// rows first (into an intermediate as wide as the destination and as high as the
// source), then columns. Throws ResampleError ("Source bitmap too small" for an empty
// source, DivisionByZeroError for a destination length of 1 from a longer source, and
// an error for an empty destination) before any destination pixel is written.
void StretchImage(const RgbImage& source, RgbImage& destination, WeightFunction filter, float support);

inline void StretchImage(const RgbImage& source, RgbImage& destination, const ResampleFilter& filter)
{
    StretchImage(source, destination, filter.filter, filter.support);
}

} // namespace resizer
