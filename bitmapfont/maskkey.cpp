#include "bitmapfont/maskkey.h"

namespace {

bool isKey(const uint8_t* p, int r, int g, int b) { return p[0] == r && p[1] == g && p[2] == b; }

} // namespace

PixmapPtr KeyFacePixels(const Pixmap& source, int red, int green, int blue) {
    auto out = std::make_unique<Pixmap>();
    const int w = source.width, h = source.height;
    out->width = w;
    out->height = h;
    out->pitch = w * 4;
    out->storage.assign(size_t(w) * size_t(h) * 4, 0);
    out->pixels = out->storage.data();
    for (int y = 0; y < h; y++) {
        for (int x = 0; x < w; x++) {
            const uint8_t* src = source.at(x, y);
            uint8_t* dst = out->at(x, y);
            if (!isKey(src, red, green, blue)) {
                dst[0] = src[0], dst[1] = src[1], dst[2] = src[2], dst[3] = 255;
                continue;
            }
            int sum[3] = {0, 0, 0}, count = 0;
            for (int dy = -1; dy <= 1; dy++) {
                for (int dx = -1; dx <= 1; dx++) {
                    const int nx = x + dx, ny = y + dy;
                    if ((dx == 0 && dy == 0) || nx < 0 || ny < 0 || nx >= w || ny >= h) continue;
                    const uint8_t* n = source.at(nx, ny);
                    if (isKey(n, red, green, blue)) continue;
                    for (int k = 0; k < 3; k++) sum[k] += n[k];
                    count++;
                }
            }
            for (int k = 0; k < 3; k++) dst[k] = uint8_t(count ? sum[k] / count : 0);
            dst[3] = 0;
        }
    }
    return out;
}
