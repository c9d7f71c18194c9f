// The UI kit: text helpers, the button rules driven through the real input
// queue, the popup machine's order, hand-over and timing.
#include "app/globals.h"
#include "app/popup.h"
#include "app/ui.h"
#include "persist/language.h"
#include "tests/ui/uifixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using uitest::UiTest;

TEST(UiText, ClockAndLevelLabels) {
    struct {
        int seconds;
        const char* text;
    } clocks[] = {{0, "00:00:00"},    {59, "00:00:59"},    {60, "00:01:00"},      {754, "00:12:34"},
                  {3600, "01:00:00"}, {86399, "23:59:59"}, {360000, "100:00:00"}, {3599, "00:59:59"}};
    for (const auto& c : clocks)
        EXPECT_EQ(formatClock(c.seconds), c.text) << c.seconds;

    struct {
        int level, week, game;
    } levels[] = {{1, 1, 1},     {10, 1, 10}, {11, 2, 1},   {23, 3, 3},  {91, 10, 1},
                  {100, 10, 10}, {0, -1, 10}, {101, -1, 1}, {-5, -1, -5}};
    for (const auto& l : levels) {
        EXPECT_EQ(weekOf(l.level), l.week) << l.level;
        EXPECT_EQ(gameInWeek(l.level), l.game) << l.level;
    }
    gLang.loadFromDisk(uitest::gameDir() + "/data/texts/codetexts.txt", "=");
    EXPECT_EQ(levelLabel(23), gLang.getValue("week") + " 3 - " + gLang.getValue("game") + " 3");
    EXPECT_EQ(levelLabel(100), gLang.getValue("week") + " 10 - " + gLang.getValue("game") + " 10");
}

// A click at (x, y) through the SDL queue and the frame's input snapshot.
class ButtonTest : public UiTest {
  protected:
    int clickButton(int x, int y) {
        harness::click(x, y);
        snapshot();
        return button(512, 400, 3, 1, "OK");
    }
};

TEST_F(ButtonTest, HoverAndClickOnlyWhenTheButtonMayRespond) {
    harness::mouseMove(512, 400);
    snapshot();
    EXPECT_EQ(button(512, 400, 3, 1, "OK"), BUTTON_HOVER);
    EXPECT_EQ(button(512, 400, 3, 2, "OK"), BUTTON_IDLE) << "another group";
    harness::mouseMove(900, 100);
    snapshot();
    EXPECT_EQ(button(512, 400, 3, 1, "OK"), BUTTON_IDLE) << "outside";

    struct Case {
        const char* what;
        int fadeDir, paused, runPopup, expected;
    } cases[] = {
        {"idle screen", 1, -1, 0, BUTTON_CLICKED}, {"popup open", 1, -1, 16, BUTTON_CLICKED},
        {"screen fading", 2, -1, 0, BUTTON_IDLE},  {"paused", 1, 1, 0, BUTTON_IDLE},
        {"popup opening", 1, -1, 1, BUTTON_IDLE},  {"popup half way", 1, -1, 15, BUTTON_IDLE},
    };
    for (const Case& c : cases) {
        gFadeDir = c.fadeDir;
        gPaused = c.paused;
        gRunPopup = c.runPopup;
        EXPECT_EQ(clickButton(512, 400), c.expected) << c.what;
        // An inert button leaves the click to whoever else wants it.
        EXPECT_EQ(gMouseHit, c.expected == BUTTON_CLICKED ? 0 : 1) << c.what;
    }
}

TEST_F(ButtonTest, HitAreaUsesThePictureSizeAndTheManagerNarrowsSmallButtons) {
    const int hw = static_cast<int>(gButtonPics[3].W / 2);
    const int hh = static_cast<int>(gButtonPics[3].H / 2 - 2);
    ASSERT_GT(hw, 10);
    struct {
        int dx, dy, popup, expected;
    } cases[] = {
        {hw - 1, 0, 0, BUTTON_HOVER},  {hw, 0, 0, BUTTON_IDLE},          {0, hh - 1, 0, BUTTON_HOVER},
        {0, hh, 0, BUTTON_IDLE},       {-hw + 1, 0, 0, BUTTON_HOVER},    {hw - 9, 0, 103, BUTTON_HOVER},
        {hw - 8, 0, 103, BUTTON_IDLE}, {-(hw - 8), 0, 103, BUTTON_IDLE},
    };
    for (const auto& c : cases) {
        gStatePopup = c.popup;
        harness::mouseMove(512 + c.dx, 400 + c.dy);
        snapshot();
        EXPECT_EQ(button(512, 400, 3, 1, "OK"), c.expected) << c.dx << "," << c.dy << " popup " << c.popup;
    }
}

TEST_F(ButtonTest, OneClickActsOnceEvenWithButtonsOnTopOfEachOther) {
    harness::click(512, 400);
    snapshot();
    EXPECT_EQ(button(512, 400, 3, 1, "A"), BUTTON_CLICKED);
    EXPECT_EQ(button(512, 400, 3, 1, "B"), BUTTON_HOVER) << "the click was taken by the first button";
    snapshot(); // next frame, mouse still there, no new click
    EXPECT_EQ(button(512, 400, 3, 1, "A"), BUTTON_HOVER);
}

TEST_F(ButtonTest, MissingPictureMakesAnEmptyHitArea) {
    harness::click(512, 400);
    snapshot();
    EXPECT_EQ(button(512, 400, 2, 1, "no picture"), BUTTON_IDLE);
    EXPECT_EQ(button(512, 400, 42, 1, "no such style"), BUTTON_IDLE);
    EXPECT_EQ(gMouseHit, 1);
}

