#include "lanczos3_fast.h"

#include "extended.h"
#include "filter_table.h"

#include <cmath>

namespace resizer::detail {

namespace {

constexpr extended kPi = 3.14159265358979323846264338327950288L;

// pi/2 in three parts of 33 bits: n * part is exact for the n (at most 7) used here.
constexpr double kPio2Part1 = 1.57079632673412561417e+00;
constexpr double kPio2Part2 = 6.07710050630396597660e-11;
constexpr double kPio2Part3 = 2.02226624871116645580e-21;

// sin(y) for 0 < y < 10, relative error a few units of 2^-53.
double sinDouble(double y)
{
    const double n = std::nearbyint(y * 0.63661977236758134308);
    // y and n * part1 share their leading bits: the first difference is exact.
    const double r = ((y - n * kPio2Part1) - n * kPio2Part2) - n * kPio2Part3;
    const double r2 = r * r;
    const int quadrant = static_cast<int>(n) & 3;
    double value;
    if (quadrant == 0 || quadrant == 2) {
        // Taylor terms to r^17; the first omitted one is below 2^-60 of the result.
        value = r + r * r2 * (-1.0 / 6 + r2 * (1.0 / 120 + r2 * (-1.0 / 5040 + r2 * (1.0 / 362880
                    + r2 * (-1.0 / 39916800 + r2 * (1.0 / 6227020800.0 + r2 * (-1.0 / 1307674368000.0
                    + r2 * (1.0 / 355687428096000.0))))))));
    } else {
        value = 1.0 + r2 * (-0.5 + r2 * (1.0 / 24 + r2 * (-1.0 / 720 + r2 * (1.0 / 40320
                    + r2 * (-1.0 / 3628800 + r2 * (1.0 / 479001600 + r2 * (-1.0 / 87178291200.0
                    + r2 * (1.0 / 20922789888000.0 + r2 * (-1.0 / 6402373705728000.0)))))))));
    }
    return quadrant >= 2 ? -value : value;
}

// The single nearest to value when every number within 2^-44 of it (relative) rounds to
// the same single; nothing otherwise.
bool certainSingle(double value, float& result)
{
    constexpr double margin = 0x1p-44;
    const float low = static_cast<float>(value - std::fabs(value) * margin);
    const float high = static_cast<float>(value + std::fabs(value) * margin);
    if (low != high)
        return false;
    result = low;
    return true;
}

double sincDouble(float x)
{
    const float y = single(x * kPi);
    return sinDouble(y) / y;
}

} // namespace

float lanczos3FilterFast(float x)
{
    const float a = std::fabs(x);
    if (a >= 3.0f)
        return 0.0f;
    if (a == 0.0f)
        return 1.0f;
    float first;
    float result;
    const float third = single(a / 3.0L);
    if (certainSingle(sincDouble(a), first) && certainSingle(double(first) * sincDouble(third), result))
        return result;
    return lanczos3Filter(x);
}

} // namespace resizer::detail
