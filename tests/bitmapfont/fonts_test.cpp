// The seven interface fonts: their switches and kerning, and (when the data
// folder has been generated) that every file loads and draws.
#include "app/fonts.h"
#include "tests/harness/harness.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

struct Expected {
    TBitmapFont* font;
    int shadow, border;
    float h, v;
};

const Expected kFonts[] = {
    {&gFontTitle, 1, 1, 3, 0},  {&gFontButton, 0, 1, 0, 0}, {&gFontText, 1, 1, 0, 2},
    {&gFontDialog, 0, 1, 1, 0}, {&gFontWin, 1, 1, 0, 0},    {&gFontText24, 1, 1, 1, 0},
    {&gFontHeadbar, 0, 1, 1, 0},
};

// Runs loadFonts with the given folder as the working directory.
void loadFontsIn(const std::filesystem::path& folder) {
    const std::filesystem::path old = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    loadFonts();
    std::filesystem::current_path(old);
}

struct FontsTest : harness::HeadlessTest {};

TEST_F(FontsTest, SwitchesAndKerningWithoutFiles) {
    for (const Expected& e : kFonts) *e.font = TBitmapFont();
    loadFontsIn(std::filesystem::temp_directory_path());
    for (const Expected& e : kFonts) {
        EXPECT_EQ(e.font->GetDrawShadow(), e.shadow);
        EXPECT_EQ(e.font->GetDrawBorder(), e.border);
        EXPECT_EQ(e.font->Kerning.GetHKerning(), e.h);
        EXPECT_EQ(e.font->Kerning.GetVKerning(), e.v);
        EXPECT_EQ(e.font->GetTxtWidth("Varnoka"), 0); // nothing loaded: measures 0
    }
}

TEST_F(FontsTest, GeneratedFontsLoadAndDraw) {
    const std::filesystem::path game = VARNOKA_GAME_DIR;
    if (!std::filesystem::exists(game / "data/fonts/me_titel.fmf")) GTEST_SKIP() << "no generated data folder";
    loadFontsIn(game);
    Cls();
    float y = 20;
    for (const Expected& e : kFonts) {
        ASSERT_EQ(e.font->FontLoaded(), 1);
        EXPECT_EQ(e.font->GetDrawShadow(), e.shadow);
        EXPECT_EQ(e.font->Kerning.GetHKerning(), e.h);
        ASSERT_GT(e.font->GetFontHeight(), 0);
        e.font->DrawText("Varnoka \xe4\xf6\xfc \xc4\xd6\xdc \xdf 0123456789", 512, y, 1, 1);
        y += float(e.font->GetFontHeight()) + 20;
    }
    harness::saveFramePng(::testing::TempDir() + "varnoka-fonts.png");
    // Every line put light pixels on the screen around the centre.
    const harness::Frame f = harness::grabFrame();
    int lit = 0;
    for (int py = 20; py < int(y); py++)
        for (int px = 300; px < 724; px++) lit += f.at(px, py)[0] > 128 || f.at(px, py)[1] > 128;
    EXPECT_GT(lit, 2000);
}

} // namespace
