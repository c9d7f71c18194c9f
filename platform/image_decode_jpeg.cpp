// JPEG decoding through libjpeg from a memory block. Fatal errors jump back
// out of the decoder; a file that ends early (which libjpeg would pad with
// grey) counts as undecodable too.
#include <cstdio>
#include <csetjmp>

#include <jpeglib.h>
#include <jerror.h>

#include "platform/sdl_internal.h"

namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    jmp_buf jump;
    bool truncated;
};

void ErrorExit(j_common_ptr cinfo)
{
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    longjmp(err->jump, 1);
}

void EmitMessage(j_common_ptr cinfo, int level)
{
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    if (level < 0 && err->base.msg_code == JWRN_JPEG_EOF) err->truncated = true;
}

void OutputMessage(j_common_ptr) {}

inline uint8_t Scale255(unsigned a, unsigned b) { return static_cast<uint8_t>((a * b + 127) / 255); }

// Plain values only after setjmp; the buffers belong to the caller.
bool DecodeInto(jpeg_decompress_struct* cinfo, ErrorManager* err, const uint8_t* data, size_t size,
                DecodedImage* out, std::vector<uint8_t>* row)
{
    if (setjmp(err->jump)) return false;
    jpeg_create_decompress(cinfo);
    jpeg_mem_src(cinfo, const_cast<unsigned char*>(data), static_cast<unsigned long>(size));
    if (jpeg_read_header(cinfo, TRUE) != JPEG_HEADER_OK) return false;
    // Checked before the decoder sizes its buffers by the header.
    if (static_cast<uint64_t>(cinfo->image_width) * cinfo->image_height > kMaxPicturePixels) return false;
    const bool cmyk = cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK;
    cinfo->out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_start_decompress(cinfo);
    const unsigned width = cinfo->output_width, height = cinfo->output_height;
    const int components = cinfo->output_components;
    if (width == 0 || height == 0 || width > kMaxPictureEdge || height > kMaxPictureEdge) return false;
    if (components != (cmyk ? 4 : 3)) return false;
    out->width = static_cast<int>(width);
    out->height = static_cast<int>(height);
    out->hasAlpha = false;
    out->rgba.resize(static_cast<size_t>(width) * height * 4);
    row->resize(static_cast<size_t>(width) * components);
    while (cinfo->output_scanline < height) {
        const unsigned y = cinfo->output_scanline;
        JSAMPROW rowPointer = row->data();
        if (jpeg_read_scanlines(cinfo, &rowPointer, 1) != 1) return false;
        uint8_t* dst = out->rgba.data() + static_cast<size_t>(y) * width * 4;
        const uint8_t* s = row->data();
        for (unsigned x = 0; x < width; ++x, dst += 4, s += components) {
            if (cmyk) {
                // Stored inverted, as the common writers do.
                dst[0] = Scale255(s[0], s[3]);
                dst[1] = Scale255(s[1], s[3]);
                dst[2] = Scale255(s[2], s[3]);
            } else {
                dst[0] = s[0];
                dst[1] = s[1];
                dst[2] = s[2];
            }
            dst[3] = 255;
        }
        if (err->truncated) return false;
    }
    jpeg_finish_decompress(cinfo);
    return !err->truncated;
}

} // namespace

bool DecodeJpeg(const uint8_t* data, size_t size, DecodedImage& out)
{
    if (!data || size < 4 || data[0] != 0xFF || data[1] != 0xD8) return false;
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    cinfo.err = jpeg_std_error(&err.base);
    err.base.error_exit = ErrorExit;
    err.base.emit_message = EmitMessage;
    err.base.output_message = OutputMessage;
    err.truncated = false;
    DecodedImage image;
    std::vector<uint8_t> row;
    const bool ok = DecodeInto(&cinfo, &err, data, size, &image, &row);
    jpeg_destroy_decompress(&cinfo);
    if (!ok) return false;
    out = std::move(image);
    return true;
}
