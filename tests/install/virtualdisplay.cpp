#include "tests/install/virtualdisplay.h"

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <poll.h>
#include <unistd.h>

namespace install {

VirtualDisplay::VirtualDisplay(const std::string& xvfb, int width, int height)
    : width_(width), height_(height), screenDir_("screen") {
    int fds[2];
    if (::pipe(fds) != 0) return;
    const std::string size = std::to_string(width) + "x" + std::to_string(height) + "x24";
    server_ = std::make_unique<Child>(std::vector<std::string>{xvfb, "-displayfd", std::to_string(fds[1]), "-screen",
                                                               "0", size, "-fbdir", screenDir_.path(), "-nolisten",
                                                               "tcp"},
                                      std::vector<std::string>{}, screenDir_.path(), fds[1]);
    ::close(fds[1]);
    // The server writes its display number once it accepts clients, then
    // a newline in a write of its own: the pipe stays open until that has
    // come too, or the server dies of the broken pipe.
    std::string number;
    pollfd p{fds[0], POLLIN, 0};
    char c = 0;
    while (::poll(&p, 1, 20000) == 1 && ::read(fds[0], &c, 1) == 1 && c != '\n')
        number += c;
    if (c == '\n' && !number.empty()) name_ = ":" + number;
    ::close(fds[0]);
}

VirtualDisplay::~VirtualDisplay() {
    if (server_) server_->stop(SIGTERM); // ends cleanly: removes its socket and lock file
}

harness::Frame VirtualDisplay::screen() const {
    std::ifstream in(screenDir_.path() + "Xvfb_screen0", std::ios::binary);
    const std::vector<uint8_t> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    harness::Frame f;
    if (b.size() < 100) return f;
    // The header is 25 words, most significant byte first.
    auto word = [&](int i) {
        return uint32_t(b[i * 4]) << 24 | uint32_t(b[i * 4 + 1]) << 16 | uint32_t(b[i * 4 + 2]) << 8 | b[i * 4 + 3];
    };
    const uint32_t headerSize = word(0), version = word(1), width = word(4), height = word(5);
    const uint32_t byteOrder = word(7), bitsPerPixel = word(11), bytesPerLine = word(12), colours = word(19);
    const size_t pixels = size_t(headerSize) + size_t(colours) * 12;
    if (version != 7 || bitsPerPixel != 32 || int(width) != width_ || int(height) != height_ || byteOrder != 0 ||
        pixels + size_t(bytesPerLine) * height > b.size())
        return f;
    f.width = width_;
    f.height = height_;
    f.rgba.resize(size_t(width_) * height_ * 4);
    for (size_t y = 0; y < size_t(height_); ++y)
        for (size_t x = 0; x < size_t(width_); ++x) {
            const uint8_t* p = b.data() + pixels + y * bytesPerLine + x * 4; // B, G, R, unused
            uint8_t* d = f.rgba.data() + (y * width_ + x) * 4;
            d[0] = p[2];
            d[1] = p[1];
            d[2] = p[0];
            d[3] = 255;
        }
    return f;
}

double differentBlocks(const harness::Frame& a, const harness::Frame& b) {
    if (a.width != b.width || a.height != b.height || a.width == 0) return 1;
    int differing = 0, blocks = 0;
    for (int by = 0; by + 16 <= a.height; by += 16)
        for (int bx = 0; bx + 16 <= a.width; bx += 16) {
            int sum[2][3] = {};
            for (int y = by; y < by + 16; ++y)
                for (int x = bx; x < bx + 16; ++x)
                    for (int c = 0; c < 3; ++c)
                        sum[0][c] += a.at(x, y)[c], sum[1][c] += b.at(x, y)[c];
            bool differs = false;
            for (int c = 0; c < 3; ++c)
                differs |= std::abs(sum[0][c] - sum[1][c]) > 24 * 256;
            differing += differs;
            ++blocks;
        }
    return double(differing) / blocks;
}

} // namespace install
