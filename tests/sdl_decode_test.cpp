#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/sdl/media_decode.h"
#include "platform/sdl/ttf_text.h"
#include "test_support.h"

namespace qm {
namespace {

TEST(SdlDecode, BitmapsGiveTheirExactPixelsAndBrokenOnesAreRefused) {
  ScratchDir dir;
  auto decode = [&](const std::vector<uint8_t>& bytes) {
    WriteFile(dir.Path() / "p.bmp", bytes);
    return DecodeBmpFile(dir / "p.bmp");
  };
  // 8-bit palette indexes (the art sheet's own format), odd width so every row is padded.
  auto indexed = decode(MakeBmp(5, 2, 8, {0x000000, 0xA0B0C0, 0x00FF7F, 0x800000},
                                {{1, 2, 3, 0, 1}, {3, 3, 2, 1, 0}}));
  ASSERT_TRUE(indexed.has_value());
  ASSERT_EQ(indexed->W, 5);
  EXPECT_EQ(indexed->Px, (std::vector<uint32_t>{0xA0B0C0, 0x00FF7F, 0x800000, 0, 0xA0B0C0, 0x800000,
                                                0x800000, 0x00FF7F, 0xA0B0C0, 0}));
  auto rgb =
      decode(MakeBmp(3, 2, 24, {}, {{0xFF0000, 0x00FF00, 0x0000FF}, {0x123456, 0xFFFFFF, 0}}));
  ASSERT_TRUE(rgb.has_value());
  ASSERT_EQ(rgb->W, 3);
  EXPECT_EQ(rgb->Px, (std::vector<uint32_t>{0xFF0000, 0x00FF00, 0x0000FF, 0x123456, 0xFFFFFF, 0}));

  EXPECT_FALSE(DecodeBmpFile(dir / "no_such_picture.bmp").has_value());
  const auto whole = MakeBmp(64, 64, 24, {}, std::vector(64, std::vector<uint32_t>(64, 0x336699)));
  EXPECT_FALSE(decode({whole.begin(), whole.begin() + 30}).has_value()) << "header only";
  EXPECT_FALSE(decode({whole.begin(), whole.begin() + whole.size() / 2}).has_value()) << "half";
  std::vector<uint8_t> garbage(300);
  for (size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<uint8_t>(i * 37 + 11);
  EXPECT_FALSE(decode(garbage).has_value());
  EXPECT_FALSE(decode({}).has_value());
  // A small file claiming a huge picture is refused before anything is sized by its header.
  auto huge = MakeBmp(2, 2, 24, {}, {{1, 2}, {3, 4}});
  huge.resize(200);
  for (int i = 0; i < 4; ++i) {
    huge[18 + i] = static_cast<uint8_t>(524288 >> (8 * i));
    huge[22 + i] = static_cast<uint8_t>(393216 >> (8 * i));
  }
  EXPECT_FALSE(decode(huge).has_value());
}

TEST(SdlDecode, WavesGiveTheirSamplesAndLength) {
  const std::vector<int16_t> samples = {0, 1000, -1000, 32767, -32768, 42, 7, -7};
  const auto mono = DecodeWave(MakeWave(8000, 1, samples));
  ASSERT_TRUE(mono.has_value());
  EXPECT_EQ(mono->Rate, 8000);
  EXPECT_EQ(mono->Channels, 1);
  EXPECT_EQ(mono->Samples, samples);
  EXPECT_DOUBLE_EQ(WaveSeconds(*mono), 8.0 / 8000.0);
  const auto stereo = DecodeWave(MakeWave(22050, 2, std::vector<int16_t>(22050 * 2, 5)));
  ASSERT_TRUE(stereo.has_value());
  EXPECT_EQ(stereo->Channels, 2);
  EXPECT_DOUBLE_EQ(WaveSeconds(*stereo), 1.0);

  EXPECT_FALSE(DecodeWave({}).has_value());
  EXPECT_FALSE(DecodeWave(std::vector<uint8_t>(200, 0x5A)).has_value());
  auto whole = MakeWave(8000, 1, samples);
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
