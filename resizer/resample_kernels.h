#pragma once

#include "contributor_list.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace resizer::detail {

// The contributor lists of one direction, flattened for the passes: destination sample i
// reads entries first[i] .. first[i + 1] - 1.
struct PassPlan {
    std::vector<std::int32_t> first;
    std::vector<std::int32_t> index;
    std::vector<float> weight;
    // Whether a single-precision fused multiply-add gives the very sums of the extended
    // arithmetic for this list whatever the samples (see fusedMatchesExtended).
    std::vector<std::uint8_t> fused;
    // For the other lists: a running sum this small but not 0 is where the two could part.
    std::vector<float> tinySum;
    // Whether the list reads consecutive source samples (no reflection at an edge).
    std::vector<std::uint8_t> consecutive;

    std::int32_t size() const { return static_cast<std::int32_t>(first.size()) - 1; }
};

PassPlan makePassPlan(const std::vector<ContributorList>& lists);

// Each accumulation step is sum = single(sum + sample * weight), with the product and
// the sum formed at extended precision before the one rounding to single; a fused
// multiply-add rounds the exact sum once, directly. With a sample of 8 bits and a weight
// of 24 the product is exact, and the two roundings differ only when the extended sum
// needs more than 64 bits and lands exactly on a midpoint between two singles: that
// needs a sum that is not 0 yet below 2^-63 of the product being added (tinySum bounds
// it). Before the first step that could part them the two sums are equal, so watching
// the vectorised sums for such a value is enough; and a list needs no watching at all
// when no sum can get that small: a sum of terms of one sign is at least its smallest
// weight, and any sum that is not 0 is a multiple of 2^-24 of the smallest weight added.
bool fusedMatchesExtended(const float* weights, std::int32_t count);

// One intermediate pixel of the horizontal pass, with the extended arithmetic.
void horizontalPixelExtended(const std::uint8_t* row, const std::int32_t* index, const float* weight,
                             std::int32_t count, std::uint8_t* out);
// Horizontal pass over a band of up to 8 source rows into as many intermediate rows.
void horizontalBandExtended(const std::uint8_t* const* rows, int rowCount, const PassPlan& plan,
                            std::uint8_t* const* out);
// Vertical pass: one destination row of `bytes` samples from the intermediate rows that
// its list names (taps[k] is the row of entry k).
void verticalRowExtended(const std::uint8_t* const* taps, const float* weights, std::int32_t count,
                         std::size_t bytes, std::uint8_t* out);

// Vectorised passes, for processors with AVX2 and FMA (and unless tests turned them off
// to exercise the extended passes alone).
bool cpuHasAvx2Fma();
void allowVectorPasses(bool allowed);
struct BandScratch {
    std::vector<float> columns; // source samples of the band, transposed: [3x + c][row]
    std::vector<std::uint8_t> results; // destination samples, transposed likewise
    std::vector<std::uint8_t> zeros;   // stands in for the rows a short band lacks
};
void horizontalBandAvx2(const std::uint8_t* const* rows, int rowCount, std::int32_t sourceWidth,
                        const PassPlan& plan, BandScratch& scratch, std::uint8_t* const* out);
// `bytes` rounded up to 32; every tap row must be readable that far. With watch set (a
// list that is not fused), returns false when a sum came within tinySum of 0: the row
// must then be made with the extended arithmetic.
bool verticalRowAvx2(const std::uint8_t* const* taps, const float* weights, std::int32_t count,
                     std::size_t paddedBytes, bool watch, float tinySum, std::uint8_t* out);

} // namespace resizer::detail
