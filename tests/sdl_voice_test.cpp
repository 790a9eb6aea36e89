#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
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
// writes them to a file. Waiting gets only lower bounds, and the device is given ample time
// to drain: a busy machine only makes it slower.
TEST(SdlVoice, OneVoicePlaysAndWaitsOnADevice) {
  ScratchDir scratch;
  const std::string output = scratch / "voice_output.raw";
  // ctest runs each test in its own process, so the driver chosen here goes no further.
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
  {
    SdlVoice voice;
    EXPECT_FALSE(voice.Busy());
    EXPECT_FALSE(voice.Play({1, 2, 3, 4}, false));
    EXPECT_FALSE(voice.Play({}, true));
    ASSERT_TRUE(voice.Play(ToneWave(22050, 20.0, 4000), false));
    EXPECT_TRUE(voice.Busy());
    const auto start = Clock::now();
    ASSERT_TRUE(voice.Play(ToneWave(11025, 0.3, 8000), true));
    EXPECT_GE(SecondsSince(start), 0.25);
    while (voice.Busy() && SecondsSince(start) < 30)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_FALSE(voice.Busy());
  }
  const std::string bytes = ReadFile(output);
  std::vector<int16_t> written(bytes.size() / 2);
  std::memcpy(written.data(), bytes.data(), written.size() * 2);
  auto count = [&](int from, int to) {
    return std::ranges::count_if(written, [&](int16_t s) { return s > from && s < to; });
  };
  // The short tone played whole: half its 0.3 s at the device's 44100 Hz are peaks.
  EXPECT_GT(count(6000, 10000), 44100 * 3 / 10 / 2 - 2000);
  // It replaced the long one, of which only a moment was heard (20 s would be 441000 peaks).
  EXPECT_LT(count(3000, 5000), 441000 / 4);
}

TEST(SdlVoice, WithoutADeviceItKeepsTheWavesLengths) {
  setenv("SDL_AUDIODRIVER", "no-such-sound-driver", 1);
  SdlVoice voice;
  const auto start = Clock::now();
  ASSERT_TRUE(voice.Play(ToneWave(8000, 0.4, 8000), true));
  EXPECT_GE(SecondsSince(start), 0.39);
  ASSERT_TRUE(voice.Play(ToneWave(8000, 0.4, 8000), false));
  EXPECT_FALSE(voice.Busy());
  EXPECT_FALSE(voice.Play({'R', 'I', 'F', 'F'}, true));
}

}  // namespace
}  // namespace qm
