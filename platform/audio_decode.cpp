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

namespace {

// Resamples linearly while the decoder delivers: output frame i mixes source
// frames floor(i * step) and the one after it. Only the source frames still
// needed are kept, so a long track never sits in memory twice.
class Resampler {
public:
    Resampler(double step, Sound& out) : step_(step), out_(out) {}

    void Add(float left, float right)
    {
        window_.push_back({left, right});
        ++received_;
        // Every output frame whose second source frame has arrived is known.
        while (true) {
            const double at = produced_ * step_;
            const size_t i0 = static_cast<size_t>(at);
            if (i0 + 1 >= received_) break;
            Emit(at, i0, i0 + 1);
        }
        Forget();
    }

    // The output ends after floor(received / step) frames; the last ones
    // lean on the final source frame. Rounding may have let one frame too
    // many through while the source still came.
    void Finish()
    {
        const size_t frames = std::max<size_t>(1, static_cast<size_t>(std::floor(received_ / step_)));
        if (produced_ > frames) {
            out_.samples.resize(frames * 2);
            produced_ = frames;
        }
        while (produced_ < frames) {
            const double at = produced_ * step_;
            const size_t i0 = std::min(static_cast<size_t>(at), received_ - 1);
            Emit(at, i0, std::min(i0 + 1, received_ - 1));
        }
        out_.frames = produced_;
    }

    size_t received() const { return received_; }

private:
    struct Frame {
        float c[2];
    };

    const Frame& Source(size_t i) const { return window_[i - first_]; }

    void Emit(double at, size_t i0, size_t i1)
    {
        const float t = static_cast<float>(at - i0);
        for (int c = 0; c < 2; ++c) {
            const float v = Source(i0).c[c] * (1.0f - t) + Source(i1).c[c] * t;
            out_.samples.push_back(ToSample(v));
        }
        ++produced_;
    }

    // Drops the source frames before the next output frame's first one.
    void Forget()
    {
        const size_t keep = static_cast<size_t>(produced_ * step_);
        if (keep > first_ + 4096) {
            window_.erase(window_.begin(), window_.begin() + static_cast<std::ptrdiff_t>(keep - first_));
            first_ = keep;
        }
    }

    double step_;
    Sound& out_;
    std::vector<Frame> window_;
    size_t first_ = 0, received_ = 0, produced_ = 0;
};

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
    if (sourceRate <= 0) {
        ov_clear(&vf);
        return false;
    }
    const double step = static_cast<double>(sourceRate) / rate;
    out.samples.clear();
    // Room for the length the last page gives, unless the file is far too
    // small to hold that much (a few samples a byte at the lowest quality).
    const int64_t total = WalkPages(bytes).lastGranule;
    if (total > 0 && static_cast<size_t>(total) < std::min(kMaxFrames, bytes.size() * 32))
        out.samples.reserve((static_cast<size_t>(total / step) + 2) * 2);
    Resampler resampler(step, out);
    bool ok = true;
    while (ok) {
        float** pcm = nullptr;
        int link = 0;
        const long n = ov_read_float(&vf, &pcm, 4096, &link);
        if (n == OV_HOLE) continue;
        if (n <= 0) break;
        const vorbis_info* li = ov_info(&vf, link);
        const int channels = li ? li->channels : 0;
        if (channels <= 0) break;
        for (long i = 0; i < n; ++i) resampler.Add(pcm[0][i], channels > 1 ? pcm[1][i] : pcm[0][i]);
        if (resampler.received() > kMaxFrames) ok = false;
    }
    ov_clear(&vf);
    if (!ok || resampler.received() == 0) {
        out.samples.clear();
        return false;
    }
    resampler.Finish();
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
