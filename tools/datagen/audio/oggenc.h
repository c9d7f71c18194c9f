// Ogg Vorbis encoding of generated sound, byte-for-byte repeatable: the stream
// serial number comes from the file name and no time stamp is written.
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace audio {

// `samples` is interleaved float PCM in -1..1 with `channels` channels.
// `quality` is libvorbisenc's VBR quality (-0.1 .. 1.0). Throws on samples
// that are not finite or would clip.
std::vector<uint8_t> encodeOggVorbis(const std::vector<float>& samples, int channels, int rate, float quality,
                                     int serial, const std::string& title);
// Encodes as above into a file; the serial and title come from its name.
void writeOggVorbis(const std::filesystem::path& path, const std::vector<float>& samples, int channels, int rate,
                    float quality);

} // namespace audio
