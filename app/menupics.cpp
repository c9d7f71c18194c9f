// The menu pictures, the shared UI pictures and the choice of the background.
#include "app/menupics.h"

#include "app/startpics.h"
#include "app/ui.h"
#include "game/boardpictures.h"
#include "persist/profile.h"

TBild gPicMenuBG, gPicChain, gPicScores, gPicBorderUp, gPicBorderDown, gPicPlayerBar, gPicCreatePlayer,
    gPicPlayerMenu;
TBild gPicNiner, gPicHelpTileExpl, gPicHelpStoneExpl, gPicOptionsTrack, gPicCheckBox, gPicCheckMark,
    gPicUiTopFull;
TBild gButtonPics[kUiPictureSlots], gImageButtonPics[kUiPictureSlots], gPicPointerProbe3, gPopupPanels[3];

namespace {

void loadCentred(TBild& pic, const std::string& path, int flags = 0) {
    pic.LoadFromDisk(path, flags);
    pic.Center();
}

} // namespace

int menustuff_load() {
    loadCentred(gPicNiner, "data/UI/niner.png");
    loadCentred(gPicHelpTileExpl, "data/UI/helptileexpl.png");
    loadCentred(gPicHelpStoneExpl, "data/UI/helpstoneexpl.png");
    loadCentred(gPopupPanels[0], "data/UI/popupsmall.png");
    loadCentred(gPopupPanels[1], "data/UI/popupmedium.png");
    loadCentred(gPopupPanels[2], "data/UI/popupbig.png");
    loadCentred(gPicOptionsTrack, "data/UI/optionstrack.png");
    loadCentred(gButtonPics[1], "data/UI/buttonlarge.png");
    loadCentred(gButtonPics[3], "data/UI/buttonsmall.png");
    loadCentred(gButtonPics[5], "data/match3/gtbutt1.png");
    loadCentred(gButtonPics[6], "data/match3/gtbutt2.png");
    loadCentred(gButtonPics[7], "data/match3/gtbutt3.png");
    loadCentred(gPicCheckBox, "data/UI/cb.png");
    loadCentred(gPicCheckMark, "data/UI/h.png");
    // The board probe is shared with the board input, which may have loaded it
    // already (loading it again does nothing); its handle is top-left.
    imgPointerProbe.LoadFromDisk("data/UI/coll.png", 0);
    loadCentred(gPicPointerProbe3, "data/UI/coll3.png", -1);
    loadCentred(gImageButtonPics[10], "data/ui/bnmove2.png");
    loadCentred(gImageButtonPics[11], "data/UI/langleft.png");
    loadCentred(gImageButtonPics[12], "data/UI/langright.png");
    loadCentred(gPicUiTopFull, "data/ui/uitopfull.png");
    return 0;
}

int menustuff_load_dynamic() {
    gPicChain.LoadFromDisk("data/UI/kette.png", 0);
    loadCentred(gPicScores, "data/UI/scores.png");
    gPicBorderUp.LoadFromDisk("data/UI/menuborderup.png", 0);
    gPicBorderDown.LoadFromDisk("data/UI/menuborderdown.png", 0);
    loadCentred(gPicPlayerBar, "data/UI/bar.png");
    loadCentred(gPicCreatePlayer, "data/ui/createplayer.png");
    loadCentred(gPicPlayerMenu, "data/UI/playermenu.png");
    // The logo keeps the position the start-up gave it (TBild keeps X, Y).
    loadCentred(gPicLogo, "data/UI/logo3.png", -1);
    return 0;
}

int menustuff_delete_dynamic() {
    for (TBild* pic : {&gPicChain, &gPicScores, &gPicBorderUp, &gPicBorderDown, &gPicPlayerBar,
                       &gPicCreatePlayer, &gPicPlayerMenu, &gPicLogo})
        pic->Unload();
    return 0;
}

std::string getCurrentBG(int level) {
    if (level < 1 || level > 100) return "data/bg/menubgalt.jpg";
    return "data/bg/bg" + std::to_string((level - 1) / 10 + 1) + ".jpg";
}

int reload_menu_BG() {
    gPicMenuBG.Unload();
    if (gCurPl >= 1 && gCurPl <= 9)
        gPicMenuBG.LoadFromDisk(getCurrentBG(gPlayers[gCurPl].StoryLevel), -1);
    else
        gPicMenuBG.LoadFromDisk("data/bg/menubgalt.jpg", 0);
    return 0;
}
