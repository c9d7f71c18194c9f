// The settings (settings.txt in the save folder): window mode, volumes, current
// player slot, language and menu-background numbers.
#pragma once
#include <string>

class TConfig {
  public:
    int musiklautsoll = 0; // music volume chosen in the options, 0..280
    int musiklaut = 0;     // music volume applied now; moves towards musiklautsoll
    int soundlaut = 0;     // effects volume, 0..280
    int soundlautsoll = 0; // not used, not stored
    int sprache = 0;
    int aktmenubg = 0;
    int fullscreen = 0; // 1 full screen, 0 window
    std::string url;

    int setUrl(const std::string& path);
    int LoadFromDisk();
    int Reset();
    int SaveToDisk();
};

extern TConfig gConfig;
