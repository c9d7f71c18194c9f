// On the desktop every language's files are installed with the game.
#include "platform/platform.h"

bool LanguageDataReady(const std::string&) { return true; }
