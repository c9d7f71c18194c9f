// Ogg Vorbis encoding of generated sound, byte-for-byte repeatable: the stream
// serial number comes from the file name and no time stamp is written.
#pragma once
#include <filesystem>
#include <vector>

namespace audio {

// `samples` is interleaved float PCM in -1..1 with `channels` channels.
// `quality` is libvorbisenc's VBR quality (-0.1 .. 1.0). Throws on samples
// that are not finite or would clip.
void writeOggVorbis(const std::filesystem::path& path, const std::vector<float>& samples, int channels, int rate,
                    float quality);

} // namespace audio
