// Checks of the game-screen pictures: generated once into a temporary folder by
// the picture families, then read back.
#include "art/board_geometry.h"
#include "family.h"
#include "sheets/level_sheet.h"
#include "sheets/picture_io.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

class GamePictures : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        char tmpl[] = "/tmp/varnoka-art-XXXXXX";
        dir_ = mkdtemp(tmpl);
        datagen::Context ctx;
        ctx.out = dir_;
        ctx.content = VARNOKA_CONTENT_DIR;
        for (auto& f : datagen::families()) f.run(ctx);
    }
    static void TearDownTestSuite() { fs::remove_all(dir_); }

    // Alpha channel of a generated picture (width, height, alpha per pixel).
    struct Alpha {
        int w = 0, h = 0;
        std::vector<int> a;
        int at(int x, int y) const { return a[y * w + x]; }
    };
    static Alpha alpha(const std::string& rel) {
        cairo_surface_t* s = sheets::loadPicture(dir_ / rel);
        EXPECT_NE(s, nullptr) << rel;
        Alpha out;
        if (!s) return out;
        out.w = cairo_image_surface_get_width(s);
        out.h = cairo_image_surface_get_height(s);
        const unsigned char* d = cairo_image_surface_get_data(s);
        int stride = cairo_image_surface_get_stride(s);
        for (int y = 0; y < out.h; ++y)
            for (int x = 0; x < out.w; ++x) out.a.push_back(reinterpret_cast<const uint32_t*>(d + y * stride)[x] >> 24);
        cairo_surface_destroy(s);
        return out;
    }
    // A square generated picture as cairo's premultiplied ARGB words; size -1
    // when it is not square.
    struct Square {
        int size = 0;
        std::vector<uint32_t> argb;
    };
    static Square square(const std::string& rel) {
        Square out;
        cairo_surface_t* s = sheets::loadPicture(dir_ / rel);
        EXPECT_NE(s, nullptr) << rel;
        if (!s) return out;
        const int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
        out.size = w == h ? w : -1;
        for (int y = 0; y < h; ++y) {
            const auto* row = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(s) +
                                                                y * cairo_image_surface_get_stride(s));
            out.argb.insert(out.argb.end(), row, row + w);
        }
        cairo_surface_destroy(s);
        return out;
    }
    // Mean of each channel over each cell of an 8 x 8 grid laid over the
    // picture; a pixel belongs to the cell its centre lies in.
    static std::vector<double> cellMeans(const Square& p) {
        std::vector<double> sum(64 * 4), count(64);
        for (int y = 0; y < p.size; ++y)
            for (int x = 0; x < p.size; ++x) {
                const int cell = (y * 2 + 1) * 8 / (p.size * 2) * 8 + (x * 2 + 1) * 8 / (p.size * 2);
                for (int c = 0; c < 4; ++c) sum[cell * 4 + c] += (p.argb[y * p.size + x] >> (24 - 8 * c)) & 255;
                ++count[cell];
            }
        for (int i = 0; i < 64 * 4; ++i) sum[i] /= count[i / 4];
        return sum;
    }
    // Overlap of the solid parts (alpha >= 128) of two pictures of one size.
    static double solidOverlap(const Alpha& p, const Alpha& q) {
        int both = 0, either = 0;
        for (size_t i = 0; i < p.a.size(); ++i) {
            bool a = p.a[i] >= 128, b = q.a[i] >= 128;
            both += a && b;
            either += a || b;
        }
        return either ? double(both) / either : 0;
    }

    static fs::path dir_;
};

fs::path GamePictures::dir_;

// The frame composed as the game does it (borders pasted, strips over them, live
// borders under the level picture) must look like one continuous frame.
TEST_F(GamePictures, BorderPiecesJoinIntoOneFrame) {
    cairo_surface_t* screen = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1024, 768);
    cairo_surface_t* ideal = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1024, 768);
    const char* const blocks[sheets::kRows] = {
        "....................", "....................", "..#####...######....", "..#####...######....",
        "..################..", "..################..", "..######..########..", "..######..########..",
        "..######..###..###..", "....####..###..###..", "....####.......###..", "....................",
        "....................",
    };
    struct Case {
        const char* name;
        sheets::Shape shape;
    } cases[] = {{"test level with all 24 codes", sheets::borderTestShape()},
                 {"blocks with notches and bays", sheets::shapeFromRows(blocks)}};
    for (auto& c : cases) {
        sheets::FrameCheck check = sheets::composeLevel(dir_, c.shape, screen, ideal);
        EXPECT_GT(check.framePixels, 5000) << c.name;
        EXPECT_LT(check.wrong, check.framePixels / 200) << c.name << ": frame pixels off the ideal frame";
    }
    cairo_surface_destroy(screen);
    cairo_surface_destroy(ideal);
}

TEST_F(GamePictures, TestLevelUsesEveryBorderCode) {
    sheets::Shape s = sheets::borderTestShape();
    std::map<int, int> seen;
    for (int j = 2; j <= sheets::kRows; ++j)
        for (int k = 2; k <= sheets::kCols; ++k)
            if (s.has(j, k)) ++seen[sheets::cellCode(s, j, k)];
    for (int code = 1; code <= art::board::kCodes; ++code) EXPECT_GT(seen[code], 0) << "code " << code;
}

