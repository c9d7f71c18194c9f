// Ogg Vorbis decoding through libvorbisfile from memory, mixed down (or up) to
// stereo and resampled linearly to the mixer's rate.
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/sdl_internal.h"

namespace {

struct MemoryFile {
    const uint8_t* data;
    size_t size, pos;
};

size_t MemRead(void* dst, size_t size, size_t count, void* source)
{
    auto* f = static_cast<MemoryFile*>(source);
    if (size == 0) return 0;
    const size_t available = (f->size - f->pos) / size;
    const size_t n = std::min(count, available);
    std::memcpy(dst, f->data + f->pos, n * size);
    f->pos += n * size;
    return n;
}

int MemSeek(void* source, ogg_int64_t offset, int whence)
{
    auto* f = static_cast<MemoryFile*>(source);
    ogg_int64_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? static_cast<ogg_int64_t>(f->pos)
                                                                   : static_cast<ogg_int64_t>(f->size);
    const ogg_int64_t target = base + offset;
    if (target < 0 || target > static_cast<ogg_int64_t>(f->size)) return -1;
    f->pos = static_cast<size_t>(target);
    return 0;
}

long MemTell(void* source) { return static_cast<long>(static_cast<MemoryFile*>(source)->pos); }

// Longest sound accepted, in source frames (an hour at 48 kHz).
constexpr size_t kMaxFrames = 48000u * 3600u;

int16_t ToSample(float v)
{
    v = std::clamp(v, -1.0f, 1.0f);
    return static_cast<int16_t>(std::lround(v * 32767.0f));
}

} // namespace

bool DecodeOggVorbis(const std::vector<uint8_t>& bytes, int rate, Sound& out)
{
    if (bytes.empty() || rate <= 0) return false;
    MemoryFile file{bytes.data(), bytes.size(), 0};
    ov_callbacks callbacks{MemRead, MemSeek, nullptr, MemTell};
    OggVorbis_File vf;
    if (ov_open_callbacks(&file, &vf, nullptr, 0, callbacks) != 0) return false;
    const vorbis_info* info = ov_info(&vf, -1);
    const int sourceRate = info ? static_cast<int>(info->rate) : 0;
    std::vector<float> stereo; // interleaved at the source rate
    const ogg_int64_t total = ov_pcm_total(&vf, -1);
    if (total > 0 && static_cast<size_t>(total) < kMaxFrames) stereo.reserve(static_cast<size_t>(total) * 2);
    bool ok = sourceRate > 0;
    while (ok) {
        float** pcm = nullptr;
        int link = 0;
        const long n = ov_read_float(&vf, &pcm, 4096, &link);
        if (n == OV_HOLE) continue;
        if (n <= 0) break;
        const vorbis_info* li = ov_info(&vf, link);
        const int channels = li ? li->channels : 0;
        if (channels <= 0) break;
        for (long i = 0; i < n; ++i) {
            const float left = pcm[0][i];
            const float right = channels > 1 ? pcm[1][i] : left;
            stereo.push_back(left);
            stereo.push_back(right);
        }
        if (stereo.size() / 2 > kMaxFrames) ok = false;
    }
    ov_clear(&vf);
    const size_t sourceFrames = stereo.size() / 2;
    if (!ok || sourceFrames == 0) return false;

    const double step = static_cast<double>(sourceRate) / rate;
    const size_t frames = std::max<size_t>(1, static_cast<size_t>(std::floor(sourceFrames / step)));
    out.samples.resize(frames * 2);
    for (size_t i = 0; i < frames; ++i) {
        const double at = i * step;
        const size_t i0 = std::min(static_cast<size_t>(at), sourceFrames - 1);
        const size_t i1 = std::min(i0 + 1, sourceFrames - 1);
        const float t = static_cast<float>(at - i0);
        for (int c = 0; c < 2; ++c) {
            const float v = stereo[i0 * 2 + c] * (1.0f - t) + stereo[i1 * 2 + c] * t;
            out.samples[i * 2 + c] = ToSample(v);
        }
    }
    out.frames = frames;
    return true;
}

SoundPtr LoadSound(const std::string& path, int flags)
{
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, bytes)) return nullptr;
    auto sound = std::make_shared<Sound>();
    if (!DecodeOggVorbis(bytes, AudioMixRate(), *sound)) return nullptr;
    sound->loop = (flags & 1) != 0;
    return sound;
}
