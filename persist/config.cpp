// The settings file: seven decimal lines (window mode, music volume, effects
// volume, current player slot, language, menu background, applied music volume).
#include "persist/config.h"

#include "persist/binio.h"
#include "persist/profile.h"
#include "platform/platform.h"

TConfig gConfig;

namespace {

// A current player outside the profile slots means "none".
int checkedSlot(int slot) { return slot >= 1 && slot <= 9 ? slot : -1; }

} // namespace

int TConfig::setUrl(const std::string& path) {
    url = path;
    return 0;
}

int TConfig::LoadFromDisk() {
    StreamPtr s = OpenRead(url);
    if (!s) {
        // Settings that cannot be read fall back to the defaults.
        Reset();
        musiklaut = musiklautsoll;
        return 0;
    }
    int values[6] = {};
    try {
        for (int& v : values) {
            if (Eof(s.get())) break;
            v = ParseInt(WithoutCR(ReadLine(s.get())));
        }
    } catch (const StreamError&) {
        // A read error ends the file; the lines not read count as empty.
    }
    Close(s);
    fullscreen = values[0];
    musiklautsoll = values[1];
    soundlaut = values[2];
    gCurPl = checkedSlot(values[3]);
    sprache = values[4];
    aktmenubg = values[5];
    musiklaut = musiklautsoll;
    return 0;
}

int TConfig::Reset() {
    musiklautsoll = 140;
    soundlaut = 210;
    sprache = 0;
    aktmenubg = 5;
    fullscreen = 1;
    gCurPl = -1;
    return 0;
}

int TConfig::SaveToDisk() {
    StreamPtr s = OpenWrite(url);
    if (!s) return 0; // the save folder cannot be written: keep the values in memory
    for (int v : {fullscreen, musiklautsoll, soundlaut, gCurPl, sprache, aktmenubg, musiklaut})
        WriteString(s.get(), std::to_string(v) + "\r\n");
    Close(s);
    return 0;
}