// Kinds 1..5 must be told apart by shape alone; the variants keep their kind's shape.
TEST_F(GamePictures, PieceKindsDifferInShape) {
    std::vector<Alpha> kinds;
    for (int k = 1; k <= 5; ++k) kinds.push_back(alpha("data/match3/item1-" + std::to_string(k) + ".png"));
    for (int a = 0; a < 5; ++a)
        for (int b = a + 1; b < 5; ++b)
            EXPECT_LT(solidOverlap(kinds[a], kinds[b]), 0.8) << "kinds " << a + 1 << " and " << b + 1;
    const int variants[][2] = {{11, 1}, {14, 2}, {13, 3}, {15, 5}};
    for (auto [v, k] : variants)
        EXPECT_GT(solidOverlap(alpha("data/match3/item1-" + std::to_string(v) + ".png"), kinds[k - 1]), 0.9)
            << "variant " << v << " of kind " << k;
}

// Pictures the game may draw without blending must have no transparent pixel.
TEST_F(GamePictures, StripsAndMossAreOpaque) {
    std::vector<std::string> files{"data/match3/moss.png"};
    for (int n = 1; n <= 11; ++n) files.push_back("data/match3/cellrow" + std::to_string(n) + ".png");
    for (auto& f : files) {
        Alpha p = alpha(f);
        int transparent = 0;
        for (int v : p.a) transparent += v < 255;
        EXPECT_EQ(transparent, 0) << f;
    }
    for (int n = 1; n <= 11; ++n) {
        Alpha p = alpha("data/match3/cellrow" + std::to_string(n) + ".png");
        EXPECT_EQ(p.w, 48);
        EXPECT_EQ(p.h, 48 * n);
    }
}

// The pick area is solid in the middle of a cell and open along its edges, so a
// pointer on the line between two cells picks neither.
TEST_F(GamePictures, PickMaskLeavesGapsBetweenCells) {
    Alpha m = alpha("data/match3/cellmask.png");
    ASSERT_EQ(m.w, 48);
    ASSERT_EQ(m.h, 48);
    EXPECT_GE(m.at(24, 24), 128);
    EXPECT_GE(m.at(8, 24), 128);
    for (int i = 0; i < 48; ++i) {
        EXPECT_LT(m.at(i, 0), 128);
        EXPECT_LT(m.at(0, i), 128);
        EXPECT_LT(m.at(i, 47), 128);
        EXPECT_LT(m.at(47, i), 128);
    }
}

// The blink overlays are drawn over the creature: their lids must lie on it.
TEST_F(GamePictures, EyelidsLieOnTheirCreature) {
    for (int k = 1; k <= 4; ++k) {
        Alpha holder = alpha("data/pu/puholder" + std::to_string(k) + ".png");
        for (int e = 1; e <= 2; ++e) {
            Alpha lids = alpha("data/pu/pu" + std::to_string(k) + "eyes" + std::to_string(e) + ".png");
            ASSERT_EQ(lids.a.size(), holder.a.size());
            int solid = 0, off = 0;
            for (size_t i = 0; i < lids.a.size(); ++i)
                if (lids.a[i] >= 128) ++solid, off += holder.a[i] < 128;
            EXPECT_GT(solid, 50) << k << "/" << e;
            EXPECT_EQ(off, 0) << k << "/" << e;
        }
    }
}

TEST_F(GamePictures, WindowIconHoldsOne32PixelPngEntry) {
    std::ifstream in(dir_ / "icon32.ico", std::ios::binary);
    std::vector<unsigned char> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(b.size(), 22u + 8u);
    auto u16 = [&](int o) { return b[o] | (b[o + 1] << 8); };
    auto u32 = [&](int o) { return static_cast<size_t>(u16(o)) | (static_cast<size_t>(u16(o + 2)) << 16); };
    EXPECT_EQ(u16(0), 0);
    EXPECT_EQ(u16(2), 1);
    EXPECT_EQ(u16(4), 1);
    EXPECT_EQ(b[6], 32);
    EXPECT_EQ(b[7], 32);
    EXPECT_EQ(u32(18), 22u);
    EXPECT_EQ(u32(14), b.size() - 22);
    const unsigned char sig[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    EXPECT_TRUE(std::equal(sig, sig + 8, b.begin() + 22));
}

// The menu icons are the window icon's drawing at each size: the 32 px one is
// the window icon itself, the others shrink to it.
TEST_F(GamePictures, MenuIconsAreTheWindowIconAtEverySize) {
    std::ifstream in(dir_ / "icon32.ico", std::ios::binary);
    std::vector<char> ico((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(ico.size(), 22u);
    const fs::path entry = dir_ / "ico-entry.png";
    std::ofstream(entry, std::ios::binary).write(ico.data() + 22, static_cast<std::streamsize>(ico.size() - 22));
    const Square window = square("ico-entry.png");
    ASSERT_EQ(window.size, 32);

    const std::string apps = "/apps/org.tellgrave.varnoka";
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const std::string name = std::to_string(size) + "x" + std::to_string(size);
        const Square icon = square("desktop/icons/hicolor/" + name + apps + ".png");
        ASSERT_EQ(icon.size, size) << name;
        if (size == 32) {
            EXPECT_EQ(icon.argb, window.argb) << "the window icon itself";
        }
        const std::vector<double> a = cellMeans(icon), b = cellMeans(window);
        double worst = 0;
        for (size_t i = 0; i < a.size(); ++i) worst = std::max(worst, std::abs(a[i] - b[i]));
        EXPECT_LT(worst, 48) << name;
    }

    std::ifstream svgIn(dir_ / ("desktop/icons/hicolor/scalable" + apps + ".svg"));
    const std::string svg((std::istreambuf_iterator<char>(svgIn)), std::istreambuf_iterator<char>());
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    EXPECT_NE(svg.find("width=\"128px\""), std::string::npos);
    EXPECT_NE(svg.find("radialGradient"), std::string::npos) << "the glossy leaf and shell";
    EXPECT_NE(svg.find("</svg>"), std::string::npos);
}

} // namespace
