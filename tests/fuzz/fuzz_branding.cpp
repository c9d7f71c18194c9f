// The branding configuration: any file gives at most six pages, and walking
// them as the screen switch does (Enter held on every other frame) stays on
// pages of the tables and ends on the loading screen.
#include "app/globals.h"
#include "app/splash.h"
#include "tests/fuzz/fuzz_input.h"

#include <sys/stat.h>

namespace {

// A 2 x 2 red PNG, the picture of every page whose "file" line says p.png.
const uint8_t kPagePng[] = {0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49,
                            0x48, 0x44, 0x52, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x02, 0x08, 0x06,
                            0x00, 0x00, 0x00, 0x72, 0xb6, 0x0d, 0x24, 0x00, 0x00, 0x00, 0x11, 0x49, 0x44,
                            0x41, 0x54, 0x78, 0x9c, 0x63, 0xf8, 0xcf, 0xc0, 0xf0, 0x1f, 0x84, 0x19, 0x60,
                            0x0c, 0x00, 0x47, 0xca, 0x07, 0xf9, 0x67, 0x59, 0x6e, 0xb7, 0x00, 0x00, 0x00,
                            0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82};

void check(bool ok) {
    if (!ok) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    InFuzzFolder folder;
    static const bool ready = [] {
        mkdir("data", 0777);
        mkdir("data/branding", 0777);
        writeFuzzFile("data/branding/p.png", kPagePng, sizeof kPagePng);
        return true;
    }();
    (void)ready;
    writeFuzzFile("data/branding/splashconfig.txt", data, size);
    gScreen = 0;
    gFadeDir = 1;
    screenTellgravePrepare(1);
    check(splashCount >= 0 && splashCount <= kSplashPages);
    const int count = splashCount;
    bool reachedLoading = false;
    for (int frame = 0; frame < 4000 && !reachedLoading; frame++) {
        if (gFadeDir == 2) {
            // The switch at the darkest frame of the fade.
            if (gNextScreen == SCREEN_LOADING) {
                reachedLoading = true;
                break;
            }
            check(gNextScreen == SCREEN_BRANDING && gNextScreenArg == splashPage + 1 &&
                  gNextScreenArg <= count);
            screenTellgravePrepare(gNextScreenArg);
            check(splashCount == count);
        }
        gKeyEnter = frame & 1;
        screenTellgraveFrame();
        check(splashPage >= 1 && splashPage <= (count > 0 ? count : 1));
    }
    // Every page that has no positive time can be skipped, so only a long
    // unskippable time keeps the pages on screen.
    if (!reachedLoading) {
        bool longPage = false;
        for (int p = 1; p <= count; p++)
            longPage |= splashTime[p] > 0 && splashSkip[p] != 1;
        check(longPage);
    }
    freeSplashPictures();
    return 0;
}
