// Which piece picture a kind uses in a level.
#pragma once

// Picture index 1..15 of a piece kind; kinds 1, 2, 3 and 5 change with the last
// digit of the level; every other kind keeps its own number.
int pieceImageIndex(int level, int kind);
// Draws the picture of a piece kind of the current profile's level at (x, y)
// with the current drawing state; kinds without a picture draw nothing.
void drawPiecePicture(int kind, float x, float y);
