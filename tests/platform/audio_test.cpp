// Sounds and channels: decoding Ogg Vorbis files the test makes itself,
// channel states, and the mixer's volume, pan, looping and finishing.
#include <vorbis/vorbisfile.h>

#include <cmath>
#include <cstdio>
#include <fstream>

#include <gtest/gtest.h>

#include "platform/debuglog.h"
#include "platform/platform.h"
#include "platform/sdl_internal.h"
#include "tests/harness/harness.h"
#include "tools/datagen/audio/oggenc.h"

namespace {

// A sine tone as an Ogg Vorbis file.
std::vector<uint8_t> EncodeOgg(int channels, int rate, double seconds)
{
    std::vector<float> samples;
    const long total = static_cast<long>(seconds * rate);
    for (long i = 0; i < total; ++i) {
        const float v = 0.5f * static_cast<float>(std::sin(2 * M_PI * 440.0 * i / rate));
        samples.insert(samples.end(), channels, v);
    }
    return audio::encodeOggVorbis(samples, channels, rate, 0.3f, 7, "tone");
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// The whole file decoded to stereo floats first, then resampled linearly to
// the rate: output frame i mixes source frames floor(i * step) and the next.
std::vector<int16_t> WholeThenResampled(const std::vector<uint8_t>& bytes, int rate)
{
    FILE* f = std::tmpfile();
    if (f) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::rewind(f);
    }
    OggVorbis_File vf;
    if (!f || ov_open_callbacks(f, &vf, nullptr, 0, OV_CALLBACKS_DEFAULT) != 0) return {};
    const int channels = ov_info(&vf, -1)->channels;
    const double step = static_cast<double>(ov_info(&vf, -1)->rate) / rate;
    std::vector<float> in;
    float** pcm;
    int link;
    for (long n; (n = ov_read_float(&vf, &pcm, 4096, &link)) > 0;) {
        for (long i = 0; i < n; ++i) {
            in.push_back(pcm[0][i]);
            in.push_back(channels > 1 ? pcm[1][i] : pcm[0][i]);
        }
    }
    ov_clear(&vf);
    const size_t frames = in.size() / 2, count = static_cast<size_t>(std::floor(frames / step));
    std::vector<int16_t> out;
    for (size_t i = 0; i < count; ++i) {
        const double at = i * step;
        const size_t i0 = std::min(static_cast<size_t>(at), frames - 1), i1 = std::min(i0 + 1, frames - 1);
        const float t = static_cast<float>(at - i0);
        for (int c = 0; c < 2; ++c) {
            const float v = std::clamp(in[i0 * 2 + c] * (1.0f - t) + in[i1 * 2 + c] * t, -1.0f, 1.0f);
            out.push_back(static_cast<int16_t>(std::lround(v * 32767.0f)));
        }
    }
    return out;
}

// A sound of constant samples, made directly.
SoundPtr Constant(size_t frames, int16_t value, bool loop)
{
    auto s = std::make_shared<Sound>();
    s->samples.assign(frames * 2, value);
    s->frames = frames;
    s->loop = loop;
    return s;
}

// Holds the device lock so the test is the only one mixing.
struct DeviceLock {
    DeviceLock() { SDL_LockAudioDevice(AudioDevice()); }
    ~DeviceLock() { SDL_UnlockAudioDevice(AudioDevice()); }
};

class Audio : public harness::HeadlessTest {
protected:
    void SetUp() override
    {
        if (!AudioIsOpen()) GTEST_SKIP() << "no audio device, not even the dummy one";
    }
};

} // namespace

TEST_F(Audio, OggFilesDecodeToTheMixRate)
{
    const int rate = AudioMixRate();
    struct Case {
        int channels, sourceRate;
    };
    for (const Case c : {Case{1, 22050}, Case{2, 44100}, Case{2, 48000}}) {
        SCOPED_TRACE(testing::Message() << c.channels << " channels at " << c.sourceRate);
        const std::vector<uint8_t> bytes = EncodeOgg(c.channels, c.sourceRate, 0.5);
        ASSERT_FALSE(bytes.empty());
        Sound sound;
        ASSERT_TRUE(DecodeOggVorbis(bytes, rate, sound));
        EXPECT_NEAR(static_cast<double>(sound.frames), rate * 0.5, rate * 0.01);
        // The tone keeps its loudness: peak near 0.5 on both sides.
        int peakLeft = 0, peakRight = 0;
        for (size_t i = 0; i < sound.frames; ++i) {
            peakLeft = std::max(peakLeft, std::abs(static_cast<int>(sound.samples[i * 2])));
            peakRight = std::max(peakRight, std::abs(static_cast<int>(sound.samples[i * 2 + 1])));
        }
        EXPECT_NEAR(peakLeft, 16384, 2500);
        EXPECT_NEAR(peakRight, 16384, 2500);
        // Resampled while decoding, sample for sample as from the whole file,
        // at the mixer's rate and at rates that step up and down unevenly.
        for (const int to : {rate, 30011, 96000}) {
            Sound at;
            ASSERT_TRUE(DecodeOggVorbis(bytes, to, at));
            EXPECT_EQ(at.samples, WholeThenResampled(bytes, to)) << "to " << to;
            EXPECT_EQ(at.samples.size(), at.frames * 2);
        }
    }
}

