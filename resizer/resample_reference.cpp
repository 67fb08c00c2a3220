#include "resample_reference.h"

#include "contributor_list.h"
#include "extended.h"

namespace resizer::detail {

namespace {

std::uint8_t clampToByte(float value)
{
    if (value > 255.0f)
        return 255;
    if (value < 0.0f)
        return 0;
    return static_cast<std::uint8_t>(roundHalfEven(value));
}

void accumulatePixel(const ContributorList& list, const RgbImage& image, std::int32_t fixed, bool alongRow,
                     std::uint8_t* out)
{
    float sum[3] = {0.0f, 0.0f, 0.0f};
    for (const Contributor& c : list.entries) {
        const std::uint8_t* pixel = alongRow ? image.row(fixed) + std::size_t(c.sourceIndex) * 3
                                             : image.row(c.sourceIndex) + std::size_t(fixed) * 3;
        for (int channel = 0; channel < 3; ++channel)
            sum[channel] = single(sum[channel] + extended(pixel[channel]) * c.weight);
    }
    for (int channel = 0; channel < 3; ++channel)
        out[channel] = clampToByte(sum[channel]);
}

} // namespace

void referenceStretchImage(const RgbImage& source, RgbImage& destination, WeightFunction filter, float support)
{
    if (source.width < 1 || source.height < 1)
        throw ResampleError("Source bitmap too small");
    if (destination.width < 1 || destination.height < 1)
        throw ResampleError("Destination bitmap too small");
    RgbImage work(destination.width, source.height);
    const auto columns = buildContributorListsPlain(source.width, destination.width, filter, support);
    for (std::int32_t y = 0; y < source.height; ++y)
        for (std::int32_t x = 0; x < destination.width; ++x)
            accumulatePixel(columns[std::size_t(x)], source, y, true, work.row(y) + std::size_t(x) * 3);
    const auto rows = buildContributorListsPlain(source.height, destination.height, filter, support);
    for (std::int32_t x = 0; x < destination.width; ++x)
        for (std::int32_t y = 0; y < destination.height; ++y)
            accumulatePixel(rows[std::size_t(y)], work, x, false, destination.row(y) + std::size_t(x) * 3);
}

} // namespace resizer::detail
