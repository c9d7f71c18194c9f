// Pictures: decoding PNG, JPEG and icons, damaged files, the mask flag, paths
// in the wrong letter case, PNGs embedded in streams, Paste and the overlap test.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include <jpeglib.h>
#include <png.h>

#include <gtest/gtest.h>

#include "platform/platform.h"
#include "platform/sdl_internal.h"
#include "tests/harness/harness.h"
#include "tests/platform/peakmemory.h"

namespace {

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// w x h pixels: a colour gradient, the top-left pixel black, alpha per pixel
// from the given function.
std::vector<uint8_t> TestPixels(int w, int h, int alpha = 255)
{
    std::vector<uint8_t> rgba(static_cast<size_t>(w) * h * 4);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            uint8_t* p = &rgba[(static_cast<size_t>(y) * w + x) * 4];
            p[0] = static_cast<uint8_t>(x * 255 / std::max(1, w - 1));
            p[1] = static_cast<uint8_t>(y * 255 / std::max(1, h - 1));
            p[2] = 77;
            p[3] = static_cast<uint8_t>(alpha);
        }
    }
    rgba[0] = rgba[1] = rgba[2] = 0;
    return rgba;
}

std::vector<uint8_t> EncodeJpeg(int w, int h, const std::vector<uint8_t>& rgba)
{
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = w;
    cinfo.image_height = h;
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 95, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<uint8_t> row(static_cast<size_t>(w) * 3);
    while (cinfo.next_scanline < cinfo.image_height) {
        for (int x = 0; x < w; ++x) std::memcpy(&row[x * 3], &rgba[(cinfo.next_scanline * w + x) * 4], 3);
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&cinfo, &r, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::vector<uint8_t> out(buffer, buffer + size);
    jpeg_destroy_compress(&cinfo);
    free(buffer);
    return out;
}


// Writes a PNG of any colour type from raw packed rows.
struct RawPng {
    int width, height, colourType, bitDepth;
    std::vector<std::vector<uint8_t>> rows;
    std::vector<png_color> palette;
    std::vector<uint8_t> trnsAlpha; // palette alphas
    bool trnsColour = false;
    png_color_16 trnsValue{};
    bool interlaced = false;
};

RawPng Raw(int width, int height, int colourType, int bitDepth, std::vector<std::vector<uint8_t>> rows)
{
    RawPng raw{};
    raw.width = width;
    raw.height = height;
    raw.colourType = colourType;
    raw.bitDepth = bitDepth;
    raw.rows = std::move(rows);
    return raw;
}

void AppendBytes(png_structp png, png_bytep data, png_size_t n)
{
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + n);
}

std::vector<uint8_t> EncodeRaw(RawPng& raw)
{
    std::vector<uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    std::vector<png_bytep> rows;
    for (auto& r : raw.rows) rows.push_back(r.data());
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &out, AppendBytes, nullptr);
    png_set_IHDR(png, info, raw.width, raw.height, raw.bitDepth, raw.colourType,
                 raw.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!raw.palette.empty()) png_set_PLTE(png, info, raw.palette.data(), static_cast<int>(raw.palette.size()));
    if (!raw.trnsAlpha.empty()) {
        png_set_tRNS(png, info, raw.trnsAlpha.data(), static_cast<int>(raw.trnsAlpha.size()), nullptr);
    }
    if (raw.trnsColour) png_set_tRNS(png, info, nullptr, 0, &raw.trnsValue);
    png_write_info(png, info);
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

const uint8_t* PixelOf(Picture* pic, int x, int y) { return LockFrame(pic, 0, 1, 0)->at(x, y); }

class Pictures : public harness::HeadlessTest {
protected:
    std::string Path(const std::string& name) { return env.dataHome() + name; }
};

} // namespace

