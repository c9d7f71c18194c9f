// Drawing text: the alignment of a text, its three layer passes (shadow,
// border, face), the placement of rotated lines, the hook chain and the
// snapping of glyphs to physical pixels.
#include "bitmapfont/bitmapfont.h"

#include <cmath>

namespace {

// Halves away from zero.
float roundHalfAway(float v) { return std::trunc(v + (v < 0 ? -0.5f : 0.5f)); }

// Restores the blend mode even when a hook throws.
struct BlendRestore {
    int mode;
    ~BlendRestore() { SetBlend(mode); }
};

// Draws one glyph picture so that it starts and ends on whole physical pixels.
void drawRounded(Picture* image, float x, float y, float sx, float sy) {
    const float vw = LogicalWidth(), vh = LogicalHeight();
    const float gw = float(DisplayWidth()), gh = float(DisplayHeight());
    if (vw <= 0 || vh <= 0 || gw <= 0 || gh <= 0) {
        DrawPicture(image, x, y, 0);
        return;
    }
    const float px = x * gw / vw, py = y * gh / vh;
    SetLogicalSize(gw, gh);
    float ax = sx * gw / vw, ay = sy * gh / vh;
    const int pw = PictureWidth(image), ph = PictureHeight(image);
    if (pw > 0) ax = roundHalfAway(ax * float(pw)) / float(pw);
    if (ph > 0) ay = roundHalfAway(ay * float(ph)) / float(ph);
    SetDrawScale(ax, ay);
    DrawPicture(image, roundHalfAway(px), roundHalfAway(py), 0);
    SetLogicalSize(vw, vh);
    SetDrawScale(sx, sy);
}

void callHooks(iTextRendererFXBase* first, int status, TDrawCharAction& action) {
    for (iTextRendererFXBase* h = first; h; h = h->ChainFX) {
        if (status == eDrawCharStatus::Shadow) h->DrawShadowChar(action);
        else if (status == eDrawCharStatus::Border) h->DrawBorderChar(action);
        else h->DrawFaceChar(action);
    }
}

TBitMapChar* glyphAt(GlyphTable& table, int c) {
    return c >= 0 && c < int(table.size()) ? table[c].get() : nullptr;
}

void runPass(TPrivateBitmapFont& f, TBitmapFont& font, int status, std::u16string_view text, float x,
             float y) {
    GlyphTable& table = status == eDrawCharStatus::Shadow   ? f.Shadow
                        : status == eDrawCharStatus::Border ? f.Border
                                                            : f.Face;
    const float sx = f.RenderStatus.ScaleX, sy = f.RenderStatus.ScaleY;
    const float rotation = f.RenderStatus.Rotation;
    const bool rotated = rotation < -0.01f || rotation > 0.01f;
    const double radians = double(rotation) * M_PI / 180.0;
    const float dirX = float(std::cos(radians)), dirY = float(std::sin(radians));
    const float hkf = font.Kerning.GetHKerning(), vkf = font.Kerning.GetVKerning();
    const float lineAdvance = float(font.GetFontHeight()) * sy + vkf * sy;

    float penX = x, penY = y;
    float originX = x, originY = y;
    for (char16_t unit : text) {
        int c = unit;
        if (c >= int(table.size())) continue;
        if (c == 10) {
            // The next line starts its own origin below the start of this one.
            penY += lineAdvance;
            penX = x;
            originX = x;
            originY = penY;
            continue;
        }
        TBitMapChar* glyph = table[c].get();
        if (!glyph || !glyph->Image) continue;

        float px = penX, py = penY;
        if (rotated) {
            const float d = std::hypot(penX - originX, penY - originY);
            px = originX + d * dirX;
            py = originY + d * dirY;
        }

        if (font.RenderFX) {
            TDrawCharAction action;
            action.Char = c;
            action.X = px;
            action.Y = py;
            if (status != eDrawCharStatus::Shadow) {
                action.CurrentScaleX = sx;
                action.CurrentScaleY = sy;
            }
            action.font = &font;
            action.Status = status;
            callHooks(font.RenderFX, status, action);
            c = action.Char;
            TBitMapChar* chosen = glyphAt(table, c);
            if (action.Handled == 0 && f.faceGlyph(c) && chosen && chosen->Image)
                DrawPicture(chosen->Image.get(), action.X, action.Y, 0);
        } else if (font.PhisicalPixelRounding == 1 && status != eDrawCharStatus::Shadow) {
            drawRounded(glyph->Image.get(), px, py, sx, sy);
        } else {
            DrawPicture(glyph->Image.get(), px, py, 0);
        }

        if (TBitMapChar* face = f.faceGlyph(c)) penX += float(face->Charwidth) * sx + hkf * sx;
    }
}

} // namespace

void TPrivateBitmapFont::DrawShadowText(std::u16string_view text, float x, float y, TBitmapFont& font) {
    runPass(*this, font, eDrawCharStatus::Shadow, text, x, y);
}

void TPrivateBitmapFont::DrawBorderText(std::u16string_view text, float x, float y, TBitmapFont& font) {
    runPass(*this, font, eDrawCharStatus::Border, text, x, y);
}

void TPrivateBitmapFont::DrawFaceText(std::u16string_view text, float x, float y, TBitmapFont& font) {
    runPass(*this, font, eDrawCharStatus::Face, text, x, y);
}

void TPrivateBitmapFont::DrawTextLine(std::u16string_view text, float x, float y, int useFontBlends,
                                      TBitmapFont& font) {
    if (font.RenderFX) {
        TDrawTextAction begin{std::u16string(text), x, y, &font};
        font.RenderFX->DrawTextBegin(begin);
    }
    RenderStatus.OldBlend = ReadBlend();
    ReadScale(RenderStatus.ScaleX, RenderStatus.ScaleY);
    RenderStatus.Rotation = ReadRotation();
    {
        BlendRestore restore{RenderStatus.OldBlend};
        if (DrawShadow == 1) {
            if (useFontBlends == 1) SetBlend(ShadowBlend);
            DrawShadowText(text, x, y, font);
        }
        if (DrawBorder == 1) {
            if (useFontBlends == 1) SetBlend(BorderBlend);
            DrawBorderText(text, x, y, font);
        }
        if (useFontBlends == 1) SetBlend(FaceBlend);
        DrawFaceText(text, x, y, font);
    }
    if (font.RenderFX) {
        TDrawTextAction end{std::u16string(text), x, y, &font};
        font.RenderFX->DrawTextEnd(end);
    }
}

int TBitmapFont::DrawText(std::u16string_view text, float x, float y, int useFontBlends, uint8_t align) {
    float sx = 1, sy = 1;
    ReadScale(sx, sy);
    float startX = x;
    if (align == 1) startX = x - std::trunc(float(GetTxtWidth(text)) * sx) * 0.5f;
    else if (align == 2) startX = x - std::trunc(float(GetTxtWidth(text)) * sx);
    PrivateData.DrawTextLine(text, startX, y, useFontBlends, *this);
    return 0;
}

int TBitmapFont::DrawText(std::string_view text, float x, float y, int useFontBlends, uint8_t align) {
    return DrawText(std::u16string_view(LatinToCodes(text)), x, y, useFontBlends, align);
}
