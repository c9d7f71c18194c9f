// The installed program run as a player starts it: from an unrelated working
// folder, on an X display. The display is a virtual X server whose screen is
// kept in a file, so the test sees exactly what a player would see. The game
// has reached its main menu when that screen shows, for a full second, the
// main menu the harness draws from the same installed data; the save folder
// holds the first run's files, and neither the installation nor the working
// folder was written.
#include "app/globals.h"
#include "tests/harness/game.h"
#include "tests/harness/harness.h"
#include "tests/install/installtree.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A virtual X server of 1024 x 768 pixels that keeps its screen in a file.
class VirtualDisplay {
  public:
    explicit VirtualDisplay(const std::string& xvfb) : screenDir_("screen") {
        int fds[2];
        if (::pipe(fds) != 0) return;
        server_ = std::make_unique<install::Child>(
            std::vector<std::string>{xvfb, "-displayfd", std::to_string(fds[1]), "-screen", "0",
                                     "1024x768x24", "-fbdir", screenDir_.path(), "-nolisten", "tcp"},
            std::vector<std::string>{}, screenDir_.path(), fds[1]);
        ::close(fds[1]);
        // The server writes its display number once it accepts clients, then
        // a newline in a write of its own: the pipe stays open until that has
        // come too, or the server dies of the broken pipe.
        std::string number;
        pollfd p{fds[0], POLLIN, 0};
        char c = 0;
        while (::poll(&p, 1, 20000) == 1 && ::read(fds[0], &c, 1) == 1 && c != '\n')
            number += c;
        if (c == '\n' && !number.empty()) name_ = ":" + number;
        ::close(fds[0]);
    }
    ~VirtualDisplay() {
        if (server_) server_->stop(SIGTERM); // ends cleanly: removes its socket and lock file
    }
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;
    const std::string& name() const { return name_; } // "" when the server did not start
    std::string log() const { return server_ ? server_->output() : ""; }

    // The screen now, as RGBA rows; empty when it cannot be read.
    harness::Frame screen() const {
        std::ifstream in(screenDir_.path() + "Xvfb_screen0", std::ios::binary);
        const std::vector<uint8_t> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        harness::Frame f;
        if (b.size() < 100) return f;
        // The header is 25 words, most significant byte first.
        auto word = [&](int i) {
            return uint32_t(b[i * 4]) << 24 | uint32_t(b[i * 4 + 1]) << 16 | uint32_t(b[i * 4 + 2]) << 8 |
                   b[i * 4 + 3];
        };
        const uint32_t headerSize = word(0), version = word(1), width = word(4), height = word(5);
        const uint32_t byteOrder = word(7), bitsPerPixel = word(11), bytesPerLine = word(12),
                       colours = word(19);
        const size_t pixels = size_t(headerSize) + size_t(colours) * 12;
        if (version != 7 || bitsPerPixel != 32 || width != 1024 || height != 768 || byteOrder != 0 ||
            pixels + size_t(bytesPerLine) * height > b.size())
            return f;
        f.width = 1024;
        f.height = 768;
        f.rgba.resize(size_t(1024) * 768 * 4);
        for (size_t y = 0; y < 768; ++y)
            for (size_t x = 0; x < 1024; ++x) {
                const uint8_t* p = b.data() + pixels + y * bytesPerLine + x * 4; // B, G, R, unused
                uint8_t* d = f.rgba.data() + (y * 1024 + x) * 4;
                d[0] = p[2];
                d[1] = p[1];
                d[2] = p[0];
                d[3] = 255;
            }
        return f;
    }

  private:
    install::TempFolder screenDir_;
    std::unique_ptr<install::Child> server_;
    std::string name_;
};

// Share of the 16 x 16 blocks of two frames whose mean colours differ by more
// than 24 in some channel (1 when the sizes differ). Small moving details
// (glows, the pointer) change few blocks; another screen changes most.
double differentBlocks(const harness::Frame& a, const harness::Frame& b) {
    if (a.width != b.width || a.height != b.height || a.width == 0) return 1;
    int differing = 0, blocks = 0;
    for (int by = 0; by + 16 <= a.height; by += 16)
        for (int bx = 0; bx + 16 <= a.width; bx += 16) {
            int sum[2][3] = {};
            for (int y = by; y < by + 16; ++y)
                for (int x = bx; x < bx + 16; ++x)
                    for (int c = 0; c < 3; ++c)
                        sum[0][c] += a.at(x, y)[c], sum[1][c] += b.at(x, y)[c];
            bool differs = false;
            for (int c = 0; c < 3; ++c)
                differs |= std::abs(sum[0][c] - sum[1][c]) > 24 * 256;
            differing += differs;
            ++blocks;
        }
    return double(differing) / blocks;
}

