// libFuzzer target: the whole brunsk job in memory (bytes in, resize, bytes out).
#include "jpeg_io.h"
#include "resize_job.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <exception>

namespace {

// Small targets, among them the degenerate ones (1 pixel, rounding to 0).
constexpr std::int32_t kSides[] = {1, 2, 3, 7, 17, 32, 64, 120};

// Large enough for every odd shape, small enough to keep executions fast.
constexpr std::int64_t kFuzzMaxPixels = std::int64_t(1) << 22;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const std::int32_t side = kSides[data[0] % (sizeof kSides / sizeof kSides[0])];
    std::vector<std::uint8_t> out;
    try {
        out = resizer::resizeJpeg(data + 1, size - 1, side, kFuzzMaxPixels);
    } catch (const std::exception&) {
        return 0; // a clean refusal is a correct answer
    }
    // What brunsk writes must itself be a JPEG of the promised size.
    resizer::JpegHeader header;
    resizer::decodeJpeg(out.data(), out.size(), header);
    if (header.width != side && header.height != side)
        std::abort();
    return 0;
}
