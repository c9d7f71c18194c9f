// A headless board for the drawing and power-up tests: runs from the generated
// installation folder, loads the game's pictures and a real level, and draws
// frames the way the game screen does.
#pragma once
#include "tests/harness/harness.h"

#include <string>

namespace bdtest {

class BoardDrawTest : public harness::HeadlessTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Loads level `level` into the board, builds its level picture and lets the
    // pieces settle into their cells.
    void loadLevel(int level);
    // Empties the board: no cells, no pieces, no columns.
    void clearBoard();
    // One drawn board frame: underlay and pieces at the given board alpha.
    void drawBoard(float alpha = 1.0f);
    // One game-screen frame as far as this code is concerned: the rules'
    // gravity, the board, the power-up bar, the particles; the frame counters
    // move on and the frame is presented. The click state is the caller's.
    void gameFrameStep();
    void gameFrames(int n);
    // Saves the presented frame under build-test/frames/ (name without ".png").
    void saveFrame(const std::string& name);

  private:
    std::string oldDir_;
};

// The folder the game's generated data lives in.
std::string gameFolder();

} // namespace bdtest

#include "app/tbild.h"
#include "tests/harness/harness.h"

namespace bdtest {

// Gives a wrapper a solid w x h picture of one colour, handle as given.
void setSolidPicture(TBild& img, int w, int h, int r, int g, int b, bool centred);
// Bounding box of the pixels of the presented frame that are not black; false
// when every pixel is black.
bool litBox(const harness::Frame& f, int& x0, int& y0, int& x1, int& y1);

} // namespace bdtest
