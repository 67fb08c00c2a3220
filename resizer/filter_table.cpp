#include "filter_table.h"

#include "extended.h"

#include <cmath>

namespace resizer {

using detail::extended;
using detail::single;

namespace {

constexpr extended kPi = 3.14159265358979323846264338327950288L;
constexpr extended kTwoThirds = 2.0L / 3.0L;
constexpr extended kOneSixth = 1.0L / 6.0L;
constexpr extended kSixteenThirds = 16.0L / 3.0L;
constexpr extended kMinusSevenThirds = -7.0L / 3.0L;
constexpr extended kThirtyTwoThirds = 32.0L / 3.0L;

// Normalised sinc, argument single precision, result left at extended precision.
extended sinc(float x)
{
    if (x == 0.0f)
        return 1.0L;
    const float y = single(x * kPi);
    return std::sin(static_cast<extended>(y)) / y;
}

} // namespace

float boxFilter(float x)
{
    // Asymmetric on purpose: 0.5 is inside, -0.5 is not.
    return (x > -0.5f && x <= 0.5f) ? 1.0f : 0.0f;
}

float triangleFilter(float x)
{
    const float a = std::fabs(x);
    return a < 1.0f ? single(1.0L - a) : 0.0f;
}

float hermiteFilter(float x)
{
    const extended a = std::fabs(x);
    return a < 1.0L ? single((2.0L * a - 3.0L) * (a * a) + 1.0L) : 0.0f;
}

float bellFilter(float x)
{
    const float a = std::fabs(x);
    if (a < 0.5f)
        return single(0.75L - extended(a) * a);
    if (a < 1.5f) {
        const extended t = single(a - 1.5L);
        return single(0.5L * (t * t));
    }
    return 0.0f;
}

float bSplineFilter(float x)
{
    const float a = std::fabs(x);
    if (a < 1.0f) {
        const extended tt = single(extended(a) * a);
        return single(0.5L * tt * a - tt + kTwoThirds);
    }
    if (a < 2.0f) {
        const extended t = single(2.0L - a);
        return single(kOneSixth * (t * t) * t);
    }
    return 0.0f;
}

float lanczos3Filter(float x)
{
    const float a = std::fabs(x);
    if (a < 3.0f) {
        const extended first = single(sinc(a));
        return single(first * sinc(single(a / 3.0L)));
    }
    return 0.0f;
}

float mitchellFilter(float x)
{
    const float a = std::fabs(x);
    const extended tt = single(extended(a) * a);
    if (a < 1.0f) {
        const extended numerator = single(7.0L * (a * tt) + -12.0L * tt + kSixteenThirds);
        return single(numerator / 6.0L);
    }
    if (a < 2.0f) {
        const extended numerator =
            single(kMinusSevenThirds * (a * tt) + 12.0L * tt + -20.0L * a + kThirtyTwoThirds);
        return single(numerator / 6.0L);
    }
    return 0.0f;
}

} // namespace resizer
