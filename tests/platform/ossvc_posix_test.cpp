// On POSIX systems: the single-instance lock, the application-data folder, the
// installation folder.
#include "platform/platform.h"
#include "tests/platform/lockchild.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

// A forked child tries the lock.
int acquireInChild(const std::string& name) {
    pid_t pid = fork();
    if (pid == 0) _exit(AcquireInstanceLock(name) ? 1 : 0);
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

namespace {

struct EnvVar {
    std::string name;
    std::string old;
    bool had;
    EnvVar(const char* n, const char* value) : name(n) {
        const char* o = std::getenv(n);
        had = o != nullptr;
        if (had) old = o;
        if (value)
            setenv(n, value, 1);
        else
            unsetenv(n);
    }
    ~EnvVar() {
        if (had)
            setenv(name.c_str(), old.c_str(), 1);
        else
            unsetenv(name.c_str());
    }
};

} // namespace

TEST(InstanceLock, FreedWhenTheHolderDies) {
    const std::string name = "test-dies-" + std::to_string(getpid());
    pid_t holder = fork();
    if (holder == 0) {
        AcquireInstanceLock(name);
        abort(); // no clean-up runs
    }
    int status = 0;
    waitpid(holder, &status, 0);
    EXPECT_TRUE(AcquireInstanceLock(name));
    ReleaseInstanceLock();
}

// Each user has their own saves, so another user's running game must not keep
// this one out (a user switch on a shared computer). Switching users needs
// root; elsewhere the test has nothing to show.
TEST(InstanceLock, EachUserHasTheirOwn) {
    if (geteuid() != 0) GTEST_SKIP() << "needs root to play a second user";
    const std::string name = "test-users-" + std::to_string(getpid());
    ASSERT_TRUE(AcquireInstanceLock(name));
    auto asUser = [&](uid_t uid) {
        pid_t pid = fork();
        if (pid == 0) _exit(setuid(uid) == 0 && AcquireInstanceLock(name) ? 1 : 0);
        int status = 0;
        waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    EXPECT_EQ(asUser(65534), 1) << "another user starts their own game";
    EXPECT_EQ(asUser(0), 0) << "the same user stays kept out";
    ReleaseInstanceLock();
}

TEST(AppDataFolder, XdgThenHomeWithTrailingSlash) {
    {
        EnvVar xdg("XDG_DATA_HOME", "/srv/data");
        EXPECT_EQ(SharedAppDataFolder(), "/srv/data/");
    }
    {
        EnvVar xdg("XDG_DATA_HOME", "relative/ignored");
        EnvVar home("HOME", "/home/player");
        EXPECT_EQ(SharedAppDataFolder(), "/home/player/.local/share/");
    }
    {
        EnvVar xdg("XDG_DATA_HOME", nullptr);
        EnvVar home("HOME", "/home/p2/");
        EXPECT_EQ(SharedAppDataFolder(), "/home/p2//.local/share/");
    }
}

namespace {

// A folder tree for the installation-folder lookup: the program in
// <root>/prefix/bin/, the XDG folders below <root>/xdg/.
class InstallLookup : public ::testing::Test {
  protected:
    void SetUp() override {
        char tmpl[] = "/tmp/varnoka-lookup-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        root = std::string(tmpl) + "/";
        program = root + "prefix/bin/";
        std::filesystem::create_directories(program);
    }
    void TearDown() override { std::filesystem::remove_all(root); }
    // Makes folder an installation folder (its text table spelt as given).
    void install(const std::string& folder, const std::string& marker = "data/texts/codetexts.txt") {
        std::filesystem::create_directories(std::filesystem::path(root + folder + marker).parent_path());
        std::ofstream(root + folder + marker) << "key=value\r\n";
    }
    std::string root, program;
};

} // namespace

TEST_F(InstallLookup, CandidatesFollowTheProgramThenXdgDataHomeThenXdgDataDirs) {
    EnvVar home("XDG_DATA_HOME", (root + "xdg/home").c_str());
    {
        EnvVar dirs("XDG_DATA_DIRS", (root + "xdg/a:relative/ignored:" + root + "xdg/b/").c_str());
        EXPECT_EQ(InstallationFolderCandidates(program),
                  (std::vector<std::string>{program, program + VARNOKA_DATA_FROM_PROGRAM "/",
                                            root + "xdg/home/varnoka/", root + "xdg/a/varnoka/",
                                            root + "xdg/b/varnoka/"}));
    }
    EnvVar dirs("XDG_DATA_DIRS", nullptr);
    EXPECT_EQ(InstallationFolderCandidates(""),
              (std::vector<std::string>{root + "xdg/home/varnoka/", "/usr/local/share/varnoka/",
                                        "/usr/share/varnoka/"}))
        << "no program folder; the usual system data folders";
}

TEST_F(InstallLookup, FirstFolderHoldingTheDataWins) {
    EnvVar home("XDG_DATA_HOME", (root + "xdg/home").c_str());
    EnvVar dirs("XDG_DATA_DIRS", (root + "xdg/a:" + root + "xdg/b").c_str());
    EXPECT_EQ(FindInstallationFolder(program), "") << "nothing installed anywhere";

    install("xdg/b/varnoka/");
    EXPECT_EQ(FindInstallationFolder(program), root + "xdg/b/varnoka/");
    install("xdg/a/varnoka/", "Data/TEXTS/CodeTexts.txt");
    EXPECT_EQ(FindInstallationFolder(program), root + "xdg/a/varnoka/") << "letter case does not matter";
    install("xdg/home/varnoka/");
    EXPECT_EQ(FindInstallationFolder(program), root + "xdg/home/varnoka/");
    install("prefix/bin/" VARNOKA_DATA_FROM_PROGRAM "/");
    EXPECT_EQ(FindInstallationFolder(program), program + VARNOKA_DATA_FROM_PROGRAM "/")
        << "installed with the program";
    install("prefix/bin/");
    EXPECT_EQ(FindInstallationFolder(program), program) << "a copy run from its own folder";
}

TEST_F(InstallLookup, AStrayDataFolderIsNoInstallation) {
    EnvVar home("XDG_DATA_HOME", (root + "xdg/home").c_str());
    EnvVar dirs("XDG_DATA_DIRS", (root + "xdg/a").c_str());
    std::filesystem::create_directories(program + "data/texts");
    install("xdg/a/varnoka/");
    EXPECT_EQ(FindInstallationFolder(program), root + "xdg/a/varnoka/");
}
