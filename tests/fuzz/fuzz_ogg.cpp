// The Ogg Vorbis reader, through the call the game makes for its effects and
// music: any file loads as a sound or as none, and a loaded sound plays.
#include "platform/platform.h"
#include "tests/fuzz/fuzz_input.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = [] {
        // No sound card: the mixer still decodes at its usual rate.
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        return true;
    }();
    (void)ready;
    const std::string path = writeFuzzFile("sound.ogg", data, size);
    SoundPtr sound = LoadSound(path, size % 2);
    if (sound) {
        const Channel ch = StartSound(sound);
        ChannelSetVolume(ch, 0.5f);
        ChannelStop(ch);
    }
    return 0;
}
