#include "resample.h"

#include "extended.h"
#include "resample_kernels.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include <immintrin.h>

namespace resizer {

namespace detail {

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

inline float accumulate(float sum, std::uint8_t sample, float weight)
{
    return single(sum + extended(sample) * weight);
}

} // namespace

bool fusedMatchesExtended(const float* weights, std::int32_t count)
{
    float smallest = INFINITY;
    bool mixedSigns = false;
    for (std::int32_t k = 0; k < count; ++k) {
        const float w = std::fabs(weights[k]);
        // The smallest sum that is not 0, with margin, against 2^-63 of 255 times w.
        const float floor = mixedSigns ? smallest * 0x1p-25f : smallest * 0.5f;
        if (k > 0 && floor < w * 0x1p-54f)
            return false;
        smallest = std::min(smallest, w);
        mixedSigns = mixedSigns || (k > 0 && std::signbit(weights[k]) != std::signbit(weights[0]));
    }
    return true;
}

namespace {

float tinySumBound(const float* weights, std::int32_t count)
{
    float largest = 0.0f;
    for (std::int32_t k = 0; k < count; ++k)
        largest = std::max(largest, std::fabs(weights[k]));
    return largest * 255.0f * 0x1p-60f;
}

} // namespace

PassPlan makePassPlan(const std::vector<ContributorList>& lists)
{
    PassPlan plan;
    plan.first.reserve(lists.size() + 1);
    plan.fused.reserve(lists.size());
    plan.first.push_back(0);
    for (const ContributorList& list : lists) {
        for (const Contributor& c : list.entries) {
            plan.index.push_back(c.sourceIndex);
            plan.weight.push_back(c.weight);
        }
        plan.first.push_back(static_cast<std::int32_t>(plan.index.size()));
        const float* weights = plan.weight.data() + plan.first[plan.first.size() - 2];
        plan.fused.push_back(fusedMatchesExtended(weights, list.size()));
        plan.tinySum.push_back(tinySumBound(weights, list.size()));
        bool consecutive = true;
        for (std::int32_t k = 1; k < list.size(); ++k)
            consecutive = consecutive && list.entries[std::size_t(k)].sourceIndex == list.entries[0].sourceIndex + k;
        plan.consecutive.push_back(consecutive);
    }
    return plan;
}

void horizontalPixelExtended(const std::uint8_t* row, const std::int32_t* index, const float* weight,
                             std::int32_t count, std::uint8_t* out)
{
    float sum[3] = {0.0f, 0.0f, 0.0f};
    for (std::int32_t k = 0; k < count; ++k) {
        const std::uint8_t* pixel = row + std::size_t(index[k]) * 3;
        sum[0] = accumulate(sum[0], pixel[0], weight[k]);
        sum[1] = accumulate(sum[1], pixel[1], weight[k]);
        sum[2] = accumulate(sum[2], pixel[2], weight[k]);
    }
    out[0] = toByte(sum[0]);
    out[1] = toByte(sum[1]);
    out[2] = toByte(sum[2]);
}

void horizontalBandExtended(const std::uint8_t* const* rows, int rowCount, const PassPlan& plan,
                            std::uint8_t* const* out)
{
    for (int r = 0; r < rowCount; ++r)
        for (std::int32_t x = 0; x < plan.size(); ++x) {
            const std::int32_t begin = plan.first[std::size_t(x)];
            horizontalPixelExtended(rows[r], plan.index.data() + begin, plan.weight.data() + begin,
                                    plan.first[std::size_t(x) + 1] - begin, out[r] + std::size_t(x) * 3);
        }
}

void verticalRowExtended(const std::uint8_t* const* taps, const float* weights, std::int32_t count,
                         std::size_t bytes, std::uint8_t* out)
{
    // Four samples at a time: independent sums the processor can overlap.
    std::size_t i = 0;
    for (; i + 4 <= bytes; i += 4) {
        float s0 = 0.0f, s1 = 0.0f, s2 = 0.0f, s3 = 0.0f;
        for (std::int32_t k = 0; k < count; ++k) {
            const std::uint8_t* in = taps[k] + i;
            s0 = accumulate(s0, in[0], weights[k]);
            s1 = accumulate(s1, in[1], weights[k]);
            s2 = accumulate(s2, in[2], weights[k]);
            s3 = accumulate(s3, in[3], weights[k]);
        }
        out[i] = toByte(s0);
        out[i + 1] = toByte(s1);
        out[i + 2] = toByte(s2);
        out[i + 3] = toByte(s3);
    }
    for (; i < bytes; ++i) {
        float s = 0.0f;
        for (std::int32_t k = 0; k < count; ++k)
            s = accumulate(s, taps[k][i], weights[k]);
        out[i] = toByte(s);
    }
}

struct ResamplerState {
    std::int32_t sourceWidth;
    std::int32_t sourceHeight;
    RgbImage* destination;
    PassPlan columns;
    PassPlan rows;
    bool vectorised;

