// What the loading screen loads for the game screen and the roadmap, in one
// call, and a fresh profile in slot 1 (shared by the tests and the benchmark).
#pragma once
#include "app/globals.h"
#include "app/menupics.h"
#include "app/sound.h"
#include "game/boardpictures.h"
#include "game/gamepictures.h"
#include "game/particles.h"
#include "match3/board.h"
#include "persist/profile.h"
#include "screens/roadmap.h"

namespace gs {

inline TSpieler& loadGameData(int level) {
    initSounds();
    menustuff_load();
    loadGamePictures();
    gamestuff_load();
    loadEffectPictures();
    loadBoardPictures();
    load_for_preview_match3();
    initRoadmapCoords();
    gCurPl = 1;
    TSpieler& pl = gPlayers[1];
    pl.NewVarnoka();
    pl.StoryLevel = pl.Level = level;
    pl.gtGameType = 2;
    gFPS = 40; // popups open with their delay
    return pl;
}

} // namespace gs
