// A headless game started from the generated installation folder and brought
// to the main menu with every picture the popups draw, plus small input helpers.
#pragma once
#include <string>

#include "tests/harness/harness.h"

namespace popuptest {

class PopupTest : public harness::HeadlessTest {
  protected:
    void SetUp() override;
    void TearDown() override;

  private:
    std::string oldDir_;
};

// Loads what the loading screen loads and enters the main menu.
void enterMenuQuickly();
// Steps until the popup is fully open (or closed); false after 60 frames.
bool stepUntilOpen();
bool stepUntilClosed();
// A click at (x, y) seen by the next frame.
void clickStep(int x, int y);
// Presses a key (hit and release) and runs one frame.
void keyStep(int vk);
// Opens a popup through openPopup and waits until it is fully open.
void openFully(int id);
// Gives slot s a name and story points (in memory only).
void makePlayer(int slot, const std::string& name, int points, int level = 1);
// Saves the frame as build-test/frames/<name>.png.
void saveFrame(const std::string& name);
// The 32-bit little-endian integers of a file, and its bytes.
std::string readFile(const std::string& path);

} // namespace popuptest
