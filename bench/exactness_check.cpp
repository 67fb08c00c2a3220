// Resizes real photographs with brunsk's passes and with the pixel-by-pixel definition of
// the arithmetic, and reports any pixel that differs.
//   brunsk_exactness SIZE PHOTO...
#include "jpeg_io.h"
#include "resample.h"
#include "resample_reference.h"
#include "resize_job.h"

#include "atomic_file.h"

#include <cstdio>
#include <cstdlib>
#include <exception>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: brunsk_exactness SIZE PHOTO...\n");
        return 2;
    }
    const auto size = resizer::parseSizeArgument(argv[1]);
    if (!size) {
        std::fprintf(stderr, "bad size %s\n", argv[1]);
        return 2;
    }
    int failures = 0;
    for (int i = 2; i < argc; ++i) {
        try {
            const std::string data = common::readWholeFile(argv[i]);
            resizer::JpegHeader header;
            const resizer::RgbImage source =
                resizer::decodeJpeg(reinterpret_cast<const std::uint8_t*>(data.data()), data.size(), header);
            const auto target = resizer::targetSize(source.width, source.height, *size);
            resizer::RgbImage fast(std::int32_t(target.width), std::int32_t(target.height));
            resizer::RgbImage plain(fast.width, fast.height);
            const auto& lanczos3 = resizer::filterAt(resizer::FilterIndex::Lanczos3);
            resizer::StretchImage(source, fast, lanczos3);
            resizer::detail::referenceStretchImage(source, plain, lanczos3.filter, lanczos3.support);
            std::size_t differ = 0;
            for (std::size_t k = 0; k < fast.pixels.size(); ++k)
                differ += fast.pixels[k] != plain.pixels[k];
            std::printf("%s %dx%d -> %dx%d: %s\n", argv[i], source.width, source.height, fast.width, fast.height,
                        differ ? (std::to_string(differ) + " samples differ").c_str() : "identical");
            failures += differ != 0;
        } catch (const std::exception& e) {
            std::printf("%s: %s\n", argv[i], e.what());
            ++failures;
        }
    }
    return failures ? 1 : 0;
}
