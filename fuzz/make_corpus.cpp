// Writes the fuzzer's seed corpus: small JPEGs of every kind brunsk meets, each prefixed
// by the byte that picks the target size.
#include "jpeg_fixtures.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_corpus FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    int count = 0;
    auto emit = [&](const std::string& name, std::vector<std::uint8_t> jpeg, std::uint8_t sizePick) {
        jpeg.insert(jpeg.begin(), sizePick);
        fixtures::writeFile(folder + "/" + name, jpeg);
        ++count;
    };
    const std::pair<int, int> shapes[] = {{1, 1}, {2, 1}, {1, 2}, {3, 3}, {8, 8}, {9, 7}, {16, 1}, {1, 16}, {17, 3}, {3, 17}, {33, 20}};
    for (auto [w, h] : shapes) {
        const std::string base = std::to_string(w) + "x" + std::to_string(h);
        emit(base + "-baseline", fixtures::makeJpeg({.width = w, .height = h}), std::uint8_t(w + h));
        emit(base + "-progressive", fixtures::makeJpeg({.width = w, .height = h, .progressive = true}), std::uint8_t(w));
        emit(base + "-grey", fixtures::makeJpeg({.width = w, .height = h, .grey = true}), std::uint8_t(h));
    }
    emit("restart", fixtures::makeJpeg({.width = 40, .height = 40, .restartInterval = 1}), 5);
    emit("arithmetic", fixtures::makeJpeg({.width = 24, .height = 16, .arithmetic = true}), 6);
    emit("cmyk", fixtures::makeJpeg({.width = 16, .height = 16, .cmyk = true}), 4);
    emit("grey-progressive", fixtures::makeJpeg({.width = 30, .height = 10, .grey = true, .progressive = true}), 3);
    const auto whole = fixtures::makeJpeg({.width = 48, .height = 32, .progressive = true});
    for (std::size_t cut : {2u, 20u, 200u, 400u})
        if (cut < whole.size())
            emit("truncated-" + std::to_string(cut), {whole.begin(), whole.begin() + long(cut)}, 6);
    std::printf("%d seeds written to %s\n", count, folder.c_str());
    return 0;
}
