// Comparing the save folder with the game's memory: the profiles, the settings
// and the best times as the game would write them now against the files.
#pragma once

#include <string>
#include <vector>

namespace hardening {

// The differences between the files in gSaveDir and memory, one line each;
// empty when every file holds what memory holds (as right after loading). A
// slot without a file counts as equal when its profile is erased (no name).
std::vector<std::string> savesDifferFromMemory();

// What the game must have written when it quits through the exit question:
// the settings, the best times and the current player as in memory, and of
// every other player at least the progress memory holds (story level, points,
// finished), and no player on disk that memory has deleted. Other differences
// of other players are changes the game writes only at its fixed moments
// (say a level picked, or a new game begun, before the player was switched);
// they are counted in unsaved.
std::vector<std::string> savesMissWhatTheGameDid(int& unsaved);

// The bytes of a file, empty when it cannot be read.
std::string fileBytes(const std::string& path);

} // namespace hardening
