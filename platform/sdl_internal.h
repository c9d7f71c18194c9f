// Internal state shared by the SDL-facing files of the platform layer: the
// window, the renderer and its frame canvas, the drawing state, the picture
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

struct DisplayState {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    // Everything is drawn into this target of exactly width x height pixels;
    // Flip scales it into the window (letterboxed). Reading pixels back from
    // it never depends on the window size or on the presented buffer.
    SDL_Texture* canvas = nullptr;
    // Bumped whenever a renderer is created or destroyed: textures made by an
    // older renderer are gone and must be made again.
    unsigned generation = 1;
    int width = 1024, height = 768;
    float logicalW = 1024.0f, logicalH = 768.0f;
    bool vsync = false;
    DrawState draw;
};

DisplayState& Display();
SDL_Window* PlatformWindow();
// Makes sure the SDL subsystem is initialised; false when it cannot be.
bool EnsureSdlSubsystem(uint32_t flag);
// Applies the viewport (in logical coordinates) as the renderer's clip rect;
// false when nothing of the frame is visible through it.
bool ApplyClipRect();
// Re-applies the stored window title and icon to a freshly made window.
void ApplyWindowDecorations(SDL_Window* window);

// ---------------------------------------------------------------------------
// Pictures

struct PictureFrame {
    std::vector<uint8_t> pixels; // RGBA, width * 4 bytes a row
    Pixmap view;                 // what LockFrame hands out
    SDL_Texture* texture = nullptr;
    unsigned textureGeneration = 0;
    bool dirty = true;
    // Thresholded copy used by the mask blend mode.
    SDL_Texture* maskTexture = nullptr;
    unsigned maskGeneration = 0;
    int maskThreshold = -1;
    bool maskDirty = true;
};

class Picture {
public:
    Picture(int width, int height, int frames, int flags);
    ~Picture();
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    int width, height, flags;
    float hx = 0.0f, hy = 0.0f;
    std::vector<PictureFrame> frames;

    // Texture of a frame for the current renderer, uploaded when stale.
    SDL_Texture* FrameTexture(int frame);
    // Texture whose pixels are opaque where alpha >= threshold, clear elsewhere.
    SDL_Texture* MaskTexture(int frame, int threshold);
};

// Normalises picture flags: -1 means mask + filter.
int NormalisePictureFlags(int flags);
// Largest edge accepted for a decoded or blank picture.
constexpr int kMaxPictureEdge = 16384;

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
