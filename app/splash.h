// The branding pages (screen -2), described by "data/branding/splashconfig.txt".
#pragma once
#include "platform/platform.h"

#include <string>

constexpr int kSplashPages = 6; // pages 1..6
extern std::string splashFile[kSplashPages + 1];
extern int splashTime[kSplashPages + 1];
extern int splashSkip[kSplashPages + 1];
extern PicturePtr splashPicture[kSplashPages + 1];
extern int splashCount, splashPage, splashFrames;

// Reads the configuration into the page tables and sets splashCount.
void readSplashConfig();
// Frees every branding picture (the loading screen does so at its end).
void freeSplashPictures();

int screenTellgravePrepare(int page);
int screenTellgraveFrame();