TEST_F(Pictures, PngDecodesWithAndWithoutAlphaAndTheMaskFlagKeysBlack)
{
    const auto rgba = TestPixels(13, 7, 200);
    WriteFile(Path("alpha.png"), harness::encodePng(13, 7, rgba, true));
    WriteFile(Path("plain.png"), harness::encodePng(13, 7, rgba, false));

    PicturePtr alpha = LoadPicture(Path("alpha.png"), -1);
    ASSERT_TRUE(alpha);
    EXPECT_EQ(PictureWidth(alpha.get()), 13);
    EXPECT_EQ(PictureHeight(alpha.get()), 7);
    EXPECT_EQ(PictureFrames(alpha.get()), 1);
    EXPECT_EQ(0, std::memcmp(PixelOf(alpha.get(), 12, 6), &rgba[(6 * 13 + 12) * 4], 4));
    EXPECT_EQ(PixelOf(alpha.get(), 0, 0)[3], 200) << "pictures with alpha keep their black";

    PicturePtr masked = LoadPicture(Path("plain.png"), -1);
    ASSERT_TRUE(masked);
    EXPECT_EQ(PixelOf(masked.get(), 0, 0)[3], 0) << "black becomes transparent with the mask flag";
    EXPECT_EQ(PixelOf(masked.get(), 1, 0)[3], 255);

    PicturePtr unmasked = LoadPicture(Path("plain.png"), 0);
    ASSERT_TRUE(unmasked);
    EXPECT_EQ(PixelOf(unmasked.get(), 0, 0)[3], 255);
    EXPECT_EQ(PixelOf(unmasked.get(), 5, 3)[0], rgba[(3 * 13 + 5) * 4]);
}

TEST_F(Pictures, EveryPngColourTypeDecodesToRgba)
{
    struct Case {
        const char* name;
        RawPng raw;
        int x;
        uint8_t expected[4];
        bool keyedByMask; // pixel (0, 0) is black: does the mask flag clear it?
    };
    std::vector<Case> cases;
    cases.push_back({"gray 8", Raw(3, 1, PNG_COLOR_TYPE_GRAY, 8, {{0, 0x80, 0xFF}}), 1, {128, 128, 128, 255}, true});
    cases.push_back({"gray 1", Raw(9, 1, PNG_COLOR_TYPE_GRAY, 1, {{0x40, 0x00}}), 1, {255, 255, 255, 255}, true});
    cases.push_back(
        {"gray alpha", Raw(2, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, {{0, 255, 60, 70}}), 1, {60, 60, 60, 70}, false});
    Case palette{"palette with alpha", Raw(2, 1, PNG_COLOR_TYPE_PALETTE, 8, {{0, 1}}), 1, {10, 20, 30, 40}, false};
    palette.raw.palette = {{0, 0, 0}, {10, 20, 30}};
    palette.raw.trnsAlpha = {255, 40};
    cases.push_back(palette);
    Case plainPalette{"palette", Raw(2, 1, PNG_COLOR_TYPE_PALETTE, 4, {{0x01}}), 1, {10, 20, 30, 255}, true};
    plainPalette.raw.palette = {{0, 0, 0}, {10, 20, 30}};
    cases.push_back(plainPalette);
    cases.push_back({"rgb 16",
                     Raw(2, 1, PNG_COLOR_TYPE_RGB, 16, {{0, 0, 0, 0, 0, 0, 0x12, 0x34, 0xAB, 0xCD, 0xFF, 0xFF}}),
                     1,
                     {0x12, 0xAB, 0xFF, 255},
                     true});
    Case keyed{"rgb with colour key", Raw(2, 1, PNG_COLOR_TYPE_RGB, 8, {{0, 0, 0, 5, 6, 7}}), 1, {5, 6, 7, 0}, false};
    keyed.raw.trnsColour = true;
    keyed.raw.trnsValue.red = 5;
    keyed.raw.trnsValue.green = 6;
    keyed.raw.trnsValue.blue = 7;
    cases.push_back(keyed);
    Case interlaced{"interlaced rgba", Raw(9, 9, PNG_COLOR_TYPE_RGBA, 8, {}), 7, {7, 8, 9, 10}, false};
    for (int y = 0; y < 9; ++y) {
        std::vector<uint8_t> row(36, 0);
        for (int x = 0; x < 9; ++x) {
            row[x * 4] = static_cast<uint8_t>(x);
            row[x * 4 + 1] = static_cast<uint8_t>(y);
            row[x * 4 + 2] = 9;
            row[x * 4 + 3] = x == 0 ? 255 : 10;
        }
        interlaced.raw.rows.push_back(row);
    }
    interlaced.raw.interlaced = true;
    cases.push_back(interlaced);

    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<uint8_t> bytes = EncodeRaw(c.raw);
        ASSERT_FALSE(bytes.empty());
        WriteFile(Path("format.png"), bytes);
        PicturePtr plain = LoadPicture(Path("format.png"), 0);
        ASSERT_TRUE(plain);
        const int y = c.raw.height > 1 ? 8 : 0;
        const uint8_t* p = PixelOf(plain.get(), c.x, y);
        for (int i = 0; i < 4; ++i) EXPECT_EQ(p[i], c.expected[i]) << "channel " << i;
        PicturePtr masked = LoadPicture(Path("format.png"), -1);
        ASSERT_TRUE(masked);
        EXPECT_EQ(PixelOf(masked.get(), 0, 0)[3] == 0, c.keyedByMask);
    }
}

