#include "resample.h"

#include "extended.h"

namespace resizer {

using detail::extended;
using detail::single;

namespace {

std::uint8_t toByte(float value)
{
    if (value > 255.0f)
        return 255;
    if (value < 0.0f)
        return 0;
    return static_cast<std::uint8_t>(detail::roundHalfEven(value));
}

// Each accumulator step is formed at extended precision and stored back as a single.
struct Accumulator {
    float r = 0.0f, g = 0.0f, b = 0.0f;

    void add(const std::uint8_t* pixel, float weight)
    {
        r = single(r + extended(pixel[0]) * weight);
        g = single(g + extended(pixel[1]) * weight);
        b = single(b + extended(pixel[2]) * weight);
    }

    void store(std::uint8_t* pixel) const
    {
        pixel[0] = toByte(r);
        pixel[1] = toByte(g);
        pixel[2] = toByte(b);
    }
};

} // namespace

void StretchImage(const RgbImage& source, RgbImage& destination, WeightFunction filter, float support)
{
    if (source.width < 1 || source.height < 1)
        throw ResampleError("Source bitmap too small");
    if (destination.width < 1 || destination.height < 1)
        throw ResampleError("Destination bitmap too small");

    // Both directions' lists are checked before anything is allocated or written.
    const auto columns = buildContributorLists(source.width, destination.width, filter, support);
    const auto rows = buildContributorLists(source.height, destination.height, filter, support);

    RgbImage work(destination.width, source.height);
    for (std::int32_t y = 0; y < source.height; ++y) {
        const std::uint8_t* in = source.row(y);
        std::uint8_t* out = work.row(y);
        for (std::int32_t x = 0; x < destination.width; ++x) {
            Accumulator sum;
            for (const Contributor& c : columns[std::size_t(x)].entries)
                sum.add(in + std::size_t(c.sourceIndex) * 3, c.weight);
            sum.store(out + std::size_t(x) * 3);
        }
    }

    for (std::int32_t y = 0; y < destination.height; ++y) {
        const ContributorList& list = rows[std::size_t(y)];
        std::uint8_t* out = destination.row(y);
        for (std::int32_t x = 0; x < destination.width; ++x) {
            Accumulator sum;
            for (const Contributor& c : list.entries)
                sum.add(work.row(c.sourceIndex) + std::size_t(x) * 3, c.weight);
            sum.store(out + std::size_t(x) * 3);
        }
    }
}

} // namespace resizer
