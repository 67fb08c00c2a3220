#include "jpeg_io.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include <jpeglib.h>

namespace resizer {

namespace {

// libjpeg reports fatal errors by calling error_exit, which must not return. It jumps
// back to the one setjmp of the job below; that frame then turns the jump into a
// C++ exception once no libjpeg frame is left on the stack.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void jumpOnError(j_common_ptr cinfo)
{
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

void ignoreMessage(j_common_ptr) {}

void installErrorManager(ErrorManager& err)
{
    jpeg_std_error(&err.pub);
    err.pub.error_exit = jumpOnError;
    err.pub.output_message = ignoreMessage; // warnings stay silent
    err.message[0] = '\0';
}

// Everything that must outlive a longjmp lives here, outside the guarded frame.
struct DecodeJob {
    const std::uint8_t* data;
    std::size_t size;
    const HeaderCheck* check;
    const RowConsumer* consume;
    JpegHeader header;
    std::vector<std::uint8_t> band;
    std::vector<std::uint8_t> greyBand;
    jpeg_decompress_struct cinfo;
    ErrorManager err;
};

// Returns false when libjpeg failed; a C++ exception thrown by the header check or by an
// allocation leaves through here after the library state is destroyed.
bool runDecode(DecodeJob& job)
{
    jpeg_decompress_struct& cinfo = job.cinfo;
    installErrorManager(job.err);
    cinfo.err = &job.err.pub;
    if (setjmp(job.err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    try {
        jpeg_mem_src(&cinfo, job.data, static_cast<unsigned long>(job.size));
        jpeg_read_header(&cinfo, TRUE);
        job.header.width = static_cast<std::int32_t>(cinfo.image_width);
        job.header.height = static_cast<std::int32_t>(cinfo.image_height);
        job.header.components = cinfo.num_components;
        job.header.multipleScans = jpeg_has_multiple_scans(&cinfo) != 0;
        if (*job.check)
            (*job.check)(job.header);

        cinfo.scale_num = 1;
        cinfo.scale_denom = 1;
        cinfo.dct_method = JDCT_FLOAT;
        cinfo.do_fancy_upsampling = TRUE;
        cinfo.do_block_smoothing = TRUE;
        cinfo.buffered_image = FALSE;
        const bool grey = cinfo.num_components == 1;
        if (grey) {
            cinfo.out_color_space = JCS_GRAYSCALE;
            cinfo.quantize_colors = TRUE;
            cinfo.desired_number_of_colors = 236;
            cinfo.dither_mode = JDITHER_FS;
            cinfo.two_pass_quantize = FALSE;
        } else {
            cinfo.out_color_space = JCS_RGB;
        }

        // A band of rows per call: fewer calls, and the consumer works on several at once.
        constexpr int kBand = 8;
        const std::size_t rowBytes = std::size_t(job.header.width) * 3;
        job.band.resize(rowBytes * kBand);
        if (grey)
            job.greyBand.resize(std::size_t(job.header.width) * kBand);
        JSAMPROW decoded[kBand];
        const std::uint8_t* rows[kBand];
        for (int r = 0; r < kBand; ++r) {
            rows[r] = job.band.data() + rowBytes * std::size_t(r);
            decoded[r] = grey ? job.greyBand.data() + std::size_t(job.header.width) * std::size_t(r)
                              : job.band.data() + rowBytes * std::size_t(r);
        }
        jpeg_start_decompress(&cinfo);
        while (cinfo.output_scanline < cinfo.output_height) {
            int count = 0;
            while (count < kBand && cinfo.output_scanline < cinfo.output_height)
                count += static_cast<int>(
                    jpeg_read_scanlines(&cinfo, decoded + count, static_cast<JDIMENSION>(kBand - count)));
            if (grey) {
                // The quantiser yields colour-map indexes; the map holds the grey levels.
                const JSAMPLE* levels = cinfo.colormap[0];
                for (int r = 0; r < count; ++r) {
                    const std::uint8_t* index = decoded[r];
                    std::uint8_t* out = job.band.data() + rowBytes * std::size_t(r);
                    for (std::size_t x = 0; x < std::size_t(job.header.width); ++x)
                        out[3 * x] = out[3 * x + 1] = out[3 * x + 2] = levels[index[x]];
                }
            }
            (*job.consume)(rows, count);
        }
        jpeg_finish_decompress(&cinfo);
    } catch (...) {
        jpeg_destroy_decompress(&cinfo);
        throw;
    }
    jpeg_destroy_decompress(&cinfo);
    return true;
}

struct EncodeJob {
    const RgbImage* image;
    bool progressive;
    unsigned char* buffer = nullptr;
    unsigned long bufferSize = 0;
    jpeg_compress_struct cinfo;
    ErrorManager err;
};

bool runEncode(EncodeJob& job)
{
    jpeg_compress_struct& cinfo = job.cinfo;
    installErrorManager(job.err);
    cinfo.err = &job.err.pub;
    if (setjmp(job.err.jump)) {
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, &job.buffer, &job.bufferSize);
    cinfo.image_width = static_cast<JDIMENSION>(job.image->width);
    cinfo.image_height = static_cast<JDIMENSION>(job.image->height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    cinfo.dct_method = JDCT_FLOAT;
    jpeg_set_quality(&cinfo, 90, TRUE);
    if (job.progressive)
        jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        // libjpeg's row type is not const; it only reads the rows.
        JSAMPROW row = const_cast<std::uint8_t*>(job.image->row(static_cast<std::int32_t>(cinfo.next_scanline)));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

} // namespace

void decodeJpegRows(const std::uint8_t* data, std::size_t size, JpegHeader& header, const HeaderCheck& check,
                    const RowConsumer& consume)
{
    auto job = std::make_unique<DecodeJob>();
    job->data = data;
    job->size = size;
    job->check = &check;
    job->consume = &consume;
    if (!runDecode(*job))
        throw JpegError(job->err.message);
    header = job->header;
}

RgbImage decodeJpeg(const std::uint8_t* data, std::size_t size, JpegHeader& header, const HeaderCheck& check)
{
    RgbImage image;
    std::int32_t y = 0;
    decodeJpegRows(data, size, header,
                   [&](const JpegHeader& h) {
                       if (check)
                           check(h);
                       image = RgbImage(h.width, h.height);
                   },
                   [&](const std::uint8_t* const* rows, int count) {
                       for (int r = 0; r < count; ++r, ++y)
                           std::memcpy(image.row(y), rows[r], image.rowBytes());
                   });
    return image;
}

std::vector<std::uint8_t> encodeJpeg(const RgbImage& image, bool progressive)
{
    EncodeJob job;
    job.image = &image;
    job.progressive = progressive;
    const bool ok = runEncode(job);
    std::vector<std::uint8_t> bytes;
    if (ok) {
        try {
            bytes.assign(job.buffer, job.buffer + job.bufferSize);
        } catch (...) {
            std::free(job.buffer);
            throw;
        }
    }
    std::free(job.buffer);
    if (!ok)
        throw JpegError(job.err.message);
    return bytes;
}

} // namespace resizer
