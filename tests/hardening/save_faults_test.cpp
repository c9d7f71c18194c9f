// Saves under faults. Killed at random moments while saving, every save file
// afterwards is one whole version, old or new, and what the kills left behind
// is cleared at the next start. With the disk full or the save folder
// unwritable the old files stay as they were and the game goes on.
#include "app/globals.h"
#include "app/mainloop.h"
#include "persist/besttimes.h"
#include "persist/config.h"
#include "persist/profile.h"
#include "platform/platform.h"
#include "tests/hardening/child.h"
#include "tests/hardening/damage.h"
#include "tests/hardening/saves.h"
#include "tests/hardening/session.h"
#include "tests/harness/game.h"
#include "tests/harness/harness.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <sched.h>
#include <sstream>
#include <sys/mount.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace hardening {
namespace {

namespace fs = std::filesystem;

// ---------------------------------------------------------------------------
// Killed while saving

// One of two versions of the profile, the settings and the best times, told
// apart by every file's contents (and the profile also by its length).
void saveVersion(int v) {
    static auto profile = std::make_unique<TSpieler>();
    profile->setUrl(gSaveDir + "players1.ppp");
    profile->Erase();
    profile->name = v ? "Annabel Long" : "Al";
    profile->StoryLevel = v ? 40 : 3;
    profile->Level = profile->StoryLevel;
    profile->StoryPoints = v ? 123456 : 789;
    for (int i = 1; i <= kBoardSlots; i++)
        profile->resumeItemX[i] = v ? i : -i;
    profile->SaveToDisk();
    gConfig.setUrl(gSaveDir + "settings.txt");
    gConfig.Reset();
    gConfig.musiklautsoll = v ? 280 : 7;
    gCurPl = v ? 1 : 2;
    gConfig.SaveToDisk();
    for (int l = 1; l <= 100; l++) {
        gBestTime[l] = v ? 3 * l : -1;
        gBestName[l] = v ? "Annabel Long" : "";
    }
    saveBestTimes();
}

const char* const kSaveFiles[] = {"players1.ppp", "settings.txt", "besttimes.ppp"};

int tempFilesIn(const std::string& folder) {
    int n = 0;
    for (const auto& e : fs::directory_iterator(folder))
        n += e.path().filename().string().find(".tmp") != std::string::npos;
    return n;
}

TEST(SaveFaults, KilledWhileSavingEveryFileIsOneWholeVersion) {
    constexpr int kKills = 1000;
    // In memory when the machine has a tmpfs, so that a round of saves takes
    // little time and many rounds are cut; a kill leaves the page cache as it
    // is on any file system.
    const char* tmp = std::getenv("TMPDIR");
    const std::string oldTmp = tmp ? tmp : "";
    if (access("/dev/shm", W_OK) == 0) setenv("TMPDIR", "/dev/shm", 1);
    harness::HeadlessEnv env(false);
    if (tmp)
        setenv("TMPDIR", oldTmp.c_str(), 1);
    else
        unsetenv("TMPDIR");
    gSaveDir = env.dataHome();
    // The bytes of both versions.
    std::string version[2][3];
    for (int v : {1, 0}) {
        saveVersion(v);
        for (int f = 0; f < 3; f++)
            version[v][f] = fileBytes(gSaveDir + kSaveFiles[f]);
    }
    ASSERT_NE(version[0][0].size(), version[1][0].size());

    // How long one round of saving both versions takes, to kill within it.
    const auto t0 = std::chrono::steady_clock::now();
    for (int i = 0; i < 5; i++) {
        saveVersion(1);
        saveVersion(0);
    }
    const long roundMicros = std::max<long>(
        50,
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - t0).count() /
            5);

    std::mt19937 random(20260101);
    int counts[3][2] = {}, broken = 0;
    for (int kill = 0; kill < kKills; kill++) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (;;) {
                saveVersion(1);
                saveVersion(0);
            }
        }
        // Somewhere in the first few rounds: every moment of a round is hit.
        std::this_thread::sleep_for(std::chrono::microseconds(random() % (3 * roundMicros)));
        ::kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        for (int f = 0; f < 3; f++) {
            const std::string bytes = fileBytes(gSaveDir + kSaveFiles[f]);
            if (bytes == version[0][f]) {
                counts[f][0]++;
            } else if (bytes == version[1][f]) {
                counts[f][1]++;
            } else {
                broken++;
                ADD_FAILURE() << kSaveFiles[f] << " after kill " << kill << " is neither version ("
                              << bytes.size() << " bytes)";
            }
        }
        if (broken > 10) break;
    }
    // The game's own readers take what is there.
    auto loaded = std::make_unique<TSpieler>();
    loaded->setUrl(gSaveDir + "players1.ppp");
    loaded->LoadFromDisk();
    EXPECT_TRUE(loaded->name == "Al" || loaded->name == "Annabel Long") << loaded->name;
    const int leftBehind = tempFilesIn(gSaveDir);
    std::printf("%d kills while saving (a round of saves takes %ld us); old / new version afterwards: "
                "profile %d / %d, settings %d / %d, best times %d / %d; %d broken; %d temporary files left\n",
                kKills, roundMicros, counts[0][0], counts[0][1], counts[1][0], counts[1][1], counts[2][0],
                counts[2][1], broken, leftBehind);
    for (int f = 0; f < 3; f++) {
        EXPECT_GT(counts[f][0], 0) << kSaveFiles[f];
        EXPECT_GT(counts[f][1], 0) << kSaveFiles[f];
    }
    // The next start clears what the kills left.
    EXPECT_EQ(RemoveUnfinishedWrites(gSaveDir), leftBehind);
    EXPECT_EQ(tempFilesIn(gSaveDir), 0);
    for (const char* f : kSaveFiles)
        EXPECT_TRUE(fs::exists(gSaveDir + f)) << f;
    gSaveDir.clear();
    gConfig = TConfig();
    gCurPl = -1;
}

