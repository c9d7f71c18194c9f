// The piece picture of a kind: kinds 1, 2, 3 and 5 change their look with the
// last digit of the level.
#include "game/pieceimage.h"

#include "game/boardpictures.h"
#include "persist/profile.h"

int pieceImageIndex(int level, int kind) {
    // Rows for level mod 10 = 3..9: the pictures of kinds 1, 2, 3 and 5. The
    // second look of kind 2 is picture 14; picture 12 belongs to the joker.
    static const int kLooks[7][4] = {
        {11, 2, 3, 5},    {11, 14, 3, 5},  {11, 14, 13, 5}, {11, 14, 13, 15},
        {1, 14, 13, 15},  {1, 2, 13, 15},  {1, 2, 3, 15},
    };
    const int c = level % 10;
    if (c < 3) return kind; // also negative levels
    const int* row = kLooks[c - 3];
    switch (kind) {
    case 1: return row[0];
    case 2: return row[1];
    case 3: return row[2];
    case 5: return row[3];
    default: return kind;
    }
}

void drawPiecePicture(int kind, float x, float y) {
    const int n = pieceImageIndex(curPlayer().Level, kind);
    if (n >= 1 && n <= 15) paintIfLoaded(imgPiece[n], x, y);
}
