// The effect table and the music track.
#include "app/sound.h"

#include "app/globals.h"
#include "game/gamestate.h"
#include "persist/config.h"

SoundPtr gSounds[kSfxSlots];
int gSfxPlayed[kSfxSlots];
SoundPtr gMusicSound;
Channel gMusicChannel = 0;
float gMusicVolume = 0;
float gLastSfxVolume = 0, gLastSfxPan = 0;

namespace {

constexpr float kVolumeUnit = 0.00357143f; // 1/280: the settings' full volume
constexpr float kFadeUnit = 0.00390625f;   // 1/256: the fade level's full brightness

struct SfxFile {
    int slot;
    const char* file;
};
constexpr SfxFile kSfxTable[] = {
    {3, "mark1.ogg"},       {4, "mark2.ogg"},      {5, "turnup.ogg"},     {6, "turndown.ogg"},
    {7, "bell1.ogg"},       {8, "shuffle.ogg"},    {9, "hint.ogg"},       {10, "failure.ogg"},
    {11, "gamebutt1.ogg"},  {12, "mo.ogg"},        {13, "button1.ogg"},   {14, "bomb.ogg"},
    {16, "pucollect.ogg"},  {17, "colorer.ogg"},   {19, "match.ogg"},     {20, "puready.ogg"},
    {21, "enterping.ogg"},  {22, "pucollect2.ogg"}, {23, "contact2.ogg"}, {25, "explosion.ogg"},
    {28, "bell1.ogg"},      {29, "puhit.ogg"},     {30, "takepu.ogg"},    {32, "glitter.ogg"},
    {33, "laypart.ogg"},    {34, "pustart.ogg"},   {35, "stone2.ogg"},    {36, "butt.ogg"},
    {40, "moss2.ogg"},      {41, "mmh1.ogg"},      {44, "pufull.ogg"},    {45, "puno.ogg"},
    {46, "cash.ogg"},       {47, "build.ogg"},
};

float clampVolume(float v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }

} // namespace

int initSounds() {
    gMusicChannel = AllocChannel();
    // The probe tells whether sound works at all; its sound is not kept.
    if (!LoadSound("data/sound/button1.ogg", 1)) return 0;
    gSfxPlayed[0] = 0;
    for (const SfxFile& e : kSfxTable) gSounds[e.slot] = LoadSound(std::string("data/sound/") + e.file, 0);
    return 0;
}

int playSfx(int slot, int x) {
    if (slot < 0 || slot >= kSfxSlots) return 0;
    if (gConfig.soundlaut <= 10 || gSfxPlayed[slot] != 0) return 0;
    if (!gSounds[slot]) return 0; // an empty slot plays nothing
    Channel ch = StartSound(gSounds[slot]);
    if (ch == 0) return 0;
    gLastSfxVolume = clampVolume(gConfig.soundlaut * kVolumeUnit);
    gLastSfxPan = (x - 512) * 0.0017f * 0.5f;
    ChannelSetVolume(ch, gLastSfxVolume);
    ChannelSetPan(ch, gLastSfxPan);
    gSfxPlayed[slot] = 1;
    return ch;
}

int playMusic(const std::string& file) {
    ChannelStop(gMusicChannel);
    // The old track goes before the new one is decoded, so two whole tracks
    // never take memory at once.
    gMusicSound.reset();
    gMusicSound = LoadSound("data/music/" + file, 1);
    // Without a track there is no channel: resuming the stopped old channel
    // must not bring the previous music back.
    gMusicChannel = gMusicSound ? CueSoundPaused(gMusicSound) : 0;
    ChannelSetVolume(gMusicChannel, clampVolume(gConfig.musiklaut * kVolumeUnit));
    return 0;
}

int stopMusic() {
    ChannelStop(gMusicChannel);
    return 0;
}

int musicUpdate() {
    if (gScreen == SCREEN_BRANDING) return 0;

    // Move the applied volume towards the chosen one; both tests run, so it
    // settles within one step of the target.
    if (gConfig.musiklaut < gConfig.musiklautsoll) gConfig.musiklaut += 5;
    if (gConfig.musiklaut > gConfig.musiklautsoll) gConfig.musiklaut -= 5;
    if (gConfig.musiklautsoll < 10) gConfig.musiklaut = 0;

    const float full = gConfig.musiklaut * kVolumeUnit;
    const float faded = full * gFadeLevel * kFadeUnit;
    float m = faded;
    // The music follows the screen fade, except where the same track goes on
    // across the switch (the last matching case wins).
    if (gScreen == SCREEN_LOADING) m = full;
    if ((gScreen == SCREEN_MENU && gNextScreen == SCREEN_ROADMAP) ||
        (gScreen == SCREEN_ROADMAP && gNextScreen == SCREEN_MENU) ||
        (gScreen == SCREEN_MENU && gPrevScreen == SCREEN_ROADMAP) ||
        (gScreen == SCREEN_ROADMAP && gPrevScreen == SCREEN_MENU))
        m = full;
    if (gScreen == SCREEN_GAME && gNextScreen == SCREEN_ROADMAP && winCounter > 0) m = full;
    if (gScreen == SCREEN_ROADMAP && gNextScreen == SCREEN_GAME) m = faded;

    for (int i = 1; i < kSfxSlots; ++i) gSfxPlayed[i] = 0;

    gMusicVolume = clampVolume(m);
    ChannelSetVolume(gMusicChannel, gMusicVolume);
    if (gPaused == -1 && ChannelIsPlaying(gMusicChannel) == 0) ChannelResume(gMusicChannel);
    return 0;
}
