// Internal state shared by the SDL-facing files of the platform layer: the
// window and its presenter, the frame canvas with its draw list, the drawing
// state, the picture class and the key-code mapping. Nothing outside
// platform/, the tests and the benchmarks includes this header.
#pragma once

#include <SDL.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"

// A rectangle of canvas pixels, right and bottom edges excluded.
struct PixelRect {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    bool Empty() const { return x0 >= x1 || y0 >= y1; }
    bool operator==(const PixelRect&) const = default;
};

inline PixelRect Intersect(const PixelRect& a, const PixelRect& b)
{
    return PixelRect{a.x0 > b.x0 ? a.x0 : b.x0, a.y0 > b.y0 ? a.y0 : b.y0, a.x1 < b.x1 ? a.x1 : b.x1,
                     a.y1 < b.y1 ? a.y1 : b.y1};
}

// ---------------------------------------------------------------------------
// Pictures

// One frame's pixels, the only copy kept: straight (not premultiplied) colour,
// bytes R, G, B, A in memory, read as words by the compositor.
struct FramePixels {
    std::vector<uint32_t> words;
    // Names the content: a fresh number whenever the pixels may change, so a
    // draw of other pixels never compares equal to an earlier one.
    uint64_t serial = 0;
    // The draw list that last drew them; while it is the display's current
    // list, these pixels are kept as they are until the list is cleared.
    uint64_t list = 0;
};

// A fresh serial number for new or changed pixels.
uint64_t NextPixelSerial();

struct PictureFrame {
    std::unique_ptr<FramePixels> pixels;
    Pixmap view;          // what LockFrame hands out
    bool writing = false; // locked for writing and not yet unlocked
};

class Picture {
public:
    Picture(int width, int height, int frames, int flags);
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    int width, height, flags;
    float hx = 0.0f, hy = 0.0f;
    std::vector<PictureFrame> frames;
};

// Normalises picture flags: -1 means mask + filter.
int NormalisePictureFlags(int flags);
// Largest edge accepted for a decoded or blank picture.
constexpr int kMaxPictureEdge = 16384;
// Largest area accepted for a decoded picture (64 MB of pixels), sixteen times
// a full screen: a header of a few bytes must not make the decoder allocate
// and clear gigabytes before the data turns out to be missing.
constexpr uint64_t kMaxPicturePixels = 4096u * 4096u;

// ---------------------------------------------------------------------------
// Compositing pictures into the canvas

enum class ComposeOp {
    Blend,    // mixed by alpha
    Add,      // added, weighted by alpha, saturating
    Multiply, // multiplied, weighted by alpha
    Replace,  // copied whatever its alpha
    Mask,     // copied opaque where alpha >= threshold, skipped elsewhere
};

struct ComposeLook {
    ComposeOp op = ComposeOp::Blend;
    uint8_t r = 255, g = 255, b = 255, a = 255; // colour and alpha modulation
    int threshold = 128;                        // Mask only
    bool linear = false;                        // filtered sampling when scaled or turned
    bool operator==(const ComposeLook&) const = default;
};

// Where picture coordinates (u, v) land on the canvas:
// x = ox + u * ux + v * vx, y = oy + u * uy + v * vy.
struct ComposePlacement {
    double ox = 0, oy = 0, ux = 1, uy = 0, vx = 0, vy = 1;
    bool operator==(const ComposePlacement&) const = default;
};

// One draw of a frame as the compositor runs it: which pixels, where, how,
// and the canvas rectangle it may touch.
struct DrawRecord {
    const FramePixels* pixels = nullptr;
    uint64_t serial = 0;
    int width = 0, height = 0;
    ComposePlacement at;
    ComposeLook look;
    PixelRect clip; // the viewport on the canvas
    PixelRect area; // the canvas pixels the draw can change: its bounds within clip

    // Same pixels, placement, look and clip: the draw changes the canvas alike.
    bool SameAs(const DrawRecord& o) const
    {
        return serial == o.serial && width == o.width && height == o.height && at == o.at && look == o.look &&
               clip == o.clip;
    }
};