TEST(SaveFaults, StartUpClearsTheTemporaryFilesOfInterruptedSaves) {
    harness::HeadlessEnv env;
    const auto oldCwd = fs::current_path();
    fs::current_path(VARNOKA_GAME_DIR);
    chooseSaveFolder();
    const std::string folder = gSaveDir;
    saveVersion(1);
    for (const char* stale : {"players1.ppp.tmpAb3dE9", "settings.txt.tmp000000"})
        std::fclose(std::fopen((folder + stale).c_str(), "wb"));
    const std::string keep = folder + "notes.tmp.txt";
    std::fclose(std::fopen(keep.c_str(), "wb"));
    ASSERT_TRUE(game::start());
    EXPECT_EQ(tempFilesIn(folder), 1) << "only the file that is no unfinished save stays";
    EXPECT_TRUE(fs::exists(keep));
    EXPECT_EQ(gPlayers[1].name, "Annabel Long");
    game::stop();
    fs::current_path(oldCwd);
}

// ---------------------------------------------------------------------------
// Full disk and unwritable save folder: a session of the game from saves, the
// fault set up in between.

std::map<std::string, std::string> folderContents(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::directory_iterator(folder))
        if (e.is_regular_file()) files[e.path().filename().string()] = fileBytes(e.path().string());
    return files;
}

// A tmpfs of its own over the folder, in a mount namespace of this process
// (in a user namespace of its own when the process may not mount).
bool mountSmallDisk(const std::string& folder) {
    const uid_t uid = getuid();
    const gid_t gid = getgid();
    if (unshare(CLONE_NEWNS) != 0) {
        if (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) return false;
        auto put = [](const char* file, const std::string& text) {
            const int fd = open(file, O_WRONLY);
            const bool ok =
                fd >= 0 && write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
            if (fd >= 0) close(fd);
            return ok;
        };
        put("/proc/self/setgroups", "deny");
        if (!put("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") ||
            !put("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1"))
            return false;
    }
    mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr);
    return mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=1m") == 0;
}

// Writes a file until the disk takes no more.
void fillDisk(const std::string& folder) {
    const int fd = open((folder + "filler").c_str(), O_WRONLY | O_CREAT, 0644);
    if (fd < 0) return;
    const std::vector<char> block(4096, 'x');
    while (write(fd, block.data(), block.size()) > 0) {
    }
    while (write(fd, block.data(), 1) > 0) {
    }
    close(fd);
}

// Makes the save folder unwritable. A process with root's rights writes
// anywhere, so it first becomes the unprivileged user "nobody" (its folders
// opened to that user).
void makeUnwritable(const std::string& saveFolder, const std::vector<std::string>& opened) {
    chmod(saveFolder.c_str(), 0555);
    if (geteuid() != 0) return;
    for (const std::string& f : opened)
        chmod(f.c_str(), 0755);
    if (setgid(65534) != 0 || setuid(65534) != 0) std::abort();
    prctl(PR_SET_DUMPABLE, 1); // the leak checker attaches to the process at its end
}

