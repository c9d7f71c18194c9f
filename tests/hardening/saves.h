// Comparing the save folder with the game's memory: the profiles, the settings
// and the best times as the game would write them now against the files.
#pragma once

#include <string>
#include <vector>

namespace hardening {

// The differences between the files in gSaveDir and memory, one line each;
// empty when every file holds what memory holds. A slot without a file counts
// as equal when its profile is erased (no name).
std::vector<std::string> savesDifferFromMemory();

// The bytes of a file, empty when it cannot be read.
std::string fileBytes(const std::string& path);

} // namespace hardening
