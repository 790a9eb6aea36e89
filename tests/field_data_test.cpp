// The generated field files, season names and backdrops: their format, and that every trap
// throws a clay (or rolls a rabbit) the shooter can follow from the cage.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "sim/clay_flight.h"
#include "sim/field_file.h"

namespace qm {
namespace {

const std::string DataDir = QUILLMOOR_TEST_DATA;

constexpr int BackdropW = 1600, BackdropH = 800;
// The sight sits at (300, 196) of a 600 x 340 view whose corner pans over 0..1000, 0..460.
constexpr float ReachLeft = 300, ReachRight = 1300, ReachTop = 196, ReachBottom = 656;

std::string ReadWhole(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

// Splits on CR LF; any lone CR or LF is a fault of the file.
std::vector<std::string> CrLfLines(const std::string& text, bool* clean) {
  std::vector<std::string> lines;
  std::string line;
  *clean = true;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      lines.push_back(line);
      line.clear();
      ++i;
    } else if (text[i] == '\r' || text[i] == '\n') {
      *clean = false;
    } else {
      line += text[i];
    }
  }
  if (!line.empty()) *clean = false;
  return lines;
}

struct Field {
  std::string Name;
  std::vector<std::string> Lines;
  bool CleanEndings = false;
  FieldFileResult Read;
  std::vector<TrapRecord> Traps;
};

Field LoadField(int season, int field) {
  Field f;
  f.Name = std::to_string(season) + "f" + std::to_string(field) + ".fld";
  const std::string text = ReadWhole(DataDir + "/" + f.Name);
  f.Lines = CrLfLines(text, &f.CleanEndings);
  f.Read = ParseFieldFile(text);
  if (f.Read.Ok)
    f.Traps.assign(f.Read.Field.Traps.begin(), f.Read.Field.Traps.begin() + f.Read.Field.TrapCount);
  return f;
}

std::vector<Field> AllFields() {
  std::vector<Field> fields;
  for (int season = 0; season <= 1; ++season)
    for (int field = 1; field <= 5; ++field) fields.push_back(LoadField(season, field));
  return fields;
}

bool InReach(float x, float y) {
  return x >= ReachLeft && x <= ReachRight && y >= ReachTop && y <= ReachBottom;
}

struct Flight {
  float Seconds = 0;
  float SecondsInReach = 0;
  bool OverTheTop = false;
  bool Landed = false;
  float EndX = 0;
};

// A thrown clay flown by the game's flight core, frames of speedFactor / 45 seconds, the 0.1 s
// tick due at once on the first frame (a slot's tick clock is never reset between
// presentations).
Flight FlyClay(ClayRecord clay, float speedFactor) {
  const float frame = speedFactor / 45;
  float clock = 0, lastTick = -1;
  int16_t sizeTicks = 0;
  Flight flight;
  clay.State = ClayFlying;
  for (int n = 0; n < 100000; ++n) {
    clock += frame;
    const bool tickDue = clock - lastTick >= static_cast<float>(PhysicsTick);
    if (tickDue) lastTick = clock;
    const FlightEnd end = ClayFrame(clay, tickDue, sizeTicks);
    flight.Seconds = clock;
    flight.EndX = clay.X;
    if (InReach(clay.X, clay.Y)) flight.SecondsInReach += frame;
    flight.OverTheTop = end == FlightEnd::OverTheTop;
    flight.Landed = end == FlightEnd::Landed;
    if (end != FlightEnd::Flying) return flight;
  }
  return flight;
}

Flight FlyFirstClay(const TrapRecord& t, float speedFactor) {
  ClayRecord clay;
  LoadFirstClay(clay, t, t.DX, speedFactor, 0);
  return FlyClay(clay, speedFactor);
}

// A rabbit rolled by the flight core; `hops` stands in for the game's random numbers.
struct RabbitRun {
  float Seconds = 0, SecondsInReach = 0, Highest = 1e9f, Lowest = -1e9f;
  bool OverTheTop = false;
};

RabbitRun RollRabbit(const TrapRecord& t, float speedFactor, const std::vector<float>& hops) {
  const float frame = speedFactor / 45;
  ClayRecord clay;
  LoadFirstClay(clay, t, t.DX, speedFactor, 0);
  MakeRabbit(clay, t, speedFactor, 0);
  size_t hop = 0;
  const RandomSource random = [&] { return hops[hop++ % hops.size()]; };
  RabbitRun run;
  for (size_t n = 0; n < 100000; ++n) {
    const FlightEnd end = RabbitFrame(clay, random);
    run.Seconds += frame;
    run.Highest = std::min(run.Highest, clay.Y);
    run.Lowest = std::max(run.Lowest, clay.Y);
    if (InReach(clay.X, clay.Y)) run.SecondsInReach += frame;
    run.OverTheTop = end == FlightEnd::OverTheTop;
    if (end != FlightEnd::Flying) return run;
  }
  return run;
}

// A fault in one file must not hide the faults of the others, so each is checked on its own.
void CheckFieldFormat(const Field& f) {
  EXPECT_TRUE(f.CleanEndings) << "every line ends with CR LF";
  ASSERT_EQ(f.Lines.size(), 2u + 8 * 4);
  EXPECT_FALSE(f.Lines[0].empty()) << "title line";
  ASSERT_TRUE(f.Read.Ok) << f.Read.Reason;
  ASSERT_EQ(f.Traps.size(), 4u);
  std::set<int> directions;
  int rabbits = 0;
  for (int i = 0; i < 4; ++i) {
    const TrapRecord& t = f.Traps[i];
    SCOPED_TRACE("trap " + std::to_string(i + 1));
    EXPECT_FALSE(f.Lines[8 * i + 2].empty()) << "label line";
    EXPECT_TRUE(t.X >= 0 && t.X < BackdropW && t.Y >= 0 && t.Y < BackdropH);
    EXPECT_TRUE(t.FloorY > 0 && t.FloorY < BackdropH);
    EXPECT_NE(t.DX, 0.0f);
    EXPECT_GT(t.DY, 0.0f) << "every clay is thrown upwards";
    directions.insert(t.Direction);
    if (t.Rabbit != 0) ++rabbits;
  }
  EXPECT_EQ(directions, (std::set<int>{0, 1, 2})) << "incoming, going away and crossing";
  EXPECT_GE(rabbits, 1);
}

TEST(FieldData, FilesFollowTheFieldFormat) {
  for (const Field& f : AllFields()) {
    SCOPED_TRACE(f.Name);
    CheckFieldFormat(f);
  }
}

TEST(FieldData, SeasonNamesAreOneLine) {
  std::set<std::string> names;
  for (int season = 0; season <= 1; ++season) {
    bool clean = false;
    const auto lines =
        CrLfLines(ReadWhole(DataDir + "/" + std::to_string(season) + "s.txt"), &clean);
    EXPECT_TRUE(clean);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_FALSE(lines[0].empty());
    names.insert(lines[0]);
  }
  EXPECT_EQ(names.size(), 2u);
}

// Every clay a trap can throw, loaded as the game loads it: the first clay of a practice
// presentation or of a tournament one (its speed varied by a pixel either way), and after
// each first clay the second clay of a simultaneous pair and of a trailing or report pair,
// at the extremes of their random numbers, at the speed factors of fast and slow machines.
// Each must stay up for a sensible time, mostly where the sight can follow it, and come down
// on its ground line rather than leave over the top of the picture.
TEST(FieldData, EveryClayFliesThroughTheViewForAFewSeconds) {
  for (const Field& f : AllFields()) {
    for (size_t i = 0; i < f.Traps.size(); ++i) {
      const TrapRecord& t = f.Traps[i];
      for (float speedFactor : {0.45f, 0.5f}) {
        for (float across : {0.0f, -1.0f, 1.0f}) {
          ClayRecord first;
          LoadFirstClay(first, t, t.DX + across, speedFactor, 0);
          std::vector<std::pair<int, std::vector<double>>> seconds;
          for (double up : {0.0, 0.999}) {
            seconds.push_back({Simultaneous, {up, 0}});
            for (double side : {0.0, 0.5, 0.999}) seconds.push_back({Trailing, {side, up, 0}});
          }
          std::vector<ClayRecord> clays = {first};
          for (const auto& [kind, draws] : seconds) {
            size_t next = 0;
            ClayRecord second;
            LoadSecondClayOfPair(second, first, t, kind, speedFactor,
                                 [&, &draws = draws] { return draws[next++]; });
            clays.push_back(second);
          }
          for (size_t c = 0; c < clays.size(); ++c) {
            SCOPED_TRACE(f.Name + " trap " + std::to_string(i + 1) + " factor " +
                         std::to_string(speedFactor) + " across " + std::to_string(across) +
                         " clay " + std::to_string(c));
            const Flight flight = FlyClay(clays[c], speedFactor);
            EXPECT_GE(flight.Seconds, 1.5f);
            EXPECT_LE(flight.Seconds, 6.0f);
            EXPECT_GE(flight.SecondsInReach, 1.5f);
            EXPECT_FALSE(flight.OverTheTop);
          }
        }
      }
    }
  }
}

TEST(FieldData, RabbitsRollAlongTheirGroundLineAcrossTheView) {
  const std::vector<std::vector<float>> hopPatterns = {
      {0.0f}, {0.999f}, {0.5f}, {0.1f, 0.9f, 0.3f, 0.7f, 0.0f, 0.6f}};
  for (const Field& f : AllFields()) {
    for (size_t i = 0; i < f.Traps.size(); ++i) {
      const TrapRecord& t = f.Traps[i];
      if (t.Rabbit == 0) continue;
      const int ground = std::min(t.FloorY, t.Y);
      for (float speedFactor : {0.45f, 0.5f}) {
        for (const auto& hops : hopPatterns) {
          SCOPED_TRACE(f.Name + " trap " + std::to_string(i + 1));
          const RabbitRun run = RollRabbit(t, speedFactor, hops);
          EXPECT_FALSE(run.OverTheTop);
          EXPECT_GE(run.Seconds, 1.5f);
          EXPECT_LE(run.Seconds, 6.0f);
          EXPECT_GE(run.SecondsInReach, 1.0f);
          EXPECT_GE(run.Highest, ground - 40.0f) << "hops stay low";
          EXPECT_LE(run.Lowest, ground + 8.0f) << "it runs on the ground, not under it";
        }
      }
    }
  }
}

uint32_t Le(const std::string& b, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | static_cast<uint8_t>(b[at + i]);
  return v;
}

void CheckBackdrop(const std::string& name) {
  const std::string b = ReadWhole(DataDir + "/" + name);
  ASSERT_GE(b.size(), 54u);
  EXPECT_EQ(b.substr(0, 2), "BM");
  EXPECT_EQ(static_cast<int32_t>(Le(b, 18, 4)), BackdropW);
  EXPECT_EQ(static_cast<int32_t>(Le(b, 22, 4)), BackdropH);
  EXPECT_EQ(Le(b, 28, 2), 24u);
  EXPECT_EQ(Le(b, 30, 4), 0u) << "uncompressed";
  EXPECT_GE(b.size(), Le(b, 10, 4) + 1600u * 3 * 800);
}

TEST(FieldData, BackdropsAreFullSize24BitBitmaps) {
  for (int season = 0; season <= 1; ++season) {
    for (int field = 1; field <= 5; ++field) {
      const std::string name = std::to_string(season) + "f" + std::to_string(field) + ".bmp";
      SCOPED_TRACE(name);
      CheckBackdrop(name);
    }
  }
}

// Under a summer sky the sky is blue above all; grass, earth, timber and leaves are not.
bool LooksLikeLand(const std::string& bmp, int x, int y) {
  const size_t rowBytes = (BackdropW * 3 + 3) & ~3u;
  const size_t at = Le(bmp, 10, 4) + (BackdropH - 1 - y) * rowBytes + 3 * x;
  const int b = static_cast<uint8_t>(bmp[at]), g = static_cast<uint8_t>(bmp[at + 1]);
  const int r = static_cast<uint8_t>(bmp[at + 2]);
  return b < std::max(r, g);
}

// Shadows and rabbits need ground under them: where each clay comes down, and all along each
// rabbit's run, the picture shows land, not sky. Checked on the summer pictures, whose colours
// tell the two apart; late autumn's warm light makes the low sky and the grass too alike.
// (Water mirrors the trees, so colour alone cannot tell it from land.)
TEST(FieldData, GroundLinesLieOnPaintedGround) {
  for (int field = 1; field <= 5; ++field) {
    const Field f = LoadField(0, field);
    const std::string stem = "0f" + std::to_string(field);
    const std::string bmp = ReadWhole(DataDir + "/" + stem + ".bmp");
    ASSERT_GE(bmp.size(), 54u + 1600u * 3 * 800) << stem;
    for (size_t i = 0; i < f.Traps.size(); ++i) {
      const TrapRecord& t = f.Traps[i];
      SCOPED_TRACE(stem + " trap " + std::to_string(i + 1));
      const float speedFactor = 0.47f;
      const float x = FlyFirstClay(t, speedFactor).EndX;
      EXPECT_TRUE(LooksLikeLand(bmp, std::clamp(static_cast<int>(x) + 8, 0, 1599), t.FloorY + 3))
          << "where the clay lands, x " << x;
      if (t.Rabbit == 0) continue;
      const int runY = std::min(t.FloorY, t.Y) + 9;
      const int from = t.DX < 0 ? 0 : t.X, to = t.DX < 0 ? t.X : BackdropW;
      int ground = 0;
      for (int rx = from; rx < to; ++rx) ground += LooksLikeLand(bmp, rx, runY) ? 1 : 0;
      EXPECT_GE(ground, (to - from) * 95 / 100) << "the rabbit's run";
    }
  }
}

}  // namespace
}  // namespace qm
