// The .fmf font reader on an in-memory stream, then measuring and laying out
// text with whatever metrics it loaded.
#include "bitmapfont/bitmapfont.h"

#include <cstdint>
#include <string>
#include <vector>

namespace {

// Takes over every glyph, so no display is needed.
struct Swallow : iTextRendererFXBase {
    void DrawShadowChar(TDrawCharAction& a) override { a.Handled = 1; }
    void DrawBorderChar(TDrawCharAction& a) override { a.Handled = 1; }
    void DrawFaceChar(TDrawCharAction& a) override { a.Handled = 1; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    StreamPtr stream = OpenMemory(std::vector<uint8_t>(data, data + size));
    TBitmapFont font;
    try {
        font.Load(stream.get(), PIC_FILTER);
    } catch (const TBitmapFontLoadException&) {
    } catch (const StreamError&) {
    }
    Swallow swallow;
    font.RenderFX = &swallow;
    std::string text;
    for (int c = 1; c < 256; c += 7) text.push_back(char(c));
    text += "\nAB C";
    font.GetTxtWidth(text);
    font.GetFontHeight();
    font.DrawText(text, 10, 10, 1, 1);
    font.DrawTextMaxWidth(text, 0, 0, 300, 1);
    font.GetTxtWidth(std::u16string(u"\u0100\uffff"));
    return 0;
}
