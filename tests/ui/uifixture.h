// Fixtures of the UI tests: a headless display in the generated installation
// folder, and resetting the UI state the game keeps between runs.
#pragma once
#include "tests/harness/harness.h"

#include <string>

namespace uitest {

// The generated installation folder (with data/).
std::string gameDir();
// Puts the popup, button and menu state back to launch values and empties the
// menu pictures and branding tables, so each test starts clean.
void resetUiState();

// Makes the generated installation folder the working folder for its lifetime.
class InGameFolder {
  public:
    InGameFolder();
    ~InGameFolder();
    InGameFolder(const InGameFolder&) = delete;
    InGameFolder& operator=(const InGameFolder&) = delete;

  private:
    std::string oldDir_;
};

// Headless display, working folder = the game folder, fonts, texts and menu
// pictures loaded; the input snapshot is taken as the game takes it.
class UiTest : public harness::HeadlessTest {
  protected:
    void SetUp() override;
    void TearDown() override;
    // Takes the input snapshot of one frame from the SDL queue (frameUpdate).
    void snapshot();

  private:
    InGameFolder folder_;
};

} // namespace uitest
