// The win screen: the panel that lists the bonuses of a won level line by line,
// then banks the points, advances the profile and picks the next screen.
#include "game/winscreen.h"

#include "app/fonts.h"
#include "app/globals.h"
#include "app/mainloop.h"
#include "app/sound.h"
#include "app/ui.h"
#include "game/gamestate.h"
#include "game/score.h"
#include "game/boardpictures.h"
#include "persist/besttimes.h"
#include "persist/language.h"
#include "persist/profile.h"

#include <algorithm>

int timeBonus = 0, timeBonusMinutes = 0, newBestTime = 0, newBestBonus = 0;

namespace {

bool running() { return gPaused != 1; }

void drawPanelLines(float left, float right, float a) {
    for (const WinPanelLine& line : winPanelLines()) {
        const float la = std::min((winCounter - line.start) * 0.1f, 1.0f) * a;
        if (la <= 0) continue;
        SetAlpha(la);
        if (line.centred) {
            gFontText.DrawText(line.label, 512 - gFontText.GetTxtWidth(line.label) / 2, line.y, 1, 0);
            continue;
        }
        gFontText.DrawText(line.label, left, line.y, 1, 0);
        gFontText.DrawText(line.value, right, line.y, 1, 2);
    }
}

} // namespace

std::vector<WinPanelLine> winPanelLines() {
    const TSpieler& pl = curPlayer();
    std::vector<WinPanelLine> lines;
    auto add = [&](int start, const std::string& label, const std::string& value, bool centred = false) {
        const float y = 384.0f + (newBestTime == 1 ? -140 : -120) + 40.0f * static_cast<float>(lines.size());
        lines.push_back({start, y, label, value, centred});
    };
    if (newBestTime == 1) add(80, gLang.getValue("newbesttime"), std::to_string(newBestBonus));
    const std::string tb = timeBonusMinutes > 0
                               ? gLang.getValue("timebonus") + " (<" + std::to_string(timeBonusMinutes) + " " +
                                     gLang.getValue("minutes") + "):"
                               : gLang.getValue("notimebonus") + ":";
    add(90, tb, std::to_string(timeBonus));
    add(100, gLang.getValue("clearedobjects"), std::to_string(pl.anzItems) + "x5=" + std::to_string(5 * pl.anzItems));
    add(110, gLang.getValue("smasheddirt"), std::to_string(pl.anzMoss) + "x20=" + std::to_string(20 * pl.anzMoss));
    add(130, "-----------------------------------------", "", true);
    add(140, gLang.getValue("pointsinthisgame"), std::to_string(pl.LevelPoints));
    return lines;
}

int timeBonusFor(int t, int& minutes) {
    // Rows from the slowest limit to the fastest; the last one that matches wins.
    static const int kLimit[9] = {600, 540, 480, 420, 360, 300, 240, 180, 120};
    static const int kBonus[9] = {50, 100, 200, 400, 600, 800, 1000, 1500, 2000};
    static const int kMinutes[9] = {10, 9, 8, 7, 6, 5, 4, 3, 2};
    int bonus = 0;
    minutes = 0;
    for (int i = 0; i < 9; i++) {
        if (t < kLimit[i]) {
            bonus = kBonus[i];
            minutes = kMinutes[i];
        }
    }
    return bonus;
}

int computeWinBonuses() {
    TSpieler& pl = curPlayer();
    timeBonus = timeBonusFor(pl.time, timeBonusMinutes);
    newBestTime = 0;
    newBestBonus = 0;
    if (checkNewBestTime() == 1) {
        newBestBonus = 2000;
        newBestTime = 1;
        pl.incLevelPoints(2000);
    }
    pl.incLevelPoints(timeBonus);
    pl.incLevelPoints(5 * pl.anzItems);
    pl.incLevelPoints(20 * pl.anzMoss);
    return 0;
}

int finishWonLevel() {
    TSpieler& pl = curPlayer();
    pl.LevelDone();
    winCounter = -1;
    pl.LevelUp();
    pl.SaveToDisk();
    pl.checkStoryPage();
    pl.ResetResume();
    if (pl.isStoryPageShow == 1)
        gotoScreen(SCREEN_STORY, 0);
    else if (pl.Level == pl.StoryLevel)
        gotoScreen(SCREEN_GAME, 0);
    else
        gotoScreen(SCREEN_ROADMAP, 0);
    return 0;
}

int screenWin() {
    checkLevelWon();
    if (winCounter <= 0) return 0;
    TBild& panel = gPopupPanels[1];
    if (winCounter == 2 && running()) playMusic("win.ogg");
    if (winCounter >= 40 && winCounter <= 80) {
        SetAlpha(std::min((winCounter - 40) * 0.025f, 1.0f));
        paintIfLoaded(panel, 512, 384);
    }
    if (running() && winCounter < 199) winCounter++;
    const float a = std::clamp(winCounter * 0.2f, 0.0f, 1.0f);
    SetAlpha(a);
    if (running() && winCounter > 80 && winCounter < 200) {
        paintIfLoaded(panel, 512, 384);
        const float pw = panel.data ? panel.W : 0, ph = panel.data ? panel.H : 0;
        const float left = 512 - pw / 2 + 45, right = 512 + pw / 2 - 45;
        const std::string title = gLang.getValue("dayover");
        gFontWin.DrawText(title, 512 - gFontWin.GetTxtWidth(title) / 2, 384 - ph / 2 + 55, 1, 0);
        if (winCounter == 81) computeWinBonuses();
        drawPanelLines(left, right, a);
        if (winCounter > 150) {
            SetAlpha(1);
            const bool ok = button(512, 580, 3, 1, gLang.getValue("ok")) == 3;
            if (ok || gKeyEnter == 1 || gKeyEsc == 1) winCounter = 200;
        }
    }
    SetAlpha(1);
    SetDrawScale(1, 1);
    SetBlend(BLEND_ALPHA);
    SetViewport(0, 0, 1024, 768);
    if (winCounter == 200) finishWonLevel();
    return 0;
}
