#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/sdl/sdl_voice.h"

namespace qm {
namespace {

using Clock = std::chrono::steady_clock;

std::vector<uint8_t> ToneWave(int rate, double seconds) {
  auto count = static_cast<uint32_t>(rate * seconds);
  std::vector<uint8_t> out = {'R', 'I', 'F', 'F'};
  auto put = [&out](uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
  };
  put(36 + count * 2, 4);
  for (char c : std::string("WAVEfmt ")) out.push_back(static_cast<uint8_t>(c));
  put(16, 4);
  put(1, 2);
  put(1, 2);
  put(rate, 4);
  put(rate * 2, 4);
  put(2, 2);
  put(16, 2);
  for (char c : std::string("data")) out.push_back(static_cast<uint8_t>(c));
  put(count * 2, 4);
  for (uint32_t i = 0; i < count; ++i) put(static_cast<uint16_t>(i % 40 < 20 ? 8000 : -8000), 2);
  return out;
}

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// SDL's disk driver stands in for a sound card: it takes samples at the device's pace and
// writes them to a file.
TEST(SdlVoice, OneVoicePlaysAndWaitsOnADevice) {
  std::string output = testing::TempDir() + "voice_output.raw";
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
  {
    SdlVoice voice;
    EXPECT_FALSE(voice.Busy());
    EXPECT_FALSE(voice.Play({1, 2, 3, 4}, false));
    EXPECT_FALSE(voice.Play({}, true));

    ASSERT_TRUE(voice.Play(ToneWave(22050, 2.0), false));
    EXPECT_TRUE(voice.Busy());
    // A new wave replaces the long one: waiting for it takes its own length only.
    auto start = Clock::now();
    ASSERT_TRUE(voice.Play(ToneWave(11025, 0.3), true));
    double waited = SecondsSince(start);
    EXPECT_GE(waited, 0.25);
    EXPECT_LT(waited, 1.5);
    EXPECT_FALSE(voice.Busy());
  }
  unsetenv("SDL_AUDIODRIVER");
  unsetenv("SDL_DISKAUDIOFILE");
  std::ifstream in(output, std::ios::binary);
  std::vector<int16_t> written;
  int16_t sample = 0;
  while (in.read(reinterpret_cast<char*>(&sample), sizeof sample)) written.push_back(sample);
  auto loud = std::count_if(written.begin(), written.end(), [](int16_t s) { return s > 6000; });
  // The short tone played whole: half its 0.3 s at the device's 44100 Hz are peaks.
  EXPECT_GT(loud, 44100 * 3 / 10 / 2 - 2000);
}

TEST(SdlVoice, WithoutADeviceItKeepsTheWavesLengths) {
  setenv("SDL_AUDIODRIVER", "no-such-sound-driver", 1);
  {
    SdlVoice voice;
    auto start = Clock::now();
    ASSERT_TRUE(voice.Play(ToneWave(8000, 0.4), true));
    double waited = SecondsSince(start);
    EXPECT_GE(waited, 0.39);
    EXPECT_LT(waited, 1.5);
    ASSERT_TRUE(voice.Play(ToneWave(8000, 0.4), false));
    EXPECT_FALSE(voice.Busy());
    EXPECT_FALSE(voice.Play({'R', 'I', 'F', 'F'}, true));
  }
  unsetenv("SDL_AUDIODRIVER");
}

}  // namespace
}  // namespace qm
