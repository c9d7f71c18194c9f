// A headless test that runs the game's loaders from the generated installation
// folder, with its relative "data/..." paths, as the game does.
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "tests/content/contentfiles.h"
#include "tests/harness/harness.h"

namespace contenttest {

class GameFolderTest : public harness::HeadlessTest {
  protected:
    void SetUp() override {
        char buf[4096];
        ASSERT_NE(getcwd(buf, sizeof buf), nullptr);
        oldDir_ = buf;
        ASSERT_EQ(chdir(gameDir().c_str()), 0);
    }
    void TearDown() override { ASSERT_EQ(chdir(oldDir_.c_str()), 0); }

  private:
    std::string oldDir_;
};

} // namespace contenttest
