// The champions popup (111): the profiles ranked by how far they came in the
// story, rebuilt every frame it is drawn.
#include "app/fonts.h"
#include "app/globals.h"
#include "app/menupics.h"
#include "app/popups.h"
#include "app/ui.h"
#include "persist/besttimes.h"
#include "persist/language.h"
#include "screens/popuptext.h"

#include <string>

namespace {

constexpr int kShownRows = 7;

void drawChampionRow(int r) {
    const int y = 238 + 46 * (r - 1);
    drawTextCentredOn(gFontText, std::to_string(r), 323, y);
    if (gChampLevel[r] > 0) {
        drawTextLeft(gFontText, gChampName[r], 368, y);
        drawTextRight(gFontText, std::to_string(gChampPoints[r]), 654, y);
        drawTextCentredOn(gFontText, std::to_string(gChampLevel[r]), 697, y);
    } else {
        for (int x : {368, 654, 697})
            drawTextCentredOn(gFontText, "---", x, y);
    }
}

} // namespace

int championsPopup() {
    buildChampionsTable();
    popupFrame(1, gLang.getValue("champions"));
    // The headings reach down over the table's top edge: drawn after the table
    // so they stay readable.
    gPicScores.PaintXY(512, 392);
    drawTextCentredOn(gFontDialog, gLang.getValue("rank"), 324, 193);
    drawTextCentredOn(gFontDialog, gLang.getValue("name"), 458, 193);
    drawTextCentredOn(gFontDialog, gLang.getValue("points"), 611, 193);
    drawTextCentredOn(gFontDialog, gLang.getValue("level"), 699, 193);
    for (int r = 1; r <= kShownRows; ++r)
        drawChampionRow(r);
    if (popupConfirmed(button(512, 586, 3, 2, gLang.getValue("ok")))) closePopup();
    return 0;
}
