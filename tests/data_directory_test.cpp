// The data directory the build generates: every picture the game draws from has its size,
// the help page stands alone, and every wave is clean, of a sensible length and level.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "test_support.h"

namespace qm {
namespace {

namespace fs = std::filesystem;

TEST(DataDirectory, PicturesHaveTheSizesTheGameDrawsFrom) {
  std::map<std::string, Size> pictures = {{"art.bmp", {712, 1100}}};
  for (const char* name :
       {"0m.bmp", "1m.bmp", "play.bmp", "options.bmp", "stats.bmp", "tourney.bmp"})
    pictures[name] = {640, 480};
  for (int season = 0; season < 2; ++season)
    for (int field = 1; field <= 5; ++field)
      pictures[std::to_string(season) + "f" + std::to_string(field) + ".bmp"] = {1600, 800};
  for (const auto& [name, size] : pictures) {
    const auto picture = DataPicture(name);
    ASSERT_TRUE(picture) << name << " is missing or does not decode";
    EXPECT_EQ((Size{picture->W, picture->H}), size) << name;
  }
}

TEST(DataDirectory, HelpPageStandsAlone) {
  const std::string html = ReadFile(std::string(QUILLMOOR_TEST_DATA) + "/quillmoor.html");
  ASSERT_GT(html.size(), 2000u) << "missing or nearly empty";
  EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u);
  EXPECT_NE(html.find("</html>"), std::string::npos) << "cut short";
  // Opened offline from the data directory: nothing may be fetched from elsewhere.
  for (const char* outside : {"http:", "https:", "src=", "<link", "@import", "url("})
    EXPECT_EQ(html.find(outside), std::string::npos) << "refers outside the page: " << outside;
}

using Bounds = std::pair<double, double>;  // shortest and longest, in seconds

TEST(DataDirectory, EveryWaveIsCleanPcmOfSensibleLengthAndLevel) {
  // How long each kind of sound may sensibly last, by the game's use of it: calls and clicks
  // are heard many times a minute, the countryside and the crowd are a few seconds of
  // background.
  std::map<std::string, Bounds> expected = {
      {"s000.wav", {0.3, 2.0}},  {"k001.wav", {0.02, 0.4}}, {"t000.wav", {0.2, 1.5}},
      {"l1.wav", {0.1, 1.0}},    {"b001.wav", {0.1, 1.0}},  {"r000.wav", {0.4, 2.5}},
      {"over.wav", {0.03, 0.5}}, {"a1.wav", {1.5, 10.0}},   {"a2.wav", {1.5, 10.0}},
      {"chime.wav", {0.2, 1.0}},
  };
  for (const char* call : {"c000", "c001", "c002", "c010", "c011", "c012"})
    expected[std::string(call) + ".wav"] = {0.15, 1.2};
  for (int n = 1; n <= 4; ++n) {
    expected["r00" + std::to_string(n) + ".wav"] = {0.3, 3.0};
    expected["br00" + std::to_string(n) + ".wav"] = {0.3, 3.0};
  }
  for (int n = 1; n <= 3; ++n) expected["tr00" + std::to_string(n) + ".wav"] = {1.0, 6.0};
  std::set<std::string> found;
  for (const auto& entry : fs::directory_iterator(QUILLMOOR_TEST_DATA))
    if (entry.path().extension() == ".wav") found.insert(entry.path().filename().string());
  for (const auto& [name, bounds] : expected) EXPECT_TRUE(found.count(name)) << name << " missing";
  for (const std::string& name : found) {
    SCOPED_TRACE(name);
    const std::string bytes = ReadFile(std::string(QUILLMOOR_TEST_DATA) + "/" + name);
    const auto wave = DecodeWave(std::vector<uint8_t>(bytes.begin(), bytes.end()));
    ASSERT_TRUE(wave) << "does not decode";
    double peak = 0, sumSquares = 0;
    for (int16_t s : wave->Samples) {
      peak = std::max(peak, std::abs(s / 32768.0));
      sumSquares += (s / 32768.0) * (s / 32768.0);
    }
    const double peakDb = 20 * std::log10(std::max(peak, 1e-10));
    const double rmsDb =
        10 * std::log10(std::max(sumSquares / std::max<size_t>(wave->Samples.size(), 1), 1e-20));
    const auto known = expected.find(name);
    const Bounds bounds = known != expected.end() ? known->second : Bounds{0.02, 10.0};
    EXPECT_GE(WaveSeconds(*wave), bounds.first);
    EXPECT_LE(WaveSeconds(*wave), bounds.second);
    EXPECT_LT(peakDb, -1.0) << "at or near full scale: it would clip";
    EXPECT_GT(peakDb, -24.0) << "too quiet to hear over the game";
    EXPECT_GT(rmsDb, -50.0) << "nearly silent";
  }
}

}  // namespace
}  // namespace qm
