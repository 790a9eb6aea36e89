// The generated field files, season names and backdrops: their format, and that every trap
// throws a clay (or rolls a rabbit) the shooter can follow from the cage.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

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

float Sign(float v) {
  return static_cast<float>((v > 0) - (v < 0));
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

// A thrown clay as the station loop moves it: speeds per frame, frames of speedFactor / 45
// seconds, drag and growing gravity on the 0.1 s physics tick (due at once on the first frame,
// since a slot's tick clock is never reset between presentations).
Flight FlyClay(float x, float y, float vx, float vy, float dragX, int floorY, float speedFactor) {
  const float frame = speedFactor / 45;
  float gravity = speedFactor * 0.1f, clock = 0, lastTick = -1;
  Flight flight;
  for (int n = 0; n < 100000; ++n) {
    x += vx;
    y -= vy;
    clock += frame;
    if (clock - lastTick >= 0.1f) {
      vx += dragX;
      gravity *= 1.05f;
      vy -= gravity;
      lastTick = clock;
    }
    flight.Seconds = clock;
    flight.EndX = x;
    if (InReach(x, y)) flight.SecondsInReach += frame;
    if (y < 0) {
      flight.OverTheTop = true;
      return flight;
    }
    if (vy < 0 && y > floorY) {
      flight.Landed = true;
      return flight;
    }
    if (x < 0 || x > BackdropW) return flight;
  }
  return flight;
}

// A rabbit: eight pixels a frame, unscaled gravity every frame, a new hop of random height
// whenever it touches its ground line. `hops` stands in for the game's random numbers.
struct RabbitRun {
  float Seconds = 0, SecondsInReach = 0, Highest = 1e9f, Lowest = -1e9f;
  bool OverTheTop = false;
};

RabbitRun RollRabbit(const Trap& t, float speedFactor, const std::vector<float>& hops) {
  const float frame = speedFactor / 45;
  float x = static_cast<float>(t.X), y = static_cast<float>(t.Y);
  float vx = Sign(t.DX) * 8 * speedFactor, vy = t.DY * speedFactor;
  const float floorY = static_cast<float>(std::min(t.FloorY, t.Y));
  RabbitRun run;
  for (size_t n = 0; n < 100000; ++n) {
    x += vx;
    y -= vy;
    vy -= 1;
    run.Seconds += frame;
    run.Highest = std::min(run.Highest, y);
    run.Lowest = std::max(run.Lowest, y);
    if (InReach(x, y)) run.SecondsInReach += frame;
    if (y < 0) {
      run.OverTheTop = true;
      return run;
    }
    if (y >= floorY) vy = 6 * hops[n % hops.size()];
    if (x < 0 || x > BackdropW) return run;
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

// Every clay a trap can throw: the first clay of a presentation, and a second clay with its
// extra speeds (simultaneous: one more pixel in the first clay's direction and ten pixels
// lower; trailing and report: -1..+1 across and 0..1 more upward), with its drag either way
// (the second clay takes its drag from the first), at the speed factors of fast and slow
// machines. Each must stay up for a sensible time, mostly where the sight can follow it, and
// come down on its ground line rather than leave over the top of the picture.
TEST(FieldData, EveryClayFliesThroughTheViewForAFewSeconds) {
  for (const Field& f : AllFields()) {
    for (size_t i = 0; i < f.Traps.size(); ++i) {
      const Trap& t = f.Traps[i];
      for (float speedFactor : {0.45f, 0.5f}) {
        struct Variant {
          float DX, DY, Drop;
        };
        std::vector<Variant> variants = {{0, 0, 0}, {Sign(t.DX), 0, 10}, {Sign(t.DX), 0.999f, 10}};
        for (float across : {-1.0f, 0.0f, 1.0f})
          for (float up : {0.0f, 0.999f}) variants.push_back({across, up, 0});
        for (const Variant& v : variants) {
          for (float dragSign : {-1.0f, 1.0f}) {
            SCOPED_TRACE(f.Name + " trap " + std::to_string(i + 1) + " factor " +
                         std::to_string(speedFactor) + " dx+" + std::to_string(v.DX) + " dy+" +
                         std::to_string(v.DY) + " drag " + std::to_string(dragSign));
            const float vx = (t.DX + v.DX) * speedFactor;
            const Flight flight =
                FlyClay(static_cast<float>(t.X), t.Y + v.Drop, vx, (t.DY + v.DY) * speedFactor,
                        dragSign * -Sign(t.DX) * speedFactor * 0.02f, t.FloorY, speedFactor);
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
      const Trap& t = f.Traps[i];
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
      const float x =
          FlyClay(static_cast<float>(t.X), static_cast<float>(t.Y), t.DX * speedFactor,
                  t.DY * speedFactor, -Sign(t.DX) * speedFactor * 0.02f, t.FloorY, speedFactor)
              .EndX;
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
