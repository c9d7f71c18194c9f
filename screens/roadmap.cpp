// The roadmap: the landscape with one waypoint per level reached, tooltips with
// the best times, the buttons to the menu, the help and the next level.
#include "screens/roadmap.h"

#include "app/focus.h"
#include "app/fonts.h"
#include "app/globals.h"
#include "app/mainloop.h"
#include "app/menupics.h"
#include "app/popup.h"
#include "app/sound.h"
#include "app/ui.h"
#include "game/gamescreen.h"
#include "game/particles.h"
#include "game/boardpictures.h"
#include "persist/besttimes.h"
#include "persist/language.h"
#include "persist/profile.h"
#include "platform/debuglog.h"

#include <algorithm>

int gWaypointX[101], gWaypointY[101];
int roadmapFrames = 0;
TBild imgRoadmap, imgStageWpActive, imgStageWpInactive, imgWpActive, imgWpInactive;

namespace {

// Waypoints of levels 1..100 as (x, y) pairs.
constexpr int kWaypoints[100][2] = {
    {863, 661}, {831, 631}, {811, 600}, {773, 614}, {769, 651}, {792, 683}, {760, 711}, {714, 721}, {661, 711},
    {613, 683}, {644, 656}, {660, 610}, {641, 562}, {599, 533}, {560, 507}, {531, 530}, {530, 571}, {518, 605},
    {473, 591}, {431, 546}, {377, 546}, {332, 540}, {296, 517}, {265, 528}, {219, 506}, {212, 463}, {241, 441},
    {282, 465}, {330, 486}, {358, 451}, {393, 434}, {385, 401}, {331, 400}, {288, 390}, {278, 359}, {308, 329},
    {345, 332}, {382, 333}, {415, 321}, {442, 345}, {500, 357}, {529, 312}, {486, 273}, {443, 250}, {469, 219},
    {521, 220}, {568, 225}, {600, 263}, {616, 303}, {600, 333}, {576, 373}, {563, 407}, {596, 437}, {632, 455},
    {668, 483}, {687, 524}, {724, 541}, {771, 532}, {803, 507}, {811, 456}, {785, 428}, {767, 388}, {724, 366},
    {693, 338}, {722, 309}, {766, 297}, {783, 261}, {748, 231}, {705, 220}, {676, 184}, {637, 182}, {607, 152},
    {597, 116}, {564, 90},  {519, 82},  {481, 97},  {454, 113}, {439, 141}, {406, 140}, {364, 141}, {359, 180},
    {361, 214}, {357, 249}, {332, 277}, {298, 280}, {246, 302}, {210, 335}, {182, 373}, {147, 344}, {141, 296},
    {151, 263}, {169, 229}, {199, 203}, {240, 187}, {276, 165}, {261, 134}, {219, 139}, {180, 120}, {212, 93},
    {202, 57},
};

int lastLevel() {
    const TSpieler& pl = curPlayer();
    return pl.isStoryFinished == 1 ? 100 : pl.StoryLevel;
}

void drawWaypoints() {
    const TSpieler& pl = curPlayer();
    const int n = lastLevel();
    for (int i = 1; i <= n && i <= 100; i++) {
        if (i > pl.StoryLevel) continue;
        const bool stage = i % 10 == 0;
        const int x = gWaypointX[i], y = gWaypointY[i];
        if (i == pl.StoryLevel) {
            SetDrawRotation(3.0f * gFrameCount);
            paintIfLoaded(imgFlash[2], x, y);
            SetDrawRotation(0);
            paintIfLoaded(stage ? imgStageWpActive : imgWpActive, x, y);
        } else {
            paintIfLoaded(stage ? imgStageWpInactive : imgWpInactive, x, y);
        }
    }
}

void drawTooltip(int level) {
    TBild& panel = gPopupPanels[0];
    const float w = panel.data ? panel.W : 0, h = panel.data ? panel.H : 0;
    float px = 0, py = 0;
    tooltipCorner(gMouseX, gMouseY, w, h, px, py);
    SetDrawScale(0.8f, 0.38f);
    paintIfLoaded(panel, px + 0.8f * w / 2, py + 0.38f * h / 2);
    SetDrawScale(1, 1);
    const int cx = static_cast<int>(px + 0.8f * w / 2);
    const std::string label = levelLabel(level);
    gFontDialog.DrawText(label, cx - gFontDialog.GetTxtWidth(label) / 2, py + 37 * 0.38f, 1, 0);
    const std::string best = bestTimeLine(level);
    const float y = gBestTime[level] == -1 ? py + 37 * 0.38f + 42 : py + 37 + 42;
    gFontText24.DrawText(best, cx - gFontText24.GetTxtWidth(best) / 2, y, 1, 0);
}

void hoverAndPick() {
    if (gButtonGroup != 1 || gStatePopup != 0 || gRunPopup != 0 || gPaused == 1 || gFadeDir != 1) return;
    const int n = lastLevel();
    // The waypoints open to the player, the latest first: the focus starts there.
    for (int i = std::min({n, 100, curPlayer().StoryLevel}); i >= 1; i--)
        focusTarget(gWaypointX[i], gWaypointY[i], static_cast<int>(imgWpActive.W), static_cast<int>(imgWpActive.H));
    for (int i = 1; i <= n && i <= 100; i++) {
        if (i > curPlayer().StoryLevel || !waypointHovered(i)) continue;
        drawTooltip(i);
        if (gMouseHit == 1) {
            gMouseHit = 0;
            playSfx(13, gMouseX);
            curPlayer().levelSelected = i;
            openPopup(551);
        }
        return;
    }
}

void loadRoadmapPictures() {
    imgRoadmap.LoadFromDisk("data/roadmap/roadmap.png", -1);
    if (imgRoadmap.data) imgRoadmap.setHandleTopLeft();
    TBild* wps[4] = {&imgStageWpActive, &imgStageWpInactive, &imgWpActive, &imgWpInactive};
    const char* files[4] = {"stage-waypoint-aktiv", "stage-waypoint-inaktiv", "waypoint-aktiv", "waypoint-inaktiv"};
    for (int i = 0; i < 4; i++) {
        wps[i]->LoadFromDisk(std::string("data/roadmap/") + files[i] + ".png", -1);
        if (wps[i]->data) wps[i]->Center();
    }
}

} // namespace

