#pragma once

namespace resizer::detail {

// Exactly lanczos3Filter(x), several times faster: the two sines are evaluated in double
// precision, and each single-precision rounding that follows is taken only when the
// double result is so far from a rounding boundary that the extended-precision value
// (sinl's error is below 2^-60 of the result; ours below 2^-48) must round the same way.
// Otherwise, about once in millions of calls, the extended computation itself is used.
float lanczos3FilterFast(float x);

} // namespace resizer::detail
