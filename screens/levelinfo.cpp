// The level information popup (551) of the roadmap: the level's name, its
// preview, its best time, and the buttons back and play.
#include "app/fonts.h"
#include "app/globals.h"
#include "app/popups.h"
#include "app/sound.h"
#include "app/ui.h"
#include "game/boarddraw.h"
#include "game/boardpictures.h"
#include "persist/language.h"
#include "persist/profile.h"
#include "screens/roadmap.h"

namespace {

// Which level to play, and whether the stored snapshot survives.
void chooseLevel() {
    TSpieler& pl = curPlayer();
    if (pl.isResume == 1 && pl.levelSelected == pl.resumeLevel) {
        pl.Level = pl.resumeLevel;
    } else {
        pl.Level = pl.levelSelected;
        pl.ResetResume();
    }
}

} // namespace

int levelInfoPopup() {
    TSpieler& pl = curPlayer();
    TBild& panel = gPopupPanels[1];
    paintIfLoaded(panel, 512, 391);
    const float h = panel.data ? panel.H : 0;
    const std::string label = levelLabel(pl.levelSelected);
    gFontDialog.DrawText(label, 512 - gFontDialog.GetTxtWidth(label) / 2, 384 - h / 2 + 55, 1, 0);
    drawLevelPreview(pl.levelSelected, pl.levelSelected);
    drawCenteredLines(bestTimeLine(pl.levelSelected), gFontText, 512, static_cast<int>(384 + h / 2 - 150));

    if (button(412, 604, 3, 2, gLang.getValue("back")) == 3) gPopupDir = 2;
    if (button(612, 604, 3, 2, gLang.getValue("play")) == 3) {
        chooseLevel();
        playSfx(33, 512);
        startLevelFromRoadmap();
    }
    return 0;
}
