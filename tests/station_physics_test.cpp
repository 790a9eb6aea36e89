#include <gtest/gtest.h>

#include "game_fixture.h"
#include "sim/hit_test.h"

namespace qm {

TEST(HitTest, ThePatternIsASquareOpenAtItsEdges) {
  const float sx = 800, sy = 496;
  const int choke = 12;
  EXPECT_TRUE(PatternCovers(sx, sy, 800, 496, choke));
  EXPECT_FALSE(PatternCovers(sx, sy, 800 + choke, 496, choke));
  EXPECT_FALSE(PatternCovers(sx, sy, 800 - choke, 496, choke));
  EXPECT_FALSE(PatternCovers(sx, sy, 800, 496 + choke, choke));
  EXPECT_FALSE(PatternCovers(sx, sy, 800, 496 - choke, choke));
  EXPECT_TRUE(PatternCovers(sx, sy, 800 + choke - 1, 496 + choke - 1, choke));
  EXPECT_TRUE(PatternCovers(sx, sy, 800 - choke + 1, 496 - choke + 1, choke));
}

class StationTest : public GameTest {
 protected:
  PlayerRecord& Shooter() { return game_->Roster.Players[game_->Roster.CurrentPlayer]; }
};

TEST_F(StationTest, RecoilAddsItsKickThenDecaysByOne) {
  game_->View = {};
  game_->View.PanX = 500;
  game_->View.PanY = 300;
  game_->Shot.RecoilX = 5;
  game_->Shot.RecoilXStep = 1;
  game_->Shot.RecoilY = -13;
  game_->Shot.RecoilYStep = -1;
  std::vector<float> stepsX, stepsY;
  for (int frame = 0; frame < 15; ++frame) {
    const float x = game_->View.PanX, y = game_->View.PanY;
    game_->PanStep(PanForm::Station, nullptr);
    stepsX.push_back(game_->View.PanX - x);
    stepsY.push_back(game_->View.PanY - y);
    game_->DecayRecoil();
  }
  EXPECT_EQ(std::vector<float>(stepsX.begin(), stepsX.begin() + 7),
            (std::vector<float>{5, 4, 3, 2, 1, 0, 0}));
  float climb = 0;
  for (float dy : stepsY) climb += dy;
  EXPECT_EQ(climb, -91);
  EXPECT_EQ(stepsY[0], -13);
  EXPECT_EQ(stepsY[12], -1);
}

TEST_F(StationTest, TheCageKnocksOnceAndRearmsWellInside) {
  game_->Waves.BumpWave.Bytes = {1, 2, 3};
  game_->Waves.BumpWave.Source = "b001.wav";
  BumpState bump = BumpState::Idle;
  auto swingTo = [&](float swing, int frames) {
    game_->View.SwingX = swing;
    for (int i = 0; i < frames; ++i) {
      game_->PanStep(PanForm::Station, &bump);
      host_.Busy = false;  // each knock has finished before the next could come
    }
  };
  game_->View.PanX = 0;
  swingTo(-10, 5);  // starting at the limit gives no knock
  EXPECT_TRUE(host_.Played.empty());
  swingTo(10, 8);  // 80 pixels inside: armed
  swingTo(-10, 20);
  EXPECT_EQ(host_.Played.size(), 1u);
  swingTo(-10, 20);  // sliding along the limit stays silent
  swingTo(3, 10);    // 30 pixels inside is not enough to re-arm
  swingTo(-10, 10);
  EXPECT_EQ(host_.Played.size(), 1u);
  swingTo(6, 10);
  swingTo(-10, 10);
  EXPECT_EQ(host_.Played.size(), 2u);
  game_->View.SwingY = 50;
  swingTo(0, 20);  // the vertical limits never knock
  EXPECT_EQ(game_->View.PanY, 460);
  EXPECT_EQ(host_.Played.size(), 2u);
}

TEST_F(StationTest, AnIncomingClayGrowsOneRowASecond) {
  StationState station;
  ClayRecord& clay = game_->Field.Clays[0];
  clay = {};
  clay.State = ClayFlying;
  clay.X = 800;
  clay.Y = 400;
  clay.FloorY = 700;
  clay.SizeStep = -6;
  clay.SpriteY = 30;
  game_->Shot.ClayClock[0] = game_->Timer();
  game_->Shot.SizeTicks[0] = 0;
  std::vector<int> rows;
  for (int tenth = 1; tenth <= 60; ++tenth) {
    host_.DaySeconds += 0.1001;  // one physics tick a step
    game_->FlyClay(0, station);
    if (tenth % 10 == 0) rows.push_back(clay.SpriteY);
  }
  EXPECT_EQ(rows, (std::vector<int>{24, 18, 12, 6, 0, 0}));
  EXPECT_EQ(clay.State, ClayFlying);
}

TEST_F(StationTest, AClayLeavingOverACornerEndsOnce) {
  StationState station;
  game_->View.ClayProgress = 1;
  game_->Shot.PresentationKind = Single;
  ClayRecord& clay = game_->Field.Clays[0];
  clay = {};
  clay.State = ClayFlying;
  clay.X = 1;
  clay.Y = 1;
  clay.VX = -5;
  clay.VY = 5;
  clay.FloorY = 700;
  game_->Shot.ClayClock[0] = game_->Timer();
  game_->FlyClay(0, station);
  game_->FlyClay(0, station);
  EXPECT_EQ(clay.State, ClayEnded);
  EXPECT_EQ(game_->View.ClayProgress, 2);
}

TEST_F(StationTest, APendingPenaltyIsSpentOnSlotZeroAndSlotOneCounts) {
  Shooter().Penalty = 1;
  Shooter().Hit = 0;
  Shooter().Choke = 10;
  for (int k = 0; k < 2; ++k) {
    game_->Field.Clays[k] = {};
    game_->Field.Clays[k].State = ClayFlying;
  }
  game_->View.SwingX = 2.5f;
  game_->CheckHit(0, 800, 496, 802, 497);
  game_->CheckHit(1, 800, 496, 795, 490);
  EXPECT_EQ(Shooter().Penalty, 0);
  EXPECT_EQ(Shooter().Hit, 1);
  EXPECT_EQ(game_->Field.Clays[0].State, ClayBroken);
  EXPECT_EQ(game_->Field.Clays[1].State, ClayBroken);
  EXPECT_EQ(game_->Shot.Fragments[0].X, 795);  // the chips come from the last break
  EXPECT_EQ(game_->Shot.HitSwing, 2.5f);
  EXPECT_EQ(game_->Field.Clays[1].X, -20);
}

TEST_F(StationTest, TheFirstShotOfAReportPairThrowsTheSecondClayATrailingOneWaits) {
  game_->Waves.ShotWave = {"s000.wav", {1}};
  game_->Waves.ClickWave = {"k001.wav", {2}};
  for (int kind : {Report, Trailing}) {
    SCOPED_TRACE(kind);
    game_->Shot.ShootingEnabled = true;
    game_->View.ClayProgress = 1;
    game_->Shot.GunLow = GunPosition::Shouldered;
    game_->Shot.ShellsLeft = 2;
    game_->Shot.PresentationKind = static_cast<int16_t>(kind);
    game_->Field.Clays[1].State = ClayLoaded;
    Shooter().Thrown = 1;
    game_->picMain_MouseDown(LeftButton, 0, 300, 170);
    EXPECT_EQ(game_->Field.Clays[1].State, kind == Report ? ClayFlying : ClayLoaded);
    EXPECT_EQ(Shooter().Thrown, kind == Report ? 2 : 1);
    EXPECT_GE(game_->Shot.RecoilY, -13);
    EXPECT_LE(game_->Shot.RecoilY, -4);
    game_->picMain_MouseDown(LeftButton, 0, 300, 170);  // the second shot throws nothing
    EXPECT_EQ(Shooter().Thrown, kind == Report ? 2 : 1);
    EXPECT_EQ(game_->Shot.ShellsLeft, 0);
    game_->picMain_MouseDown(LeftButton, 0, 300, 170);  // an empty gun only clicks
    EXPECT_EQ(game_->Shot.ShellsLeft, 0);
    EXPECT_EQ(host_.Played.back().Bytes, std::vector<uint8_t>{2});
  }
}

}  // namespace qm
