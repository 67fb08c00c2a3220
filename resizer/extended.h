#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

// The resizer's arithmetic is fixed to the bit: intermediate values are formed in x87
// extended precision (64-bit mantissa) and rounded to single precision where stated.
static_assert(std::numeric_limits<long double>::digits == 64,
              "the resampling arithmetic needs an 80-bit extended long double (x86, x86-64)");

namespace resizer::detail {

using extended = long double;

inline float single(extended v) { return static_cast<float>(v); }

// Nearest integer, halves to the even neighbour (the default rounding mode).
inline std::int64_t roundHalfEven(extended v) { return std::llrint(v); }

} // namespace resizer::detail
