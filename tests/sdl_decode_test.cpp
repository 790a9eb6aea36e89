#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/sdl/media_decode.h"
#include "platform/sdl/ttf_text.h"
#include "test_support.h"

namespace qm {
namespace {

// Each test writes its bitmaps into a scratch directory of its own.
class Files {
 public:
  std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) {
    WriteFile(dir_.Path() / name, bytes);
    return dir_ / name;
  }
  ScratchDir dir_;
};

TEST(SdlDecode, BitmapsGiveTheirExactPixels) {
  Files files;
  // 24-bit: 3 x 2, odd width so every row carries padding.
  auto bmp24 =
      MakeBmp(3, 2, 24, {}, {{0xFF0000, 0x00FF00, 0x0000FF}, {0x123456, 0xFFFFFF, 0x000000}});
  auto picture = DecodeBmpFile(files.Write("rgb.bmp", bmp24));
  ASSERT_TRUE(picture.has_value());
  ASSERT_EQ(picture->W, 3);
  ASSERT_EQ(picture->H, 2);
  EXPECT_EQ(picture->At(0, 0), 0xFF0000u);
  EXPECT_EQ(picture->At(1, 0), 0x00FF00u);
  EXPECT_EQ(picture->At(2, 0), 0x0000FFu);
  EXPECT_EQ(picture->At(0, 1), 0x123456u);
  EXPECT_EQ(picture->At(1, 1), 0xFFFFFFu);
  EXPECT_EQ(picture->At(2, 1), 0x000000u);

  // 8-bit: palette indexes, the art sheet's own format.
  auto bmp8 = MakeBmp(5, 2, 8, {0x000000, 0xA0B0C0, 0x00FF7F, 0x800000},
                      {{1, 2, 3, 0, 1}, {3, 3, 2, 1, 0}});
  auto indexed = DecodeBmpFile(files.Write("indexed.bmp", bmp8));
  ASSERT_TRUE(indexed.has_value());
  ASSERT_EQ(indexed->W, 5);
  ASSERT_EQ(indexed->H, 2);
  EXPECT_EQ(indexed->At(0, 0), 0xA0B0C0u);
  EXPECT_EQ(indexed->At(1, 0), 0x00FF7Fu);
  EXPECT_EQ(indexed->At(2, 0), 0x800000u);
  EXPECT_EQ(indexed->At(3, 0), 0x000000u);
  EXPECT_EQ(indexed->At(0, 1), 0x800000u);
  EXPECT_EQ(indexed->At(4, 1), 0x000000u);
}

TEST(SdlDecode, BrokenBitmapsAreRefused) {
  Files files;
  EXPECT_FALSE(DecodeBmpFile(files.dir_ / "no_such_picture.bmp").has_value());

  auto whole = MakeBmp(64, 64, 24, {},
                       std::vector<std::vector<uint32_t>>(64, std::vector<uint32_t>(64, 0x336699)));
  std::vector<uint8_t> headerOnly(whole.begin(), whole.begin() + 30);
  EXPECT_FALSE(DecodeBmpFile(files.Write("header_only.bmp", headerOnly)).has_value());
  std::vector<uint8_t> halfPixels(whole.begin(), whole.begin() + whole.size() / 2);
  EXPECT_FALSE(DecodeBmpFile(files.Write("half_pixels.bmp", halfPixels)).has_value());

  std::vector<uint8_t> garbage(300);
  for (size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<uint8_t>(i * 37 + 11);
  EXPECT_FALSE(DecodeBmpFile(files.Write("garbage.bmp", garbage)).has_value());
  EXPECT_FALSE(DecodeBmpFile(files.Write("empty.bmp", {})).has_value());

  // A small file claiming a huge picture is refused before anything is sized by its header.
  auto huge = MakeBmp(2, 2, 24, {}, {{1, 2}, {3, 4}});
  huge.resize(200);
  for (int i = 0; i < 4; ++i) {
    huge[18 + i] = static_cast<uint8_t>(524288 >> (8 * i));
    huge[22 + i] = static_cast<uint8_t>(393216 >> (8 * i));
  }
  EXPECT_FALSE(DecodeBmpFile(files.Write("huge.bmp", huge)).has_value());
}

TEST(SdlDecode, WavesGiveTheirSamplesAndLength) {
  std::vector<int16_t> samples = {0, 1000, -1000, 32767, -32768, 42, 7, -7};
  auto mono = DecodeWave(MakeWave(8000, 1, samples));
  ASSERT_TRUE(mono.has_value());
  EXPECT_EQ(mono->Rate, 8000);
  EXPECT_EQ(mono->Channels, 1);
  EXPECT_EQ(mono->Samples, samples);
  EXPECT_DOUBLE_EQ(WaveSeconds(*mono), 8.0 / 8000.0);

  std::vector<int16_t> longer(22050 * 2, 5);
  auto stereo = DecodeWave(MakeWave(22050, 2, longer));
  ASSERT_TRUE(stereo.has_value());
  EXPECT_EQ(stereo->Channels, 2);
  EXPECT_DOUBLE_EQ(WaveSeconds(*stereo), 1.0);

  EXPECT_FALSE(DecodeWave({}).has_value());
  std::vector<uint8_t> garbage(200, 0x5A);
  EXPECT_FALSE(DecodeWave(garbage).has_value());
  auto whole = MakeWave(8000, 1, samples);
  EXPECT_FALSE(DecodeWave({whole.begin(), whole.begin() + 20}).has_value());
  // A data chunk claiming far more than the file holds is not a wave of ours.
  auto claims = MakeWave(8000, 1, std::vector<int16_t>(85, 3));
  claims[40] = 0x00, claims[41] = 0x00, claims[42] = 0x00, claims[43] = 0xAC;
  EXPECT_FALSE(DecodeWave(claims).has_value());
}

TEST(SdlDecode, TextDrawsInsideItsClipOnly) {
  TextRenderer text;
  TextStyle style{FontFace::SansBold, 20, 0xFFFFFF};
  Size size = text.Measure("Quillmoor", style);
  EXPECT_GT(size.W, 40);
  EXPECT_GT(size.H, 10);
  EXPECT_GT(text.Measure("Quillmoor Quillmoor", style).W, size.W);
  EXPECT_GT(text.Measure("WWW", {FontFace::Mono, 20, 0}).W, 0);

  Surface target(200, 60, 0x000000);
  Rect clip{20, 5, 40, 30};
  text.Draw(target, 10, 10, "Quillmoor", style, clip);
  int inside = 0, outside = 0;
  for (int y = 0; y < target.H; ++y) {
    for (int x = 0; x < target.W; ++x) {
      if (target.At(x, y) == 0) continue;
      (clip.Contains(x, y) ? inside : outside)++;
    }
  }
  EXPECT_GT(inside, 20);
  EXPECT_EQ(outside, 0);
}

}  // namespace
}  // namespace qm
