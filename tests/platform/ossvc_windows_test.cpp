// On Windows: the single-instance lock (taken by second processes of this
// test program), the per-user application-data folder, the installation
// folder.
#include "platform/platform.h"
#include "tests/platform/lockchild.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

const char* const kChildLock = "VARNOKA_TEST_CHILD_LOCK";
const char* const kChildHold = "VARNOKA_TEST_CHILD_HOLD";

// This test program again, running only the child's side below: it tries to
// take the lock, and ends with 1 when it got it, 0 when refused. A holding
// child signals the named event instead and waits to be ended.
class LockChild {
  public:
    LockChild(const std::string& name, bool hold) {
        wchar_t exe[MAX_PATH];
        GetModuleFileNameW(nullptr, exe, MAX_PATH);
        std::wstring command = L"\"" + std::wstring(exe) +
                               L"\" --gtest_also_run_disabled_tests --gtest_filter=InstanceLockChild.DISABLED_Run";
        SetEnvironmentVariableA(kChildLock, name.c_str());
        SetEnvironmentVariableA(kChildHold, hold ? "1" : nullptr);
        STARTUPINFOW si{};
        si.cb = sizeof si;
        started_ = CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi_);
        SetEnvironmentVariableA(kChildLock, nullptr);
        SetEnvironmentVariableA(kChildHold, nullptr);
    }
    ~LockChild() {
        if (!started_) return;
        TerminateProcess(pi_.hProcess, 99);
        CloseHandle(pi_.hThread);
        CloseHandle(pi_.hProcess);
    }
    // The exit code, -1 when the child did not start or end in time.
    int exitCode() {
        DWORD code = 0;
        if (!started_ || WaitForSingleObject(pi_.hProcess, 60000) != WAIT_OBJECT_0 ||
            !GetExitCodeProcess(pi_.hProcess, &code))
            return -1;
        return static_cast<int>(code);
    }
    // Ends the child at once, as a crash would: no clean-up runs.
    void terminate() {
        TerminateProcess(pi_.hProcess, 99);
        WaitForSingleObject(pi_.hProcess, 60000);
    }

  private:
    bool started_ = false;
    PROCESS_INFORMATION pi_{};
};

std::wstring heldEventName(const std::string& lock) { return L"varnoka-test-held-" + std::wstring(lock.begin(), lock.end()); }

} // namespace

// A second process of this test program tries the lock.
int acquireInChild(const std::string& name) { return LockChild(name, false).exitCode(); }

TEST(InstanceLockChild, DISABLED_Run) {
    const char* name = std::getenv(kChildLock);
    if (!name) return;
    const bool taken = AcquireInstanceLock(name);
    if (!std::getenv(kChildHold)) ExitProcess(taken ? 1 : 0);
    if (HANDLE held = OpenEventW(EVENT_MODIFY_STATE, FALSE, heldEventName(name).c_str())) SetEvent(held);
    Sleep(INFINITE);
}

TEST(InstanceLock, FreedWhenTheHolderIsTerminated) {
    const std::string name = "test-dies-" + std::to_string(GetCurrentProcessId());
    HANDLE held = CreateEventW(nullptr, TRUE, FALSE, heldEventName(name).c_str());
    ASSERT_NE(held, nullptr);
    {
        LockChild holder(name, true);
        ASSERT_EQ(WaitForSingleObject(held, 60000), WAIT_OBJECT_0) << "the child took the lock";
        EXPECT_FALSE(AcquireInstanceLock(name)) << "held by the child";
        holder.terminate();
    }
    CloseHandle(held);
    EXPECT_TRUE(AcquireInstanceLock(name));
    ReleaseInstanceLock();
}

namespace {

struct AppDataVariable {
    std::string old;
    bool had;
    explicit AppDataVariable(const char* value) {
        const char* o = std::getenv("APPDATA");
        had = o != nullptr;
        if (had) old = o;
        SetEnvironmentVariableA("APPDATA", value);
    }
    ~AppDataVariable() { SetEnvironmentVariableA("APPDATA", had ? old.c_str() : nullptr); }
};

} // namespace

TEST(AppDataFolder, PerUserFolderWithSlashesAndATrailingSlash) {
    {
        AppDataVariable appData("C:\\Users\\Player\\AppData\\Roaming");
        EXPECT_EQ(SharedAppDataFolder(), "C:/Users/Player/AppData/Roaming/");
    }
    {
        AppDataVariable appData("D:\\Profiles\\P2\\");
        EXPECT_EQ(SharedAppDataFolder(), "D:/Profiles/P2/");
    }
    {
        AppDataVariable appData(nullptr);
        const std::string asked = SharedAppDataFolder();
        ASSERT_FALSE(asked.empty()) << "the system names the folder without the variable";
        EXPECT_EQ(asked.back(), '/');
        EXPECT_EQ(asked.find('\\'), std::string::npos);
    }
}

TEST(InstallLookup, TheProgramFolderIsTheOnlyCandidate) {
    const std::string program = ProgramFolder();
    ASSERT_FALSE(program.empty());
    EXPECT_EQ(program.back(), '/');
    EXPECT_TRUE(std::filesystem::exists(program + "test_platform.exe"));
    EXPECT_EQ(InstallationFolderCandidates(program), std::vector<std::string>{program});
    EXPECT_EQ(InstallationFolderCandidates("C:/Games/Varnoka"), std::vector<std::string>{"C:/Games/Varnoka/"});
    EXPECT_TRUE(InstallationFolderCandidates("").empty());
}

TEST(InstallLookup, FolderHoldingTheDataIsFoundInAnyLetterCase) {
    const std::string root =
        (std::filesystem::temp_directory_path() / ("varnoka-lookup-" + std::to_string(GetCurrentProcessId())))
            .generic_string() + "/";
    std::filesystem::create_directories(root + "Data/TEXTS");
    EXPECT_EQ(FindInstallationFolder(root), "") << "no text table yet";
    std::ofstream(root + "Data/TEXTS/CodeTexts.txt") << "key=value\r\n";
    EXPECT_EQ(FindInstallationFolder(root), root);
    std::filesystem::remove_all(root);
}
