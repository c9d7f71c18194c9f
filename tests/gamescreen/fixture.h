// A headless game with the generated data folder, every picture the loading
// screen would load, and one fresh player profile in slot 1.
#pragma once
#include "tests/harness/harness.h"

#include <filesystem>
#include <string>

namespace gs {

class GameFixture : public harness::HeadlessTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Enters a screen the way the fade switch does and runs frames until it is
    // current and fully bright.
    void enter(int screen);
    // Runs frames until the screen is current (at most limit frames).
    bool stepUntilScreen(int screen, int limit = 40);
    // Runs frames until gRunPopup is 16 (at most 40).
    bool stepUntilPopupOpen();
    // Runs frames until gameFrame reaches n (at most 2 * n + 40 frames).
    void stepToGameFrame(int n);
    // A click that lasts one frame at (x, y).
    void clickAt(int x, int y);
    void saveFrame(const std::string& name);

    std::filesystem::path oldCwd;
};

} // namespace gs
