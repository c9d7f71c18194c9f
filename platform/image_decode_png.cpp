// PNG decoding through libpng's sequential reader. The reader asks for exactly
// the bytes it needs (chunk header, chunk data, CRC), so after png_read_end a
// stream stands right behind the IEND chunk; the font files rely on that.
#include <png.h>

#include <csetjmp>
#include <cstring>

#include "platform/sdl_internal.h"

namespace {

void ReadCallback(png_structp png, png_bytep data, png_size_t length)
{
    auto* src = static_cast<ByteSource*>(png_get_io_ptr(png));
    if (src->Read(data, length) != length) png_error(png, "unexpected end of data");
}

void ErrorCallback(png_structp png, png_const_charp)
{
    longjmp(png_jmpbuf(png), 1);
}

void WarningCallback(png_structp, png_const_charp) {}

// Everything that must survive a longjmp lives in the caller; this function
// holds only plain values after setjmp.
bool DecodeRows(png_structp png, png_infop info, DecodedImage* out, std::vector<png_bytep>* rows)
{
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_user_limits(png, kMaxPictureEdge, kMaxPictureEdge);
    png_read_info(png, info);
    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    const int colourType = png_get_color_type(png, info);
    const int bitDepth = png_get_bit_depth(png, info);
    if (width == 0 || height == 0 || width > kMaxPictureEdge || height > kMaxPictureEdge) return false;
    if (static_cast<uint64_t>(width) * height > kMaxPicturePixels) return false;

    const bool hasTrns = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    out->hasAlpha = (colourType & PNG_COLOR_MASK_ALPHA) != 0 || hasTrns;
    if (colourType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (colourType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png);
    if (hasTrns) png_set_tRNS_to_alpha(png);
    if (bitDepth == 16) png_set_strip_16(png);
    if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
    if (!out->hasAlpha) png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != static_cast<size_t>(width) * 4) return false;

    out->width = static_cast<int>(width);
    out->height = static_cast<int>(height);
    out->rgba.resize(static_cast<size_t>(width) * height * 4);
    rows->resize(height);
    for (png_uint_32 y = 0; y < height; ++y) (*rows)[y] = out->rgba.data() + static_cast<size_t>(y) * width * 4;
    png_read_image(png, rows->data());
    png_read_end(png, nullptr);
    return true;
}

} // namespace

bool DecodePng(ByteSource& src, DecodedImage& out)
{
    png_byte signature[8];
    if (src.Read(signature, 8) != 8 || png_sig_cmp(signature, 0, 8) != 0) return false;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, ErrorCallback, WarningCallback);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    png_set_read_fn(png, &src, ReadCallback);
    png_set_sig_bytes(png, 8);
    DecodedImage image;
    std::vector<png_bytep> rows;
    const bool ok = DecodeRows(png, info, &image, &rows);
    png_destroy_read_struct(&png, &info, nullptr);
    if (!ok) return false;
    out = std::move(image);
    return true;
}

PixmapPtr LoadPixmapFromStream(Stream* stream)
{
    if (!stream) return nullptr;
    ByteSource src;
    src.stream = stream;
    DecodedImage image;
    if (!DecodePng(src, image)) return nullptr;
    return PixmapFromImage(std::move(image));
}
