// The picture wrapper: idempotent loading, failed loads, safe drawing, log lines.
#include "app/tbild.h"
#include "platform/debuglog.h"
#include "tests/harness/harness.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace {

// The captured log lines without their running numbers.
std::vector<std::string> logTexts() {
    std::vector<std::string> out;
    for (const std::string& line : DebugLogLines()) out.push_back(line.substr(line.find(": ") + 2));
    return out;
}

class TBildTest : public harness::HeadlessTest {
  protected:
    void SetUp() override {
        char tmpl[] = "/tmp/varnoka-tbild-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        folder = tmpl;
        oldCwd = std::filesystem::current_path();
        std::filesystem::current_path(folder);
        // An 8 x 6 opaque white picture.
        ASSERT_TRUE(harness::writePng("white.png", 8, 6, std::vector<uint8_t>(8 * 6 * 4, 255)));
        DebugLogCapture(true);
        DebugLogClear();
    }
    void TearDown() override {
        DebugLogCapture(false);
        DebugLogClear();
        std::filesystem::current_path(oldCwd);
        std::filesystem::remove_all(folder);
    }
    std::filesystem::path folder, oldCwd;
};

void handleOf(TBild& b, float& hx, float& hy) { ReadPictureHandle(b.data.get(), hx, hy); }

} // namespace

TEST_F(TBildTest, SecondLoadOfTheSamePathChangesNothing) {
    TBild b;
    b.LoadFromDisk("white.png", 0);
    ASSERT_EQ(b.isLoaded, 1);
    EXPECT_EQ(b.W, 8);
    EXPECT_EQ(b.H, 6);
    EXPECT_EQ(b.label, "white.png");
    b.Center();
    Picture* first = b.data.get();

    b.LoadFromDisk("white.png", 0);
    EXPECT_EQ(b.data.get(), first) << "no second decoding";
    float hx, hy;
    handleOf(b, hx, hy);
    EXPECT_EQ(hx, 4);
    EXPECT_EQ(hy, 3) << "the centred handle is kept";
    EXPECT_EQ(logTexts(), (std::vector<std::string>{"TBild: Lade(white.png)",
                                                    "TBild: Unnoetiges Neu-Laden von white.png verhindert!"}));
}

TEST_F(TBildTest, ReloadAfterUnloadDecodesAgainWithTopLeftHandle) {
    TBild b;
    b.setXY(100, 50);
    b.LoadFromDisk("white.png", 0);
    b.Center();
    b.Unload();
    EXPECT_EQ(b.isLoaded, 0);
    EXPECT_EQ(b.data, nullptr);
    b.LoadFromDisk("white.png", 0);
    ASSERT_EQ(b.isLoaded, 1);
    float hx, hy;
    handleOf(b, hx, hy);
    EXPECT_EQ(hx, 0);
    EXPECT_EQ(hy, 0);
    EXPECT_EQ(b.X, 100) << "the stored position survives unload and reload";
    EXPECT_EQ(b.Y, 50);
    EXPECT_EQ(logTexts()[1], "TBild: white.png (white.png) entladen.");
}

TEST_F(TBildTest, FailedLoadEmptiesButKeepsSizeAndLabel) {
    TBild b;
    b.LoadFromDisk("white.png", 0);
    DebugLogClear();
    b.LoadFromDisk("missing.png", 0);
    EXPECT_EQ(b.isLoaded, 0);
    EXPECT_EQ(b.data, nullptr);
    EXPECT_EQ(b.url, "missing.png");
    EXPECT_EQ(b.W, 8);
    EXPECT_EQ(b.H, 6);
    EXPECT_EQ(b.label, "white.png");
    EXPECT_EQ(logTexts(), (std::vector<std::string>{"TBild: Lade(missing.png)", "Picture missing.png: missing",
                                                    "TBild: missing.png (white.png) entladen.",
                                                    "TBild: Laden nicht erfolgreich (missing.png)"}));
    b.Center(); // harmless on an empty wrapper
    b.setHandleTopLeft();
}

TEST_F(TBildTest, DrawingAnEmptyWrapperDrawsNothingAndLogs) {
    TBild empty, white;
    white.LoadFromDisk("white.png", 0);
    DebugLogClear();

    Cls();
    SetColor(255, 255, 255);
    empty.PaintXY(10, 20);
    empty.Paint();
    Flip(1);
    EXPECT_EQ(harness::framePixel(12, 22), (harness::Rgb{0, 0, 0}));
    EXPECT_EQ(logTexts(), (std::vector<std::string>{"TBild: PaintErr:  () an 10.000000/20.000000",
                                                    "TBild: PaintErr:  ()"}));

    Cls();
    white.PaintXY(10, 20);
    white.setXY(40, 40);
    white.Paint();
    Flip(1);
    EXPECT_EQ(harness::framePixel(12, 22), (harness::Rgb{255, 255, 255}));
    EXPECT_EQ(harness::framePixel(41, 41), (harness::Rgb{255, 255, 255}));
}
