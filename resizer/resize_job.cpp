#include "resize_job.h"

#include "atomic_file.h"
#include "extended.h"
#include "jpeg_io.h"
#include "resample.h"

#include <limits>
#include <memory>
#include <stdexcept>

namespace resizer {

using detail::extended;

TargetSize targetSize(std::int32_t width, std::int32_t height, std::int32_t size)
{
    if (width > height)
        return {size, detail::roundHalfEven(extended(height) * (extended(size) / width))};
    return {detail::roundHalfEven(extended(width) * (extended(size) / height)), size};
}

std::optional<std::int32_t> parseSizeArgument(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    unsigned base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i == text.size())
        return std::nullopt;
    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        unsigned digit;
        if (c >= '0' && c <= '9')
            digit = unsigned(c - '0');
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = unsigned(c - 'a' + 10);
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = unsigned(c - 'A' + 10);
        else
            return std::nullopt;
        magnitude = magnitude * base + digit;
        if (magnitude > std::int64_t(1) << 31)
            return std::nullopt;
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::string displayName(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

namespace {

bool fitsIn(std::int64_t width, std::int64_t height, std::int64_t maxPixels)
{
    return width <= maxPixels && height <= maxPixels && width * height <= maxPixels;
}

} // namespace

std::vector<std::uint8_t> resizeJpeg(const std::uint8_t* data, std::size_t size, std::int32_t targetSide,
                                     std::int64_t maxPixels)
{
    TargetSize target;
    JpegHeader header;
    const HeaderCheck check = [&](const JpegHeader& h) {
        target = targetSize(h.width, h.height, targetSide);
        if (target.width < 1 || target.height < 1)
            throw std::runtime_error("the target has no pixels");
        // JPEG cannot hold a side above 65500 pixels.
        if (target.width > 65500 || target.height > 65500)
            throw std::runtime_error("the target is too large for JPEG");
        if (!fitsIn(h.width, h.height, maxPixels) || !fitsIn(target.width, h.height, maxPixels)
            || !fitsIn(target.width, target.height, maxPixels))
            throw std::runtime_error("the image is too large");
    };
    RgbImage destination;
    std::unique_ptr<Resampler> resampler;
    // The source is never held whole: decoded rows go straight through the resampler.
    decodeJpegRows(
        data, size, header,
        [&](const JpegHeader& h) {
            check(h);
            destination = RgbImage(static_cast<std::int32_t>(target.width), static_cast<std::int32_t>(target.height));
            const ResampleFilter& lanczos3 = filterAt(FilterIndex::Lanczos3);
            resampler = std::make_unique<Resampler>(h.width, h.height, destination, lanczos3.filter, lanczos3.support);
        },
        [&](const std::uint8_t* const* rows, int count) { resampler->pushRows(rows, count); });
    resampler->finish();
    return encodeJpeg(destination, header.multipleScans);
}

void resizeJpegFile(std::int32_t size, const std::string& input, const std::string& output)
{
    const std::string data = common::readWholeFile(input);
    const std::vector<std::uint8_t> encoded =
        resizeJpeg(reinterpret_cast<const std::uint8_t*>(data.data()), data.size(), size);
    common::writeFileAtomically(output, encoded.data(), encoded.size());
}

} // namespace resizer
