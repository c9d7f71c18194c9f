// The single-instance lock, the memory figure and the debug log, the same on
// every system.
#include "platform/debuglog.h"
#include "platform/platform.h"
#include "tests/platform/lockchild.h"

#include <gtest/gtest.h>

#include <string>
#include <unistd.h>
#include <vector>

TEST(InstanceLock, SecondHolderRefusedUntilReleased) {
    const std::string name = "test-" + std::to_string(getpid());
    EXPECT_EQ(acquireInChild(name), 1) << "free before anyone holds it";
    ASSERT_TRUE(AcquireInstanceLock(name));
    EXPECT_EQ(acquireInChild(name), 0) << "another process is refused while held";
    EXPECT_EQ(acquireInChild(name + "-other"), 1) << "other names are independent";
    ReleaseInstanceLock();
    EXPECT_EQ(acquireInChild(name), 1);
}

TEST(ProcessInfo, MemoryIsResidentSize) {
    long long before = ProcessMemoryBytes();
    EXPECT_GT(before, 0);
    std::vector<char> block(64 << 20, 1); // touched, so resident
    EXPECT_GT(ProcessMemoryBytes(), before + (32 << 20));
}

TEST(DebugLogLines, NumberedAndOnlyKeptWhileCapturing) {
    DebugLog("not kept");
    DebugLogCapture(true);
    DebugLogClear();
    DebugLog("first");
    DebugLog("second");
    DebugLogCapture(false);
    DebugLog("after");
    const auto& lines = DebugLogLines();
    ASSERT_EQ(lines.size(), 2u);
    size_t colon = lines[0].find(": ");
    ASSERT_NE(colon, std::string::npos);
    int n = std::stoi(lines[0].substr(0, colon));
    EXPECT_EQ(lines[0], std::to_string(n) + ": first");
    EXPECT_EQ(lines[1], std::to_string(n + 1) + ": second");
    DebugLogClear();
}
