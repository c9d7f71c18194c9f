// A review sheet of the music: each track's notes as a piano roll (time across,
// pitch up), coloured by part, with bar lines, so form and texture can be seen.
#pragma once
#include "music/score.h"

#include <filesystem>
#include <vector>

namespace music {

void writePianoRoll(const std::filesystem::path& png, const std::vector<Song>& songs);

} // namespace music
