#include "sheets/picture_io.h"

#include <jpeglib.h>

#include <csetjmp>
#include <cstdio>
#include <vector>

namespace sheets {

namespace {

struct JpegError {
    jpeg_error_mgr mgr;
    jmp_buf jump;
};

cairo_surface_t* loadJpeg(const std::filesystem::path& path) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return nullptr;
    jpeg_decompress_struct info;
    JpegError err;
    info.err = jpeg_std_error(&err.mgr);
    err.mgr.error_exit = [](j_common_ptr c) { std::longjmp(reinterpret_cast<JpegError*>(c->err)->jump, 1); };
    cairo_surface_t* s = nullptr;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&info);
        std::fclose(f);
        if (s) cairo_surface_destroy(s);
        return nullptr;
    }
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, f);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, info.output_width, info.output_height);
    unsigned char* data = cairo_image_surface_get_data(s);
    int stride = cairo_image_surface_get_stride(s);
    std::vector<unsigned char> row(info.output_width * 3);
    while (info.output_scanline < info.output_height) {
        unsigned y = info.output_scanline;
        JSAMPROW r = row.data();
        jpeg_read_scanlines(&info, &r, 1);
        auto* out = reinterpret_cast<uint32_t*>(data + y * stride);
        for (unsigned x = 0; x < info.output_width; ++x)
            out[x] = 0xFF000000u | (row[x * 3] << 16) | (row[x * 3 + 1] << 8) | row[x * 3 + 2];
    }
    cairo_surface_mark_dirty(s);
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    std::fclose(f);
    return s;
}

} // namespace

cairo_surface_t* loadPicture(const std::filesystem::path& path) {
    auto ext = path.extension().string();
    for (auto& ch : ext) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    if (ext == ".jpg" || ext == ".jpeg") return loadJpeg(path);
    cairo_surface_t* s = cairo_image_surface_create_from_png(path.c_str());
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(s);
        return nullptr;
    }
    return s;
}

} // namespace sheets