TEST_F(Pictures, JpegDecodes)
{
    const auto rgba = TestPixels(40, 30);
    WriteFile(Path("photo.jpg"), EncodeJpeg(40, 30, rgba));
    PicturePtr pic = LoadPicture(Path("photo.jpg"), 0);
    ASSERT_TRUE(pic);
    EXPECT_EQ(PictureWidth(pic.get()), 40);
    EXPECT_EQ(PictureHeight(pic.get()), 30);
    const uint8_t* p = PixelOf(pic.get(), 30, 20);
    const uint8_t* want = &rgba[(20 * 40 + 30) * 4];
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(p[c], want[c], 12);
    EXPECT_EQ(p[3], 255);
    PixmapPtr pixmap = LoadPixmap(Path("photo.jpg"));
    ASSERT_TRUE(pixmap);
    EXPECT_EQ(pixmap->width, 40);
    EXPECT_EQ(pixmap->pitch, 160);
}

TEST_F(Pictures, DamagedFilesGiveNone)
{
    const auto rgba = TestPixels(32, 32);
    const std::vector<uint8_t> png = harness::encodePng(32, 32, rgba);
    const std::vector<uint8_t> jpeg = EncodeJpeg(32, 32, rgba);
    std::vector<std::pair<std::string, std::vector<uint8_t>>> files;
    files.push_back({"empty", {}});
    files.push_back({"garbage", std::vector<uint8_t>(500, 0x5A)});
    for (const auto* source : {&png, &jpeg}) {
        const std::string kind = source == &png ? "png" : "jpeg";
        for (size_t cut : {size_t{2}, size_t{8}, size_t{20}, size_t{40}, source->size() / 2, source->size() - 13,
                           source->size() - 1}) {
            files.push_back({kind + " cut at " + std::to_string(cut),
                             std::vector<uint8_t>(source->begin(), source->begin() + cut)});
        }
    }
    // PNG with a damaged header and with damaged image data (both fail their CRC).
    std::vector<uint8_t> badHeader = png;
    badHeader[18] ^= 0xFF;
    files.push_back({"png header damaged", badHeader});
    std::vector<uint8_t> badData = png;
    badData[png.size() - 20] ^= 0x55;
    files.push_back({"png data damaged", badData});
    std::vector<uint8_t> badJpeg = jpeg;
    for (size_t i = 2; i < 40; ++i) badJpeg[i] = 0xFF;
    files.push_back({"jpeg header damaged", badJpeg});

    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        WriteFile(Path("bad.img"), bytes);
        EXPECT_FALSE(LoadPicture(Path("bad.img"), -1));
        EXPECT_FALSE(LoadPixmap(Path("bad.img")));
        StreamPtr s = OpenMemory(bytes);
        EXPECT_FALSE(LoadPixmapFromStream(s.get()));
    }
    EXPECT_FALSE(LoadPicture(Path("missing.png"), -1));
    EXPECT_FALSE(LoadPixmapFromStream(nullptr));
}

