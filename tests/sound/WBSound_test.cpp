#include "shell/WBSound.h"
#include "res/resource.h"

#include <windows.h>
#include <mmsystem.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <vector>

namespace {

using TClock = std::chrono::steady_clock;

template <typename TAction> double MillisecondsOf(TAction action) {
    const auto start = TClock::now();
    action();
    return std::chrono::duration<double, std::milli>(TClock::now() - start).count();
}

// A wave image of a tenth of a second of silence, for asking the system whether a sound is playing:
// with SND_NOSTOP it refuses to start while another sound of this process plays.
std::vector<std::uint8_t> SilentWave() {
    const std::uint32_t samples = 1102;
    std::vector<std::uint8_t> w;
    auto put = [&](std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            w.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    };
    auto tag = [&](const char* t) {
        for (int i = 0; i < 4; ++i)
            w.push_back(static_cast<std::uint8_t>(t[i]));
    };
    tag("RIFF");
    put(36 + samples, 4);
    tag("WAVE");
    tag("fmt ");
    put(16, 4);
    put(1, 2); // PCM
    put(1, 2);
    put(11025, 4);
    put(11025, 4);
    put(1, 2);
    put(8, 2);
    tag("data");
    put(samples, 4);
    w.insert(w.end(), samples, 128); // 8-bit silence
    return w;
}

// True while a sound of this process plays; otherwise the silence starts and the answer is false.
bool SoundIsPlaying() {
    static const std::vector<std::uint8_t> silence = SilentWave();
    return !sndPlaySoundA(reinterpret_cast<LPCSTR>(silence.data()), SND_ASYNC | SND_MEMORY | SND_NOSTOP);
}

void StopSound() { sndPlaySoundA(nullptr, 0); }

// Whether sounds can be played here at all. Without an audio device every play fails at once and only the
// time of the calls can be checked; under Wine the tests get a silent device (alsa-null.conf).
bool HaveAudio() { return waveOutGetNumDevs() > 0; }

// How long the sound that plays now goes on, in milliseconds, up to `limit`. Asking starts the short
// silence once nothing plays any more.
int MillisecondsUntilSilence(int limit) {
    const auto start = TClock::now();
    while (SoundIsPlaying()) {
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(TClock::now() - start).count();
        if (ms >= limit)
            return limit;
        Sleep(10);
    }
    return static_cast<int>(
        std::chrono::duration_cast<std::chrono::milliseconds>(TClock::now() - start).count());
}

} // namespace

TEST(PlayWaveResource, NameMatchesWithoutRegardToCase) {
    EXPECT_NE(FindResourceA(nullptr, "signal", "WAVE"), nullptr);
    EXPECT_NE(FindResourceA(nullptr, ResSignal, ResWaveType), nullptr);
}

// The signal lasts about half a second: the call comes back at once while the system plays on, and the
// sound ends by itself. (That the system can decode the image is checked with the resources.)
TEST(PlayWaveResource, PlaysInTheBackground) {
    const double ms = MillisecondsOf([] { PlayWaveResource("signal", false); });
    EXPECT_LT(ms, 150.0);
    if (!HaveAudio()) {
        StopSound();
        GTEST_SKIP() << "no audio device: only the time of the call (" << ms << " ms) was checked";
    }
    EXPECT_TRUE(SoundIsPlaying()) << "nothing plays after the call";
    EXPECT_LT(MillisecondsUntilSilence(3000), 3000) << "the signal should end by itself";
    StopSound();
}

// A name without a wave resource (also one that names a picture) must not reach the sound function: a
// call there would end the sound that is playing.
TEST(PlayWaveResource, UnknownNameDoesNothing) {
    const bool audio = HaveAudio();
    if (audio)
        PlayWaveResource("signal", true); // loops until stopped
    for (const char* name : {"no such sound", "", "BACKGROUND"}) {
        SCOPED_TRACE(name);
        EXPECT_LT(MillisecondsOf([&] { PlayWaveResource(name, false); }), 50.0);
        if (audio) {
            EXPECT_TRUE(SoundIsPlaying()) << "the looping signal was interrupted";
        }
    }
    if (audio) {
        Sleep(700); // past the signal's length
        EXPECT_TRUE(SoundIsPlaying()) << "the signal should loop";
    }
    StopSound();
    if (!audio)
        GTEST_SKIP() << "no audio device: only the time of the calls was checked";
}
