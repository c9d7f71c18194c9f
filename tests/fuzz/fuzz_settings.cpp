// The settings reader: any file loads, and the current player is a slot or none.
#include "persist/config.h"
#include "persist/profile.h"
#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TConfig config;
    config.setUrl(writeFuzzFile("settings.txt", data, size));
    config.LoadFromDisk();
    if (gCurPl != -1 && (gCurPl < 1 || gCurPl > 9)) std::abort();
    if (config.musiklaut != config.musiklautsoll) std::abort();
    if (&curPlayer() != &gPlayers[gCurPl > 0 ? gCurPl : 0]) std::abort();
    return 0;
}
