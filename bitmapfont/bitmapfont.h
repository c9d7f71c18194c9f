// Bitmap fonts: pre-rendered glyph pictures in three layers (shadow, border,
// face) read from .fmf files, and the routines that draw and measure text with
// them. A self-contained module: it uses only the platform layer.
//
// Text is a sequence of character codes. The game's texts are 8-bit strings
// (each byte one code 0..255); the u16string overloads reach every code a font
// table can hold (0..65535).
#pragma once

#include "platform/platform.h"

#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TBitmapFont;

// Blend modes, equal to the platform's.
struct EConstBlend {
    static constexpr int Mask = 1;
    static constexpr int Solid = 2;
    static constexpr int Alpha = 3;
    static constexpr int Light = 4;
    static constexpr int Shade = 5;
    static int GetCurrent(); // the blend mode in force
};

// The layer a character action belongs to.
struct eDrawCharStatus {
    static constexpr int Face = 1;
    static constexpr int Border = 2;
    static constexpr int Shadow = 4;
};

struct TRectangle {
    float X = 0, Y = 0, Width = 0, Height = 0;
    static TRectangle Create(float x, float y, float w, float h) { return TRectangle{x, y, w, h}; }
    TRectangle Clone() const { return *this; }
};

struct TDrawingPoint {
    float X = 0, Y = 0;
    static TDrawingPoint Create(float x, float y) { return TDrawingPoint{x, y}; }
    TDrawingPoint Clone() const { return *this; }
};

// One glyph of one layer.
class TBitMapChar {
  public:
    int DrawOffsetX = 0, DrawOffsetY = 0; // picture top-left relative to the pen
    int DrawWidth = 0, DrawHeight = 0;    // size of the drawn area
    int Charwidth = 0;                    // pen advance after this character
    PicturePtr Image;                     // none when the layer has no picture

    // Reads DrawOffsetX, DrawOffsetY, DrawWidth, DrawHeight, Charwidth.
    void LoadDrawRenderingData(Stream* stream);
};

struct TPrivateFontKerning {
    float HKF = 0.0f; // added to every pen advance
    float VKF = 0.0f; // added to every line advance
};

class TFontKerning {
  public:
    void SetHKerning(float f) { data.HKF = f; }
    void SetVKerning(float f) { data.VKF = f; }
    float GetHKerning() const { return data.HKF; }
    float GetVKerning() const { return data.VKF; }

  private:
    TPrivateFontKerning data;
};

// Drawing state captured at the start of every text line.
struct TRenderStatus {
    int OldBlend = 0;
    float Rotation = 0;
    float ScaleX = 0, ScaleY = 0;
};

struct TDrawTextAction {
    std::u16string Text;
    float X = 0, Y = 0;
    TBitmapFont* Font = nullptr;
};

struct TDrawCharAction {
    int Char = 0;     // a hook may change the character
    float X = 0, Y = 0; // where the glyph lands; a hook may move it
    float CurrentScaleX = 0, CurrentScaleY = 0;
    TBitmapFont* font = nullptr;
    int Handled = 0; // a hook sets 1 to draw the glyph itself (or not at all)
    int Status = 0;  // eDrawCharStatus
};

// A drawing hook. Hooks form a chain through ChainFX; the font calls the
// character operations on every hook of the chain, the text operations on the
// first one only. The font does not own its hooks.
class iTextRendererFXBase {
  public:
    iTextRendererFXBase* ChainFX = nullptr;
    virtual ~iTextRendererFXBase() = default;
    virtual void DrawTextBegin(TDrawTextAction& action) {}
    virtual void DrawTextEnd(TDrawTextAction& action) {}
    virtual void DrawShadowChar(TDrawCharAction& action) {}
    virtual void DrawBorderChar(TDrawCharAction& action) {}
    virtual void DrawFaceChar(TDrawCharAction& action) {}
};

struct TPrivateException {
    std::string Description;
    TBitmapFont* Offending = nullptr;
};

class TDrawTextException : public std::exception {
  public:
    TDrawTextException() = default;
    TDrawTextException(std::string description, TBitmapFont* offending);
    // The description, or a general sentence when there is none.
    std::string ToString() const;
    TBitmapFont* GetFontObject() const { return data.Offending; }
    const char* what() const noexcept override { return text.c_str(); }

  private:
    TPrivateException data;
    std::string text; // ToString(), kept for what()
};

class TBitmapFontLoadException : public TDrawTextException {
  public:
    using TDrawTextException::TDrawTextException;
};

using GlyphTable = std::vector<std::unique_ptr<TBitMapChar>>;
using ProgressFunction = std::function<void(float percent)>;

class TPrivateBitmapFont {
  public:
    TPrivateBitmapFont();