// A header that claims a huge picture over a few bytes of image data is
// refused before the decoder allocates for it: the peak memory hardly moves
// (a gigabyte of pixels would show).
TEST_F(Pictures, HugeDimensionsAreRefusedBeforeTheirPixelsAreAllocated)
{
    // PNG: a 16384 x 16384 header, one row of data, the end.
    std::vector<uint8_t> png;
    {
        png_structp w = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        png_infop info = png_create_info_struct(w);
        std::vector<uint8_t> row(16384 * 4, 0);
        if (!setjmp(png_jmpbuf(w))) {
            png_set_write_fn(w, &png, AppendBytes, [](png_structp) {});
            png_set_IHDR(w, info, 16384, 16384, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
                         PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
            png_write_info(w, info);
            png_write_row(w, row.data());
            png_write_flush(w);
        }
        png_destroy_write_struct(&w, &info);
        const uint8_t iend[] = {0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82};
        png.insert(png.end(), iend, iend + sizeof iend);
    }
    // JPEG: a 16 x 16 picture whose frame header says 16000 x 16000.
    std::vector<uint8_t> jpeg = EncodeJpeg(16, 16, TestPixels(16, 16));
    for (size_t i = 0; i + 9 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
            jpeg[i + 5] = jpeg[i + 7] = 16000 >> 8;
            jpeg[i + 6] = jpeg[i + 8] = 16000 & 0xFF;
            break;
        }
    }
    const long before = PeakMegabytes();
    for (const auto* bytes : {&png, &jpeg}) {
        WriteFile(Path("huge.img"), *bytes);
        EXPECT_FALSE(LoadPicture(Path("huge.img"), -1));
        StreamPtr s = OpenMemory(*bytes);
        EXPECT_FALSE(LoadPixmapFromStream(s.get()));
    }
    EXPECT_LT(PeakMegabytes() - before, 200);
}

TEST_F(Pictures, PathsAreFoundInAnyLetterCase)
{
    std::filesystem::create_directories(Path("Data/UI"));
    WriteFile(Path("Data/UI/Button.PNG"), harness::encodePng(3, 2, TestPixels(3, 2)));
    PicturePtr pic = LoadPicture(env.dataHome() + "data/ui/button.png", -1);
    ASSERT_TRUE(pic);
    EXPECT_EQ(PictureWidth(pic.get()), 3);
    EXPECT_TRUE(LoadPixmap(env.dataHome() + "DATA\\ui\\BUTTON.png"));
}

TEST_F(Pictures, StreamDecodingStopsRightAfterIend)
{
    const std::vector<uint8_t> first = harness::encodePng(5, 4, TestPixels(5, 4, 255));
    const std::vector<uint8_t> second = harness::encodePng(9, 2, TestPixels(9, 2, 99));
    std::vector<uint8_t> bytes = first;
    bytes.insert(bytes.end(), second.begin(), second.end());
    bytes.push_back(0xAB);
    StreamPtr s = OpenMemory(bytes);
    PixmapPtr a = LoadPixmapFromStream(s.get());
    ASSERT_TRUE(a);
    EXPECT_EQ(a->width, 5);
    EXPECT_EQ(StreamPos(s.get()), first.size());
    PixmapPtr b = LoadPixmapFromStream(s.get());
    ASSERT_TRUE(b);
    EXPECT_EQ(b->width, 9);
    EXPECT_EQ(b->at(3, 1)[3], 99);
    EXPECT_EQ(StreamPos(s.get()), first.size() + second.size());
    EXPECT_EQ(ReadByte(s.get()), 0xAB);
    EXPECT_FALSE(LoadPixmapFromStream(s.get())) << "nothing left to decode";
}

