// Loaders of the game screen's permanent pictures.
#include "game/gamepictures.h"

#include "game/boarddraw.h"
#include "game/boardpictures.h"
#include "game/powerups.h"

#include <string>

TBild imgTopBar, imgMenuButton, imgMenuHover, imgGameOn;

namespace {

void loadCentred(TBild& img, const std::string& path, int flags) {
    img.LoadFromDisk(path, flags);
    img.Center();
}

void loadTopLeft(TBild& img, const std::string& path, int flags) {
    img.LoadFromDisk(path, flags);
    img.setHandleTopLeft();
}

std::string numbered(const std::string& prefix, int n) { return prefix + std::to_string(n) + ".png"; }

} // namespace

int loadGamePictures() {
    loadCentred(imgTopBar, "data/match3/m3uiup.png", 0);
    loadCentred(imgMenuButton, "data/match3/menu.png", 0);
    loadCentred(imgMenuHover, "data/match3/menuhover.png", 0);
    for (int n = 1; n <= 11; n++) loadTopLeft(imgStrip[n], numbered("data/match3/cellrow", n), -1);
    for (int n = 1; n <= 24; n++) loadTopLeft(imgBorder[n], numbered("data/match3/border", n), -1);
    loadCentred(imgCellFlash, "data/match3/cell.png", 0);
    loadCentred(imgMoss, "data/match3/moss.png", 0);
    loadCentred(imgCellMark, "data/match3/cellmark.png", -1);
    for (int n = 1; n <= 4; n++) loadCentred(imgArrow[n], numbered("data/match3/arrow", n), -1);
    // The piece pictures, the cell mask, the pointer probe and the holders are
    // shared with the rules and the particles.
    loadBoardPictures();
    return 0;
}

int gamestuff_load() {
    for (int k = 1; k <= 4; k++) {
        const std::string slot = "data/pu/pu" + std::to_string(k);
        const int frames = (k == 1 || k == 3) ? 7 : 6;
        for (int f = 1; f <= frames; f++) loadCentred(imgPuAnim[k][f], numbered(slot + "/m", f), -1);
        for (int e = 1; e <= 2; e++) loadCentred(imgPuEyes[k][e], numbered(slot + "eyes", e), -1);
        loadCentred(imgPuItem[k], numbered("data/pu/puitem", k), -1);
        loadCentred(imgPuDisabled[k], numbered("data/pu/pudisabled", k), -1);
        loadCentred(imgPuShell[k], numbered("data/pu/pushell", k), -1);
        loadCentred(imgPuHolderGlow[k], "data/pu/puholder" + std::to_string(k) + "glow.png", -1);
    }
    loadCentred(imgGameOn, "data/texts/gameon.png", -1);
    // The holders belong to the shared board pictures (the holder flash draws them).
    loadBoardPictures();
    return 0;
}