TEST_F(ButtonTest, ImageButtonHitsOnlyOpaquePixelsAndReportsHolding) {
    ASSERT_EQ(gImageButtonPics[10].isLoaded, 1);
    harness::mouseMove(300, 300);
    harness::mousePress();
    snapshot();
    EXPECT_EQ(imageButton(300, 300, 10, 1), BUTTON_HELD) << "held wins over clicked for the knob";
    EXPECT_EQ(gMouseHit, 0);
    snapshot(); // still held
    EXPECT_EQ(imageButton(300, 300, 10, 1), BUTTON_HELD);
    EXPECT_EQ(imageButton(300, 300, 10, 2), BUTTON_IDLE) << "another group";
    harness::mouseRelease();
    harness::mouseMove(300 + static_cast<int>(gImageButtonPics[10].W) + 40, 300);
    snapshot();
    EXPECT_EQ(imageButton(300, 300, 10, 1), BUTTON_IDLE) << "pointer beside the knob";
    harness::mouseMove(300, 300);
    snapshot();
    gPaused = 1;
    EXPECT_EQ(imageButton(300, 300, 10, 1), BUTTON_IDLE) << "paused";
    gPaused = -1;
    EXPECT_EQ(imageButton(300, 300, 10, 1), BUTTON_HOVER);
    EXPECT_EQ(imageButton(300, 300, 3, 1), BUTTON_IDLE) << "a slot without a picture";
}

// The popup machine over a table of recording routines.
std::vector<int> gRan;
int handOverTo = 0;
template <int Id> int recordingPopup() {
    gRan.push_back(Id);
    if (handOverTo != 0) {
        gStatePopup = handOverTo;
        handOverTo = 0;
    }
    return 0;
}
const PopupRoutine kRecording[] = {
    {298, recordingPopup<298>}, {99, recordingPopup<99>},   {107, recordingPopup<107>},
    {551, recordingPopup<551>}, {105, recordingPopup<105>}, {106, recordingPopup<106>},
    {103, recordingPopup<103>}, {111, recordingPopup<111>}, {101, recordingPopup<101>},
    {100, recordingPopup<100>}, {432, recordingPopup<432>}, {447, recordingPopup<447>},
    {112, recordingPopup<112>},
};
void runMachine() {
    runPopupMachine(kRecording, static_cast<int>(std::size(kRecording)));
}

class PopupMachineTest : public UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        gRan.clear();
        handOverTo = 0;
    }
};

TEST_F(PopupMachineTest, OpensInSixteenFramesRunsOnlyItsPopupAndClosesInSixteen) {
    openPopup(101);
    EXPECT_EQ(gRunPopup, 1);
    for (int frame = 2; frame <= 16; ++frame) {
        runMachine();
        EXPECT_EQ(gRunPopup, frame);
    }
    runMachine();
    EXPECT_EQ(gRunPopup, 16) << "stays open";
    EXPECT_EQ(gRan, std::vector<int>(16, 101));

    gPaused = 1;
    gPopupDir = 2;
    for (int left = 15; left >= 1; --left) {
        runMachine();
        EXPECT_EQ(gRunPopup, left);
        EXPECT_EQ(gPaused, 1);
    }
    runMachine();
    EXPECT_EQ(gRunPopup, 0);
    EXPECT_EQ(gPaused, -1) << "a closing popup that reaches 0 ends the pause";
    EXPECT_EQ(gStatePopup, 101) << "drawn once more on its last closing frame";
    gRan.clear();
    runMachine();
    EXPECT_EQ(gStatePopup, 0);
    EXPECT_TRUE(gRan.empty());
}

TEST_F(PopupMachineTest, HandOverRunsALaterPopupInTheSameFrameAndAnEarlierOneNextFrame) {
    gRunPopup = 16;
    gPopupDir = 1;
    gStatePopup = 107; // resume popup hands over to the new-game question
    handOverTo = 432;
    runMachine();
    EXPECT_EQ(gRan, (std::vector<int>{107, 432}));

    gRan.clear();
    gStatePopup = 447; // help hands back to the in-game menu, which comes first
    handOverTo = 298;
    runMachine();
    EXPECT_EQ(gRan, (std::vector<int>{447}));
    gRan.clear();
    runMachine();
    EXPECT_EQ(gRan, (std::vector<int>{298}));

    gRan.clear();
    gStatePopup = 12345; // an unknown id runs nothing
    runMachine();
    EXPECT_TRUE(gRan.empty());
}

TEST_F(PopupMachineTest, SlowMachineOpensAndClosesAtOnce) {
    gFPS = 27;
    openPopup(100);
    runMachine();
    EXPECT_EQ(gRunPopup, 16);
    gPaused = 1;
    gPopupDir = 2;
    runMachine();
    EXPECT_EQ(gRunPopup, 0);
    EXPECT_EQ(gPaused, -1);

    gFPS = 28; // at 28 frames per second the delay is kept
    openPopup(100);
    runMachine();
    EXPECT_EQ(gRunPopup, 2);
}

TEST_F(PopupMachineTest, OpeningClearsTheSliderDragsAndRestoresAlpha) {
    gSoundDrag = gMusicDrag = 1;
    openPopup(100);
    EXPECT_EQ(gSoundDrag, 0);
    EXPECT_EQ(gMusicDrag, 0);
    EXPECT_EQ(gPopupDir, 1);
    EXPECT_EQ(gStatePopup, 100);
    SetAlpha(0.5f);
    runMachine();
    EXPECT_FLOAT_EQ(ReadAlpha(), 0.5f);
    SetAlpha(1);
}

} // namespace
