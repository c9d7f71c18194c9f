// Renders a song through FluidSynth into a seamless stereo loop.
#pragma once
#include "music/score.h"

#include <string>
#include <vector>

namespace music {

constexpr int kRate = 44100;

// Interleaved stereo float PCM of exactly one loop of the song. The release
// and reverb tail that rings on after the loop's end is added onto its start,
// so the loop joins without a click or a gap. Peak and loudness are set for
// music: the loudest second at about -16 dBFS RMS, peaks at most -1.5 dBFS.
std::vector<float> renderLoop(const Song& song, const std::string& soundfont);

} // namespace music
