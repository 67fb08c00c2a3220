#pragma once

#include "rgb_image.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <vector>

namespace resizer {

class JpegError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct JpegHeader {
    std::int32_t width = 0;
    std::int32_t height = 0;
    int components = 0;
    bool multipleScans = false; // progressive input, re-encoded progressive
};

// Called with the header before any pixel is decoded; throwing from it stops the decode.
using HeaderCheck = std::function<void(const JpegHeader&)>;

// Receives decoded rows in order, a few at a time (3 bytes per pixel, R G B).
using RowConsumer = std::function<void(const std::uint8_t* const* rows, int count)>;

// Decodes a JPEG held in memory row by row, as decodeJpeg does, handing the rows to
// consume instead of keeping them.
void decodeJpegRows(const std::uint8_t* data, std::size_t size, JpegHeader& header, const HeaderCheck& check,
                    const RowConsumer& consume);

// Decodes a whole JPEG held in memory at full size with the float inverse DCT. A
// one-component file goes through the 236-level Floyd-Steinberg quantiser and comes out
// as grey RGB. Library warnings (corrupt or truncated data) are ignored; fatal errors
// throw JpegError.
RgbImage decodeJpeg(const std::uint8_t* data, std::size_t size, JpegHeader& header,
                    const HeaderCheck& check = {});

// Encodes R, G, B rows at quality 90 (baseline tables), float forward DCT, 2x2 chroma
// subsampling, as a progressive file when asked.
std::vector<std::uint8_t> encodeJpeg(const RgbImage& image, bool progressive);

} // namespace resizer
