// The vectorised passes. Each lane runs the same sums as the extended arithmetic, as a
// single-precision fused multiply-add per step; where the two could part (see
// fusedMatchesExtended) the sums are watched, and the extended arithmetic redoes the
// few pixels whose sums came near 0.
#include "resample_kernels.h"

#include <algorithm>
#include <atomic>
#include <cstring>

#include <immintrin.h>

namespace resizer::detail {

namespace {
std::atomic<bool> vectorPassesAllowed{true};
}

bool cpuHasAvx2Fma()
{
    static const bool has = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
    return has && vectorPassesAllowed.load(std::memory_order_relaxed);
}

void allowVectorPasses(bool allowed)
{
    vectorPassesAllowed.store(allowed, std::memory_order_relaxed);
}

namespace {

#define VECTOR_CODE __attribute__((target("avx2,fma")))

// Transposes 8 rows of 8 bytes: out[j] holds byte j of rows 0..7 in its low 8 bytes.
VECTOR_CODE inline void transpose8x8(const __m128i in[8], __m128i out[8])
{
    const __m128i t0 = _mm_unpacklo_epi8(in[0], in[1]);
    const __m128i t1 = _mm_unpacklo_epi8(in[2], in[3]);
    const __m128i t2 = _mm_unpacklo_epi8(in[4], in[5]);
    const __m128i t3 = _mm_unpacklo_epi8(in[6], in[7]);
    const __m128i u0 = _mm_unpacklo_epi16(t0, t1);
    const __m128i u1 = _mm_unpackhi_epi16(t0, t1);
    const __m128i u2 = _mm_unpacklo_epi16(t2, t3);
    const __m128i u3 = _mm_unpackhi_epi16(t2, t3);
    const __m128i v0 = _mm_unpacklo_epi32(u0, u2);
    const __m128i v1 = _mm_unpackhi_epi32(u0, u2);
    const __m128i v2 = _mm_unpacklo_epi32(u1, u3);
    const __m128i v3 = _mm_unpackhi_epi32(u1, u3);
    out[0] = v0;
    out[1] = _mm_unpackhi_epi64(v0, v0);
    out[2] = v1;
    out[3] = _mm_unpackhi_epi64(v1, v1);
    out[4] = v2;
    out[5] = _mm_unpackhi_epi64(v2, v2);
    out[6] = v3;
    out[7] = _mm_unpackhi_epi64(v3, v3);
}

VECTOR_CODE inline __m256 toFloats(__m128i bytes)
{
    return _mm256_cvtepi32_ps(_mm256_cvtepu8_epi32(bytes));
}

// Clamped to 0..255 and rounded to nearest, halves to even (the default mode), as bytes.
VECTOR_CODE inline __m128i toBytes(__m256 sums)
{
    const __m256 clamped = _mm256_max_ps(_mm256_min_ps(sums, _mm256_set1_ps(255.0f)), _mm256_setzero_ps());
    const __m256i ints = _mm256_cvtps_epi32(clamped);
    const __m128i words = _mm_packus_epi32(_mm256_castsi256_si128(ints), _mm256_extracti128_si256(ints, 1));
    return _mm_packus_epi16(words, words);
}

// Sums are watched for a value that is not 0 but at most tinySum. `smallest` keeps the
// smallest magnitude seen, as its bits less one, so that 0 counts as the largest; it
// starts as all ones.
VECTOR_CODE inline __m256i watchSum(__m256i smallest, __m256 sum)
{
    const __m256i magnitude = _mm256_and_si256(_mm256_castps_si256(sum), _mm256_set1_epi32(0x7FFFFFFF));
    return _mm256_min_epu32(smallest, _mm256_sub_epi32(magnitude, _mm256_set1_epi32(1)));
}

// True when every sum seen was 0 or above tinySum.
VECTOR_CODE inline bool watchClear(__m256i smallest, float tinySum)
{
    std::uint32_t bound;
    std::memcpy(&bound, &tinySum, sizeof bound);
    const __m256i limit = _mm256_set1_epi32(static_cast<int>(bound));
    // Lane by lane, unsigned: smallest >= bound.
    const __m256i atLeast = _mm256_cmpeq_epi32(_mm256_max_epu32(smallest, limit), smallest);
    return _mm256_movemask_epi8(atLeast) == -1;
}

// The running sums of one destination column over a band: a channel per vector, a row
// per lane.
struct ColumnSums {
    __m256 s[3];
    __m256i smallest;

