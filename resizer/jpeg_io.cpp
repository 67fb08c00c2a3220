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
    JpegHeader header;
    RgbImage image;
    std::vector<std::uint8_t> greyRow;
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

        job.image = RgbImage(job.header.width, job.header.height);
        if (grey)
            job.greyRow.resize(std::size_t(job.header.width));
        jpeg_start_decompress(&cinfo);
        while (cinfo.output_scanline < cinfo.output_height) {
            const auto y = static_cast<std::int32_t>(cinfo.output_scanline);
            JSAMPROW row = grey ? job.greyRow.data() : job.image.row(y);
            jpeg_read_scanlines(&cinfo, &row, 1);
            if (grey) {
                // The quantiser yields colour-map indexes; the map holds the grey levels.
                const JSAMPLE* levels = cinfo.colormap[0];
                std::uint8_t* out = job.image.row(y);
                for (std::size_t x = 0; x < job.greyRow.size(); ++x) {
                    const std::uint8_t level = levels[job.greyRow[x]];
                    out[3 * x] = out[3 * x + 1] = out[3 * x + 2] = level;
                }
            }
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

RgbImage decodeJpeg(const std::uint8_t* data, std::size_t size, JpegHeader& header,
                    const HeaderCheck& check)
{
    auto job = std::make_unique<DecodeJob>();
    job->data = data;
    job->size = size;
    job->check = &check;
    if (!runDecode(*job))
        throw JpegError(job->err.message);
    header = job->header;
    return std::move(job->image);
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
