// The generated field files, season names and backdrops: their format, and that every trap
// throws a clay (or rolls a rabbit) the shooter can follow from the cage.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "sim/clay_flight.h"
#include "sim/field_file.h"
#include "test_support.h"

namespace qm {
namespace {

using Trap = TrapRecord;

constexpr int BackdropW = 1600, BackdropH = 800;
// The sight sits at (300, 196) of a 600 x 340 view whose corner pans over 0..1000, 0..460.
constexpr float ReachLeft = 300, ReachRight = 1300, ReachTop = 196, ReachBottom = 656;

struct Field {
  std::string Name;
  bool Read = false;
  int TrapCount = 0;
  std::vector<Trap> Traps;
};

// A field file of the data directory, read by the game's own reader.
Field LoadField(int season, int field) {
  Field f;
  f.Name = std::to_string(season) + "f" + std::to_string(field) + ".fld";
  const FieldFileResult read =
      ParseFieldFile(ReadFile(std::string(QUILLMOOR_TEST_DATA) + "/" + f.Name));
  f.Read = read.Ok;
  f.TrapCount = read.Field.TrapCount;
  for (int i = 0; i < std::min<int>(f.TrapCount, MaxTraps); ++i)
    f.Traps.push_back(read.Field.Traps[i]);
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

TEST(FieldData, EveryFieldHasFourTrapsOfEveryDirectionAndARabbit) {
  for (const Field& f : AllFields()) {
    SCOPED_TRACE(f.Name);
    EXPECT_TRUE(f.Read);
    ASSERT_EQ(f.TrapCount, 4);
    std::set<int> directions;
    int rabbits = 0;
    for (const Trap& t : f.Traps) {
      EXPECT_TRUE(t.X >= 0 && t.X < BackdropW && t.Y >= 0 && t.Y < BackdropH);
      EXPECT_TRUE(t.FloorY > 0 && t.FloorY < BackdropH);
      EXPECT_NE(t.DX, 0.0f);
      EXPECT_GT(t.DY, 0.0f) << "every clay is thrown upwards";
      directions.insert(t.Direction);
      rabbits += t.Rabbit != 0;
    }
    EXPECT_EQ(directions, (std::set<int>{0, 1, 2})) << "incoming, going away and crossing";
    EXPECT_GE(rabbits, 1);
  }
  std::set<std::string> seasons;
  for (const char* name : {"0s.txt", "1s.txt"}) {
    const std::string text = ReadFile(std::string(QUILLMOOR_TEST_DATA) + "/" + name);
    EXPECT_TRUE(text.ends_with("\r\n")) << name;
    seasons.insert(text.substr(0, text.find_first_of("\r\n")));
  }
  EXPECT_EQ(seasons.size(), 2u) << "two seasons, two names";
  EXPECT_FALSE(seasons.count(""));
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

// Under a summer sky the sky is blue above all; grass, earth, timber and leaves are not.
bool LooksLikeLand(const Surface& picture, int x, int y) {
  const uint32_t p = picture.At(x, y);
  const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
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
    const auto picture = DataPicture(stem + ".bmp");
    ASSERT_TRUE(picture) << stem;
    const Surface& bmp = *picture;
    for (size_t i = 0; i < f.Traps.size(); ++i) {
      const Trap& t = f.Traps[i];
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
