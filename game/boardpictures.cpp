// Pictures the rules and particles need, and the pointer test used for picking.
#include "game/boardpictures.h"

#include "app/globals.h"
#include "platform/platform.h"

#include <string>

TBild imgPiece[16];
TBild imgCellMask;
TBild imgPointerProbe;
TBild imgPuHolder[5];
TBild imgPuHolderOff[5];

Picture* pictureOf(TBild& img) { return img.isLoaded ? img.data.get() : nullptr; }

void paintIfLoaded(TBild& img, float x, float y) {
    if (img.isLoaded) img.PaintXY(x, y);
}

bool pointerOverPoint(float x, float y) {
    Picture* probe = pictureOf(imgPointerProbe);
    Picture* mask = pictureOf(imgCellMask);
    if (!probe || !mask) return false;
    // Unscaled and unrotated, the rectangles must meet before any pixel can; most
    // pieces are far from the pointer, so this saves the full test for them.
    float sx, sy;
    ReadScale(sx, sy);
    if (sx != 1.0f || sy != 1.0f || ReadRotation() != 0.0f)
        return PicturesOverlap(probe, static_cast<float>(gMouseX), static_cast<float>(gMouseY), 0, mask, x, y, 0) != 0;
    float phx, phy, mhx, mhy;
    ReadPictureHandle(probe, phx, phy);
    ReadPictureHandle(mask, mhx, mhy);
    const float px0 = gMouseX - phx, py0 = gMouseY - phy;
    const float mx0 = x - mhx, my0 = y - mhy;
    if (px0 >= mx0 + PictureWidth(mask) || mx0 >= px0 + PictureWidth(probe)) return false;
    if (py0 >= my0 + PictureHeight(mask) || my0 >= py0 + PictureHeight(probe)) return false;
    return PicturesOverlap(probe, static_cast<float>(gMouseX), static_cast<float>(gMouseY), 0, mask, x, y, 0) != 0;
}

void loadBoardPictures() {
    for (int n = 1; n <= 15; n++) {
        imgPiece[n].LoadFromDisk("data/match3/item1-" + std::to_string(n) + ".png", -1);
        imgPiece[n].Center();
    }
    imgCellMask.LoadFromDisk("data/match3/cellmask.png", -1);
    imgCellMask.Center();
    imgPointerProbe.LoadFromDisk("data/UI/coll.png", -1);
    for (int k = 1; k <= 4; k++) {
        imgPuHolder[k].LoadFromDisk("data/pu/puholder" + std::to_string(k) + ".png", -1);
        imgPuHolder[k].Center();
        imgPuHolderOff[k].LoadFromDisk("data/pu/puholder" + std::to_string(k) + "off.png", -1);
        imgPuHolderOff[k].Center();
    }
}
