#pragma once

#include "contributor_list.h"
#include "filter_table.h"
#include "rgb_image.h"

#include <memory>

namespace resizer {

namespace detail {
struct ResamplerState;
}

// Resizes a stream of rows: source rows go in top to bottom, and each destination row is
// written as soon as the source rows it needs have arrived, so neither the whole source
// nor the whole intermediate is ever held. Rows are filtered horizontally first (to the
// destination width), rounded to bytes, then vertically.
class Resampler {
public:
    // Throws ResampleError ("Source bitmap too small" for an empty source, an error for an
    // empty destination) or DivisionByZeroError (a destination length of 1 from a longer
    // source) before anything is written. The destination must stay alive until finish().
    Resampler(std::int32_t sourceWidth, std::int32_t sourceHeight, RgbImage& destination,
              WeightFunction filter, float support);
    ~Resampler();
    Resampler(const Resampler&) = delete;
    Resampler& operator=(const Resampler&) = delete;

    // The next `count` source rows, 3 bytes per pixel.
    void pushRows(const std::uint8_t* const* rows, int count);
    // After the last source row: every destination row has been written.
    void finish();

private:
    std::unique_ptr<detail::ResamplerState> state_;
};

// Resamples source into destination, whose width and height the caller has set. Throws
// as the Resampler does, before any destination pixel is written.
void StretchImage(const RgbImage& source, RgbImage& destination, WeightFunction filter, float support);

inline void StretchImage(const RgbImage& source, RgbImage& destination, const ResampleFilter& filter)
{
    StretchImage(source, destination, filter.filter, filter.support);
}

} // namespace resizer
