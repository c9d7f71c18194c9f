#include "board_fixture.h"

#include "app/globals.h"
#include "game/boardpictures.h"
#include "game/gamestate.h"
#include "game/particles.h"
#include "game/rulesframe.h"
#include "game/score.h"
#include "match3/rules.h"
#include "persist/profile.h"
#include "platform/platform.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace m3test {

namespace {

int codeOf(char ch) {
    switch (ch) {
    case 'o': return 0;
    case 'B': return 2;
    case 'M': return 3;
    case 'S': return 4;
    case 'D': return 5;
    default: return -1;
    }
}

void writeValues(int level, const std::vector<int>& values, int count) {
    fs::create_directories("data/levels");
    std::ofstream out(levelFileName(level), std::ios::binary);
    for (int i = 0; i < count; i++) {
        const uint32_t v = static_cast<uint32_t>(values[i]);
        const char b[4] = {char(v & 255), char((v >> 8) & 255), char((v >> 16) & 255), char((v >> 24) & 255)};
        out.write(b, 4);
    }
}

} // namespace

void writeRawLevel(int level, const std::vector<int>& values) { writeValues(level, values, 260); }

void writeShortLevel(int level, const std::vector<int>& values, int count) { writeValues(level, values, count); }

void writeLevel(int level, const std::vector<std::string>& rows) {
    std::vector<int> v(260, -1);
    for (size_t r = 0; r < rows.size() && r < 12; r++)
        for (size_t c = 0; c < rows[r].size() && c < 19; c++) v[(r + 1) * 20 + (c + 1)] = codeOf(rows[r][c]);
    writeRawLevel(level, v);
}

int gridX(int col) { return 48 * (col + 2) - 16; }
int gridY(int row) { return 48 * (row + 2) - 20; }

void makeSolidPicture(TBild& img, int w, int h, bool centre) {
    img.data = NewBlankPicture(w, h, 1, 0);
    Pixmap* pm = LockFrame(img.data.get(), 0, 1, 1);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            uint8_t* p = pm->at(x, y);
            p[0] = p[1] = p[2] = p[3] = 255;
        }
    UnlockFrame(img.data.get(), 0);
    if (centre) CentrePictureHandle(img.data.get());
    img.isLoaded = 1;
}

void makePickingPictures() {
    if (!imgCellMask.isLoaded) makeSolidPicture(imgCellMask, 44, 44, true);
    if (!imgPointerProbe.isLoaded) makeSolidPicture(imgPointerProbe, 1, 1, false);
}

void BoardTest::SetUp() {
    oldDir_ = fs::current_path().string();
    char tmpl[] = "/tmp/m3testXXXXXX";
    tempDir_ = mkdtemp(tmpl);
    fs::current_path(tempDir_);
    SeedRandom(12345);
    makePickingPictures();
    gCurPl = 1;
    gPlayers[1] = TSpieler();
    gPlayers[1].maxItemsToDestroy = 5;
    gFrameCount = 0;
    gFPS = 40;
    gMouseX = gMouseY = -500;
    gMouseDown = 0;
    gMouseHeldFrames = 0;
    gRunPopup = 0;
    gPaused = -1;
    gScreen = SCREEN_GAME;
    winCounter = 0;
    stoneSoundX = mossSoundX = -1;
    powerUpBusy = 0;
    for (int k = 0; k <= 4; k++) puState[k] = puVisible[k] = 0;
    shuffleRadius = 0;
    idleFrames = 0;
    hintPiece1 = 0;
    itemScanBound = 259;
    clearParticles();
    clearFloatTexts();
}

void BoardTest::TearDown() {
    fs::current_path(oldDir_);
    std::error_code ec;
    fs::remove_all(tempDir_, ec);
}

void BoardTest::load(const std::vector<std::string>& rows, int level, int gameType) {
    writeLevel(level, rows);
    TSpieler& pl = curPlayer();
    pl.Level = level;
    pl.gtGameType = gameType;
    Match3_LoadLevelFromDisk();
    gravityPass(); // links the pieces to their cells; nothing moves this early
    gameFrame = 200;
}

void BoardTest::setKinds(const std::vector<std::string>& rows) {
    for (size_t r = 0; r < rows.size(); r++)
        for (size_t c = 0; c < rows[r].size(); c++) {
            const char ch = rows[r][c];
            int kind = 0;
            if (ch >= '1' && ch <= '5') kind = ch - '0';
            if (ch == 'b') kind = KIND_BOMB;
            if (ch == 'j') kind = KIND_JOKER;
            if (ch == 'B') kind = KIND_BEETLE;
            if (kind == 0) continue;
            const int s = itemAt(int(r), int(c));
            if (s == 0) continue;
            itemKind[s] = kind;
            itemKaefCol[s] = kind == KIND_BEETLE ? 1 : -1;
        }
}

int BoardTest::itemAt(int row, int col) const {
    for (int s = 1; s <= kItems; s++)
        if (isBoardPiece(itemKind[s]) && itemX[s] == gridX(col) && itemY[s] == gridY(row)) return s;
    return 0;
}

int BoardTest::kindAt(int row, int col) const {
    const int s = itemAt(row, col);
    return s ? itemKind[s] : 0;
}

int BoardTest::cellAt(int row, int col) const {
    for (int c = 1; c <= kCells; c++)
        if (cellActive[c] && cellX[c] == gridX(col) && cellY[c] == gridY(row)) return c;
    return 0;
}

int BoardTest::piecesInColumn(int col) const {
    int n = 0;
    for (int s = 1; s <= kItems; s++)
        if (isBoardPiece(itemKind[s]) && itemX[s] == gridX(col)) n++;
    return n;
}

void BoardTest::step(int frames) {
    for (int f = 0; f < frames; f++) {
        gameFrame += 1;
        gFrameCount += 1;
        gMouseHeldFrames = gMouseDown ? gMouseHeldFrames + 1 : 0;
        itemScanBound = 259;
        stoneSoundX = mossSoundX = -1;
        runRulesFrame();
    }
}

void BoardTest::settle(int limit) {
    for (int f = 0; f < limit; f++) {
        bool moving = false;
        for (int s = 1; s <= kItems; s++)
            if (isBoardPiece(itemKind[s]) && itemKind[s] != KIND_STONE && itemKind[s] != KIND_DOOR &&
                (itemFalling[s] != 0 || itemCell[s] == 0))
                moving = true;
        if (!moving && f > 0) return;
        step();
    }
}

void BoardTest::pointTo(int row, int col) {
    gMouseX = gridX(col);
    gMouseY = gridY(row);
}

void BoardTest::pointAway() { gMouseX = gMouseY = -500; }

void BoardTest::press() { gMouseDown = 1; }

void BoardTest::release() {
    gMouseDown = 0;
    gMouseHeldFrames = 0;
}

void BoardTest::clickAt(int row, int col) {
    pointTo(row, col);
    press();
    step();
    release();
    pointAway();
}

void BoardTest::drag(const std::vector<std::pair<int, int>>& cells) {
    press();
    for (auto [r, c] : cells) {
        pointTo(r, c);
        step();
    }
    release();
    step();
    pointAway();
}

} // namespace m3test
