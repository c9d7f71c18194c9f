// Headless harness: environment set-up and input through the SDL event queue.
#include "tests/harness/harness.h"

#include <SDL.h>
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <ostream>

#include "platform/platform.h"
#include "platform/sdl_internal.h"

namespace harness {

HeadlessEnv::HeadlessEnv(bool openDisplay)
{
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    if (const char* old = std::getenv(VARNOKA_DATA_HOME_VARIABLE)) {
        hadDataHome_ = true;
        oldDataHome_ = old;
    }
    std::string pattern = (std::filesystem::temp_directory_path() / "varnoka-test-XXXXXX").generic_string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (mkdtemp(buffer.data())) {
        dataHome_ = std::string(buffer.data()) + "/";
        setenv(VARNOKA_DATA_HOME_VARIABLE, buffer.data(), 1);
    }
    UseVirtualClock(true);
    SeedRandom(kSeed);
    ResetInputState();
    if (openDisplay) OpenDisplay(1024, 768, 0, 60, 0);
    ResetInputState();
}

HeadlessEnv::~HeadlessEnv()
{
    CloseDisplay();
    ResetInputState();
    UseVirtualClock(false);
    if (hadDataHome_) {
        setenv(VARNOKA_DATA_HOME_VARIABLE, oldDataHome_.c_str(), 1);
    } else {
        unsetenv(VARNOKA_DATA_HOME_VARIABLE);
    }
    if (!dataHome_.empty()) {
        std::error_code ec;
        std::filesystem::remove_all(dataHome_, ec);
    }
}

namespace {

Uint32 WindowId()
{
    SDL_Window* w = PlatformWindow();
    return w ? SDL_GetWindowID(w) : 0;
}

Uint8 SdlButton(int button)
{
    switch (button) {
    case 2: return SDL_BUTTON_RIGHT;
    case 3: return SDL_BUTTON_MIDDLE;
    default: return SDL_BUTTON_LEFT;
    }
}

int gMouseX = 0, gMouseY = 0;

void Push(SDL_Event& e)
{
    EnsureSdlSubsystem(SDL_INIT_EVENTS);
    e.common.timestamp = SDL_GetTicks();
    SDL_PushEvent(&e);
}

void Button(int button, bool down)
{
    SDL_Event e{};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.windowID = WindowId();
    e.button.button = SdlButton(button);
    e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.button.clicks = 1;
    e.button.x = gMouseX;
    e.button.y = gMouseY;
    Push(e);
}

void Key(int vk, bool down)
{
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.windowID = WindowId();
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.sym = SdlKeyFromVirtualKey(vk);
    e.key.keysym.scancode = SDL_GetScancodeFromKey(e.key.keysym.sym);
    Push(e);
}

void Window(SDL_WindowEventID id)
{
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.windowID = WindowId();
    e.window.event = id;
    Push(e);
}

void WriteToVector(png_structp png, png_bytep data, png_size_t length)
{
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void FlushNothing(png_structp) {}

} // namespace

void mouseMove(int x, int y)
{
    gMouseX = x;
    gMouseY = y;
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.windowID = WindowId();
    e.motion.x = x;
    e.motion.y = y;
    Push(e);
}

void mousePress(int button) { Button(button, true); }
void mouseRelease(int button) { Button(button, false); }

void click(int x, int y, int button)
{
    mouseMove(x, y);
    mousePress(button);
    mouseRelease(button);
}

void wheel(int dy)
{
    SDL_Event e{};
    e.type = SDL_MOUSEWHEEL;
    e.wheel.windowID = WindowId();
    e.wheel.y = dy;
    e.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
    Push(e);
}

void keyDown(int vk) { Key(vk, true); }
void keyUp(int vk) { Key(vk, false); }

void keyPress(int vk)
{
    keyDown(vk);
    keyUp(vk);
}

void typeText(const std::string& utf8)
{
    // One event carries at most 31 bytes; split between characters.
    size_t pos = 0;
    while (pos < utf8.size()) {
        size_t end = std::min(utf8.size(), pos + SDL_TEXTINPUTEVENT_TEXT_SIZE - 1);
        while (end < utf8.size() && end > pos && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) --end;
        SDL_Event e{};
        e.type = SDL_TEXTINPUT;
        e.text.windowID = WindowId();
        std::memcpy(e.text.text, utf8.data() + pos, end - pos);
        Push(e);
        pos = end;
    }
}

void focusLost() { Window(SDL_WINDOWEVENT_FOCUS_LOST); }
void focusGained() { Window(SDL_WINDOWEVENT_FOCUS_GAINED); }
void minimise() { Window(SDL_WINDOWEVENT_MINIMIZED); }
void restore() { Window(SDL_WINDOWEVENT_RESTORED); }

void requestClose()
{
    SDL_Event e{};
    e.type = SDL_QUIT;
    Push(e);
}

std::ostream& operator<<(std::ostream& os, const Rgb& c)
{
    return os << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

Frame grabFrame()
{
    Frame f;
    if (!ReadFramePixels(f.rgba, f.width, f.height)) f = Frame{};
    return f;
}

Rgb framePixel(int x, int y)
{
    Frame f = grabFrame();
    if (x < 0 || y < 0 || x >= f.width || y >= f.height) return Rgb{-1, -1, -1};
    const uint8_t* p = f.at(x, y);
    return Rgb{p[0], p[1], p[2]};
}

std::vector<uint8_t> encodePng(int width, int height, const std::vector<uint8_t>& rgba, bool withAlpha)
{
    std::vector<uint8_t> out;
    if (width <= 0 || height <= 0 || rgba.size() < static_cast<size_t>(width) * height * 4) return out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info) {
        png_destroy_write_struct(&png, &info);
        return out;
    }
    std::vector<uint8_t> rgb;
    std::vector<png_bytep> rows(height);
    if (!withAlpha) {
        rgb.resize(static_cast<size_t>(width) * height * 3);
        for (size_t i = 0, n = static_cast<size_t>(width) * height; i < n; ++i) {
            std::memcpy(&rgb[i * 3], &rgba[i * 4], 3);
        }
    }
    const int channels = withAlpha ? 4 : 3;
    for (int y = 0; y < height; ++y) {
        const uint8_t* base = withAlpha ? rgba.data() : rgb.data();
        rows[y] = const_cast<png_bytep>(base + static_cast<size_t>(y) * width * channels);
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &out, WriteToVector, FlushNothing);
    png_set_IHDR(png, info, width, height, 8, withAlpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

bool writePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgba)
{
    const std::vector<uint8_t> bytes = encodePng(width, height, rgba);
    if (bytes.empty()) return false;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

bool saveFramePng(const std::string& path)
{
    Frame f = grabFrame();
    return f.width > 0 && writePng(path, f.width, f.height, f.rgba);
}

} // namespace harness
