// The headless harness every test and benchmark uses: dummy video and audio
// drivers, the virtual clock, a fixed random seed, a temporary save folder,
// input that goes in through the real SDL event queue, and frame read-back.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace harness {

// Sets up a headless run for its lifetime; restores the environment after.
class HeadlessEnv {
public:
    explicit HeadlessEnv(bool openDisplay = true);
    ~HeadlessEnv();
    HeadlessEnv(const HeadlessEnv&) = delete;
    HeadlessEnv& operator=(const HeadlessEnv&) = delete;

    // The temporary folder the save-root variable (XDG_DATA_HOME, APPDATA) points at, with a trailing '/'.
    const std::string& dataHome() const { return dataHome_; }
    // The game's save folder below it.
    std::string saveDir() const { return dataHome_ + "tellgrave/Varnoka/"; }

private:
    std::string dataHome_;
    std::string oldDataHome_, oldLocale_;
    bool hadDataHome_ = false, hadLocale_ = false;
};

// A GoogleTest fixture holding a HeadlessEnv.
class HeadlessTest : public ::testing::Test {
protected:
    HeadlessEnv env;
};

// The seed HeadlessEnv gives the random generator.
constexpr uint32_t kSeed = 20260101;

// Input through the SDL event queue. Buttons: 1 left, 2 right, 3 middle.
// Keys are the virtual-key numbers of the platform layer.
void mouseMove(int x, int y);
void mousePress(int button = 1);
void mouseRelease(int button = 1);
void click(int x, int y, int button = 1);
void wheel(int dy); // positive = away from the user
void keyDown(int vk);
void keyUp(int vk);
void keyPress(int vk);
void typeText(const std::string& utf8);
void focusLost();
void focusGained();
void minimise();
void restore();
void requestClose();

// The frame last drawn (after Flip it is the presented one), RGBA rows.
struct Frame {
    int width = 0, height = 0;
    std::vector<uint8_t> rgba;
    const uint8_t* at(int x, int y) const { return rgba.data() + (static_cast<size_t>(y) * width + x) * 4; }
};
struct Rgb {
    int r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Rgb& c);

Frame grabFrame();
Rgb framePixel(int x, int y);
// Writes the frame as a PNG file; false when there is no display or the file
// cannot be written.
bool saveFramePng(const std::string& path);
// Writes RGBA pixels as a PNG file (also used by tests to make fixtures).
bool writePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgba);
std::vector<uint8_t> encodePng(int width, int height, const std::vector<uint8_t>& rgba, bool withAlpha = true);

} // namespace harness