TEST_F(Pictures, BlankPicturesPasteAndMaskColour)
{
    PicturePtr pic = NewBlankPicture(6, 6, 3, 0);
    ASSERT_TRUE(pic);
    EXPECT_EQ(PictureFrames(pic.get()), 3);
    EXPECT_EQ(pic->flags & PIC_DYNAMIC, PIC_DYNAMIC);
    EXPECT_FALSE(NewBlankPicture(0, 5, 1, 0));
    EXPECT_FALSE(LockFrame(pic.get(), 3, 1, 1));

    Pixmap source;
    source.width = source.height = 4;
    source.pitch = 16;
    source.storage.assign(64, 0);
    source.pixels = source.storage.data();
    for (int i = 0; i < 16; ++i) {
        source.pixels[i * 4] = static_cast<uint8_t>(i + 1);
        source.pixels[i * 4 + 3] = 0; // transparent pixels replace the target too
    }
    Pixmap* target = LockFrame(pic.get(), 1, 1, 1);
    std::memset(target->pixels, 0xEE, static_cast<size_t>(target->pitch) * target->height);
    Paste(target, &source, 4, -1); // only columns 4..5, rows 0..2 land
    EXPECT_EQ(target->at(4, 0)[0], 5);  // source (0, 1)
    EXPECT_EQ(target->at(5, 2)[0], 14); // source (1, 3)
    EXPECT_EQ(target->at(4, 0)[3], 0);
    EXPECT_EQ(target->at(3, 0)[0], 0xEE);
    EXPECT_EQ(target->at(4, 3)[0], 0xEE);
    Paste(target, &source, 100, 100);
    Paste(target, target, 1, 1); // into itself: reads the old pixels
    EXPECT_EQ(target->at(5, 1)[0], 5);
    UnlockFrame(pic.get(), 1);

    source.pixels[0] = 10;
    source.pixels[1] = 20;
    source.pixels[2] = 30;
    source.pixels[3] = 255;
    source.pixels[7] = 255;
    PixmapPtr keyed = MaskColourToAlpha(&source, 10, 20, 30);
    ASSERT_TRUE(keyed);
    EXPECT_EQ(keyed->at(0, 0)[3], 0);
    EXPECT_EQ(keyed->at(1, 0)[3], 255);
    EXPECT_EQ(source.pixels[3], 255) << "the source stays as it was";

    PicturePtr fromPixmap = PictureFromPixmap(*keyed, 2);
    ASSERT_TRUE(fromPixmap);
    EXPECT_EQ(PixelOf(fromPixmap.get(), 1, 0)[0], 2);
}

TEST_F(Pictures, HandlesAreKept)
{
    PicturePtr pic = NewBlankPicture(10, 7, 1, 0);
    float hx, hy;
    ReadPictureHandle(pic.get(), hx, hy);
    EXPECT_EQ(hx + hy, 0.0f);
    CentrePictureHandle(pic.get());
    ReadPictureHandle(pic.get(), hx, hy);
    EXPECT_EQ(hx, 5.0f);
    EXPECT_EQ(hy, 3.5f);
    SetPictureHandle(pic.get(), -2, 8);
    ReadPictureHandle(pic.get(), hx, hy);
    EXPECT_EQ(hx, -2.0f);
    EXPECT_EQ(hy, 8.0f);
}

namespace {

// A 20 x 20 button whose left half is solid and right half nearly clear
// (alpha 127), handle in the middle; and a 2 x 2 solid pointer, centred.
struct OverlapFixture {
    PicturePtr button = NewBlankPicture(20, 20, 1, 0);
    PicturePtr pointer = NewBlankPicture(2, 2, 1, 0);
    OverlapFixture()
    {
        Pixmap* b = LockFrame(button.get(), 0, 1, 1);
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 20; ++x) b->at(x, y)[3] = x < 10 ? 128 : 127;
        }
        Pixmap* p = LockFrame(pointer.get(), 0, 1, 1);
        for (int i = 0; i < 4; ++i) p->pixels[i * 4 + 3] = 255;
        CentrePictureHandle(button.get());
        CentrePictureHandle(pointer.get());
    }
    int At(float x, float y) { return PicturesOverlap(pointer.get(), x, y, 0, button.get(), 500, 300, 0); }
};

} // namespace