// Child task: the session from saves of a player at level 3 (won once with the
// developer key) under the fault VARNOKA_SAVE_FAULT. Prints the steps made, the
// levels won, the save folder used and what changed among the old files.
int saveFaultSession() {
    const std::string fault = std::getenv("VARNOKA_SAVE_FAULT") ? std::getenv("VARNOKA_SAVE_FAULT") : "";
    harness::HeadlessEnv env;
    game::InstallFolder linked;
    const std::string& install = linked.path();
    if (install.empty()) return 3;
    linkGameData();
    if (fault == "full-tmpfs" && !mountSmallDisk(env.dataHome())) {
        std::printf("skipped: this machine lets the test mount no small disk\n");
        return 0;
    }
    writeSaves({{kSessionPlayer, 3}, {"Bo", 8}});
    const std::string saveFolder = gSaveDir;
    gBestTime[3] = 5000;
    gBestName[3] = "Bo";
    saveBestTimes();
    const auto before = folderContents(saveFolder);

    rlimit oldLimit{};
    if (fault == "full-file-limit") {
        // Each write beyond the limit fails as on a full disk.
        signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &oldLimit);
        rlimit none = oldLimit;
        none.rlim_cur = 0;
        setrlimit(RLIMIT_FSIZE, &none);
    }
    if (fault == "full-tmpfs") fillDisk(env.dataHome()); // the small disk, beside the save folder
    const std::vector<std::string> opened = {fs::path(install).parent_path().parent_path().string(), install,
                                             env.dataHome(), env.dataHome() + "tellgrave"};
    if (fault == "unwritable-at-start") makeUnwritable(saveFolder, opened);

    SessionPlan plan;
    plan.level = 3;
    plan.maxWins = 1;
    plan.watch = [&] {
        if (fault == "unwritable-while-running" && gScreen == SCREEN_MENU && gSaveDir == saveFolder &&
            access(saveFolder.c_str(), W_OK) == 0)
            makeUnwritable(saveFolder, opened);
    };
    const int steps = runScriptedSession(plan);
    const int won = curPlayer().Level - 3;
    const std::string used = gSaveDir;
    game::stop();
    if (fault == "full-file-limit") setrlimit(RLIMIT_FSIZE, &oldLimit);

    const auto after = folderContents(saveFolder);
    int unchanged = 0;
    std::string changed;
    for (const auto& [name, bytes] : before) {
        auto it = after.find(name);
        if (it != after.end() && it->second == bytes)
            unchanged++;
        else
            changed += " " + name;
    }
    for (const auto& [name, bytes] : after)
        if (!before.count(name)) changed += " +" + name;
    std::printf("steps %d\nwon %d\nfolder %s\nfiles %zu\nunchanged %d\nchanged%s\n", steps, won,
                used == saveFolder ? "same" : used.c_str(), before.size(), unchanged, changed.c_str());
    return 0;
}
const ChildTaskRegistration registerSaveFaultSession("save-fault-session", saveFaultSession);

struct FaultRun {
    std::string fault;
    ChildResult run;
    std::map<std::string, std::string> out; // "steps" -> "10", ...
};

// Runs the session under each fault, side by side.
std::vector<FaultRun> runFaults(const std::vector<std::string>& faults) {
    std::string scratch = (fs::temp_directory_path() / "varnoka-faults-XXXXXX").string();
    EXPECT_TRUE(mkdtemp(scratch.data()));
    std::vector<ChildJob> children;
    for (const std::string& fault : faults) {
        ChildJob child;
        child.task = "save-fault-session";
        child.folder = scratch;
        child.env = {"TMPDIR=" + scratch, "VARNOKA_SAVE_FAULT=" + fault};
        children.push_back(child);
    }
    const std::vector<ChildResult> results = runChildren(children, static_cast<int>(children.size()));
    // The unwritable folders are opened again so that they can be removed.
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(scratch, ec); it != fs::recursive_directory_iterator();
         ++it)
        if (it->is_directory()) fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(scratch, ec);
    std::vector<FaultRun> runs;
    for (size_t i = 0; i < faults.size(); i++) {
        FaultRun r{faults[i], results[i], {}};
        std::istringstream lines(r.run.output);
        for (std::string line; std::getline(lines, line);) {
            const size_t space = line.find(' ');
            r.out[line.substr(0, space)] = space == std::string::npos ? "" : line.substr(space + 1);
        }
        std::printf("%s: %s", r.fault.c_str(), r.run.output.c_str());
        runs.push_back(r);
    }
    return runs;
}

// Every old file is as it was and nothing was added. With the save folder kept
// the game went all the way through the session and won its level; a game
// that took its fallback folder plays on with a new player.
void expectOldFilesKept(const FaultRun& r, bool sameFolder) {
    SCOPED_TRACE(r.fault);
    ASSERT_EQ(r.run.outcome, Outcome::Passed) << outcomeName(r.run.outcome) << "\n" << r.run.report;
    EXPECT_EQ(r.out.at("unchanged"), r.out.at("files"));
    EXPECT_EQ(r.out.at("changed"), "");
    EXPECT_EQ(r.out.at("folder") == "same", sameFolder) << r.out.at("folder");
    if (sameFolder) {
        EXPECT_EQ(r.out.at("steps"), std::to_string(kSessionSteps));
        EXPECT_EQ(r.out.at("won"), "1");
    } else {
        EXPECT_GE(std::atoi(r.out.at("steps").c_str()), 6) << "a new player plays on from the roadmap";
    }
}

TEST(SaveFaults, FullDiskKeepsTheOldFilesAndTheGameGoesOn) {
    // Writes beyond a file-size limit fail as they do on a full disk, on every
    // machine; a real full disk where the machine lets the test mount one.
    for (const FaultRun& r : runFaults({"full-file-limit", "full-tmpfs"})) {
        if (r.run.output.rfind("skipped", 0) == 0) continue;
        expectOldFilesKept(r, true);
    }
}

TEST(SaveFaults, UnwritableSaveFolderKeepsTheOldFilesAndTheGameGoesOn) {
    // Unwritable while the game runs: the saves fail. Unwritable from the
    // start: the game saves into its fallback folder instead.
    const std::vector<FaultRun> runs = runFaults({"unwritable-while-running", "unwritable-at-start"});
    expectOldFilesKept(runs[0], true);
    expectOldFilesKept(runs[1], false);
}

} // namespace
} // namespace hardening
