#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "platform/sdl/media_decode.h"
#include "platform/sdl/ttf_text.h"
#include "test_support.h"

namespace qm {
namespace {

// The fuzzing seeds, made by hand as the old painters saved them: bottom-up rows padded to
// four bytes.
std::vector<uint8_t> Seed(const std::string& name) {
  const std::string bytes =
      ReadFile(std::string(QUILLMOOR_SOURCE_DIR) + "/tests/fuzz/corpus/" + name);
  return {bytes.begin(), bytes.end()};
}

// A file claiming a huge picture or wave is refused by the fuzzing harnesses' replay of
// their regression inputs.
TEST(SdlDecode, BitmapsGiveTheirExactPixelsAndBrokenOnesAreRefused) {
  // 8-bit palette indexes (the art sheet's own format), odd width so every row is padded.
  const auto indexed = DecodeBmp(Seed("picture/indexed_5x2.bmp"));
  ASSERT_TRUE(indexed.has_value());
  ASSERT_EQ(indexed->W, 5);
  EXPECT_EQ(indexed->Px, (std::vector<uint32_t>{0, 0x800000, 0x00FF00, 0x800000, 0, 0x800000,
                                                0x800000, 0, 0x00FF00, 0x00FF00}));
  const auto rgb = DecodeBmp(Seed("picture/rgb_3x2.bmp"));
  ASSERT_TRUE(rgb.has_value());
  ASSERT_EQ(rgb->W, 3);
  EXPECT_EQ(rgb->Px, (std::vector<uint32_t>{0xFF0000, 0x00FF00, 0x0000FF, 0x123456, 0xFFFFFF, 0}));

  EXPECT_FALSE(DecodeBmpFile(std::string(QUILLMOOR_SOURCE_DIR) + "/no_such_picture.bmp"));
  const auto whole = Seed("picture/rgb_3x2.bmp");
  EXPECT_FALSE(DecodeBmp({whole.begin(), whole.begin() + 30})) << "header only";
  EXPECT_FALSE(DecodeBmp({whole.begin(), whole.end() - 8})) << "pixels cut short";
  std::vector<uint8_t> garbage(300);
  for (size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<uint8_t>(i * 37 + 11);
  EXPECT_FALSE(DecodeBmp(garbage));
  EXPECT_FALSE(DecodeBmp({}));
}

TEST(SdlDecode, WavesGiveTheirSamplesAndLength) {
  const auto mono = DecodeWave(Seed("wave/mono_16bit.wav"));
  ASSERT_TRUE(mono.has_value());
  EXPECT_EQ(std::tuple(mono->Rate, mono->Channels, mono->Samples),
            std::tuple(8000, 1, std::vector<int16_t>{0, 1000, -1000, 32767, -32768, 42, 7, -7}));
  EXPECT_DOUBLE_EQ(WaveSeconds(*mono), 8.0 / 8000.0);
  // Unsigned 8-bit frames widen to 16 bits about their middle, 128.
  const auto stereo = DecodeWave(Seed("wave/stereo_8bit.wav"));
  ASSERT_TRUE(stereo.has_value());
  EXPECT_EQ(std::tuple(stereo->Channels, stereo->Samples.size(), stereo->Samples[16]),
            std::tuple(2, size_t{32}, int16_t{0}));
  EXPECT_LT(stereo->Samples[0], -32000);
  EXPECT_DOUBLE_EQ(WaveSeconds(*stereo), 16.0 / 11025.0);

  EXPECT_FALSE(DecodeWave({}).has_value());
  EXPECT_FALSE(DecodeWave(std::vector<uint8_t>(200, 0x5A)).has_value());
  auto whole = Seed("wave/mono_16bit.wav");
  EXPECT_FALSE(DecodeWave({whole.begin(), whole.begin() + 20}).has_value());
  // A data chunk claiming far more than the file holds is not a wave of ours.
  whole[43] = 0xAC;
  EXPECT_FALSE(DecodeWave(whole).has_value());
}

TEST(SdlDecode, TextDrawsInsideItsClipOnly) {
  TextRenderer text;
  const TextStyle style{FontFace::SansBold, 20, 0xFFFFFF};
  const Size size = text.Measure("Quillmoor", style);
  EXPECT_GT(size.W, 40);
  EXPECT_GT(size.H, 10);
  EXPECT_GT(text.Measure("Quillmoor Quillmoor", style).W, size.W);
  EXPECT_GT(text.Measure("WWW", {FontFace::Mono, 20, 0}).W, 0);

  Surface target(200, 60, 0x000000);
  const Rect clip{20, 5, 40, 30};
  text.Draw(target, 10, 10, "Quillmoor", style, clip);
  int inside = 0, outside = 0;
  for (int y = 0; y < target.H; ++y)
    for (int x = 0; x < target.W; ++x)
      if (target.At(x, y) != 0) ++(clip.Contains(x, y) ? inside : outside);
  EXPECT_GT(inside, 20);
  EXPECT_EQ(outside, 0);
}

}  // namespace
}  // namespace qm