TEST_F(Audio, MissingDamagedAndEmptyFilesGiveNone)
{
    const std::vector<uint8_t> good = EncodeOgg(1, 22050, 0.2);
    WriteFile(env.dataHome() + "Tone.ogg", good);
    SoundPtr tone = LoadSound(env.dataHome() + "tone.OGG", 1);
    ASSERT_TRUE(tone) << "found in another letter case";
    EXPECT_TRUE(tone->loop);
    EXPECT_FALSE(LoadSound(env.dataHome() + "tone.OGG", 0)->loop);

    EXPECT_FALSE(LoadSound(env.dataHome() + "missing.ogg", 0));
    const std::vector<std::vector<uint8_t>> bad = {
        {}, std::vector<uint8_t>(good.begin(), good.begin() + 30), std::vector<uint8_t>(4000, 0x4F),
        std::vector<uint8_t>(good.begin(), good.begin() + good.size() / 8)};
    for (size_t i = 0; i < bad.size(); ++i) {
        WriteFile(env.dataHome() + "bad.ogg", bad[i]);
        EXPECT_FALSE(LoadSound(env.dataHome() + "bad.ogg", 0)) << "case " << i;
    }
}

// The debug log names every sound file that cannot be used whole: missing,
// undecodable, or cut short (which still plays as far as it goes).
TEST_F(Audio, SoundsThatCannotBeUsedWholeAreNamedInTheDebugLog)
{
    const std::vector<uint8_t> good = EncodeOgg(1, 22050, 6.0);
    struct Case {
        std::vector<uint8_t> bytes; // empty: no file
        bool loads;
        const char* line; // nullptr: no line
    };
    const Case cases[] = {
        {good, true, nullptr},
        {{}, false, ": missing"},
        {std::vector<uint8_t>(good.size(), 0x5A), false, ": damaged, not a whole Ogg Vorbis sound"},
        // Without its last page or part of it.
        {std::vector<uint8_t>(good.begin(), good.end() - 1000), true, ": damaged, cut short"},
    };
    DebugLogCapture(true);
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        const std::string path = env.dataHome() + "case" + std::to_string(i) + ".ogg";
        if (!c.bytes.empty()) WriteFile(path, c.bytes);
        DebugLogClear();
        SoundPtr sound = LoadSound(path, 0);
        EXPECT_EQ(sound != nullptr, c.loads) << "case " << i;
        const auto& lines = DebugLogLines();
        if (c.line) {
            ASSERT_EQ(lines.size(), 1u) << "case " << i;
            EXPECT_NE(lines[0].find("Sound " + path + c.line), std::string::npos) << lines[0];
        } else {
            EXPECT_TRUE(lines.empty()) << "case " << i;
        }
        if (sound && c.line) {
            EXPECT_LT(sound->frames, static_cast<size_t>(AudioMixRate() * 4.5));
        }
    }
    DebugLogCapture(false);
}

// A sound followed by the first page of another stream, as a damaged or badly
// joined file may be: it loads as the first sound, and the decoder leaks
// nothing (the leak checker fails the test program otherwise).
TEST_F(Audio, SoundFollowedByTheStartOfAnotherStreamLoadsWithoutLeaking)
{
    const std::vector<uint8_t> first = EncodeOgg(1, 22050, 0.3);
    std::vector<float> silence(2205, 0.0f);
    const std::vector<uint8_t> second = audio::encodeOggVorbis(silence, 1, 22050, 0.3f, 9, "other");
    ASSERT_GT(second.size(), 27u);
    size_t firstPage = 27 + second[26];
    for (size_t i = 0; i < second[26]; ++i) firstPage += second[27 + i];
    std::vector<uint8_t> joined = first;
    joined.insert(joined.end(), second.begin(), second.begin() + static_cast<long>(firstPage));
    Sound sound;
    ASSERT_TRUE(DecodeOggVorbis(joined, 22050, sound));
    EXPECT_NEAR(static_cast<double>(sound.frames), 22050 * 0.3, 22050 * 0.01);
}

