// Internal state shared by the SDL-facing files of the platform layer: the
// window, the renderer, the frame canvas, the drawing state, the picture
// class and the key-code mapping. Nothing outside platform/ and the test
// harness includes this header.
#pragma once

#include <SDL.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

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

// A rectangle of canvas pixels, right and bottom edges excluded.
struct PixelRect {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

struct DisplayState {
    SDL_Window* window = nullptr;
    // Only presents the canvas: Flip uploads it into `screen` and scales that
    // into the window (letterboxed).
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* screen = nullptr;
    // Everything is drawn by our own compositor into these width x height
    // pixels (0xAARRGGBB), so reading them back never depends on the window
    // size or on the presented buffer.
    std::vector<uint32_t> canvas;
    PixelRect clip;
    int width = 1024, height = 768;
    float logicalW = 1024.0f, logicalH = 768.0f;
    bool vsync = false;
    DrawState draw;
};

DisplayState& Display();
SDL_Window* PlatformWindow();
// Makes sure the SDL subsystem is initialised; false when it cannot be.
bool EnsureSdlSubsystem(uint32_t flag);
// Turns the viewport (in logical coordinates) into the canvas clip rect;
// false when nothing of the frame is visible through it.
bool ApplyClipRect();
// Re-applies the stored window title and icon to a freshly made window.
void ApplyWindowDecorations(SDL_Window* window);

// ---------------------------------------------------------------------------
// Pictures

struct PictureFrame {
    std::vector<uint8_t> pixels; // RGBA, width * 4 bytes a row
    Pixmap view;                 // what LockFrame hands out
    // The same pixels as premultiplied 0xAARRGGBB words, the compositor's
    // source; made again after the frame was locked.
    std::vector<uint32_t> premultiplied;
    bool premultipliedStale = true;
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
};

// Where picture coordinates (u, v) land on the canvas:
// x = ox + u * ux + v * vx, y = oy + u * uy + v * vy.
struct ComposePlacement {
    double ox = 0, oy = 0, ux = 1, uy = 0, vx = 0, vy = 1;
};

// Draws one frame into the canvas within the display's clip rect. Each canvas
// pixel takes the picture pixel under its centre.
void ComposePicture(Picture& pic, int frame, const ComposePlacement& at, const ComposeLook& look);

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