    VECTOR_CODE void clear()
    {
        s[0] = s[1] = s[2] = _mm256_setzero_ps();
        smallest = _mm256_set1_epi32(-1);
    }

    template <bool Watched>
    VECTOR_CODE void add(const float* sample, float weight)
    {
        if constexpr (Watched)
            smallest = watchSum(watchSum(watchSum(smallest, s[0]), s[1]), s[2]);
        const __m256 w = _mm256_set1_ps(weight);
        s[0] = _mm256_fmadd_ps(_mm256_loadu_ps(sample), w, s[0]);
        s[1] = _mm256_fmadd_ps(_mm256_loadu_ps(sample + 8), w, s[1]);
        s[2] = _mm256_fmadd_ps(_mm256_loadu_ps(sample + 16), w, s[2]);
    }
};

struct Taps {
    const std::int32_t* index;
    const float* weight;
    std::int32_t count;
};

template <bool WatchA, bool WatchB>
VECTOR_CODE inline void sumPair(const float* columns, const Taps& ta, const Taps& tb, ColumnSums& a, ColumnSums& b)
{
    const std::int32_t common = std::min(ta.count, tb.count);
    for (std::int32_t k = 0; k < common; ++k) {
        a.add<WatchA>(columns + std::size_t(ta.index[k]) * 24, ta.weight[k]);
        b.add<WatchB>(columns + std::size_t(tb.index[k]) * 24, tb.weight[k]);
    }
    for (std::int32_t k = common; k < ta.count; ++k)
        a.add<WatchA>(columns + std::size_t(ta.index[k]) * 24, ta.weight[k]);
    for (std::int32_t k = common; k < tb.count; ++k)
        b.add<WatchB>(columns + std::size_t(tb.index[k]) * 24, tb.weight[k]);
}

// The common case: two lists that need no watching and read consecutive samples, so the
// sample pointers just advance.
VECTOR_CODE inline void sumConsecutivePair(const float* columns, const Taps& ta, const Taps& tb, ColumnSums& a,
                                           ColumnSums& b)
{
    const float* pa = columns + std::size_t(ta.index[0]) * 24;
    const float* pb = columns + std::size_t(tb.index[0]) * 24;
    const std::int32_t common = std::min(ta.count, tb.count);
    for (std::int32_t k = 0; k < common; ++k, pa += 24, pb += 24) {
        a.add<false>(pa, ta.weight[k]);
        b.add<false>(pb, tb.weight[k]);
    }
    for (std::int32_t k = common; k < ta.count; ++k, pa += 24)
        a.add<false>(pa, ta.weight[k]);
    for (std::int32_t k = common; k < tb.count; ++k, pb += 24)
        b.add<false>(pb, tb.weight[k]);
}

} // namespace

VECTOR_CODE void horizontalBandAvx2(const std::uint8_t* const* rows, int rowCount, std::int32_t sourceWidth,
                                    const PassPlan& plan, BandScratch& scratch, std::uint8_t* const* out)
{
    const std::size_t sourceBytes = std::size_t(sourceWidth) * 3;
    const std::size_t resultBytes = std::size_t(plan.size()) * 3;
    scratch.columns.resize(sourceBytes * 8);
    scratch.results.resize(resultBytes * 8);
    float* columns = scratch.columns.data();

    // Rows missing from a short band read as zeros; their results are not stored.
    const std::uint8_t* in[8];
    if (rowCount < 8)
        scratch.zeros.assign(sourceBytes, 0);
    for (int r = 0; r < 8; ++r)
        in[r] = r < rowCount ? rows[r] : scratch.zeros.data();
    std::size_t j = 0;
    for (; j + 8 <= sourceBytes; j += 8) {
        __m128i block[8], transposed[8];
#pragma GCC unroll 8
        for (int r = 0; r < 8; ++r)
            block[r] = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(in[r] + j));
        transpose8x8(block, transposed);
#pragma GCC unroll 8
        for (int b = 0; b < 8; ++b)
            _mm256_storeu_ps(columns + (j + std::size_t(b)) * 8, toFloats(transposed[b]));
    }
    for (; j < sourceBytes; ++j)
        for (int r = 0; r < 8; ++r)
            columns[j * 8 + std::size_t(r)] = float(in[r][j]);