// Fills in the record's area; false when the draw touches no canvas pixel.
bool PlaceDraw(DrawRecord& draw);
// Runs the draw on the canvas, on the pixels of its area within limit. A
// pixel's result does not depend on the limit, so a frame can be composed
// again piece by piece.
void ComposeDraw(const DrawRecord& draw, const PixelRect& limit);

// ---------------------------------------------------------------------------
// Display

struct DrawState {
    int r = 255, g = 255, b = 255;
    float alpha = 1.0f;
    int blend = BLEND_MASK;
    float sx = 1.0f, sy = 1.0f;
    float rotation = 0.0f;
    int vx = 0, vy = 0, vw = 1024, vh = 768;
};

// Which canvas tiles need work; one flag a tile.
class TileMask {
public:
    static constexpr int kTile = 8; // tile edge in pixels
    void Reset(int width, int height);
    void Clear();
    void MarkAll();
    void Mark(const PixelRect& r);
    void Merge(const TileMask& other);
    bool Any() const { return count_ > 0; }
    int Count() const { return count_; }
    int Total() const { return cols_ * rows_; }
    // The marked tiles as a few rectangles (whole runs of rows joined),
    // clipped to the canvas.
    std::vector<PixelRect> Rects() const;

private:
    int cols_ = 0, rows_ = 0, width_ = 0, height_ = 0, count_ = 0;
    std::vector<uint8_t> bits_;
};

// How finished frames reach the window.
enum class PresentPath {
    None,
    Gpu,     // an accelerated renderer scales a streaming texture
    Surface, // changed rectangles copied (or scaled) into the window's own surface
    Page,    // in the browser: changed rectangles put straight into the page's canvas
};

// What the frames cost: how often the canvas was brought up to date without
// composing, in pieces or whole, and how often the window was shown a frame.
struct FrameCounts {
    long long unchanged = 0, partial = 0, whole = 0, presents = 0;
    long long composedPixels = 0; // canvas pixels composed again
};

struct DisplayState {
    SDL_Window* window = nullptr;
    bool open = false;
    PresentPath path = PresentPath::None;
    SDL_Renderer* renderer = nullptr; // Gpu only
    SDL_Texture* screen = nullptr;
    SDL_Surface* surface = nullptr; // the window surface last presented to (Surface only)
    int surfaceW = 0, surfaceH = 0;
    bool vsync = false;
    // Everything is drawn by our own compositor into these width x height
    // pixels (bytes R, G, B, A), so reading them back never depends on the
    // window size or on the presented buffer.
    std::vector<uint32_t> canvas;
    int width = 1024, height = 768;
    float logicalW = 1024.0f, logicalH = 768.0f;
    DrawState draw;

    // The frame as a list of draws since the last Cls. `shown` is the list
    // the canvas holds; the canvas is brought up to `pending` by composing
    // again only where the two lists differ.
    std::vector<DrawRecord> pending, shown;
    size_t resolved = 0;    // draws of `pending` already on the canvas
    bool shownValid = false;
    uint64_t list = 1;      // number of the current pending list
    // Pixels that were freed or rewritten while the current list drew them.
    std::vector<std::unique_ptr<FramePixels>> retired;
    TileMask damage;        // tiles changed since the last present
    bool presentAll = true; // the window needs the whole frame again
    FrameCounts counts;
};

DisplayState& Display();
SDL_Window* PlatformWindow();
// Makes sure the SDL subsystem is initialised; false when it cannot be.
bool EnsureSdlSubsystem(uint32_t flag);
// Turns the viewport (in logical coordinates) into a canvas rectangle; empty
// when nothing of the frame is visible through it.
PixelRect ViewportOnCanvas();
// Re-applies the stored window title and icon to a freshly made window.
void ApplyWindowDecorations(SDL_Window* window);
// The flags of the game's window, in full screen or not; what else the system
// needs for that mode is done on the way.
uint32_t WindowFlagsFor(bool fullscreen);

