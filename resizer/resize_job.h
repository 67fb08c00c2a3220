#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace resizer {

struct TargetSize {
    std::int64_t width = 0;
    std::int64_t height = 0;
};

// The longer side becomes `size`; the other is scaled by the extended-precision quotient
// and rounded half to even (1280 x 853 at 640 gives 640 x 426).
TargetSize targetSize(std::int32_t width, std::int32_t height, std::int32_t size);

// A size argument: optional blanks, an optional sign, then decimal digits, or hexadecimal
// digits after "$" or "0x"; nothing else, and within the signed 32-bit range.
std::optional<std::int32_t> parseSizeArgument(std::string_view text);

// No image that a job holds (source, intermediate or result) may exceed this many pixels:
// a header that claims more is refused before anything is decoded. 2^28 pixels is 768 MiB
// of 24-bit samples.
inline constexpr std::int64_t kMaxPixels = std::int64_t(1) << 28;

// The text after the last folder separator, as the job's messages show it.
std::string displayName(const std::string& path);

// Resizes a JPEG held in memory and returns the encoded result. Throws on any failure,
// including a header that claims more than maxPixels for any image the job would hold.
std::vector<std::uint8_t> resizeJpeg(const std::uint8_t* data, std::size_t size, std::int32_t targetSide,
                                     std::int64_t maxPixels = kMaxPixels);

// Reads input, resizes its longer side to `size` with Lanczos3 and replaces output with
// a JPEG of quality 90. Throws on any failure, leaving an existing output untouched.
void resizeJpegFile(std::int32_t size, const std::string& input, const std::string& output);

} // namespace resizer
