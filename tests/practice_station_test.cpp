// The station's own rules: the hit square, recoil, the cage, the clay's flight on the form,
// the shot, the reload remark, the warning display, the override singles, the ejected shell,
// the break puffs and the loading of the six waves. Whole presentations are the scenarios'.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game_fixture.h"
#include "sim/hit_test.h"

namespace qm {

TEST(HitTest, ThePatternIsASquareOpenAtItsEdges) {
  const int choke = 12, in = choke - 1;
  // {dx, dy, covered}: from the sight at (800, 496) to the clay.
  const int shots[][3] = {{0, 0, 1},      {choke, 0, 0}, {-choke, 0, 0}, {0, choke, 0},
                          {0, -choke, 0}, {in, in, 1},   {-in, -in, 1}};
  for (const auto& [dx, dy, covered] : shots)
    EXPECT_EQ(PatternCovers(800, 496, 800 + dx, 496 + dy, choke), covered == 1) << dx << "," << dy;
}

class StationTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    GiveStationPictures();
    Shooter().Gun = 8;
    Shooter().Choke = 12;
  }
  // A clay in flight in slot 0, its tick clock starting now.
  ClayRecord& FlyingClay(float x, float y) {
    game_->Field.Clays[0] = {.State = ClayFlying, .X = x, .Y = y, .FloorY = 700};
    game_->Shot.ClayClock[0] = game_->Timer();
    return game_->Field.Clays[0];
  }
  // The remark the trap setting plays after a presentation that ended as given.
  std::string RemarkAfter(const char* mode, int hits, float hitSwing) {
    game_->lblMode->SetCaption(mode);
    game_->Shot.PresentationHits = static_cast<int16_t>(hits);
    game_->Shot.HitSwing = hitSwing;
    host_.Traces.clear();
    game_->SetTraps();
    for (const TraceEvent& e : host_.TracesOf("sound"))
      if (TextField(e, "from") == "file") return TextField(e, "name");
    return "";
  }
};