int initRoadmapCoords() {
    for (int i = 1; i <= 100; i++) {
        gWaypointX[i] = kWaypoints[i - 1][0];
        gWaypointY[i] = kWaypoints[i - 1][1];
    }
    return 0;
}

bool waypointHovered(int level) {
    if (level < 1 || level > 100 || !imgWpActive.data || !gPicPointerProbe3.data) return false;
    return PicturesOverlap(imgWpActive.data.get(), gWaypointX[level], gWaypointY[level], 0,
                           gPicPointerProbe3.data.get(), gMouseX, gMouseY, 0) != 0;
}

void tooltipCorner(int mx, int my, float w, float h, float& px, float& py) {
    px = static_cast<float>(mx);
    py = static_cast<float>(my);
    if (px + 0.8f * w > 1024) px -= 0.8f * w;
    if (py + 0.38f * h > 768) py -= 0.38f * h;
}

std::string bestTimeLine(int level) {
    if (level < 1 || level > 100 || gBestTime[level] == -1) return gLang.getValue("nobesttime");
    return gLang.getValue("besttime") + " " + formatClock(gBestTime[level]) + " " + gLang.getValue("by") + " " +
           Trim(gBestName[level]);
}

int startLevelFromRoadmap() {
    TSpieler& pl = curPlayer();
    if (pl.Level == 1) {
        pl.StoryPage = 2;
        pl.isStoryPageShow = 1;
        gotoScreen(SCREEN_STORY, 0);
    } else {
        gotoScreen(SCREEN_GAME, 0);
    }
    return 0;
}

int screenRoadmapResetGfx() {
    imgRoadmap.Unload();
    imgStageWpActive.Unload();
    imgStageWpInactive.Unload();
    imgWpActive.Unload();
    imgWpInactive.Unload();
    return 0;
}

int screenRoadmapPrepare() {
    DebugLog("-> screenRoadmapPrepare()");
    initRoadmapCoords();
    curPlayer().loadAllItemsToDestroyFromDisk("data/levels/lvla000.lvl");
    gPrevScreen = gScreen;
    screenRoadmapResetGfx();
    if (gPrevScreen == SCREEN_GAME) deletegamestuff_dynamic();
    loadRoadmapPictures();
    if (gPrevScreen != SCREEN_MENU) reload_menu_BG();
    gInputEnabled = 1;
    gRunPopup = 0;
    gStatePopup = 0;
    gPaused = -1;
    playMusic("titel.ogg");
    gScreen = SCREEN_ROADMAP;
    fadeIn();
    DebugLog("<- screenRoadmapPrepare()");
    return 0;
}

int screenRoadmapFrame() {
    SetColor(gFadeLevel, gFadeLevel, gFadeLevel);
    SetBlend(BLEND_ALPHA);
    SetAlpha(1);
    updateDrawParticles();
    SetDrawScale(1, 1);
    paintIfLoaded(imgRoadmap, 0, 0);

    const TSpieler& pl = curPlayer();
    roadmapFrames++;
    if (roadmapFrames == 20 && pl.StoryLevel == 1 && pl.isStoryFinished == 0) openPopup(112);

    drawWaypoints();
    hoverAndPick();
    gButtonGroup = (gRunPopup > 0 || gStatePopup > 0) ? 2 : 1;

    if (button(120, 600, 3, 1, gLang.getValue("menu")) == 3) gotoScreen(SCREEN_MENU, 0);
    if (button(120, 660, 3, 1, gLang.getValue("help")) == 3) openPopup(112);
    if (button(120, 720, 3, 1, gLang.getValue("startgame")) == 3) {
        TSpieler& p = curPlayer();
        p.Level = p.isResume == 1 ? p.resumeLevel : p.StoryLevel;
        startLevelFromRoadmap();
    }
    popupDriver();
    return 0;
}
