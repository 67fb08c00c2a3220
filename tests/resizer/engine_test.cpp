#include "contributor_list.h"
#include "filter_table.h"
#include "resample.h"
#include "lanczos3_fast.h"
#include "resample_kernels.h"
#include "resample_reference.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>

using namespace resizer;

namespace {

RgbImage randomImage(int width, int height, unsigned seed)
{
    RgbImage image(width, height);
    std::mt19937 rng(seed);
    for (auto& v : image.pixels)
        v = static_cast<std::uint8_t>(rng() & 0xFF);
    return image;
}

RgbImage imageFromRows(const std::vector<std::vector<std::uint8_t>>& rows)
{
    RgbImage image(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            for (int c = 0; c < 3; ++c)
                image.row(y)[3 * x + c] = rows[std::size_t(y)][std::size_t(x)];
    return image;
}

std::vector<std::uint8_t> firstChannelRow(const RgbImage& image, int y)
{
    std::vector<std::uint8_t> row;
    for (int x = 0; x < image.width; ++x)
        row.push_back(image.row(y)[3 * x]);
    return row;
}

RgbImage stretch(const RgbImage& source, int width, int height, FilterIndex filter)
{
    RgbImage destination(width, height);
    StretchImage(source, destination, filterAt(filter));
    return destination;
}

} // namespace

TEST(FilterTable, NamesAndSupportsInOrder)
{
    const char* names[] = {"Box", "Triangle", "Hermite", "Bell", "B-Spline", "Lanczos3", "Mitchell"};
    const float supports[] = {0.5f, 1.0f, 1.0f, 1.5f, 2.0f, 3.0f, 2.0f};
    for (std::size_t i = 0; i < FilterTable.size(); ++i) {
        EXPECT_EQ(FilterTable[i].name, names[i]);
        EXPECT_EQ(FilterTable[i].support, supports[i]);
        // Exactly 0 at and beyond the support (Box keeps +0.5, see below).
        for (float x : {FilterTable[i].support, FilterTable[i].support + 0.25f, 7.0f}) {
            EXPECT_EQ(FilterTable[i].filter(-x), 0.0f) << names[i] << " at " << -x;
            if (i != 0) {
                EXPECT_EQ(FilterTable[i].filter(x), 0.0f) << names[i] << " at " << x;
            }
        }
    }
}

TEST(FilterTable, HandComputedWeights)
{
    struct Case {
        FilterIndex filter;
        float x;
        float expected;
    } cases[] = {
        {FilterIndex::Box, 0.5f, 1.0f},
        {FilterIndex::Box, -0.5f, 0.0f},
        {FilterIndex::Box, 0.0f, 1.0f},
        {FilterIndex::Triangle, 0.25f, 0.75f},
        {FilterIndex::Triangle, -0.75f, 0.25f},
        {FilterIndex::Hermite, 0.5f, 0.5f},
        {FilterIndex::Hermite, 0.0f, 1.0f},
        {FilterIndex::Bell, 0.0f, 0.75f},
        {FilterIndex::Bell, 1.0f, 0.125f},
        {FilterIndex::Bell, -0.5f, 0.5f},
        {FilterIndex::BSpline, 0.0f, static_cast<float>(2.0L / 3.0L)},
        {FilterIndex::BSpline, 1.0f, static_cast<float>(1.0L / 6.0L)},
        {FilterIndex::Mitchell, 0.0f, static_cast<float>(8.0L / 9.0L)},
        {FilterIndex::Mitchell, 1.0f, static_cast<float>(1.0L / 18.0L)},
        {FilterIndex::Lanczos3, 0.0f, 1.0f},
    };
    for (const Case& c : cases)
        EXPECT_EQ(filterAt(c.filter).filter(c.x), c.expected)
            << filterAt(c.filter).name << " at " << c.x;

    // At whole offsets sinc(single(pi * n)) is tiny but not 0: the weight is kept.
    for (float x : {1.0f, 2.0f, -1.0f}) {
        const float w = lanczos3Filter(x);
        EXPECT_NE(w, 0.0f);
        EXPECT_LT(std::fabs(w), 1e-6f);
    }
    EXPECT_NEAR(lanczos3Filter(0.5f), 0.6079271f, 1e-6f);
}

TEST(StretchImage, SameSizeIsIdentityForInterpolatingFilters)
{
    const RgbImage source = randomImage(13, 9, 1);
    for (FilterIndex f : {FilterIndex::Box, FilterIndex::Triangle, FilterIndex::Hermite, FilterIndex::Lanczos3}) {
        SCOPED_TRACE(filterAt(f).name);
        EXPECT_EQ(stretch(source, 13, 9, f).pixels, source.pixels);
    }
}

TEST(StretchImage, SameSizeBlursWithSmoothingFilters)
{
    // A lone white sample: its centre keeps the centre weight squared (one per pass).
    std::vector<std::vector<std::uint8_t>> rows(7, std::vector<std::uint8_t>(7, 0));
    rows[3][3] = 255;
    const RgbImage dot = imageFromRows(rows);
    struct Case {
        FilterIndex filter;
        int centre;
    } cases[] = {
        {FilterIndex::Bell, 143},     // 255 * 0.75 = 191.25 -> 191; 191 * 0.75 = 143.25 -> 143
        {FilterIndex::BSpline, 113},  // 255 * 2/3 = 170; 170 * 2/3 = 113.33 -> 113
        {FilterIndex::Mitchell, 202}, // 255 * 8/9 = 226.67 -> 227; 227 * 8/9 = 201.78 -> 202
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(filterAt(c.filter).name);
        const RgbImage out = stretch(dot, 7, 7, c.filter);
        EXPECT_NE(out.pixels, dot.pixels);
        EXPECT_EQ(out.row(3)[9], c.centre);
        EXPECT_GT(out.row(3)[6], 0); // the neighbour receives some of the dot
    }
}

TEST(StretchImage, TriangleMidpointsRoundHalfToEven)
{
    // 127.5 goes to 128, 0.5 goes to 0.
    EXPECT_EQ(firstChannelRow(stretch(imageFromRows({{0, 255}, {0, 255}}), 3, 2, FilterIndex::Triangle), 0),
              (std::vector<std::uint8_t>{0, 128, 255}));
    const RgbImage low = stretch(imageFromRows({{0, 1}, {0, 1}}), 3, 2, FilterIndex::Triangle);
    EXPECT_EQ(firstChannelRow(low, 0), (std::vector<std::uint8_t>{0, 0, 1}));
    EXPECT_EQ(firstChannelRow(low, 1), (std::vector<std::uint8_t>{0, 0, 1}));
}

TEST(StretchImage, OnePixelWideSourceEnlargesToCopies)
{
    const RgbImage source = imageFromRows({{200}, {17}});
    const RgbImage out = stretch(source, 5, 2, FilterIndex::Triangle);
    EXPECT_EQ(firstChannelRow(out, 0), std::vector<std::uint8_t>(5, 200));
    EXPECT_EQ(firstChannelRow(out, 1), std::vector<std::uint8_t>(5, 17));
}

TEST(StretchImage, Lanczos3OvershootIsClamped)
{
    // A hard edge enlarged rings above 255 and below 0; both sides must saturate, not wrap.
    std::vector<std::uint8_t> edge(8, 0);
    std::fill(edge.begin() + 4, edge.end(), 255);
    const RgbImage out = stretch(imageFromRows({edge, edge}), 29, 2, FilterIndex::Lanczos3);
    const auto row = firstChannelRow(out, 0);
    EXPECT_EQ(std::vector<std::uint8_t>(row.begin() + 8, row.begin() + 13), std::vector<std::uint8_t>(5, 0));
    EXPECT_EQ(std::vector<std::uint8_t>(row.begin() + 16, row.begin() + 21), std::vector<std::uint8_t>(5, 255));
    EXPECT_EQ(row[14], 127);
}

TEST(StretchImage, WeightsAreNotNormalised)
{
    // Lanczos3 weights of a reduction sum to about 0.997 per pass: a flat image keeps its
    // level within a few tenths of a percent, and full white comes out as 253.
    for (int value : {0, 1, 128, 254, 255}) {
        RgbImage source(40, 30);
        std::fill(source.pixels.begin(), source.pixels.end(), std::uint8_t(value));
        for (auto [w, h] : {std::pair{7, 5}, {40, 30}, {97, 61}, {2, 2}, {13, 29}}) {
            SCOPED_TRACE(testing::Message() << value << " -> " << w << "x" << h);
            const RgbImage out = stretch(source, w, h, FilterIndex::Lanczos3);
            for (std::uint8_t v : out.pixels)
                ASSERT_NEAR(v, value, 1 + value / 100);
        }
    }
    RgbImage white(40, 30);
    std::fill(white.pixels.begin(), white.pixels.end(), std::uint8_t(255));
    EXPECT_EQ(stretch(white, 2, 2, FilterIndex::Lanczos3).pixels, PixelBuffer(12, 253));
}

TEST(StretchImage, FailuresLeaveTheDestinationUntouched)
{
    RgbImage empty(0, 5);
    RgbImage destination(4, 4);
    std::fill(destination.pixels.begin(), destination.pixels.end(), std::uint8_t(77));
    const auto untouched = destination.pixels;
    try {
        StretchImage(empty, destination, filterAt(FilterIndex::Lanczos3));
        FAIL() << "no error";
    } catch (const ResampleError& e) {
        EXPECT_STREQ(e.what(), "Source bitmap too small");
    }
    EXPECT_EQ(destination.pixels, untouched);

    // A destination length of 1 from a longer source: the scale factor is 0.
    const RgbImage source = randomImage(5, 5, 2);
    for (auto [w, h] : {std::pair{1, 4}, {4, 1}}) {
        RgbImage line(w, h);
        std::fill(line.pixels.begin(), line.pixels.end(), std::uint8_t(77));
        EXPECT_THROW(StretchImage(source, line, filterAt(FilterIndex::Lanczos3)), DivisionByZeroError);
        EXPECT_EQ(line.pixels, PixelBuffer(line.pixels.size(), 77));
    }
    RgbImage none(0, 3);
    EXPECT_THROW(StretchImage(source, none, filterAt(FilterIndex::Lanczos3)), ResampleError);
}

TEST(StretchImage, OneRowAndOnePixelImagesResample)
{
    const RgbImage row = randomImage(9, 1, 3);
    EXPECT_EQ(stretch(row, 4, 1, FilterIndex::Lanczos3).pixels.size(), 12u);
    const RgbImage pixel = imageFromRows({{90}});
    EXPECT_EQ(stretch(pixel, 3, 3, FilterIndex::Lanczos3).pixels, PixelBuffer(27, 90));
}

TEST(ContributorLists, ReflectionAtBothEdges)
{
    struct Case {
        std::int64_t position;
        std::int32_t length;
        std::int32_t expected;
    } cases[] = {
        {-1, 10, 1}, {-2, 10, 2}, {10, 10, 9}, {11, 10, 8}, {0, 10, 0}, {9, 10, 9},
        // Sources shorter than the filter's reach: a second reflection would still be
        // outside, so the index is clamped to the nearest edge.
        {-3, 2, 1}, {4, 2, 0}, {-1, 1, 0}, {1, 1, 0}, {2, 1, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(reflectIndex(c.position, c.length), c.expected) << c.position << " in " << c.length;
}

TEST(ContributorLists, IndexesStayInsideForEveryShortSourceAndScale)
{
    for (int source = 1; source <= 9; ++source)
        for (int destination = 1; destination <= 40; ++destination) {
            if (source > 1 && destination == 1)
                continue;
            for (const ResampleFilter& f : FilterTable) {
                const auto lists = buildContributorLists(source, destination, f.filter, f.support);
                ASSERT_EQ(lists.size(), std::size_t(destination));
                for (const auto& list : lists)
                    for (const Contributor& c : list.entries) {
                        ASSERT_GE(c.sourceIndex, 0);
                        ASSERT_LT(c.sourceIndex, source);
                        ASSERT_NE(c.weight, 0.0f);
                    }
            }
        }
}

TEST(ContributorLists, ScaleFactorIsCornerAligned)
{
    EXPECT_EQ(scaleFactor(1, 5), 5.0f);
    EXPECT_EQ(scaleFactor(2, 3), 2.0f);
    EXPECT_EQ(scaleFactor(5, 1), 0.0f);
    EXPECT_EQ(scaleFactor(11, 6), 0.5f);
    EXPECT_EQ(scaleFactor(4, 2), static_cast<float>(1.0L / 3.0L));
}

// Compares the production passes (vectorised where the processor allows, and the
// extended passes alone) with the pixel-by-pixel definition, bit for bit.
class MatchesReference : public testing::TestWithParam<bool> {
protected:
    void SetUp() override { detail::allowVectorPasses(GetParam()); }
    void TearDown() override { detail::allowVectorPasses(true); }
};

TEST_P(MatchesReference, RandomImagesSizesAndFilters)
{
    std::mt19937 rng(20261211);
    auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };
    for (int round = 0; round < 1200; ++round) {
        // Mostly small, sometimes tall or wide enough for the row ring to wrap and for
        // rows longer than a vector block.
        const bool large = round % 10 == 0;
        const int sw = pick(1, large ? 300 : 70), sh = pick(1, large ? 400 : 70);
        int dw = pick(1, large ? 120 : 90), dh = pick(1, large ? 60 : 90);
        if (sw > 1 && dw == 1)
            dw = 2;
        if (sh > 1 && dh == 1)
            dh = 2;
        const ResampleFilter& f = FilterTable[std::size_t(round % 7 == 6 ? pick(0, 6) : 5)];
        RgbImage source = randomImage(sw, sh, unsigned(round));
        if (round % 3 == 0) // smooth content: sums land near halves more often than on noise
            for (std::size_t i = 0; i < source.pixels.size(); ++i)
                source.pixels[i] = std::uint8_t((i / 3 % std::size_t(sw)) * 255 / std::size_t(sw));
        RgbImage fast(dw, dh), plain(dw, dh);
        StretchImage(source, fast, f);
        detail::referenceStretchImage(source, plain, f.filter, f.support);
        ASSERT_EQ(fast.pixels, plain.pixels) << f.name << " " << sw << "x" << sh << " -> " << dw << "x" << dh;
    }
}

TEST_P(MatchesReference, ListsWithTinyWeightsStayExact)
{
    // Tiny weights first in every list, then a negative lobe: sums there could round
    // differently in a fused multiply-add, so they are watched; at 2^-70 they do come near
    // enough for the extended arithmetic to take over.
    std::vector<float> weights = {0x1p-40f, 0.5f, 0.25f};
    EXPECT_TRUE(detail::fusedMatchesExtended(weights.data(), 3)); // one sign: sums stay large
    weights = {0x1p-40f, -0.5f, 0.25f};
    EXPECT_FALSE(detail::fusedMatchesExtended(weights.data(), 3));
    weights = {1e-8f, -0.5f, 0.25f};
    EXPECT_TRUE(detail::fusedMatchesExtended(weights.data(), 3));

    const WeightFunction slightlyTiny = [](float x) -> float {
        if (x > 0.75f && x <= 1.0f)
            return 0x1p-40f;
        if (x > 0.5f && x <= 0.75f)
            return -0.125f;
        return triangleFilter(x);
    };
    const WeightFunction veryTiny = [](float x) -> float {
        if (x > 0.75f && x <= 1.0f)
            return 0x1p-70f;
        if (x > 0.5f && x <= 0.75f)
            return -0.125f;
        return triangleFilter(x);
    };
    for (WeightFunction filter : {slightlyTiny, veryTiny})
        for (auto [sw, sh, dw, dh] : {std::array{37, 29, 50, 41}, {64, 64, 64, 64}, {19, 90, 45, 30}}) {
            RgbImage source = randomImage(sw, sh, unsigned(sw * sh));
            for (std::size_t i = 0; i < source.pixels.size(); i += 7)
                source.pixels[i] = 0; // zeros between tiny and large terms
            RgbImage fast(dw, dh), plain(dw, dh);
            StretchImage(source, fast, filter, 1.0f);
            detail::referenceStretchImage(source, plain, filter, 1.0f);
            EXPECT_EQ(fast.pixels, plain.pixels) << sw << "x" << sh << " -> " << dw << "x" << dh;
        }
}

TEST(VectorPasses, SumNearZeroBeforeAMidpointTakesTheExtendedRounding)
{
    if (!detail::cpuHasAvx2Fma())
        GTEST_SKIP() << "no AVX2 and FMA here";
    // 1 x -2^-70, then 3 x w where 3w lies exactly halfway between two singles, just
    // below 3.5: the extended sum rounds to that midpoint, then to the even single 3.5,
    // giving 4; a fused multiply-add sees the exact sum just below the midpoint and would
    // give 3.
    const float w = 9786709.0f / 8388608.0f;
    ContributorList list;
    list.entries = {{1, -0x1p-70f}, {0, w}};
    const detail::PassPlan plan = detail::makePassPlan({list});
    ASSERT_FALSE(plan.fused[0]);

    const std::uint8_t row[6] = {3, 3, 3, 1, 1, 1};
    const std::uint8_t* rows[1] = {row};
    std::uint8_t extended[3], vectorised[3];
    std::uint8_t* out[1] = {extended};
    detail::horizontalBandExtended(rows, 1, plan, out);
    EXPECT_EQ(extended[0], 4);
    detail::BandScratch scratch;
    out[0] = vectorised;
    detail::horizontalBandAvx2(rows, 1, 2, plan, scratch, out);
    EXPECT_EQ(std::vector<std::uint8_t>(vectorised, vectorised + 3), std::vector<std::uint8_t>(3, 4));

    std::vector<std::uint8_t> ones(32, 1), threes(32, 3), result(32);
    const std::uint8_t* taps[2] = {ones.data(), threes.data()};
    const bool done = detail::verticalRowAvx2(taps, plan.weight.data(), 2, 32, true, plan.tinySum[0], result.data());
    if (done) {
        EXPECT_EQ(result, std::vector<std::uint8_t>(32, 4));
    }
    detail::verticalRowExtended(taps, plan.weight.data(), 2, 32, result.data());
    EXPECT_EQ(result, std::vector<std::uint8_t>(32, 4));
    EXPECT_FALSE(done) << "the watch should have handed this row to the extended arithmetic";
}

INSTANTIATE_TEST_SUITE_P(Passes, MatchesReference, testing::Values(true, false),
                         [](const testing::TestParamInfo<bool>& p) { return p.param ? "Vectorised" : "Extended"; });

TEST(ContributorLists, FastLanczos3WeightsEqualThePlainOnes)
{
    // Every float of [0, 3) was checked once, offline; here a sample of them and the lists
    // of many scales keep it so.
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> offsets(-3.2f, 3.2f);
    for (int i = 0; i < 300000; ++i) {
        const float x = offsets(rng);
        ASSERT_EQ(detail::lanczos3FilterFast(x), lanczos3Filter(x)) << x;
    }
    for (int source : {1, 2, 3, 7, 64, 641, 2560, 4000})
        for (int destination : {2, 3, 5, 120, 160, 427, 640, 1280}) {
            const auto fast = buildContributorLists(source, destination, lanczos3Filter, 3.0f);
            const auto plain = detail::buildContributorListsPlain(source, destination, lanczos3Filter, 3.0f);
            ASSERT_EQ(fast.size(), plain.size());
            for (std::size_t i = 0; i < fast.size(); ++i) {
                ASSERT_EQ(fast[i].size(), plain[i].size()) << source << " -> " << destination << " at " << i;
                for (std::int32_t k = 0; k < fast[i].size(); ++k) {
                    ASSERT_EQ(fast[i].entries[std::size_t(k)].sourceIndex, plain[i].entries[std::size_t(k)].sourceIndex);
                    ASSERT_EQ(fast[i].entries[std::size_t(k)].weight, plain[i].entries[std::size_t(k)].weight);
                }
            }
        }
}
