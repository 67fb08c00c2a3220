#include "resample.h"

#include "extended.h"

#include <algorithm>

#include <immintrin.h>

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
    // The default rounding mode: nearest, halves to even.
    return static_cast<std::uint8_t>(_mm_cvtss_si32(_mm_set_ss(value)));
}

// One accumulator step: the product and the sum at extended precision, stored as a single.
inline float accumulate(float sum, std::uint8_t sample, float weight)
{
    return single(sum + extended(sample) * weight);
}

struct Accumulator {
    float r = 0.0f, g = 0.0f, b = 0.0f;

    void add(const std::uint8_t* pixel, float weight)
    {
        r = accumulate(r, pixel[0], weight);
        g = accumulate(g, pixel[1], weight);
        b = accumulate(b, pixel[2], weight);
    }

    void store(std::uint8_t* pixel) const
    {
        pixel[0] = toByte(r);
        pixel[1] = toByte(g);
        pixel[2] = toByte(b);
    }
};

// Two destination columns at a time: their sums are independent, so the processor can
// overlap them; each one still adds its contributors in list order.
void horizontalRow(const std::uint8_t* in, std::uint8_t* out, const std::vector<ContributorList>& columns)
{
    const std::size_t count = columns.size();
    std::size_t x = 0;
    for (; x + 1 < count; x += 2) {
        const auto& first = columns[x].entries;
        const auto& second = columns[x + 1].entries;
        const std::size_t common = std::min(first.size(), second.size());
        Accumulator a, b;
        for (std::size_t k = 0; k < common; ++k) {
            a.add(in + std::size_t(first[k].sourceIndex) * 3, first[k].weight);
            b.add(in + std::size_t(second[k].sourceIndex) * 3, second[k].weight);
        }
        for (std::size_t k = common; k < first.size(); ++k)
            a.add(in + std::size_t(first[k].sourceIndex) * 3, first[k].weight);
        for (std::size_t k = common; k < second.size(); ++k)
            b.add(in + std::size_t(second[k].sourceIndex) * 3, second[k].weight);
        a.store(out + x * 3);
        b.store(out + x * 3 + 3);
    }
    if (x < count) {
        Accumulator a;
        for (const Contributor& c : columns[x].entries)
            a.add(in + std::size_t(c.sourceIndex) * 3, c.weight);
        a.store(out + x * 3);
    }
}

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
    for (std::int32_t y = 0; y < source.height; ++y)
        horizontalRow(source.row(y), work.row(y), columns);

    // A whole destination row of sums advances one contributor row at a time: the same
    // additions in the same order per sample, but streaming through memory.
    std::vector<float> sums(destination.rowBytes());
    for (std::int32_t y = 0; y < destination.height; ++y) {
        std::fill(sums.begin(), sums.end(), 0.0f);
        for (const Contributor& c : rows[std::size_t(y)].entries) {
            const std::uint8_t* in = work.row(c.sourceIndex);
            for (std::size_t i = 0; i < sums.size(); ++i)
                sums[i] = accumulate(sums[i], in[i], c.weight);
        }
        std::uint8_t* out = destination.row(y);
        for (std::size_t i = 0; i < sums.size(); ++i)
            out[i] = toByte(sums[i]);
    }
}

} // namespace resizer