    std::uint8_t* results = scratch.results.data();
    const std::int32_t* first = plan.first.data();
    const std::int32_t* index = plan.index.data();
    const float* weight = plan.weight.data();
    // Two columns at a time: six independent sums keep the multiply-add units busy.
    auto finishColumn = [&](std::int32_t x, const ColumnSums& sums) VECTOR_CODE {
        std::uint8_t* result = results + std::size_t(x) * 24;
        if (!plan.fused[std::size_t(x)] && !watchClear(sums.smallest, plan.tinySum[std::size_t(x)])) {
            for (int r = 0; r < rowCount; ++r) {
                std::uint8_t pixel[3];
                horizontalPixelExtended(rows[r], index + first[x], weight + first[x], first[x + 1] - first[x], pixel);
                for (int c = 0; c < 3; ++c)
                    result[c * 8 + r] = pixel[c];
            }
            return;
        }
        for (int c = 0; c < 3; ++c)
            _mm_storel_epi64(reinterpret_cast<__m128i*>(result + c * 8), toBytes(sums.s[c]));
    };
    std::int32_t x = 0;
    for (; x + 1 < plan.size(); x += 2) {
        ColumnSums a, b;
        a.clear();
        b.clear();
        const Taps ta{index + first[x], weight + first[x], first[x + 1] - first[x]};
        const Taps tb{index + first[x + 1], weight + first[x + 1], first[x + 2] - first[x + 1]};
        const auto i = std::size_t(x);
        if (plan.fused[i] && plan.fused[i + 1] && plan.consecutive[i] && plan.consecutive[i + 1]) {
            sumConsecutivePair(columns, ta, tb, a, b);
            finishColumn(x, a);
            finishColumn(x + 1, b);
            continue;
        }
        switch (int(plan.fused[i]) * 2 + int(plan.fused[i + 1])) {
        case 3: sumPair<false, false>(columns, ta, tb, a, b); break;
        case 2: sumPair<false, true>(columns, ta, tb, a, b); break;
        case 1: sumPair<true, false>(columns, ta, tb, a, b); break;
        default: sumPair<true, true>(columns, ta, tb, a, b); break;
        }
        finishColumn(x, a);
        finishColumn(x + 1, b);
    }
    if (x < plan.size()) {
        ColumnSums a, b;
        a.clear();
        b.clear();
        const Taps ta{index + first[x], weight + first[x], first[x + 1] - first[x]};
        sumPair<true, false>(columns, ta, Taps{index, weight, 0}, a, b);
        finishColumn(x, a);
    }

    // Back from [3x + c][row] to rows.
    std::size_t i = 0;
    for (; i + 8 <= resultBytes; i += 8) {
        __m128i block[8], transposed[8];
        for (int b = 0; b < 8; ++b)
            block[b] = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(results + (i + std::size_t(b)) * 8));
        transpose8x8(block, transposed);
        for (int r = 0; r < rowCount; ++r)
            _mm_storel_epi64(reinterpret_cast<__m128i*>(out[r] + i), transposed[r]);
    }
    for (; i < resultBytes; ++i)
        for (int r = 0; r < rowCount; ++r)
            out[r][i] = results[i * 8 + std::size_t(r)];
}

VECTOR_CODE bool verticalRowAvx2(const std::uint8_t* const* taps, const float* weights, std::int32_t count,
                                 std::size_t paddedBytes, bool watched, float tinySum, std::uint8_t* out)
{
    __m256i smallest = _mm256_set1_epi32(-1);
    for (std::size_t i = 0; i < paddedBytes; i += 32) {
        __m256 s0 = _mm256_setzero_ps(), s1 = _mm256_setzero_ps(), s2 = _mm256_setzero_ps(),
               s3 = _mm256_setzero_ps();
        for (std::int32_t k = 0; k < count; ++k) {
            if (watched)
                smallest = watchSum(watchSum(watchSum(watchSum(smallest, s0), s1), s2), s3);
            const std::uint8_t* p = taps[k] + i;
            const __m256 w = _mm256_broadcast_ss(weights + k);
            s0 = _mm256_fmadd_ps(toFloats(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p))), w, s0);
            s1 = _mm256_fmadd_ps(toFloats(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p + 8))), w, s1);
            s2 = _mm256_fmadd_ps(toFloats(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p + 16))), w, s2);
            s3 = _mm256_fmadd_ps(toFloats(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p + 24))), w, s3);
        }
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + i), toBytes(s0));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + i + 8), toBytes(s1));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + i + 16), toBytes(s2));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + i + 24), toBytes(s3));
    }
    return !watched || watchClear(smallest, tinySum);
}

} // namespace resizer::detail