std::string framesDir() {
    const std::string dir = std::string(VARNOKA_BUILD_DIR) + "/frames/";
    fs::create_directories(dir);
    return dir;
}

// The harness's frames of the installed data: the loading screen, and the main
// menu at rest with the pointer where the X server starts it, in the centre.
struct Reference {
    harness::Frame loading, menu;
};

Reference drawReference(const std::string& installFolder) {
    Reference ref;
    harness::HeadlessEnv env;
    const fs::path oldCwd = fs::current_path();
    fs::current_path(installFolder);
    if (game::start()) {
        harness::mouseMove(512, 384);
        for (int i = 0; i < 2000 && gScreen != SCREEN_LOADING; ++i)
            game::step(1);
        game::step(300);
        ref.loading = harness::grabFrame();
        for (int i = 0; i < 2000 && gScreen != SCREEN_MENU; ++i)
            game::step(1);
        game::step(80);
        if (gScreen == SCREEN_MENU) ref.menu = harness::grabFrame();
    }
    game::stop();
    fs::current_path(oldCwd);
    return ref;
}

} // namespace

TEST(InstalledGame, StartsFromAnyFolderReachesItsMainMenuAndWritesOnlyItsSaveFolder) {
    const std::string xvfb = install::findProgram("Xvfb");
    if (xvfb.empty()) GTEST_SKIP() << "no virtual X server (package xvfb, installed by scripts/install-deps)";
    install::InstalledTree tree;
    ASSERT_TRUE(tree.ok()) << tree.log();
    install::TempFolder work("work"), dataHome("datahome");
    const std::vector<std::string> installedBefore = install::listTree(tree.root());

    VirtualDisplay display(xvfb);
    ASSERT_FALSE(display.name().empty()) << display.log();
    install::Child game({tree.usr() + "bin/varnoka"},
                        {"DISPLAY=" + display.name(), "SDL_VIDEODRIVER=x11", "SDL_AUDIODRIVER=dummy",
                         "XDG_DATA_HOME=" + dataHome.path(), "ASAN_OPTIONS=detect_leaks=0",
                         "LC_ALL=C"}, // English, like the reference drawn here
                        work.path());

    // Drawn while the game starts: the same data, in this process.
    const Reference ref = drawReference(tree.usr() + "share/varnoka/");
    ASSERT_FALSE(ref.menu.rgba.empty()) << "the harness reaches the main menu";
    ASSERT_GT(differentBlocks(ref.loading, ref.menu), 0.3) << "the comparison tells the screens apart";

    // Poll the screen until it has shown the main menu for a second.
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::seconds(150);
    auto matchingSince = Clock::time_point::max();
    double difference = 1;
    harness::Frame screen;
    while (Clock::now() < deadline && game.running()) {
        screen = display.screen();
        difference = differentBlocks(screen, ref.menu);
        if (difference > 0.03)
            matchingSince = Clock::time_point::max();
        else if (matchingSince == Clock::time_point::max())
            matchingSince = Clock::now();
        else if (Clock::now() - matchingSince >= std::chrono::seconds(1))
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    harness::writePng(framesDir() + "installed-game.png", screen.width, screen.height, screen.rgba);
    ASSERT_TRUE(game.running()) << "the game ended early, wait status " << game.stop(SIGTERM) << ":\n"
                                << game.output() << "\nX server " << display.name() << ":\n" << display.log();
    ASSERT_LE(difference, 0.03) << "blocks unlike the main menu; last screen in frames/installed-game.png";
    const int status = game.stop(SIGTERM);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << "it ran until it was told to end";

    const std::string saves = dataHome.path() + "tellgrave/Varnoka/";
    EXPECT_TRUE(fs::is_regular_file(saves + "settings.txt")) << "first run: the settings";
    EXPECT_TRUE(fs::is_regular_file(saves + "besttimes.ppp")) << "first run: the best times";
    EXPECT_EQ(install::listTree(tree.root()), installedBefore) << "nothing written below the installation";
    EXPECT_TRUE(fs::is_empty(work.path())) << "nor into the working folder";
}