    // Intermediate rows in a ring: row r lives in slot r % capacity until no pending
    // destination row needs it.
    std::size_t rowBytes;
    std::size_t paddedBytes;
    std::int32_t capacity;
    std::vector<std::uint8_t> ring;
    // Destination row y can be made once source rows up to lastNeeded[y] have arrived.
    std::vector<std::int32_t> lastNeeded;

    std::int32_t rowsIn = 0;
    std::int32_t rowsOut = 0;
    BandScratch scratch;
    std::vector<const std::uint8_t*> taps;
    std::vector<std::uint8_t> outRow;

    std::uint8_t* slot(std::int32_t row) { return ring.data() + std::size_t(row % capacity) * paddedBytes; }

    void filterBand(const std::uint8_t* const* band, int count)
    {
        std::uint8_t* out[8];
        for (int r = 0; r < count; ++r)
            out[r] = slot(rowsIn + r);
        if (vectorised)
            horizontalBandAvx2(band, count, sourceWidth, columns, scratch, out);
        else
            horizontalBandExtended(band, count, columns, out);
        rowsIn += count;
        while (rowsOut < destination->height && lastNeeded[std::size_t(rowsOut)] < rowsIn)
            makeRow(rowsOut++);
    }

    void makeRow(std::int32_t y)
    {
        const std::int32_t begin = rows.first[std::size_t(y)];
        const std::int32_t count = rows.first[std::size_t(y) + 1] - begin;
        for (std::int32_t k = 0; k < count; ++k)
            taps[std::size_t(k)] = slot(rows.index[std::size_t(begin + k)]);
        const float* weights = rows.weight.data() + begin;
        if (vectorised
            && verticalRowAvx2(taps.data(), weights, count, paddedBytes, !rows.fused[std::size_t(y)],
                               rows.tinySum[std::size_t(y)], outRow.data()))
            std::memcpy(destination->row(y), outRow.data(), rowBytes);
        else
            verticalRowExtended(taps.data(), weights, count, rowBytes, destination->row(y));
    }
};

} // namespace detail

Resampler::Resampler(std::int32_t sourceWidth, std::int32_t sourceHeight, RgbImage& destination,
                     WeightFunction filter, float support)
{
    if (sourceWidth < 1 || sourceHeight < 1)
        throw ResampleError("Source bitmap too small");
    if (destination.width < 1 || destination.height < 1)
        throw ResampleError("Destination bitmap too small");

    auto s = std::make_unique<detail::ResamplerState>();
    s->sourceWidth = sourceWidth;
    s->sourceHeight = sourceHeight;
    s->destination = &destination;
    s->columns = detail::makePassPlan(buildContributorLists(sourceWidth, destination.width, filter, support));
    s->rows = detail::makePassPlan(buildContributorLists(sourceHeight, destination.height, filter, support));
    s->vectorised = detail::cpuHasAvx2Fma();

    std::int32_t span = 0;
    std::int32_t last = 0;
    std::int32_t widest = 0;
    s->lastNeeded.resize(std::size_t(destination.height));
    for (std::int32_t y = 0; y < destination.height; ++y) {
        const auto begin = s->rows.index.begin() + s->rows.first[std::size_t(y)];
        const auto end = s->rows.index.begin() + s->rows.first[std::size_t(y) + 1];
        // Rows are made in order, so a row may wait for rows an earlier one needs.
        last = std::max(last, *std::max_element(begin, end));
        s->lastNeeded[std::size_t(y)] = last;
        span = std::max(span, last - *std::min_element(begin, end) + 1);
        widest = std::max(widest, static_cast<std::int32_t>(end - begin));
    }
    // A band of up to 8 rows arrives at once on top of the rows still needed.
    s->capacity = std::min(sourceHeight, span + 8);
    s->rowBytes = destination.rowBytes();
    s->paddedBytes = (s->rowBytes + 31) / 32 * 32;
    s->ring.assign(std::size_t(s->capacity) * s->paddedBytes, 0);
    s->taps.resize(std::size_t(widest));
    s->outRow.resize(s->paddedBytes);
    state_ = std::move(s);
}

Resampler::~Resampler() = default;

void Resampler::pushRows(const std::uint8_t* const* rows, int count)
{
    detail::ResamplerState& s = *state_;
    if (count > s.sourceHeight - s.rowsIn)
        throw ResampleError("More source rows than the source height");
    while (count > 0) {
        const int band = std::min(count, 8);
        s.filterBand(rows, band);
        rows += band;
        count -= band;
    }
}

void Resampler::finish()
{
    if (state_->rowsIn != state_->sourceHeight || state_->rowsOut != state_->destination->height)
        throw ResampleError("Source rows missing");
}

void StretchImage(const RgbImage& source, RgbImage& destination, WeightFunction filter, float support)
{
    Resampler resampler(source.width, source.height, destination, filter, support);
    std::vector<const std::uint8_t*> rows(std::size_t(source.height));
    for (std::int32_t y = 0; y < source.height; ++y)
        rows[std::size_t(y)] = source.row(y);
    resampler.pushRows(rows.data(), source.height);
    resampler.finish();
}

} // namespace resizer
