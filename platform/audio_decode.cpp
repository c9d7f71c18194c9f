// Ogg Vorbis decoding through libvorbisfile from memory, mixed down (or up) to
// stereo and resampled linearly to the mixer's rate.
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/debuglog.h"
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

long MemTell(void* source) { return static_cast<long>(static_cast<MemoryFile*>(source)->pos); }

// Longest sound accepted, in source frames (an hour at 48 kHz).
constexpr size_t kMaxFrames = 48000u * 3600u;

int16_t ToSample(float v)
{
    v = std::clamp(v, -1.0f, 1.0f);
    return static_cast<int16_t>(std::lround(v * 32767.0f));
}

struct PageWalk {
    bool whole = false;       // whole pages up to one that closes the stream
    int64_t lastGranule = -1; // sample position the last whole page reaches
};

// Walks the Ogg pages from the start. A file cut short loses its last page or
// part of it, which the decoder takes for an early end.
PageWalk WalkPages(const std::vector<uint8_t>& bytes)
{
    PageWalk walk;
    size_t pos = 0;
    bool closed = false;
    while (pos + 27 <= bytes.size() && std::memcmp(bytes.data() + pos, "OggS", 4) == 0) {
        const size_t segments = bytes[pos + 26];
        size_t length = 27 + segments;
        if (pos + length > bytes.size()) return walk;
        for (size_t i = 0; i < segments; ++i) length += bytes[pos + 27 + i];
        if (pos + length > bytes.size()) return walk;
        closed = (bytes[pos + 5] & 4) != 0;
        uint64_t granule = 0;
        for (int i = 7; i >= 0; --i) granule = granule << 8 | bytes[pos + 6 + i];
        walk.lastGranule = static_cast<int64_t>(granule);
        pos += length;
    }
    walk.whole = closed && pos == bytes.size();
    return walk;
}

} // namespace

bool DecodeOggVorbis(const std::vector<uint8_t>& bytes, int rate, Sound& out)
{
    if (bytes.empty() || rate <= 0) return false;
    MemoryFile file{bytes.data(), bytes.size(), 0};
    // Read front to back, without seeking: the whole file is in memory, and
    // the library's seeking open leaks on a file that ends with the first page
    // of another stream.
    ov_callbacks callbacks{MemRead, nullptr, nullptr, MemTell};
    OggVorbis_File vf;
    if (ov_open_callbacks(&file, &vf, nullptr, 0, callbacks) != 0) return false;
    const vorbis_info* info = ov_info(&vf, -1);
    const int sourceRate = info ? static_cast<int>(info->rate) : 0;
    std::vector<float> stereo; // interleaved at the source rate
    // Room for the length the last page gives, unless the file is far too
    // small to hold that much (a few samples a byte at the lowest quality).
    const int64_t total = WalkPages(bytes).lastGranule;
    if (total > 0 && static_cast<size_t>(total) < std::min(kMaxFrames, bytes.size() * 32))
        stereo.reserve(static_cast<size_t>(total) * 2);
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
    if (!ReadWholeFile(path, bytes)) {
        DebugLog("Sound " + path + ": missing");
        return nullptr;
    }
    auto sound = std::make_shared<Sound>();
    if (!DecodeOggVorbis(bytes, AudioMixRate(), *sound)) {
        DebugLog("Sound " + path + ": damaged, not a whole Ogg Vorbis sound");
        return nullptr;
    }
    if (!WalkPages(bytes).whole) DebugLog("Sound " + path + ": damaged, cut short; plays as far as it goes");
    sound->loop = (flags & 1) != 0;
    return sound;
}
