// In the browser the data folder is packed with the program and unpacked at
// /game before the program starts; nothing is ever written there. There is no
// program file, so no folder is "beside the program".
#include "platform/platform.h"

std::string ProgramFolder() { return ""; }

std::vector<std::string> InstallationFolderCandidates(const std::string&) { return {"/game/"}; }