TEST_F(Audio, CuedChannelSoundsOnlyAfterResume)
{
    WriteFile(env.dataHome() + "music.ogg", EncodeOgg(2, 44100, 1.0));
    SoundPtr music = LoadSound(env.dataHome() + "music.ogg", 1);
    ASSERT_TRUE(music);
    const Channel ch = CueSoundPaused(music);
    ASSERT_NE(ch, 0);
    EXPECT_EQ(ChannelIsPlaying(ch), 0);
    ChannelResume(ch);
    EXPECT_EQ(ChannelIsPlaying(ch), 1);
    ChannelPause(ch);
    EXPECT_EQ(ChannelIsPlaying(ch), 0);
    ChannelResume(ch);
    EXPECT_EQ(ChannelIsPlaying(ch), 1);
    ChannelStop(ch);
    EXPECT_EQ(ChannelIsPlaying(ch), 0);
    ChannelResume(ch);
    EXPECT_EQ(ChannelIsPlaying(ch), 0) << "stopped for good";
    ChannelStop(ch);

    const Channel idle = AllocChannel();
    EXPECT_NE(idle, 0);
    EXPECT_NE(idle, ch);
    EXPECT_EQ(ChannelIsPlaying(idle), 0);
    ChannelResume(idle);
    ChannelStop(idle);
    ChannelSetVolume(idle, 0.5f);
    EXPECT_EQ(ChannelIsPlaying(idle), 0);
    EXPECT_EQ(StartSound(nullptr), 0);
    EXPECT_EQ(CueSoundPaused(nullptr), 0);
    ChannelStop(0);
    EXPECT_EQ(ChannelIsPlaying(12345678), 0);
}

TEST_F(Audio, MixerAppliesVolumeAndPan)
{
    DeviceLock lock;
    SoundPtr sound = Constant(44100, 16384, false); // 0.5 full scale
    struct Case {
        float volume, pan, left, right;
    };
    const Case cases[] = {{1, 0, 0.5f, 0.5f},       {0.5f, 0, 0.25f, 0.25f}, {1, -1, 0.5f, 0},
                          {1, 1, 0, 0.5f},          {1, 0.5f, 0.25f, 0.5f},  {2, 0, 0.5f, 0.5f},
                          {-1, 0, 0, 0},            {1, -3, 0.5f, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "volume " << c.volume << " pan " << c.pan);
        const Channel ch = StartSound(sound);
        ChannelSetVolume(ch, c.volume);
        ChannelSetPan(ch, c.pan);
        float out[64];
        MixChannels(out, 32);
        EXPECT_NEAR(out[0], c.left, 1e-3);
        EXPECT_NEAR(out[1], c.right, 1e-3);
        EXPECT_NEAR(out[62], c.left, 1e-3);
        ChannelStop(ch);
    }
    // Paused and cued channels are silent; two playing channels add up.
    const Channel a = StartSound(sound), b = StartSound(sound), cued = CueSoundPaused(sound);
    ChannelPause(b);
    float out[8];
    MixChannels(out, 4);
    EXPECT_NEAR(out[0], 0.5f, 1e-3);
    ChannelResume(b);
    MixChannels(out, 4);
    EXPECT_NEAR(out[0], 1.0f, 1e-3);
    ChannelStop(a);
    ChannelStop(b);
    ChannelStop(cued);
}

TEST_F(Audio, ShortSoundsFinishAndLoopsGoOn)
{
    DeviceLock lock;
    const Channel once = StartSound(Constant(100, 8192, false));
    const Channel loop = StartSound(Constant(100, 8192, true));
    ChannelSetPan(loop, 1); // loop on the right only, the one-shot on both
    std::vector<float> out(2 * 250);
    MixChannels(out.data(), 250);
    EXPECT_NEAR(out[2 * 50], 0.25f, 1e-3);
    EXPECT_NEAR(out[2 * 150], 0.0f, 1e-6) << "the one-shot has ended";
    EXPECT_NEAR(out[2 * 150 + 1], 0.25f, 1e-3) << "the loop goes round";
    EXPECT_NEAR(out[2 * 249 + 1], 0.25f, 1e-3);
    EXPECT_EQ(ChannelIsPlaying(once), 0);
    EXPECT_EQ(ChannelIsPlaying(loop), 1);
    ChannelStop(loop);
}

TEST_F(Audio, LoudMixesAreClipped)
{
    DeviceLock lock;
    SoundPtr loud = Constant(1000, 30000, false);
    const Channel a = StartSound(loud), b = StartSound(loud);
    float out[4];
    MixChannels(out, 2);
    EXPECT_EQ(out[0], 1.0f);
    ChannelStop(a);
    ChannelStop(b);
}

TEST_F(Audio, MutatedOggFilesDecodeOrGiveNoneWithoutHarm)
{
    const std::vector<uint8_t> good = EncodeOgg(2, 22050, 0.1);
    uint32_t seed = 777;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    for (int round = 0; round < 200; ++round) {
        std::vector<uint8_t> bytes = good;
        const int changes = 1 + static_cast<int>(next() % 3);
        for (int i = 0; i < changes; ++i) bytes[next() % bytes.size()] = static_cast<uint8_t>(next());
        if (round % 5 == 0) bytes.resize(next() % bytes.size());
        Sound sound;
        if (DecodeOggVorbis(bytes, 44100, sound)) {
            EXPECT_EQ(sound.samples.size(), sound.frames * 2);
            EXPECT_GT(sound.frames, 0u);
        }
    }
}
