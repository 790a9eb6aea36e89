// The data directory the build generates: every file the game reads is there and is what the
// game expects of it. Wave files are checked from their own bytes, not through the game's
// decoder, so a fault in either shows up.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string DataPath(const std::string& name) {
  return std::string(QUILLMOOR_TEST_DATA) + "/" + name;
}

// Reads up to `limit` bytes from the start of the file; an absent file reads as nothing.
std::vector<uint8_t> ReadStart(const std::string& path, size_t limit) {
  std::error_code error;
  const size_t size = std::min<size_t>(fs::file_size(path, error), limit);
  if (error) return {};
  std::vector<uint8_t> bytes(size);
  std::ifstream f(path, std::ios::binary);
  f.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size));
  return bytes;
}

std::vector<uint8_t> ReadWhole(const std::string& path) {
  return ReadStart(path, SIZE_MAX);
}

uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
  return static_cast<uint32_t>(b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) |
                               (static_cast<uint32_t>(b[at + 3]) << 24));
}
uint16_t U16(const std::vector<uint8_t>& b, size_t at) {
  return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}
std::string Tag(const std::vector<uint8_t>& b, size_t at) {
  return std::string(b.begin() + static_cast<long>(at), b.begin() + static_cast<long>(at) + 4);
}

struct Wave {
  std::string Problem;  // empty when the file is a well-formed 16-bit PCM wave
  int Channels = 0, Rate = 0;
  double Seconds = 0, PeakDb = -200, RmsDb = -200;
};

void MeasureSamples(const std::vector<uint8_t>& b, size_t at, size_t bytes, Wave& w) {
  double peak = 0, sumSquares = 0;
  const size_t count = bytes / 2;
  for (size_t i = 0; i < count; ++i) {
    const double v = static_cast<int16_t>(U16(b, at + 2 * i)) / 32768.0;
    peak = std::max(peak, std::abs(v));
    sumSquares += v * v;
  }
  w.Seconds = static_cast<double>(count / w.Channels) / w.Rate;
  w.PeakDb = 20 * std::log10(std::max(peak, 1e-10));
  w.RmsDb = 10 * std::log10(std::max(sumSquares / std::max<size_t>(count, 1), 1e-20));
}

Wave Bad(const std::string& problem) {
  Wave w;
  w.Problem = problem;
  return w;
}

// Walks the RIFF chunks as any player would: "fmt " must say PCM, 16 bits, and agree with
// itself; "data" must fit inside the file.
Wave ParseWave(const std::vector<uint8_t>& b) {
  Wave w;
  if (b.size() < 44 || Tag(b, 0) != "RIFF" || Tag(b, 8) != "WAVE") return Bad("not RIFF/WAVE");
  if (U32(b, 4) + 8 != b.size()) return Bad("RIFF size does not match the file");
  bool haveFormat = false;
  for (size_t at = 12; at + 8 <= b.size();) {
    const std::string id = Tag(b, at);
    const size_t size = U32(b, at + 4), body = at + 8;
    if (body + size > b.size()) return Bad("chunk " + id + " runs past the end");
    if (id == "fmt ") {
      if (size < 16) return Bad("short fmt chunk");
      w.Channels = U16(b, body + 2);
      w.Rate = static_cast<int>(U32(b, body + 4));
      const int bits = U16(b, body + 14);
      if (U16(b, body) != 1) return Bad("not PCM");
      if (bits != 16) return Bad("not 16-bit");
      if (w.Channels < 1 || w.Channels > 2) return Bad("odd channel count");
      if (w.Rate < 8000 || w.Rate > 48000) return Bad("odd sample rate");
      if (U16(b, body + 12) != w.Channels * 2 ||
          U32(b, body + 8) != U32(b, body + 4) * w.Channels * 2)
        return Bad("block align or byte rate disagree with the format");
      haveFormat = true;
    } else if (id == "data") {
      if (!haveFormat) return Bad("data before fmt");
      if (size % (2 * w.Channels) != 0) return Bad("partial sample frame");
      MeasureSamples(b, body, size, w);
      return w;
    }
    at = body + size + (size & 1);
  }
  return Bad("no data chunk");
}

struct Bounds {
  double MinSeconds, MaxSeconds;
};

// How long each kind of sound may sensibly last, by the game's use of it: calls and clicks are
// heard many times a minute, the countryside and the crowd are a few seconds of background.
std::map<std::string, Bounds> ExpectedWaves() {
  std::map<std::string, Bounds> waves = {
      {"s000.wav", {0.3, 2.0}},  {"k001.wav", {0.02, 0.4}}, {"t000.wav", {0.2, 1.5}},
      {"l1.wav", {0.1, 1.0}},    {"b001.wav", {0.1, 1.0}},  {"r000.wav", {0.4, 2.5}},
      {"over.wav", {0.03, 0.5}}, {"a1.wav", {1.5, 10.0}},   {"a2.wav", {1.5, 10.0}},
      {"chime.wav", {0.2, 1.0}},
  };
  for (const char* call : {"c000", "c001", "c002", "c010", "c011", "c012"})
    waves[std::string(call) + ".wav"] = {0.15, 1.2};
  for (int n = 1; n <= 4; ++n) {
    waves["r00" + std::to_string(n) + ".wav"] = {0.3, 3.0};
    waves["br00" + std::to_string(n) + ".wav"] = {0.3, 3.0};
  }
  for (int n = 1; n <= 3; ++n) waves["tr00" + std::to_string(n) + ".wav"] = {1.0, 6.0};
  return waves;
}

