// A review sheet of the sound effects: each effect's waveform on one common
// time scale, with its name, length and peak, and the -3 dBFS level marked.
#pragma once
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace audio {

void writeWaveSheet(const std::filesystem::path& png,
                    const std::vector<std::pair<std::string, std::vector<float>>>& effects, int rate);

} // namespace audio
