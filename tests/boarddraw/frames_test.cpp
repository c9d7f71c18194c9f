// Frames of drawn boards and of the power-up bar, saved for looking at.
#include "fixture.h"

#include "app/globals.h"
#include "game/boarddraw.h"
#include "game/gamestate.h"
#include "game/powerups.h"
#include "match3/board.h"
#include "persist/profile.h"
#include "platform/platform.h"
#include "app/tbild.h"

using namespace bdtest;

TEST_F(BoardDrawTest, SavesFramesOfRealBoards) {
    for (int level : {1, 16}) {
        loadLevel(level);
        for (int f = 0; f < 25; f++) drawBoard(1.0f);
        saveFrame("board_level" + std::to_string(level));
        drawBoard(0.6f);
        saveFrame("board_level" + std::to_string(level) + "_fading");
    }
    // On a level background, as the game screen draws it.
    {
        TBild bg;
        bg.LoadFromDisk("data/bg/bg2.jpg", -1);
        bg.setHandleTopLeft();
        Cls();
        SetBlend(BLEND_ALPHA);
        SetAlpha(1);
        bg.PaintXY(0, 0);
        drawBoardUnderlay();
        drawPieces();
        Flip(0);
        saveFrame("board_level16_on_background");
    }
    // The preview of level 16 as the level-information popup shows it.
    load_for_preview_match3();
    Cls();
    SetBlend(BLEND_ALPHA);
    SetAlpha(1);
    {
        TBild panel;
        panel.LoadFromDisk("data/bg/bg2.jpg", -1);
        panel.setHandleTopLeft();
        panel.PaintXY(0, 0);
    }
    drawLevelPreview(16, 16);
    Flip(0);
    saveFrame("preview_level16");

    // The bar: slot 1 empty, slot 2 charging, slots 3 and 4 ready.
    loadLevel(16);
    gPlayers[1].pusoll[2] = kPuCharged;
    gPlayers[1].pusoll[3] = gPlayers[1].pusoll[4] = kPuCharged;
    gPlayers[1].pu[3] = gPlayers[1].pu[4] = 119;
    gameFrames(60);
    saveFrame("powerup_bar");
}
