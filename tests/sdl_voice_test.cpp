#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "platform/sdl/sdl_voice.h"
#include "test_support.h"

namespace qm {
namespace {

using Clock = std::chrono::steady_clock;

// A square wave whose peaks reach `level`, so that the device's output tells waves apart.
std::vector<uint8_t> ToneWave(int rate, double seconds, int16_t level) {
  std::vector<int16_t> samples(static_cast<size_t>(rate * seconds));
  for (size_t i = 0; i < samples.size(); ++i)
    samples[i] = static_cast<int16_t>(i % 40 < 20 ? level : -level);
  return MakeWave(rate, 1, samples);
}

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// SDL's disk driver stands in for a sound card: it takes samples at the device's pace and
// writes them to a file. Only lower bounds are put on waiting: a busy machine only adds to it.
TEST(SdlVoice, OneVoicePlaysAndWaitsOnADevice) {
  ScratchDir scratch;
  const std::string output = scratch / "voice_output.raw";
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
  {
    SdlVoice voice;
    EXPECT_FALSE(voice.Busy());
    EXPECT_FALSE(voice.Play({1, 2, 3, 4}, false));
    EXPECT_FALSE(voice.Play({}, true));

    ASSERT_TRUE(voice.Play(ToneWave(22050, 2.0, 4000), false));
    EXPECT_TRUE(voice.Busy());
    const auto start = Clock::now();
    ASSERT_TRUE(voice.Play(ToneWave(11025, 0.3, 8000), true));
    EXPECT_GE(SecondsSince(start), 0.25);
    EXPECT_FALSE(voice.Busy());
  }
  unsetenv("SDL_AUDIODRIVER");
  unsetenv("SDL_DISKAUDIOFILE");
  std::ifstream in(output, std::ios::binary);
  std::vector<int16_t> written;
  int16_t sample = 0;
  while (in.read(reinterpret_cast<char*>(&sample), sizeof sample)) written.push_back(sample);
  auto count = [&](int from, int to) {
    return std::count_if(written.begin(), written.end(),
                         [&](int16_t s) { return s > from && s < to; });
  };
  // The short tone played whole: half its 0.3 s at the device's 44100 Hz are peaks.
  EXPECT_GT(count(6000, 10000), 44100 * 3 / 10 / 2 - 2000);
  // It replaced the long one, of which at most a moment was heard (2 s would be 44100 peaks).
  EXPECT_LT(count(3000, 5000), 44100 / 2);
}

TEST(SdlVoice, WithoutADeviceItKeepsTheWavesLengths) {
  setenv("SDL_AUDIODRIVER", "no-such-sound-driver", 1);
  {
    SdlVoice voice;
    const auto start = Clock::now();
    ASSERT_TRUE(voice.Play(ToneWave(8000, 0.4, 8000), true));
    EXPECT_GE(SecondsSince(start), 0.39);
    ASSERT_TRUE(voice.Play(ToneWave(8000, 0.4, 8000), false));
    EXPECT_FALSE(voice.Busy());
    EXPECT_FALSE(voice.Play({'R', 'I', 'F', 'F'}, true));
  }
  unsetenv("SDL_AUDIODRIVER");
}

}  // namespace
}  // namespace qm