// The draw list (compose_list.cpp).
void RecordDraw(const DrawRecord& draw);
void ClearDrawList();
// Brings the canvas up to every draw recorded so far.
void ResolveDrawList();
// Forgets what the canvas shows: the next resolve composes the whole frame.
void InvalidateCanvas();
// Keeps pixels that a draw of the current list still needs before they are
// freed or rewritten; returns the pixels the owner may now change (a copy
// when the old ones were kept), or null when they were given away.
std::unique_ptr<FramePixels> ReleaseFramePixels(std::unique_ptr<FramePixels> pixels, bool keepCopy);
// Composes the current list from the clear colour into `out`, untouched by
// what the canvas held before: the reference an incremental frame must equal.
void ComposeWholeFrame(std::vector<uint32_t>& out);

// Presenting (present.cpp; opening, closing and showing are each system's own).
bool OpenPresenter();
void ClosePresenter();
// Shows the damaged tiles (or everything after presentAll) in the window.
void PresentFrame(int sync);
// The rectangles PresentFrame shows, and how it shows them.
std::vector<PixelRect> RectsToShow(DisplayState& d);
void ShowChanges(DisplayState& d, int sync);
// Where a width x height frame sits, as large as fits, in an outW x outH area.
SDL_Rect Letterbox(int outW, int outH, int width, int height);
// The window was uncovered or resized: the next present shows everything.
void RepaintWindow();
// Maps a window position to the logical frame (letterboxed scaling).
void WindowToFrame(int& x, int& y);

// ---------------------------------------------------------------------------
// Decoding

// A source of bytes for the decoders: either a stream or a memory block.
struct ByteSource {
    Stream* stream = nullptr;
    const uint8_t* data = nullptr;
    size_t size = 0, pos = 0;
    // Reads up to n bytes; returns how many were read (never throws).
    size_t Read(void* dst, size_t n);
};

struct DecodedImage {
    int width = 0, height = 0;
    bool hasAlpha = false;
    std::vector<uint8_t> rgba;
};

// Decodes one PNG from the source, consuming exactly its bytes through IEND.
bool DecodePng(ByteSource& src, DecodedImage& out);
bool DecodeJpeg(const uint8_t* data, size_t size, DecodedImage& out);
// PNG or JPEG, told apart by their signatures.
bool DecodeImageBytes(const std::vector<uint8_t>& bytes, DecodedImage& out);
// Icon files (.ico): picks the 32 x 32 entry, else the largest that decodes.
bool DecodeIco(const std::vector<uint8_t>& bytes, DecodedImage& out);
// Moves decoded pixels into an owned pixmap.
PixmapPtr PixmapFromImage(DecodedImage&& image);
// Reads a whole file through the stream API; false when it cannot be opened.
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes);
// Sets the allocator up so that freed blocks of picture size go back to the
// system at once; true when the setting took.
bool ReturnLargeBlocksToSystem();

// ---------------------------------------------------------------------------
// Input

// Drains the SDL event queue into the input tables.
void PumpInput();
// Forgets every hit, held state, typed character and queued event.
void ResetInputState();
int VirtualKeyFromSdl(SDL_Keycode key, SDL_Scancode scancode);
SDL_Keycode SdlKeyFromVirtualKey(int vk);

// ---------------------------------------------------------------------------
// Sound

// Decoded sound: interleaved 16-bit stereo at the mixer's rate.
class Sound {
public:
    std::vector<int16_t> samples;
    size_t frames = 0;
    bool loop = false;
};

// Opens the audio device on first use; returns the mixing rate (a default
// rate when there is no device).
int AudioMixRate();
// The mixing device, 0 when there is none. Tests lock it to mix by hand.
SDL_AudioDeviceID AudioDevice();
// Mixes every sounding channel into interleaved stereo floats (the audio
// callback's work); the caller holds the device lock.
void MixChannels(float* out, int frames);
// Decodes a whole Ogg Vorbis file held in memory to stereo at the given rate.
bool DecodeOggVorbis(const std::vector<uint8_t>& bytes, int rate, Sound& out);
