// Sound effects from a fixed numbered table and one looping music track.
#pragma once
#include "platform/platform.h"

#include <string>

constexpr int kSfxSlots = 51; // slots 0..50
extern SoundPtr gSounds[kSfxSlots];
extern int gSfxPlayed[kSfxSlots];
extern SoundPtr gMusicSound;
extern Channel gMusicChannel;

int initSounds();
int playSfx(int slot, int x);
int playMusic(const std::string& file);
int stopMusic();
int musicUpdate();
