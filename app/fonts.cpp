#include "app/fonts.h"

#include "platform/debuglog.h"

TBitmapFont gFontTitle, gFontButton, gFontText, gFontDialog, gFontWin, gFontText24, gFontHeadbar;

namespace {

struct FontSetup {
    TBitmapFont* font;
    const char* file;
    int shadow;
    int border;
    float hKerning; // 0 = left at the font's default
    float vKerning;
};

// Loads one font; a corrupt file must not stop the start-up: the font keeps the
// glyphs read before the fault and the rest of the interface still comes up.
void loadOne(const FontSetup& s) {
    const std::string path = std::string("data/fonts/") + s.file;
    try {
        s.font->Load(path, PIC_FILTER);
        if (s.font->FontLoaded() != 1) DebugLog("Font " + path + ": missing");
    } catch (const std::exception& e) {
        DebugLog("Font " + path + ": damaged, " + e.what());
    }
    s.font->SetDrawShadow(s.shadow);
    s.font->SetDrawBorder(s.border);
    if (s.hKerning != 0) s.font->Kerning.SetHKerning(s.hKerning);
    if (s.vKerning != 0) s.font->Kerning.SetVKerning(s.vKerning);
}

} // namespace

int loadFonts() {
    const FontSetup table[] = {
        {&gFontTitle, "me_titel.fmf", 1, 1, 3, 0},   {&gFontButton, "me_button2.fmf", 0, 1, 0, 0},
        {&gFontText, "me_text.fmf", 1, 1, 0, 2},     {&gFontDialog, "me_dialog.fmf", 0, 1, 1, 0},
        {&gFontWin, "me_win.fmf", 1, 1, 0, 0},       {&gFontText24, "me_text_24.fmf", 1, 1, 1, 0},
        {&gFontHeadbar, "me_headbar.fmf", 0, 1, 1, 0},
    };
    for (const FontSetup& s : table) loadOne(s);
    return 0;
}
