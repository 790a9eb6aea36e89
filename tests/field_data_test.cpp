// The generated field files, season names and backdrops: their format, and that every trap
// throws a clay (or rolls a rabbit) the shooter can follow from the cage.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "sim/clay_flight.h"
#include "sim/field_file.h"
#include "test_support.h"

namespace qm {
namespace {

using ::testing::_;
using ::testing::AllOf;
using ::testing::FieldsAre;
using ::testing::Ge;
using ::testing::Le;

using Field = std::pair<std::string, FieldFileResult>;  // a file's name and what it holds

// The ten field files of the data directory, read by the game's own reader.
std::vector<Field> AllFields() {
  std::vector<Field> fields;
  for (int season = 0; season <= 1; ++season)
    for (int field = 1; field <= 5; ++field) {
      const std::string name = std::to_string(season) + "f" + std::to_string(field) + ".fld";
      fields.push_back(
          {name, ParseFieldFile(ReadFile(std::string(QUILLMOOR_TEST_DATA) + "/" + name))});
    }
  return fields;
}

struct Flight {
  float Seconds = 0, SecondsInReach = 0, Highest = 1e9f, Lowest = -1e9f, EndX = 0;
  bool OverTheTop = false;
};

// A thrown clay (or, with `random`, a rolling rabbit) flown by the game's flight core in frames
// of speedFactor / 45 seconds; a clay's 0.1 s tick is due at once on the first frame (a slot's
// tick clock is never reset between presentations).
Flight Fly(ClayRecord clay, float speedFactor, const RandomSource& random = nullptr) {
  const float frame = speedFactor / 45;
  // The sight sits at (300, 196) of a 600 x 340 view whose corner pans over 0..1000, 0..460.
  auto inReach = [](float x, float y) { return x >= 300 && x <= 1300 && y >= 196 && y <= 656; };
  float lastTick = -1;
  int16_t sizeTicks = 0;
  Flight flight;
  clay.State = ClayFlying;
  for (int n = 0; n < 100000; ++n) {
    flight.Seconds += frame;
    const bool tickDue = flight.Seconds - lastTick >= static_cast<float>(PhysicsTick);
    if (tickDue) lastTick = flight.Seconds;
    const FlightEnd end = random ? RabbitFrame(clay, random) : ClayFrame(clay, tickDue, sizeTicks);
    flight.EndX = clay.X;
    flight.Highest = std::min(flight.Highest, clay.Y);
    flight.Lowest = std::max(flight.Lowest, clay.Y);
    if (inReach(clay.X, clay.Y)) flight.SecondsInReach += frame;
    flight.OverTheTop = end == FlightEnd::OverTheTop;
    if (end != FlightEnd::Flying) break;
  }
  return flight;
}

TEST(FieldData, EveryFieldHasFourTrapsOfEveryDirectionAndARabbit) {
  for (const auto& [name, read] : AllFields()) {
    SCOPED_TRACE(name);
    EXPECT_TRUE(read.Ok);
    ASSERT_EQ(read.Field.TrapCount, 4);
    std::set<int> directions;
    int rabbits = 0;
    for (int i = 0; i < 4; ++i) {
      const TrapRecord& t = read.Field.Traps[i];
      EXPECT_TRUE(t.X >= 0 && t.X < BackdropWidth && t.Y >= 0 && t.Y < 800);
      EXPECT_TRUE(t.FloorY > 0 && t.FloorY < 800);
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
// on its ground line rather than leave over the top of the picture. A rabbit, whatever its
// hops, rolls along its ground line across the view.
TEST(FieldData, EveryClayAndRabbitFliesThroughTheViewForAFewSeconds) {
  const std::vector<std::vector<double>> hopPatterns = {
      {0.0}, {0.999}, {0.5}, {0.1, 0.9, 0.3, 0.7, 0.0, 0.6}};
  for (const auto& [name, read] : AllFields()) {
    for (int i = 0; i < read.Field.TrapCount; ++i) {
      const TrapRecord& t = read.Field.Traps[i];
      for (float speedFactor : {0.45f, 0.5f}) {
        SCOPED_TRACE(name + " trap " + std::to_string(i + 1) + " factor " +
                     std::to_string(speedFactor));
        for (float across : {0.0f, -1.0f, 1.0f}) {
          ClayRecord first;
          LoadFirstClay(first, t, t.DX + across, speedFactor, 0);
          std::vector<ClayRecord> clays = {first};
          for (double up : {0.0, 0.999}) {
            std::vector<std::pair<int, std::vector<double>>> draws = {{Simultaneous, {up, 0}}};
            for (double side : {0.0, 0.5, 0.999}) draws.push_back({Trailing, {side, up, 0}});
            for (const auto& [kind, numbers] : draws) {
              size_t next = 0;
              clays.emplace_back();
              LoadSecondClayOfPair(clays.back(), first, t, kind, speedFactor,
                                   [&, &numbers = numbers] { return numbers[next++]; });
            }
          }
          // Seconds up, seconds in reach, and not over the top.
          for (size_t c = 0; c < clays.size(); ++c)
            EXPECT_THAT(Fly(clays[c], speedFactor),
                        FieldsAre(AllOf(Ge(1.5f), Le(6.0f)), Ge(1.5f), _, _, _, false))
                << "across " << across << " clay " << c;
        }
        if (t.Rabbit == 0) continue;
        const int ground = std::min(t.FloorY, t.Y);
        for (const auto& hops : hopPatterns) {
          ClayRecord rabbit;
          LoadFirstClay(rabbit, t, t.DX, speedFactor, 0);
          MakeRabbit(rabbit, t, speedFactor, 0);
          size_t hop = 0;
          const Flight run = Fly(rabbit, speedFactor, [&] { return hops[hop++ % hops.size()]; });
          // Hops stay low, and it runs on the ground, not under it.
          EXPECT_THAT(run, FieldsAre(AllOf(Ge(1.5f), Le(6.0f)), Ge(1.0f), Ge(ground - 40.0f),
                                     Le(ground + 8.0f), _, false));
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
  const std::vector<Field> fields = AllFields();
  for (int field = 0; field < 5; ++field) {
    const auto& [name, read] = fields[field];
    const auto picture = DataPicture(name.substr(0, 3) + ".bmp");
    ASSERT_TRUE(picture) << name;
    for (int i = 0; i < read.Field.TrapCount; ++i) {
      const TrapRecord& t = read.Field.Traps[i];
      SCOPED_TRACE(name + " trap " + std::to_string(i + 1));
      ClayRecord clay;
      LoadFirstClay(clay, t, t.DX, 0.47f, 0);
      const float x = Fly(clay, 0.47f).EndX;
      EXPECT_TRUE(
          LooksLikeLand(*picture, std::clamp(static_cast<int>(x) + 8, 0, 1599), t.FloorY + 3))
          << "where the clay lands, x " << x;
      if (t.Rabbit == 0) continue;
      const int runY = std::min(t.FloorY, t.Y) + 9;
      const int from = t.DX < 0 ? 0 : t.X, to = t.DX < 0 ? t.X : BackdropWidth;
      int ground = 0;
      for (int rx = from; rx < to; ++rx) ground += LooksLikeLand(*picture, rx, runY) ? 1 : 0;
      EXPECT_GE(ground, (to - from) * 95 / 100) << "the rabbit's run";
    }
  }
}

}  // namespace
}  // namespace qm