    GlyphTable Shadow; // 256 entries, or 65536 once a code above 255 is loaded
    GlyphTable Border;
    GlyphTable Face;
    ProgressFunction Progress;
    int DrawShadow = 1;
    int DrawBorder = 1;
    int FontLoaded = 0;
    int ShadowBlend = EConstBlend::Alpha;
    int FaceBlend = EConstBlend::Alpha;
    int BorderBlend = EConstBlend::Alpha;
    TRenderStatus RenderStatus;

    // Draws one text with all layers (x, y = top-left of its first line).
    void DrawTextLine(std::u16string_view text, float x, float y, int useFontBlends, TBitmapFont& font);
    void DrawShadowText(std::u16string_view text, float x, float y, TBitmapFont& font);
    void DrawBorderText(std::u16string_view text, float x, float y, TBitmapFont& font);
    void DrawFaceText(std::u16string_view text, float x, float y, TBitmapFont& font);

    // The face glyph of code c, or null (c outside the table included).
    TBitMapChar* faceGlyph(int c) const;
    int tableLength() const { return static_cast<int>(Face.size()); }
};

class TBitmapFont {
  public:
    TFontKerning Kerning;
    int UseMask = 0;
    int MaskColorRed = 0, MaskColorGreen = 0, MaskColorBlue = 0;
    int PhisicalPixelRounding = 0;
    iTextRendererFXBase* RenderFX = nullptr;
    TPrivateBitmapFont PrivateData;

    // Loading. A path that cannot be opened leaves the font as it is; an open
    // stream is read from its position and left open. Throws
    // TBitmapFontLoadException on a corrupt record; a stream that ends inside a
    // record throws its StreamError. Returns 0.
    int Load(const std::string& path, int flags);
    int Load(Stream* stream, int flags);
    int FontLoaded() const { return PrivateData.FontLoaded; }
    void SetProgressFunction(ProgressFunction fn) { PrivateData.Progress = std::move(fn); }

    void SetDrawShadow(int i) { PrivateData.DrawShadow = i; }
    int GetDrawShadow() const { return PrivateData.DrawShadow; }
    void SetDrawBorder(int i) { PrivateData.DrawBorder = i; }
    int GetDrawBorder() const { return PrivateData.DrawBorder; }
    void SetFaceBlend(int i) { PrivateData.FaceBlend = i; }
    int GetFaceBlend() const { return PrivateData.FaceBlend; }
    void SetBorderBlend(int i) { PrivateData.BorderBlend = i; }
    int GetBorderBlend() const { return PrivateData.BorderBlend; }
    void SetShadowBlend(int i) { PrivateData.ShadowBlend = i; }
    int GetShadowBlend() const { return PrivateData.ShadowBlend; }

    // Glyph queries for codes 0..255.
    Picture* GetFaceImage(uint8_t c) const;
    Picture* GetBorderImage(uint8_t c) const;
    Picture* GetShadowImage(uint8_t c) const;
    std::optional<TRectangle> GetFaceInfo(uint8_t c) const;
    std::optional<TRectangle> GetBorderInfo(uint8_t c) const;
    std::optional<TRectangle> GetShadowInfo(uint8_t c) const;
    int GetCharOffset(uint8_t c) const;
    TDrawingPoint GetCharBorderOffset(uint8_t c) const;
    TDrawingPoint GetCharShadowOffset(uint8_t c) const;

    // Drawing and measuring. align: 0 left, 1 centred on x, 2 right-aligned at x.
    int DrawText(std::string_view text, float x, float y, int useFontBlends, uint8_t align);
    int DrawText(std::u16string_view text, float x, float y, int useFontBlends, uint8_t align);
    int DrawTextMaxWidth(std::string_view text, float x, float y, double maxWidth, int useFontBlends);
    int DrawTextMaxWidth(std::u16string_view text, float x, float y, double maxWidth, int useFontBlends);
    int GetTxtWidth(std::string_view text) const;
    int GetTxtWidth(std::u16string_view text) const;
    int GetFontHeight() const;
    // The rows the text's ink can cover, from top to bottom (exclusive),
    // relative to the y it is drawn at, unscaled: the border glyphs (each the
    // letter widened by the border, drawn or not) and the shadow glyphs when
    // shadows are drawn. False when no character of the text has ink.
    bool GetInkRows(std::string_view text, int& top, int& bottom) const;
};

// The text's bytes as character codes 0..255.
std::u16string LatinToCodes(std::string_view text);

// Makes a font, installs the progress callback and loads the file with flags 2;
// the font when the load reached the end, else null.
std::unique_ptr<TBitmapFont> LoadBitmapFontFile(const std::string& path, ProgressFunction progress);

// Draws left-aligned; a null font or any failure inside the drawing becomes a
// TDrawTextException.
void DrawBitmapFontText(TBitmapFont* font, std::string_view text, int x, int y, int useFontBlends);
