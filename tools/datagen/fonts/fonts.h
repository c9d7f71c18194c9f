// The table of the game's seven bitmap fonts.
#pragma once
#include "fonts/glyphs.h"

#include <filesystem>
#include <vector>

namespace fonts {

const std::vector<FontStyle>& fontStyles();

// Draws a review sheet of a written .fmf file into a PNG.
void writeFontSheet(const std::filesystem::path& fmf, const std::filesystem::path& png);

} // namespace fonts