TEST_F(Pictures, OverlapCountsOnlySolidPixels)
{
    OverlapFixture f;
    EXPECT_EQ(f.At(495, 300), 1) << "over the solid half";
    EXPECT_EQ(f.At(505, 300), 0) << "over the half below 128";
    EXPECT_EQ(f.At(490, 300), 1) << "pointer reaches over the left edge";
    EXPECT_EQ(f.At(489, 300), 0) << "pointer just touching the edge";
    EXPECT_EQ(f.At(495, 310), 1);
    EXPECT_EQ(f.At(495, 311), 0);
    EXPECT_EQ(PicturesOverlap(f.button.get(), 500, 300, 0, f.pointer.get(), 495, 300, 0), 1) << "symmetric";
    EXPECT_EQ(PicturesOverlap(nullptr, 0, 0, 0, f.button.get(), 0, 0, 0), 0);
    EXPECT_EQ(PicturesOverlap(f.pointer.get(), 495, 300, 1, f.button.get(), 500, 300, 0), 0) << "no such frame";
}

TEST_F(Pictures, OverlapFollowsScaleAndRotationAsDrawn)
{
    OverlapFixture f;
    // Turned 90 degrees clockwise the solid (left) half lies above the handle;
    // at scale 2 it reaches 20 pixels up.
    SetDrawRotation(90);
    EXPECT_EQ(f.At(500, 295), 1);
    EXPECT_EQ(f.At(500, 305), 0);
    EXPECT_EQ(f.At(500, 285), 0) << "beyond the picture at scale 1";
    SetDrawScale(2, 2);
    EXPECT_EQ(f.At(500, 285), 1);
    EXPECT_EQ(f.At(500, 315), 0);
    SetDrawScale(-1, 1);
    EXPECT_EQ(f.At(500, 305), 1) << "a negative scale mirrors the picture";
    SetDrawScale(0, 1);
    EXPECT_EQ(f.At(500, 300), 0) << "a picture scaled to nothing covers nothing";

    // The overlap agrees with the pixels DrawPicture puts on the frame.
    SetDrawScale(1.7f, 0.8f);
    SetDrawRotation(33);
    PicturePtr solid = NewBlankPicture(20, 20, 1, 0);
    Pixmap* p = LockFrame(solid.get(), 0, 1, 1);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            uint8_t* q = p->at(x, y);
            q[0] = 255;
            q[3] = x < 10 ? 255 : 0;
        }
    }
    CentrePictureHandle(solid.get());
    SetBlend(BLEND_ALPHA);
    DrawPicture(solid.get(), 500, 300, 0);
    harness::Frame frame = harness::grabFrame();
    int agree = 0, checked = 0;
    for (int y = 280; y < 320; y += 3) {
        for (int x = 480; x < 520; x += 3) {
            const bool drawn = frame.at(x, y)[0] > 128;
            const bool overlap = PicturesOverlap(f.pointer.get(), x + 0.5f, y + 0.5f, 0, solid.get(), 500, 300, 0);
            ++checked;
            if (drawn == overlap) ++agree;
        }
    }
    // Edges may differ by a pixel of rounding; the shape must match.
    EXPECT_GE(agree, checked * 9 / 10);
}

