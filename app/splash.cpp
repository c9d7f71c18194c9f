// The branding pages: full-screen pictures described by
// "data/branding/splashconfig.txt", each shown for a number of frames and
// optionally skippable by a key.
#include "app/splash.h"

#include "app/globals.h"
#include "app/mainloop.h"
#include "persist/languages.h"
#include "platform/debuglog.h"

std::string splashFile[kSplashPages + 1];
int splashTime[kSplashPages + 1];
int splashSkip[kSplashPages + 1];
PicturePtr splashPicture[kSplashPages + 1];
int splashCount = 0, splashPage = 0, splashFrames = 0;

namespace {

constexpr int kMaxConfigLines = 29;
const char* const kConfigPath = "data/branding/splashconfig.txt";

bool isTrue(const std::string& value) {
    return ToUpperCase(value) == "TRUE";
}

// The page on screen has nothing to show (no such page, or its picture did
// not load): it is left at once instead of showing a black screen.
bool pageIsEmpty() {
    return splashPage < 1 || splashPage > splashCount || splashPage > kSplashPages ||
           !splashPicture[splashPage];
}

bool skipKeyHeld() {
    return gKeyEnter == 1 || KeyHeld(27) != 0 || KeyHeld(32) != 0 || KeyHeld(PAD_A) != 0 || KeyHeld(PAD_B) != 0;
}

// A page without a positive time never leaves by time; if it could not be
// skipped either, the game could never be entered, so such a page takes the keys.
bool pageSkippable() {
    return splashSkip[splashPage] == 1 || splashTime[splashPage] <= 0;
}

} // namespace

void readSplashConfig() {
    for (int p = 0; p <= kSplashPages; ++p) {
        splashFile[p].clear();
        splashTime[p] = 0;
        splashSkip[p] = 0;
    }
    splashCount = 0;
    StreamPtr in = OpenRead(kConfigPath);
    if (!in) {
        DebugLog(std::string("Branding configuration ") + kConfigPath + ": missing (no branding pages)");
        return; // straight on to the loading screen
    }
    int p = 1;
    for (int n = 0; n < kMaxConfigLines && !Eof(in.get()); ++n) {
        const std::string line = ReadLine(in.get());
        const std::string key = LeftPart(line, 4);
        if (key == ";---") {
            ++p;
            continue;
        }
        // Blocks past the sixth have no place in the page tables: ignored.
        if (p > kSplashPages) continue;
        const std::string value = Substring(line, 6, static_cast<int>(line.size()));
        if (key == "file") splashFile[p] = value;
        if (key == "time") splashTime[p] = ParseInt(value);
        if (key == "skip") splashSkip[p] = isTrue(value) ? 1 : 0;
    }
    const int last = p < kSplashPages ? p : kSplashPages;
    for (int i = 1; i <= last; ++i)
        if (splashFile[i] != "none") ++splashCount;
    // A counted page without a picture name is left at once; it only comes from
    // a damaged or shortened file.
    for (int i = 1; i <= splashCount; ++i)
        if (splashFile[i].empty())
            DebugLog(std::string("Branding configuration ") + kConfigPath + ": damaged, page " +
                     std::to_string(i) + " names no picture");
}

void freeSplashPictures() {
    for (PicturePtr& pic : splashPicture)
        pic.reset();
}

int screenTellgravePrepare(int page) {
    DebugLog("-> screenTellgravePrepare()");
    readSplashConfig();
    HidePointer();
    if (page == 1) {
        for (int i = 1; i <= splashCount; ++i) {
            splashPicture[i] =
                splashFile[i].empty() ? nullptr : LoadPicture(localisedPath("data/branding/" + splashFile[i]), -1);
            if (splashPicture[i]) CentrePictureHandle(splashPicture[i].get());
        }
    }
    gPrevScreen = gScreen;
    gScreen = SCREEN_BRANDING;
    splashPage = page;
    splashFrames = 0;
    fadeIn();
    DebugLog("<- screenTellgravePrepare()");
    return 0;
}

int screenTellgraveFrame() {
    ++splashFrames;
    if (gFadeDir != 2) {
        const bool empty = pageIsEmpty();
        const bool skipped = !empty && pageSkippable() && skipKeyHeld();
        const bool timeUp = !empty && splashFrames == splashTime[splashPage];
        if (empty || skipped || timeUp) {
            if (splashPage >= 1 && splashPage < splashCount)
                gotoScreen(SCREEN_BRANDING, splashPage + 1);
            else
                gotoScreen(SCREEN_LOADING, 0);
        }
    }
    if (gKeyF3 == 1) gDebugMode = 1;
    if (!pageIsEmpty()) DrawPicture(splashPicture[splashPage].get(), 512, 384, 0);
    return 0;
}
