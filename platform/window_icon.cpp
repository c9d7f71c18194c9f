// Reads icon files: a directory of images, each stored either as a whole PNG
// or as a headerless device-independent bitmap (colour rows plus a 1-bit
// transparency mask, both bottom-up, the bitmap height counting both).
#include <algorithm>
#include <cstring>

#include "platform/sdl_internal.h"

namespace {

uint32_t Le16(const uint8_t* p) { return p[0] | (p[1] << 8); }
uint32_t Le32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24); }

bool DecodeDib(const uint8_t* data, size_t size, DecodedImage& out)
{
    if (size < 40) return false;
    const uint32_t headerSize = Le32(data);
    const int32_t width = static_cast<int32_t>(Le32(data + 4));
    const int32_t fullHeight = static_cast<int32_t>(Le32(data + 8));
    const uint32_t bpp = Le16(data + 14);
    const uint32_t compression = Le32(data + 16);
    uint32_t colours = Le32(data + 32);
    if (headerSize < 40 || headerSize > size || compression != 0) return false;
    if (width <= 0 || width > 256 || fullHeight <= 0 || fullHeight > 512) return false;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32) return false;
    const int height = fullHeight / 2;
    if (height <= 0) return false;
    if (bpp <= 8 && colours == 0) colours = 1u << bpp;
    if (bpp > 8) colours = 0;
    if (colours > 256) return false;
    const size_t paletteAt = headerSize;
    const size_t pixelsAt = paletteAt + colours * 4;
    const size_t stride = ((static_cast<size_t>(width) * bpp + 31) / 32) * 4;
    const size_t maskStride = ((static_cast<size_t>(width) + 31) / 32) * 4;
    const size_t maskAt = pixelsAt + stride * height;
    if (maskAt > size) return false;
    const bool haveMask = maskAt + maskStride * height <= size;

    out.width = width;
    out.height = height;
    out.hasAlpha = true;
    out.rgba.assign(static_cast<size_t>(width) * height * 4, 0);
    bool anyAlpha = false;
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = data + pixelsAt + stride * (height - 1 - y);
        uint8_t* dst = out.rgba.data() + static_cast<size_t>(y) * width * 4;
        for (int x = 0; x < width; ++x, dst += 4) {
            if (bpp == 32 || bpp == 24) {
                const uint8_t* p = row + x * (bpp / 8);
                dst[0] = p[2];
                dst[1] = p[1];
                dst[2] = p[0];
                dst[3] = bpp == 32 ? p[3] : 255;
                if (bpp == 32 && p[3] != 0) anyAlpha = true;
            } else {
                const size_t bit = static_cast<size_t>(x) * bpp;
                const uint32_t index = (row[bit / 8] >> (8 - bpp - bit % 8)) & ((1u << bpp) - 1);
                if (index >= colours) return false;
                const uint8_t* c = data + paletteAt + index * 4;
                dst[0] = c[2];
                dst[1] = c[1];
                dst[2] = c[0];
                dst[3] = 255;
            }
        }
    }
    // Without alpha values of its own the 1-bit mask decides transparency.
    if (!anyAlpha && haveMask) {
        for (int y = 0; y < height; ++y) {
            const uint8_t* row = data + maskAt + maskStride * (height - 1 - y);
            for (int x = 0; x < width; ++x) {
                const bool clear = (row[x / 8] >> (7 - x % 8)) & 1;
                out.rgba[(static_cast<size_t>(y) * width + x) * 4 + 3] = clear ? 0 : 255;
            }
        }
    } else if (!anyAlpha) {
        for (size_t i = 3; i < out.rgba.size(); i += 4) out.rgba[i] = 255;
    }
    return true;
}

} // namespace

bool DecodeIco(const std::vector<uint8_t>& bytes, DecodedImage& out)
{
    if (bytes.size() < 6 || Le16(bytes.data()) != 0 || Le16(bytes.data() + 2) != 1) return false;
    const size_t count = Le16(bytes.data() + 4);
    if (count == 0 || 6 + count * 16 > bytes.size()) return false;
    // Prefer the 32 x 32 entry, else the largest one that decodes.
    std::vector<size_t> order;
    for (size_t i = 0; i < count; ++i) order.push_back(i);
    auto edge = [&](size_t i) {
        const uint8_t w = bytes[6 + i * 16];
        return w == 0 ? 256 : static_cast<int>(w);
    };
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        const bool a32 = edge(a) == 32, b32 = edge(b) == 32;
        if (a32 != b32) return a32;
        return edge(a) > edge(b);
    });
    static const uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    for (size_t i : order) {
        const uint8_t* entry = bytes.data() + 6 + i * 16;
        const size_t length = Le32(entry + 8);
        const size_t offset = Le32(entry + 12);
        if (offset >= bytes.size() || length > bytes.size() - offset || length == 0) continue;
        const uint8_t* data = bytes.data() + offset;
        DecodedImage image;
        bool ok;
        if (length >= 8 && std::memcmp(data, kPngSignature, 8) == 0) {
            ByteSource src;
            src.data = data;
            src.size = length;
            ok = DecodePng(src, image);
        } else {
            ok = DecodeDib(data, length, image);
        }
        if (ok) {
            out = std::move(image);
            return true;
        }
    }
    return false;
}
