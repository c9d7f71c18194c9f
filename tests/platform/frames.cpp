#include "tests/platform/frames.h"

#include <cstring>
#include <filesystem>
#include <sstream>
#include <vector>

#include "tests/harness/harness.h"

namespace frames {

namespace {

std::string Compare(const std::vector<uint32_t>& got, const std::vector<uint32_t>& want, int width,
                    const char* what)
{
    if (got.size() != want.size()) return std::string(what) + ": sizes differ";
    size_t differ = 0, first = 0;
    for (size_t i = 0; i < got.size(); ++i) {
        if (got[i] == want[i]) continue;
        if (differ++ == 0) first = i;
    }
    if (differ == 0) return {};
    std::ostringstream out;
    out << what << ": " << differ << " pixels differ, the first at (" << first % width << ", " << first / width
        << "): " << std::hex << got[first] << " instead of " << want[first];
    return out.str();
}

std::vector<uint8_t> Bytes(const std::vector<uint32_t>& words)
{
    std::vector<uint8_t> bytes(words.size() * 4);
    std::memcpy(bytes.data(), words.data(), bytes.size());
    return bytes;
}

} // namespace

std::string CanvasAgainstWholeFrame()
{
    const DisplayState& d = Display();
    std::vector<uint32_t> whole;
    ComposeWholeFrame(whole);
    return Compare(d.canvas, whole, d.width, "canvas against the whole frame");
}

std::string SurfaceAgainstCanvas()
{
    const DisplayState& d = Display();
    if (d.path != PresentPath::Surface) return {};
    SDL_Surface* s = SDL_GetWindowSurface(d.window);
    if (!s) return "no window surface";
    if (s->w != d.width || s->h != d.height) return {}; // scaled: checked on its own
    std::vector<uint32_t> shown(d.canvas.size());
    SDL_ConvertPixels(d.width, d.height, s->format->format, s->pixels, s->pitch, SDL_PIXELFORMAT_RGBA32,
                      shown.data(), d.width * 4);
    return Compare(shown, d.canvas, d.width, "window surface against the canvas");
}

void SaveBoth(const std::string& name)
{
    const DisplayState& d = Display();
    const std::filesystem::path dir = std::filesystem::path(VARNOKA_GAME_DIR).parent_path() / "frames";
    std::filesystem::create_directories(dir);
    std::vector<uint32_t> whole;
    ComposeWholeFrame(whole);
    harness::writePng((dir / (name + "-canvas.png")).string(), d.width, d.height, Bytes(d.canvas));
    harness::writePng((dir / (name + "-whole.png")).string(), d.width, d.height, Bytes(whole));
}

} // namespace frames