TEST_F(StationTest, RecoilAddsItsKickThenDecaysByOne) {
  game_->View = {};  // centred
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
  EXPECT_EQ(stepsX, (std::vector<float>{5, 4, 3, 2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(stepsY,
            (std::vector<float>{-13, -12, -11, -10, -9, -8, -7, -6, -5, -4, -3, -2, -1, 0, 0}));
}

TEST_F(StationTest, TheCageKnocksOnceAndRearmsWellInside) {
  game_->Waves.BumpWave = {"b001.wav", {1, 2, 3}};
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
  ClayRecord& clay = FlyingClay(800, 400);
  clay.SizeStep = -6;
  clay.SpriteY = 30;
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
  ClayRecord& clay = FlyingClay(1, 1);
  clay.VX = -5;
  clay.VY = 5;
  game_->FlyClay(0, station);
  game_->FlyClay(0, station);
  EXPECT_EQ(clay.State, ClayEnded);
  EXPECT_EQ(game_->View.ClayProgress, 2);
}

TEST_F(StationTest, ViewPositionsAreRoundedOnceAfterThePanIsTakenOff) {
  StationState station;
  game_->View.PanX = 0.4f;
  game_->View.PanY = 0;
  FlyingClay(100.6f, 50);  // 100.2 in the view: drawn at 100, not at 101
  game_->FlyClay(0, station);
  const Surface& work = game_->picWork->Image();
  EXPECT_EQ(work.At(100, 50), 0xFFFFFFu);
  EXPECT_EQ(work.At(115, 50), 0xFFFFFFu);
  EXPECT_NE(work.At(116, 50), 0xFFFFFFu);
}

TEST_F(StationTest, APendingPenaltyIsSpentOnSlotZeroAndSlotOneCounts) {
  Shooter().Penalty = 1;
  Shooter().Hit = 0;
  Shooter().Choke = 10;
  for (ClayRecord& clay : game_->Field.Clays) clay = {.State = ClayFlying};
  game_->View.SwingX = 2.5f;
  game_->CheckHit(0, 800, 496, 802, 497);
  game_->CheckHit(1, 800, 496, 795, 490);
  EXPECT_EQ(std::tuple(Shooter().Penalty, Shooter().Hit), std::tuple(0, 1));
  EXPECT_EQ(std::tuple(game_->Field.Clays[0].State, game_->Field.Clays[1].State),
            std::tuple(ClayBroken, ClayBroken));
  EXPECT_EQ(game_->Shot.Fragments[0].X, 795);  // the chips come from the last break
  EXPECT_EQ(game_->Shot.HitSwing, 2.5f);
  EXPECT_EQ(game_->Field.Clays[1].X, -20);
}

// A report pair's second clay leaving with the first shot is the break scenario's.
TEST_F(StationTest, TheFirstShotOfATrailingPairLeavesItsSecondClayWaiting) {
  game_->Waves.ShotWave = {"s000.wav", {1}};
  game_->Shot.ShootingEnabled = true;
  game_->View.ClayProgress = 1;
  game_->Shot.GunLow = GunPosition::Shouldered;
  game_->Shot.ShellsLeft = 2;
  game_->Shot.PresentationKind = Trailing;
  game_->Field.Clays[1].State = ClayLoaded;
  Shooter().Thrown = 1;
  game_->picMain_MouseDown(LeftButton, 0, 300, 170);
  EXPECT_EQ(std::tuple(game_->Shot.ShellsLeft, game_->Field.Clays[1].State, Shooter().Thrown),
            std::tuple(1, ClayLoaded, 1));
  EXPECT_GE(game_->Shot.RecoilY, -13);
  EXPECT_LE(game_->Shot.RecoilY, -4);
}

TEST_F(StationTest, TheReloadRemarkFollowsHowThePresentationWent) {
  // Practice always reloads to the plain remark, whatever happened.
  EXPECT_EQ(RemarkAfter("Practice", 0, 0), "r000.wav");
  EXPECT_EQ(RemarkAfter("Practice", 1, 30), "r000.wav");
  // A tournament presentation with nothing broken gets one of the four miss remarks.
  EXPECT_THAT(RemarkAfter("Tournament", 0, 0), testing::MatchesRegex("br00[1-4]\\.wav"));
  // The swing rate at the hit times the gun sensitivity is the pointer's offset: 80 is calm.
  EXPECT_EQ(RemarkAfter("Tournament", 1, 10), "r000.wav");
  EXPECT_EQ(RemarkAfter("Tournament", 1, -10), "r000.wav");
  EXPECT_THAT(RemarkAfter("Tournament", 1, 10.125f), testing::MatchesRegex("r00[1-4]\\.wav"));
  EXPECT_NE(RemarkAfter("Tournament", 2, -10.125f), "r000.wav");
  EXPECT_EQ(game_->Shot.HitSwing, 0);
  // Remarks are played without the no-default flag.
  EXPECT_EQ(std::get<long long>(host_.TracesOf("sound")[0].Fields[2].second), 1);
}

// "Gun Low..." at its end is what every practice scenario waits for.
TEST_F(StationTest, TheTrapSettingEndsReadyWithTheGunRaised) {
  game_->lblMode->SetCaption("Practice");
  game_->Shot.GunY = 280;
  Shooter().Penalty = 1;
  const double start = game_->Timer();
  game_->SetTraps();
  EXPECT_EQ(game_->Shot.GunY, 340 - 120);  // down to 340 in phase 1, up 30 x 4 in phase 3
  EXPECT_EQ(Shooter().Penalty, 0);         // an unspent penalty lapses
  EXPECT_GE(game_->Timer() - start, 1.5 + 30 * 0.011);
}

TEST_F(StationTest, AMountDisplayHoldsTheStationForTwoSeconds) {
  game_->Field.Clays[0].State = ClayFlying;
  game_->Field.Clays[0].X = 700;
  const double start = game_->Timer();
  game_->ShowWarningPanel();
  EXPECT_THAT(game_->Timer() - start, testing::AllOf(testing::Ge(2.0), testing::Lt(2.02)));
  EXPECT_EQ(game_->Field.Clays[0].X, 700);  // nothing flies underneath
}

// The override's captions and its singles from the chosen trap are the override scenario's.
TEST_F(StationTest, AnOverrideRollsARabbitWhereItsTrapHasOne) {
  game_->lblMode->SetCaption("Practice");
  game_->Settings.Pairs = {1, 1, 1, 1, 1};
  game_->Field.TrapCount = 4;
  game_->Field.Traps[1] = {800, 600, -4, 3, 620, Crossing, 1};
  game_->Field.Traps[2] = {300, 500, 5, 4, 650, Incoming, 0};
  StationState station;
  game_->App.TrapOverride = 2;
  game_->SetUpPresentation(station);
  const ClayRecord& clay = game_->Field.Clays[0];
  EXPECT_TRUE(clay.IsRabbit);
  EXPECT_EQ(clay.FloorY, 600);  // the rabbit's ground is capped at its launch point
  // One of the three rabbit pictures.
  EXPECT_THAT(clay.SpriteX, testing::AllOf(testing::Ge(546), testing::Le(586)));

  game_->App.TrapOverride = 3;
  game_->SetUpPresentation(station);
  // Not a rabbit, and far away: an incoming clay target starts small and grows.
  EXPECT_EQ(std::tuple(clay.IsRabbit, clay.SpriteY, clay.SizeStep), std::tuple(false, 30, -6));
  EXPECT_EQ(game_->lblFieldInfo[1]->Caption(), " Trap 3 - Incoming ");
}

TEST_F(StationTest, ATrailingPairFollowsWithinOneSecondAfterAFifth) {
  game_->Shot.PresentationKind = Trailing;
  for (int round = 0; round < 20; ++round) {
    StationState station;
    for (ClayRecord& clay : game_->Field.Clays) clay.State = ClayLoaded;
    game_->Shot.LaunchTime = game_->Timer();
    game_->Shot.LaunchPending = true;
    host_.DaySeconds += 0.001;
    game_->ThrowClays(station);
    EXPECT_EQ(game_->Field.Clays[1].State, ClayLoaded);
    const double launched = game_->Shot.LaunchTime;
    while (game_->Field.Clays[1].State == ClayLoaded) {
      host_.DaySeconds += 0.001;
      game_->ThrowClays(station);
    }
    EXPECT_THAT(game_->Timer() - launched, testing::AllOf(testing::Gt(0.1), testing::Lt(1.102)));
  }
}

TEST_F(StationTest, TheShellFliesInTheFourthToEleventhFramesAfterTheShot) {
  StationState station;
  station.EjectFrame = 2;  // the shot frame set 1 and raised it at once
  std::vector<int> drawnAt;
  for (int frame = 1; frame <= 14; ++frame) {
    game_->picWork->SetPicture(Surface(600, 340, 0x123456));
    const int e = station.EjectFrame + 1;
    game_->EjectShell(station);
    // The sheet is white, so a shell drawn with mask then picture leaves white at its corner.
    const int x = 240 + e * (e + 10), y = 320 - 10 * e;
    if (x < 600 && game_->picWork->Image().At(x, y) == 0xFFFFFF) drawnAt.push_back(frame);
  }
  EXPECT_EQ(drawnAt, (std::vector<int>{4, 5, 6, 7, 8, 9, 10, 11}));
  EXPECT_EQ(station.EjectFrame, 0);
}

TEST_F(StationTest, APuffEndsAfterNineteenFramesAndTwoPuffsMoveTheChipsTwice) {
  game_->Timing.SpeedFactor = 1;
  game_->View.ClayProgress = 1;
  BreakPuff& puff = game_->Shot.Breaks[0];
  puff = {2, 700, 400, 2, -3, 0};
  for (Fragment& chip : game_->Shot.Fragments) chip = {.X = 700, .Y = 400, .VY = 1, .VX = 2};
  int frames = 0;
  while (puff.State == 2) {
    game_->AnimateBreak(0);
    ++frames;
  }
  // 19 frames of movement, then the one that ends it, moves the puff away and counts its clay.
  EXPECT_EQ(std::tuple(frames, puff.X, game_->View.ClayProgress), std::tuple(20, -40, 2));
  for (const Fragment& chip : game_->Shot.Fragments) EXPECT_EQ(chip.Y, -30);
  // An ended puff stays ended: it counts its clay once.
  game_->AnimateBreak(0);
  EXPECT_EQ(game_->View.ClayProgress, 2);

  // Kept: every running puff moves the shared chips, so two puffs move them twice a frame.
  game_->Shot.Breaks[0] = {2, 700, 400, 0, 0, 0};
  game_->Shot.Breaks[1] = {2, 720, 400, 0, 0, 0};
  for (Fragment& chip : game_->Shot.Fragments) chip = {.X = 700, .Y = 400, .VY = -2, .VX = 3};
  game_->AnimateBreak(0);
  game_->AnimateBreak(1);
  EXPECT_EQ(std::tuple(game_->Shot.Fragments[0].X, game_->Shot.Fragments[0].Y),
            std::tuple(706, 396));
}

TEST_F(StationTest, OnlyTheStationLoopsRoundTheCagePostSlideFirst) {
  Surface art(712, 1100);
  for (int y = 0; y < 1100; ++y)
    for (int x = 0; x < 40; ++x) art.At(x, y) = static_cast<uint32_t>(y);
  game_->picArt->SetPicture(art);
  game_->View.PanX = 0;       // the left post at 180 + 50
  game_->View.PanY = 302.5f;  // a slide of 39.5 rows
  game_->DrawScenery(PanForm::Station);
  EXPECT_EQ(game_->picWork->Image().At(230, 0), 362u);  // 402.5 - 40, halves to even
  game_->DrawScenery(PanForm::TrapSetting);
  EXPECT_EQ(game_->picWork->Image().At(230, 0), 363u);  // 402.5 - 39.5
}

TEST_F(StationTest, TheDumpNamesTheShootingStateAndTheRunningStation) {
  game_->Shot.ShellsLeft = 2;
  game_->Timing.SpeedFactor = 0.5f;
  auto dump = [&] {
    JsonBuilder json;
    json.BeginObject();
    game_->DumpShootingState(json);
    json.EndObject();
    return json.Text();
  };
  const std::string outside = dump();
  EXPECT_NE(outside.find(R"("ShellsLeft":2)"), std::string::npos) << outside;
  EXPECT_NE(outside.find(R"("Timing":{"SpeedFactor":0.5)"), std::string::npos);
  EXPECT_EQ(outside.find(R"("Station")"), std::string::npos);  // no station runs

  StationState station;
  station.EjectFrame = 7;
  game_->RunningStation = &station;
  const std::string inside = dump();
  game_->RunningStation = nullptr;
  EXPECT_NE(inside.find(R"("EjectFrame":7)"), std::string::npos) << inside;
}

// The six waves load on past a missing one, with one message for each, and an empty file is
// a silent wave without one. (Which wave a message is for cannot be told: they all say the
// same.) A missing wave playing as silence is practice_missing_wave_plays_on's.
TEST_F(StationTest, SixWavesLoadOnPastMissingOnesWithOneMessageEach) {
  game_->Roster.Players[0].VoiceGender = 1;
  game_->Roster.Players[0].VoiceCommand = 2;
  for (const char* name : {"s000.wav", "l1.wav", "c012.wav"}) WriteFile(name, "RIFF");
  WriteFile("k001.wav", "");
  game_->LoadAllWaves();
  const auto boxes = host_.TracesOf("msgbox");
  ASSERT_EQ(boxes.size(), 2u);  // t000.wav and b001.wav
  EXPECT_EQ(TextField(boxes[0], "text"), "Error occured in Wave Loading Routine: 53 In Line: 2");
  EXPECT_EQ(game_->Waves.CallWave.Source, "c012.wav");
  EXPECT_FALSE(game_->Waves.CallWave.Bytes.empty());
}

}  // namespace qm