void ExpectBitmap(const std::string& name, int width, int height) {
  SCOPED_TRACE(name);
  const std::vector<uint8_t> b = ReadStart(DataPath(name), 54);
  ASSERT_EQ(b.size(), 54u) << "missing or truncated";
  EXPECT_EQ(Tag(b, 0).substr(0, 2), "BM");
  EXPECT_EQ(static_cast<int32_t>(U32(b, 18)), width);
  EXPECT_EQ(std::abs(static_cast<int32_t>(U32(b, 22))), height);
  const int bits = U16(b, 28);
  EXPECT_TRUE(bits == 8 || bits == 24 || bits == 32) << bits << " bits per pixel";
  const size_t stride = (static_cast<size_t>(width) * bits / 8 + 3) / 4 * 4;
  EXPECT_GE(fs::file_size(DataPath(name)), U32(b, 10) + stride * height) << "pixel rows cut short";
}

std::string ReadText(const std::string& name) {
  const std::vector<uint8_t> b = ReadWhole(DataPath(name));
  return std::string(b.begin(), b.end());
}

TEST(DataDirectory, PicturesHaveTheSizesTheGameDrawsFrom) {
  ExpectBitmap("art.bmp", 712, 1100);
  for (const char* name :
       {"0m.bmp", "1m.bmp", "play.bmp", "options.bmp", "stats.bmp", "tourney.bmp"})
    ExpectBitmap(name, 640, 480);
  for (int season = 0; season < 2; ++season) {
    for (int field = 1; field <= 5; ++field)
      ExpectBitmap(std::to_string(season) + "f" + std::to_string(field) + ".bmp", 1600, 800);
  }
}

TEST(DataDirectory, FieldAndSeasonFilesAreSmallText) {
  std::vector<std::string> names = {"0s.txt", "1s.txt"};
  for (int season = 0; season < 2; ++season) {
    for (int field = 1; field <= 5; ++field)
      names.push_back(std::to_string(season) + "f" + std::to_string(field) + ".fld");
  }
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    const std::string text = ReadText(name);
    EXPECT_GE(text.size(), 2u) << "missing or empty";
    EXPECT_LE(text.size(), 64u * 1024);
    EXPECT_EQ(text.find('\0'), std::string::npos) << "binary content";
  }
  for (const char* name : {"0s.txt", "1s.txt"}) {
    const std::string text = ReadText(name);
    EXPECT_GT(text.find_first_of("\r\n"), 0u) << name << ": the season's name line is empty";
  }
}

TEST(DataDirectory, HelpPageStandsAlone) {
  const std::string html = ReadText("quillmoor.html");
  ASSERT_GT(html.size(), 2000u) << "missing or nearly empty";
  EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u);
  EXPECT_NE(html.find("</html>"), std::string::npos) << "cut short";
  EXPECT_NE(html.find("<style>"), std::string::npos);
  // Opened offline from the data directory: nothing may be fetched from elsewhere.
  for (const char* outside : {"http:", "https:", "src=", "<link", "@import", "url("})
    EXPECT_EQ(html.find(outside), std::string::npos) << "refers outside the page: " << outside;
}

TEST(DataDirectory, EveryWaveIsCleanPcmOfSensibleLengthAndLevel) {
  const std::map<std::string, Bounds> expected = ExpectedWaves();
  std::set<std::string> found;
  for (const auto& entry : fs::directory_iterator(QUILLMOOR_TEST_DATA)) {
    if (entry.path().extension() == ".wav") found.insert(entry.path().filename().string());
  }
  for (const auto& [name, bounds] : expected) EXPECT_TRUE(found.count(name)) << name << " missing";
  for (const std::string& name : found) {
    SCOPED_TRACE(name);
    const Wave w = ParseWave(ReadWhole(DataPath(name)));
    EXPECT_EQ(w.Problem, "");
    if (!w.Problem.empty()) continue;
    const auto known = expected.find(name);
    const Bounds bounds = known != expected.end() ? known->second : Bounds{0.02, 10.0};
    EXPECT_GE(w.Seconds, bounds.MinSeconds);
    EXPECT_LE(w.Seconds, bounds.MaxSeconds);
    EXPECT_LT(w.PeakDb, -1.0) << "at or near full scale: it would clip";
    EXPECT_GT(w.PeakDb, -24.0) << "too quiet to hear over the game";
    EXPECT_GT(w.RmsDb, -50.0) << "nearly silent";
  }
}

}  // namespace
