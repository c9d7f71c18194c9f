// The platform layer: the only code that talks to the machine. Drawing, pictures,
// polled input, application events, sound channels, byte streams, folders, time,
// random numbers, string helpers and the operating-system services the start-up
// needs. Built over SDL2, libpng, libjpeg and libvorbisfile.
//
// Conventions: every routine is a free function; "none" results are null
// pointers (or 0 for channels); calls with a null picture, sound or stream do
// nothing and return 0 / empty. Pixels are always RGBA, 4 bytes each, in that
// byte order.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

// ---------------------------------------------------------------------------
// Display and drawing state

enum BlendMode { BLEND_MASK = 1, BLEND_SOLID = 2, BLEND_ALPHA = 3, BLEND_LIGHT = 4, BLEND_SHADE = 5 };

// depth 0 = window with a 1024 x 768 client area (resizable, letterboxed);
// depth 32 = desktop full screen scaled to 1024 x 768; any other depth opens a
// window. Reopening keeps every picture valid and resets the drawing state.
// Returns 1 on success.
int OpenDisplay(int width, int height, int depth, int hz, int flags);
void CloseDisplay();
int DisplayIsOpen();
void Cls();
void Flip(int sync);

void SetColor(int r, int g, int b);
void ReadColor(int& r, int& g, int& b);
void SetAlpha(float a);
float ReadAlpha();
void SetBlend(int mode);
int ReadBlend();
void SetDrawScale(float sx, float sy);
void ReadScale(float& sx, float& sy);
void SetDrawRotation(float degrees);
float ReadRotation();
void SetViewport(int x, int y, int w, int h);
int DisplayWidth();
int DisplayHeight();
void SetLogicalSize(float w, float h);
float LogicalWidth();
float LogicalHeight();
void HidePointer();

// Reads the presented frame (logical 1024 x 768) as RGBA rows; used by tests and
// the harness to save frames. Returns false when no display is open.
bool ReadFramePixels(std::vector<uint8_t>& rgba, int& width, int& height);

// ---------------------------------------------------------------------------
// Pictures

enum PictureFlags { PIC_MASK = 1, PIC_FILTER = 2, PIC_MIPMAP = 4, PIC_DYNAMIC = 8 };

// A pixel buffer. Either a view into a picture frame (from LockFrame) or an owned
// buffer (from LoadPixmap / MaskColourToAlpha); pitch is in bytes.
struct Pixmap {
    int width = 0, height = 0, pitch = 0;
    uint8_t* pixels = nullptr;
    std::vector<uint8_t> storage; // non-empty for owned pixmaps
    uint8_t* at(int x, int y) { return pixels + y * pitch + x * 4; }
    const uint8_t* at(int x, int y) const { return pixels + y * pitch + x * 4; }
};
using PixmapPtr = std::unique_ptr<Pixmap>;

class Picture; // frames of pixels kept in memory
// Picture is opaque here; the deleter (defined with Picture) lets any caller
// drop a picture.
struct PictureDeleter {
    void operator()(Picture* p) const;
};
using PicturePtr = std::unique_ptr<Picture, PictureDeleter>;

class Stream;

// flags: -1 = default (PIC_MASK | PIC_FILTER). None when missing or undecodable.
PicturePtr LoadPicture(const std::string& path, int flags);
// Makes a one-frame picture from pixels (the font loader uses it).
PicturePtr PictureFromPixmap(const Pixmap& pixmap, int flags);
PicturePtr NewBlankPicture(int width, int height, int frames, int flags);
// Direct access to a frame's pixels; writes show from the next draw on.
Pixmap* LockFrame(Picture* pic, int frame, int read, int write);
void UnlockFrame(Picture* pic, int frame);
void Paste(Pixmap* target, const Pixmap* source, int x, int y);
PixmapPtr LoadPixmap(const std::string& path);
// Decodes one PNG from the stream's current position; the stream is left right
// after the IEND chunk. None when the data is not a valid PNG.
PixmapPtr LoadPixmapFromStream(Stream* stream);
PixmapPtr MaskColourToAlpha(const Pixmap* pixmap, int r, int g, int b);
int PictureWidth(const Picture* pic);
int PictureHeight(const Picture* pic);
int PictureFrames(const Picture* pic);
void SetPictureHandle(Picture* pic, float hx, float hy);
void ReadPictureHandle(const Picture* pic, float& hx, float& hy);
void CentrePictureHandle(Picture* pic);
void DrawPicture(Picture* pic, float x, float y, int frame);
int PicturesOverlap(Picture* pic1, float x1, float y1, int frame1, Picture* pic2, float x2, float y2,
                    int frame2);

