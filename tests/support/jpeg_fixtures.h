#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace fixtures {

// A small JPEG made for a test. Pixels are a smooth colour pattern unless given.
struct JpegRecipe {
    int width = 64;
    int height = 48;
    bool grey = false;
    bool progressive = false;
    int restartInterval = 0; // restart marker every this many MCU rows
    int quality = 85;
    bool arithmetic = false;
    bool cmyk = false;
    std::vector<std::uint8_t> pixels = {}; // width*height*components, optional
};

std::vector<std::uint8_t> makeJpeg(const JpegRecipe& recipe);
void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> readFile(const std::string& path);

// What a decoder sees in a JPEG file, read back for assertions.
struct JpegFacts {
    int width = 0;
    int height = 0;
    int components = 0;
    bool progressive = false;
    int lumaSampling = 0;   // h_samp_factor of the first component
    int lumaVSampling = 0;
    int firstQuantValue = 0; // quant_tbl_ptrs[0]->quantval[0]
    std::vector<std::uint8_t> rgb; // decoded samples (3 per pixel)
};
JpegFacts inspectJpeg(const std::vector<std::uint8_t>& bytes);

} // namespace fixtures
