#include "jpeg_fixtures.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include <jpeglib.h>

namespace fixtures {

namespace {

[[noreturn]] void throwOnError(j_common_ptr cinfo)
{
    char message[JMSG_LENGTH_MAX];
    (*cinfo->err->format_message)(cinfo, message);
    throw std::runtime_error(message);
}

void quiet(j_common_ptr) {}

std::uint8_t patternSample(int x, int y, int c, int width, int height)
{
    const int v = c == 0 ? x * 255 / (width > 1 ? width - 1 : 1)
        : c == 1         ? y * 255 / (height > 1 ? height - 1 : 1)
                         : ((x / 4 + y / 4) % 2) * 200 + 20;
    return static_cast<std::uint8_t>(v);
}

} // namespace

// Test fixtures only: a libjpeg error here is a broken test, so exceptions through the
// library's C frames (built with unwind tables on this platform) are acceptable.
std::vector<std::uint8_t> makeJpeg(const JpegRecipe& recipe)
{
    const int components = recipe.grey ? 1 : recipe.cmyk ? 4 : 3;
    std::vector<std::uint8_t> pixels = recipe.pixels;
    if (pixels.empty()) {
        pixels.resize(std::size_t(recipe.width) * recipe.height * components);
        for (int y = 0; y < recipe.height; ++y)
            for (int x = 0; x < recipe.width; ++x)
                for (int c = 0; c < components; ++c)
                    pixels[(std::size_t(y) * recipe.width + x) * components + c] =
                        patternSample(x, y, recipe.grey ? 2 : c, recipe.width, recipe.height);
    }
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr jerr{};
    cinfo.err = jpeg_std_error(&jerr);
    jerr.error_exit = throwOnError;
    jerr.output_message = quiet;
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = JDIMENSION(recipe.width);
    cinfo.image_height = JDIMENSION(recipe.height);
    cinfo.input_components = components;
    cinfo.in_color_space = recipe.grey ? JCS_GRAYSCALE : recipe.cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, recipe.quality, TRUE);
    if (recipe.progressive)
        jpeg_simple_progression(&cinfo);
    if (recipe.restartInterval > 0)
        cinfo.restart_in_rows = recipe.restartInterval;
    if (recipe.arithmetic)
        cinfo.arith_code = TRUE;
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = pixels.data() + std::size_t(cinfo.next_scanline) * recipe.width * components;
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::vector<std::uint8_t> bytes(buffer, buffer + size);
    std::free(buffer);
    return bytes;
}

void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write fixture " + path);
}

std::vector<std::uint8_t> readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {};
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

JpegFacts inspectJpeg(const std::vector<std::uint8_t>& bytes)
{
    JpegFacts facts;
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr jerr{};
    cinfo.err = jpeg_std_error(&jerr);
    jerr.error_exit = throwOnError;
    jerr.output_message = quiet;
    jpeg_create_decompress(&cinfo);
    try {
        jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
        jpeg_read_header(&cinfo, TRUE);
        facts.width = int(cinfo.image_width);
        facts.height = int(cinfo.image_height);
        facts.components = cinfo.num_components;
        facts.progressive = cinfo.progressive_mode != 0;
        facts.lumaSampling = cinfo.comp_info[0].h_samp_factor;
        facts.lumaVSampling = cinfo.comp_info[0].v_samp_factor;
        if (cinfo.quant_tbl_ptrs[0])
            facts.firstQuantValue = cinfo.quant_tbl_ptrs[0]->quantval[0];
        cinfo.out_color_space = JCS_RGB;
        jpeg_start_decompress(&cinfo);
        facts.rgb.resize(std::size_t(cinfo.output_width) * cinfo.output_height * 3);
        while (cinfo.output_scanline < cinfo.output_height) {
            JSAMPROW row = facts.rgb.data() + std::size_t(cinfo.output_scanline) * cinfo.output_width * 3;
            jpeg_read_scanlines(&cinfo, &row, 1);
        }
        jpeg_finish_decompress(&cinfo);
    } catch (...) {
        jpeg_destroy_decompress(&cinfo);
        throw;
    }
    jpeg_destroy_decompress(&cinfo);
    return facts;
}

} // namespace fixtures