TEST_F(Pictures, IconEntriesDecode)
{
    // An icon with a 16 x 16 bitmap entry and a 32 x 32 PNG entry.
    std::vector<uint8_t> png = harness::encodePng(32, 32, TestPixels(32, 32, 255));
    std::vector<uint8_t> dib(40 + 16 * 16 * 4 + 16 * 4, 0);
    dib[0] = 40;
    dib[4] = 16;
    dib[8] = 32; // colour rows plus mask rows
    dib[12] = 1;
    dib[14] = 32;
    for (int i = 0; i < 256; ++i) {
        dib[40 + i * 4 + 0] = 30;  // blue
        dib[40 + i * 4 + 2] = 200; // red
    }
    // No alpha values: the mask decides. The bottom row in the file is the top row.
    dib[40 + 256 * 4] = 0x80; // mask row 0 (bottom): first pixel transparent
    auto entry = [](uint8_t size, size_t length, size_t offset) {
        std::vector<uint8_t> e(16, 0);
        e[0] = e[1] = size;
        e[4] = 1;
        e[6] = 32;
        for (int i = 0; i < 4; ++i) {
            e[8 + i] = static_cast<uint8_t>(length >> (8 * i));
            e[12 + i] = static_cast<uint8_t>(offset >> (8 * i));
        }
        return e;
    };
    std::vector<uint8_t> ico = {0, 0, 1, 0, 2, 0};
    const size_t dataAt = 6 + 2 * 16;
    for (const auto& e : {entry(16, dib.size(), dataAt), entry(32, png.size(), dataAt + dib.size())}) {
        ico.insert(ico.end(), e.begin(), e.end());
    }
    ico.insert(ico.end(), dib.begin(), dib.end());
    ico.insert(ico.end(), png.begin(), png.end());

    DecodedImage image;
    ASSERT_TRUE(DecodeIco(ico, image));
    EXPECT_EQ(image.width, 32) << "the 32 x 32 entry is preferred";

    // Without a usable PNG the bitmap is taken.
    std::vector<uint8_t> broken = ico;
    broken[dataAt + dib.size() + 20] ^= 0xFF;
    ASSERT_TRUE(DecodeIco(broken, image));
    EXPECT_EQ(image.width, 16);
    EXPECT_EQ(image.rgba[0], 200);
    EXPECT_EQ(image.rgba[2], 30);
    EXPECT_EQ(image.rgba[(15 * 16) * 4 + 3], 0) << "masked pixel, bottom-left";
    EXPECT_EQ(image.rgba[3], 255);

    // Truncated directories and entries pointing outside the file give nothing.
    for (size_t cut : {size_t{0}, size_t{5}, size_t{20}, dataAt + 10}) {
        EXPECT_FALSE(DecodeIco(std::vector<uint8_t>(ico.begin(), ico.begin() + cut), image)) << cut;
    }
    WriteFile(Path("icon32.ico"), ico);
    SetWindowIcon(Path("icon32.ico"));
    SetWindowIcon(Path("missing.ico"));
}

TEST_F(Pictures, MutatedFilesDecodeOrGiveNoneWithoutHarm)
{
    // Random byte changes anywhere in a PNG, a JPEG and an icon: each either
    // decodes to a sane picture or gives none, and never reads out of bounds
    // (the sanitizers watch).
    const auto rgba = TestPixels(24, 16, 180);
    std::vector<std::vector<uint8_t>> sources = {harness::encodePng(24, 16, rgba), EncodeJpeg(24, 16, rgba)};
    uint32_t seed = 12345;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    int decoded = 0;
    for (const auto& source : sources) {
        for (int round = 0; round < 150; ++round) {
            std::vector<uint8_t> bytes = source;
            const int changes = 1 + static_cast<int>(next() % 4);
            for (int i = 0; i < changes; ++i) bytes[next() % bytes.size()] = static_cast<uint8_t>(next());
            DecodedImage image;
            if (DecodeImageBytes(bytes, image)) {
                ++decoded;
                EXPECT_EQ(image.rgba.size(), static_cast<size_t>(image.width) * image.height * 4);
            }
            DecodeIco(bytes, image);
        }
    }
    EXPECT_GT(decoded, 0) << "changes in ancillary data still decode";
}
