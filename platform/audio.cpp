// The audio device and our own mixer. Channels live in a table shared with
// the audio callback; every change to it happens with the device locked.
// Without an audio device every call is harmless and nothing sounds.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "platform/sdl_internal.h"

namespace {

enum class ChannelState { Idle, Cued, Playing, Paused, Stopped, Finished };

struct ChannelRec {
    Channel id = 0;
    SoundPtr sound;
    size_t position = 0; // in frames
    float volume = 1.0f, pan = 0.0f;
    ChannelState state = ChannelState::Idle;
};

constexpr int kDefaultRate = 44100;

struct Mixer {
    bool tried = false;
    SDL_AudioDeviceID device = 0;
    int rate = kDefaultRate;
    Channel nextId = 1;
    std::vector<ChannelRec> channels;
};

Mixer gMixer;

void MixChannel(ChannelRec& ch, float* out, int frames)
{
    const Sound& s = *ch.sound;
    const float volume = ch.volume;
    const float left = volume * (ch.pan > 0.0f ? 1.0f - ch.pan : 1.0f);
    const float right = volume * (ch.pan < 0.0f ? 1.0f + ch.pan : 1.0f);
    constexpr float kScale = 1.0f / 32768.0f;
    for (int i = 0; i < frames; ++i) {
        if (ch.position >= s.frames) {
            if (!s.loop || s.frames == 0) {
                ch.state = ChannelState::Finished;
                return;
            }
            ch.position = 0;
        }
        const int16_t* sample = &s.samples[ch.position * 2];
        out[i * 2] += sample[0] * kScale * left;
        out[i * 2 + 1] += sample[1] * kScale * right;
        ++ch.position;
    }
    if (ch.position >= s.frames && !s.loop) ch.state = ChannelState::Finished;
}

void AudioCallback(void*, Uint8* stream, int length)
{
    MixChannels(reinterpret_cast<float*>(stream), length / static_cast<int>(sizeof(float) * 2));
}

void CloseDevice()
{
    if (gMixer.device) SDL_CloseAudioDevice(gMixer.device);
    gMixer.device = 0;
}

bool EnsureDevice()
{
    if (gMixer.tried) return gMixer.device != 0;
    gMixer.tried = true;
    if (!EnsureSdlSubsystem(SDL_INIT_AUDIO)) return false;
    SDL_AudioSpec want{};
    want.freq = kDefaultRate;
    want.format = AUDIO_F32SYS;
    want.channels = 2;
    want.samples = 1024;
    want.callback = AudioCallback;
    SDL_AudioSpec have{};
    gMixer.device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
    if (gMixer.device == 0) return false;
    if (have.freq > 0) gMixer.rate = have.freq;
    // The callback must be gone before the channel table is destroyed at exit.
    std::atexit(CloseDevice);
    SDL_PauseAudioDevice(gMixer.device, 0);
    return true;
}

// Holds the device lock for the lifetime of the object and drops finished
// channels, so their sounds are released on this thread.
class Locked {
public:
    Locked()
    {
        if (gMixer.device) SDL_LockAudioDevice(gMixer.device);
        auto& v = gMixer.channels;
        v.erase(std::remove_if(v.begin(), v.end(),
                               [](const ChannelRec& c) {
                                   return c.state == ChannelState::Finished || c.state == ChannelState::Stopped;
                               }),
                v.end());
    }
    ~Locked()
    {
        if (gMixer.device) SDL_UnlockAudioDevice(gMixer.device);
    }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;

    ChannelRec* Find(Channel id)
    {
        for (ChannelRec& c : gMixer.channels) {
            if (c.id == id) return &c;
        }
        return nullptr;
    }

    Channel Add(const SoundPtr& sound, ChannelState state)
    {
        ChannelRec rec;
        rec.id = gMixer.nextId++;
        if (gMixer.nextId <= 0) gMixer.nextId = 1;
        rec.sound = sound;
        rec.state = state;
        gMixer.channels.push_back(std::move(rec));
        return gMixer.channels.back().id;
    }
};

Channel NewChannel(const SoundPtr& sound, ChannelState state)
{
    if (!EnsureDevice()) return 0;
    Locked lock;
    return lock.Add(sound, state);
}

} // namespace

void MixChannels(float* out, int frames)
{
    std::fill(out, out + frames * 2, 0.0f);
    for (ChannelRec& ch : gMixer.channels) {
        if (ch.state == ChannelState::Playing && ch.sound) MixChannel(ch, out, frames);
    }
    for (int i = 0; i < frames * 2; ++i) out[i] = std::clamp(out[i], -1.0f, 1.0f);
}

SDL_AudioDeviceID AudioDevice() { return gMixer.device; }

int AudioMixRate()
{
    EnsureDevice();
    return gMixer.rate;
}

int AudioIsOpen() { return EnsureDevice() ? 1 : 0; }

Channel StartSound(const SoundPtr& sound)
{
    return sound ? NewChannel(sound, ChannelState::Playing) : 0;
}

Channel CueSoundPaused(const SoundPtr& sound)
{
    return sound ? NewChannel(sound, ChannelState::Cued) : 0;
}

Channel AllocChannel() { return NewChannel(nullptr, ChannelState::Idle); }

void ChannelStop(Channel ch)
{
    if (!gMixer.device) return;
    Locked lock;
    ChannelRec* c = lock.Find(ch);
    if (!c || c->state == ChannelState::Idle) return;
    // A stopped channel never sounds again: its samples go now, not when the
    // next channel operation sweeps it away.
    c->state = ChannelState::Stopped;
    c->sound.reset();
}

void ChannelPause(Channel ch)
{
    if (!gMixer.device) return;
    Locked lock;
    ChannelRec* c = lock.Find(ch);
    if (c && c->state == ChannelState::Playing) c->state = ChannelState::Paused;
}

void ChannelResume(Channel ch)
{
    if (!gMixer.device) return;
    Locked lock;
    ChannelRec* c = lock.Find(ch);
    if (c && c->sound && (c->state == ChannelState::Paused || c->state == ChannelState::Cued)) {
        c->state = ChannelState::Playing;
    }
}

int ChannelIsPlaying(Channel ch)
{
    if (!gMixer.device) return 0;
    Locked lock;
    const ChannelRec* c = lock.Find(ch);
    return c && c->state == ChannelState::Playing ? 1 : 0;
}

void ChannelSetVolume(Channel ch, float volume)
{
    if (!gMixer.device) return;
    Locked lock;
    if (ChannelRec* c = lock.Find(ch)) c->volume = std::isnan(volume) ? 0.0f : std::clamp(volume, 0.0f, 1.0f);
}

void ChannelSetPan(Channel ch, float pan)
{
    if (!gMixer.device) return;
    Locked lock;
    if (ChannelRec* c = lock.Find(ch)) c->pan = std::isnan(pan) ? 0.0f : std::clamp(pan, -1.0f, 1.0f);
}