// ---------------------------------------------------------------------------
// Polled input. Key codes are Windows virtual-key numbers (13 Enter, 27 Escape,
// 32 Space, 48..57 digits, 65..90 letters, 112..121 F1..F10, 8 Backspace).
// Game controllers (any number, plugged in or out while running) press keys of
// their own, numbered as that system numbers them; the left stick presses the
// stick keys once it is pushed past half way.
enum PadKey {
    PAD_A = 195, PAD_B = 196, PAD_X = 197, PAD_Y = 198,
    PAD_RIGHT_SHOULDER = 199, PAD_LEFT_SHOULDER = 200,
    PAD_DPAD_UP = 203, PAD_DPAD_DOWN = 204, PAD_DPAD_LEFT = 205, PAD_DPAD_RIGHT = 206,
    PAD_START = 207, // only the first controller's Start
    PAD_BACK = 208,
    PAD_STICK_UP = 211, PAD_STICK_DOWN = 212, PAD_STICK_RIGHT = 213, PAD_STICK_LEFT = 214,
};

int PointerX();
int PointerY();
int ButtonHits(int button);
// 1 while the button is held, and once for a press that was released before
// this query saw it (a quick tap still reads as one held frame).
int ButtonHeld(int button);
int WheelDelta();
int KeyHits(int key);
int KeyHeld(int key);
// 1 when the last key pressed came from a game controller, 0 from the keyboard.
int PadInUse();
// Posts a key press (down 1) or release (down 0) into the event queue as the
// keyboard would: for players driven by a program (the autoplayer).
void PostKeyEvent(int key, int down);
int NextTypedChar();
void ClearKeys();

// Application events: 257 = suspended (focus lost / minimised), 258 = resumed.
int CloseRequested();
int PeekAppEvent(); // id of the next queued event, 0 when none
void TakeAppEvent();
int AppEventId();

// ---------------------------------------------------------------------------
// Sound. Sounds are decoded whole; channels are small integers, 0 = none.

class Sound;
using SoundPtr = std::shared_ptr<Sound>;
using Channel = int;

SoundPtr LoadSound(const std::string& path, int flags); // flags 1 = loop forever
Channel StartSound(const SoundPtr& sound);
Channel CueSoundPaused(const SoundPtr& sound);
Channel AllocChannel();
void ChannelStop(Channel ch);
void ChannelPause(Channel ch);
void ChannelResume(Channel ch);
int ChannelIsPlaying(Channel ch);
void ChannelSetVolume(Channel ch, float volume);
void ChannelSetPan(Channel ch, float pan);
int AudioIsOpen(); // 1 when an audio device is mixing

// ---------------------------------------------------------------------------
// Files. Paths use '/' or '\'; each component is matched without regard to
// letter case. Reads past the end throw StreamError.

struct StreamError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Stream is opaque here; the deleter lets any caller drop a stream.
struct StreamDeleter {
    void operator()(Stream* s) const;
};
using StreamPtr = std::unique_ptr<Stream, StreamDeleter>;

StreamPtr OpenRead(const std::string& path);
// Writes go to a temporary file beside the target that Close renames over it, so
// an interrupted save leaves the old file intact. None when the folder cannot be
// written.
StreamPtr OpenWrite(const std::string& path);
// Opens an in-memory stream over bytes (used by tests and fuzz targets).
StreamPtr OpenMemory(const std::vector<uint8_t>& bytes);
// Closes the stream; for a write stream, returns false when the data could not
// be committed. Destroying an unclosed write stream discards it.
bool Close(StreamPtr& stream);
int Eof(Stream* s);
int32_t ReadInt(Stream* s);
void WriteInt(Stream* s, int32_t v);
uint8_t ReadByte(Stream* s);
size_t ReadBytes(Stream* s, void* buffer, size_t n); // returns bytes read, may be short
std::string ReadString(Stream* s, int n);
void WriteString(Stream* s, const std::string& text);
std::string ReadLine(Stream* s);
void WriteLine(Stream* s, const std::string& text);
size_t StreamPos(Stream* s);
size_t StreamSize(Stream* s);

