// Sound effects from a fixed numbered table and one looping music track.
#pragma once
#include "platform/platform.h"

#include <string>

constexpr int kSfxSlots = 51; // slots 0..50
extern SoundPtr gSounds[kSfxSlots];
extern int gSfxPlayed[kSfxSlots];
extern SoundPtr gMusicSound;
extern Channel gMusicChannel;

// Volume applied to the music channel by the last musicUpdate (0..1), and the
// volume and pan of the last effect started; read by the developer tools and tests.
extern float gMusicVolume;
extern float gLastSfxVolume, gLastSfxPan;

int initSounds();
// Returns the channel the effect started on, 0 when it did not start.
int playSfx(int slot, int x);
int playMusic(const std::string& file);
int stopMusic();
int musicUpdate();
