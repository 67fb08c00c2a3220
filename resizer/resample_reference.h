#pragma once

#include "filter_table.h"
#include "rgb_image.h"

namespace resizer::detail {

// The resampling arithmetic written out pixel by pixel, in the order it is defined:
// slow, and kept only as the yardstick that every faster pass must match bit for bit.
void referenceStretchImage(const RgbImage& source, RgbImage& destination, WeightFunction filter, float support);

} // namespace resizer::detail