// Resolves a game path to an existing file system path, matching letter case
// loosely; returns the path unchanged (with '/' separators) when nothing matches.
std::string ResolvePath(const std::string& path);
int IsFolder(const std::string& path);
int MakeFolder(const std::string& path, int recurse);
// 1 when the path is an existing folder this process may create files in.
int IsWritableFolder(const std::string& path);
int FileExists(const std::string& path);
// Removes the temporary files that writes interrupted before their rename
// (a killed process, a power cut) left beside their targets in the folder;
// returns how many. Only safe while nothing else writes there.
int RemoveUnfinishedWrites(const std::string& folder);

// ---------------------------------------------------------------------------
// Time and numbers

struct TickTimer;
using Timer = std::shared_ptr<TickTimer>;

int ClockMillis();
Timer NewTickTimer(int ticksPerSecond);
int TickCount(const Timer& t);
int WaitNextTick(const Timer& t);
// True when the timer has passed a tick that WaitNextTick has not returned yet.
bool TickDue(const Timer& t);
// Headless runs: a virtual clock that only moves when WaitNextTick or
// AdvanceVirtualClock moves it (each 40 Hz wait moves it by exactly 25 ms).
void UseVirtualClock(bool on);
void AdvanceVirtualClock(int ms);
// Runs frame() until it returns false, then finish(). On the desktop this is a
// plain loop that returns when the game has ended. In the browser, frames run
// from the page's animation frames whenever the pace timer has a tick due
// (the browser gets control back after every frame), and this returns at once.
void RunMainLoop(const Timer& pace, bool (*frame)(), void (*finish)());

void SeedRandom(uint32_t seed);
int RandomInt(int min, int max);
float SinDeg(float degrees);
float CosDeg(float degrees);
float FloorOf(float x);
float SquareRoot(float x);

// ---------------------------------------------------------------------------
// Strings. Each byte is one character (ISO 8859-1); positions count from 1.

std::string Substring(const std::string& s, int pos, int n);
int FindFrom(const std::string& s, const std::string& sub, int start);
std::string LeftPart(const std::string& s, int n);
std::string Trim(const std::string& s);
std::string ToUpperCase(const std::string& s);
std::string CharFromCode(int code);
std::vector<std::string> SplitOn(const std::string& s, const std::string& separator);
// Integer parse: leading blanks skipped, optional sign, then decimal digits up to
// the first other character; "$" after the sign reads hexadecimal, "%" binary.
// No digits gives 0.
int ParseInt(const std::string& s);

// ---------------------------------------------------------------------------
// Operating-system services

// Takes the system-wide single-instance lock of that name; false when another
// running process already holds it.
bool AcquireInstanceLock(const std::string& name);
void ReleaseInstanceLock();
// $XDG_DATA_HOME or ~/.local/share, with a trailing '/'; "" when neither exists.
std::string SharedAppDataFolder();
void SetAppTitle(const std::string& title);
// The name of the user's language setting ("de_DE.UTF-8", "pt-BR", ...); "" when
// none is set.
std::string UserLocaleName();
// Whether the files of a language's own folder (data/lang/<code>/) are there to
// read. Always on the desktop; in the browser a language's pictures download
// when the language is first asked for, and this asks for them.
bool LanguageDataReady(const std::string& code);
void SetWindowIcon(const std::string& icoPath);
void AddMinimiseButton();
void MinimiseWindow();
// The installation folder holds data/ and icon32.ico; every game path is
// relative to it. The folder of the running executable with a trailing '/'
// ("" when unknown):
std::string ProgramFolder();
// The folders that may be the installation folder, in the order they are
// tried, each with a trailing '/': the program's folder (a build folder or an
// unpacked copy), ../share/varnoka/ from it (installed), then varnoka/ in
// $XDG_DATA_HOME (or ~/.local/share) and in each folder of $XDG_DATA_DIRS (or
// /usr/local/share and /usr/share).
std::vector<std::string> InstallationFolderCandidates(const std::string& programFolder);
// The first candidate that holds the game's data (matched without regard to
// letter case); "" when none does.
std::string FindInstallationFolder(const std::string& programFolder);
enum InstallPlace { INSTALL_NOT_FOUND, INSTALL_BESIDE_PROGRAM, INSTALL_SHARED };
// Makes the installation folder the working folder and says where it was
// found. When there is none, the working folder stays as it is.
InstallPlace ChangeToInstallationFolder();
// Resident set size of the process in bytes.
long long ProcessMemoryBytes();
