// The single-instance lock at start-up, with a second copy of the game in a
// forked child.
#include "app/globals.h"
#include "app/mainloop.h"
#include "tests/harness/game.h"
#include "tests/harness/harness.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class ShellLockTest : public harness::HeadlessTest {
  protected:
    void TearDown() override { game::stop(); }
};

} // namespace

TEST_F(ShellLockTest, SecondCopyEndsAtOnceWithoutTouchingAnything) {
    const std::string lock = "ZWH-test-" + std::to_string(getpid());
    ASSERT_TRUE(AcquireInstanceLock(lock));
    pid_t pid = fork();
    if (pid == 0) {
        gInstanceLockName = lock;
        int rc = startUp();
        // 0 = ended at once: refused, no save folder, no display of its own.
        _exit(rc == 1 && !fs::exists(env.saveDir()) && gSaveDir.empty() ? 0 : 1);
    }
    int status = -1;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    ReleaseInstanceLock();
}
