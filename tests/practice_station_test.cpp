// The station's own rules: the reload remark, the warning display, the override singles,
// the ejected shell, the end of a break puff and the loading of the six waves.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game_fixture.h"

namespace qm {

class PracticeStationTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    game_->picArt->SetPicture(Surface(712, 1100, 0xFFFFFF));
    game_->picMask->SetPicture(Surface(1600, 800, 0x336699));
    game_->picWork->SetPicture(Surface(600, 340));
    Shooter().Gun = 8;
    Shooter().Choke = 12;
  }
  PlayerRecord& Shooter() { return game_->Roster.Players[game_->Roster.CurrentPlayer]; }
  // The remark the trap setting plays after a presentation that ended as given.
  std::string RemarkAfter(const char* mode, int hits, float hitSwing) {
    game_->lblMode->SetCaption(mode);
    game_->Shot.PresentationHits = static_cast<int16_t>(hits);
    game_->Shot.HitSwing = hitSwing;
    host_.Traces.clear();
    game_->SetTraps();
    for (const TraceEvent& e : host_.TracesOf("sound")) {
      if (TextField(e, "from") == "file") return TextField(e, "name");
    }
    return "";
  }
};

TEST_F(PracticeStationTest, TheReloadRemarkFollowsHowThePresentationWent) {
  // Practice always reloads to the plain remark, whatever happened.
  EXPECT_EQ(RemarkAfter("Practice", 0, 0), "r000.wav");
  EXPECT_EQ(RemarkAfter("Practice", 1, 30), "r000.wav");
  // A tournament presentation with nothing broken gets one of the four miss remarks.
  const std::string miss = RemarkAfter("Tournament", 0, 0);
  EXPECT_EQ(miss.substr(0, 4), "br00");
  EXPECT_GE(miss[4], '1');
  EXPECT_LE(miss[4], '4');
  // The swing rate at the hit times the gun sensitivity is the pointer's offset: 80 is calm.
  EXPECT_EQ(RemarkAfter("Tournament", 1, 10), "r000.wav");
  EXPECT_EQ(RemarkAfter("Tournament", 1, -10), "r000.wav");
  const std::string wild = RemarkAfter("Tournament", 1, 10.125f);
  EXPECT_EQ(wild.substr(0, 3), "r00");
  EXPECT_NE(wild, "r000.wav");
  EXPECT_NE(RemarkAfter("Tournament", 2, -10.125f), "r000.wav");
  EXPECT_EQ(game_->Shot.HitSwing, 0);
  // Remarks are played without the no-default flag.
  EXPECT_EQ(std::get<long long>(host_.TracesOf("sound")[0].Fields[2].second), 1);
}

TEST_F(PracticeStationTest, TheTrapSettingEndsReadyWithTheGunRaised) {
  game_->lblMode->SetCaption("Practice");
  game_->Shot.GunY = 280;
  Shooter().Penalty = 1;
  const double start = game_->Timer();
  game_->SetTraps();
  EXPECT_EQ(game_->lblStatus->Caption(), "Gun Low...");
  EXPECT_EQ(game_->Shot.GunY, 340 - 120);  // down to 340 in phase 1, up 30 x 4 in phase 3
  EXPECT_EQ(Shooter().Penalty, 0);         // an unspent penalty lapses
  EXPECT_GE(game_->Timer() - start, 1.5 + 30 * 0.011);
}

TEST_F(PracticeStationTest, AMountDisplayHoldsTheStationForTwoSeconds) {
  game_->Field.Clays[0].State = ClayFlying;
  game_->Field.Clays[0].X = 700;
  const double start = game_->Timer();
  game_->ShowWarningPanel();
  const double held = game_->Timer() - start;
  EXPECT_GE(held, 2.0);
  EXPECT_LT(held, 2.02);
  EXPECT_EQ(game_->Field.Clays[0].X, 700);  // nothing flies underneath
}

TEST_F(PracticeStationTest, AnOverrideThrowsSinglesFromItsTrapAndRabbitsWhereItCan) {
  game_->lblMode->SetCaption("Practice");
  game_->Settings.Pairs = {1, 1, 1, 1, 1};
  game_->Field.TrapCount = 4;
  game_->Field.Traps[1] = {800, 600, -4, 3, 620, Crossing, 1};
  game_->Field.Traps[2] = {300, 500, 5, 4, 650, Incoming, 0};
  StationState station;
  game_->App.TrapOverride = 2;
  game_->SetUpPresentation(station);
  const ClayRecord& clay = game_->Field.Clays[0];
  EXPECT_EQ(game_->lblFieldInfo[0]->Caption(), " Trap OverRide");
  EXPECT_EQ(game_->lblFieldInfo[1]->Caption(), " Trap 2 - Crossing ");
  EXPECT_EQ(game_->Shot.PresentationKind, Single);
  EXPECT_EQ(game_->Shot.LastClay, 0);
  EXPECT_EQ(game_->Field.Clays[1].State, ClayEnded);
  EXPECT_TRUE(clay.IsRabbit);
  EXPECT_EQ(clay.Gravity, 1.0f);
  EXPECT_EQ(clay.VX, -8 * game_->Timing.SpeedFactor);
  EXPECT_EQ(clay.FloorY, 600);  // the rabbit's ground is capped at its launch point
  EXPECT_GE(clay.SpriteX, 546);
  EXPECT_LE(clay.SpriteX, 586);

  game_->App.TrapOverride = 3;
  game_->SetUpPresentation(station);
  EXPECT_FALSE(clay.IsRabbit);
  EXPECT_EQ(clay.SpriteY, 30);  // incoming clay targets start far away
  EXPECT_EQ(clay.SizeStep, -6);
  EXPECT_EQ(game_->lblFieldInfo[1]->Caption(), " Trap 3 - Incoming ");
}

TEST_F(PracticeStationTest, ATrailingPairFollowsWithinOneSecondAfterAFifth) {
  game_->Shot.PresentationKind = Trailing;
  for (int round = 0; round < 20; ++round) {
    StationState station;
    game_->Field.Clays[0].State = ClayLoaded;
    game_->Field.Clays[1].State = ClayLoaded;
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
    const double delay = game_->Timer() - launched;
    EXPECT_GT(delay, 0.1);
    EXPECT_LT(delay, 1.102);
  }
}

TEST_F(PracticeStationTest, TheShellFliesInTheFourthToEleventhFramesAfterTheShot) {
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

TEST_F(PracticeStationTest, APuffEndsAfterNineteenFramesAndTakesItsChipsAway) {
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
  EXPECT_EQ(frames, 20);  // 19 frames of movement, then the one that ends it
  EXPECT_EQ(puff.X, -40);
  EXPECT_EQ(puff.Y, -40);
  EXPECT_EQ(game_->View.ClayProgress, 2);
  for (const Fragment& chip : game_->Shot.Fragments) {
    EXPECT_EQ(chip.X, -30);
    EXPECT_EQ(chip.Y, -30);
  }
  // An ended puff stays ended: it counts its clay once.
  game_->AnimateBreak(0);
  EXPECT_EQ(game_->View.ClayProgress, 2);
}

TEST_F(PracticeStationTest, WithTwoPuffsRunningTheChipsMoveTwiceAFrame) {
  game_->Timing.SpeedFactor = 1;
  game_->Shot.Breaks[0] = {2, 700, 400, 0, 0, 0};
  game_->Shot.Breaks[1] = {2, 720, 400, 0, 0, 0};
  for (Fragment& chip : game_->Shot.Fragments) chip = {.X = 700, .Y = 400, .VY = -2, .VX = 3};
  game_->AnimateBreak(0);
  game_->AnimateBreak(1);
  EXPECT_EQ(game_->Shot.Fragments[0].X, 706);
  EXPECT_EQ(game_->Shot.Fragments[0].Y, 396);
}

TEST_F(PracticeStationTest, ViewPositionsAreRoundedOnceAfterThePanIsTakenOff) {
  StationState station;
  game_->View.PanX = 0.4f;
  game_->View.PanY = 0;
  ClayRecord& clay = game_->Field.Clays[0];
  clay = {};
  clay.State = ClayFlying;
  clay.X = 100.6f;  // 100.2 in the view: drawn at 100, not at 101
  clay.Y = 50;
  clay.FloorY = 700;
  game_->Shot.ClayClock[0] = game_->Timer();
  game_->FlyClay(0, station);
  const Surface& work = game_->picWork->Image();
  EXPECT_EQ(work.At(100, 50), 0xFFFFFFu);
  EXPECT_EQ(work.At(115, 50), 0xFFFFFFu);
  EXPECT_NE(work.At(116, 50), 0xFFFFFFu);
}

TEST_F(PracticeStationTest, OnlyTheStationLoopsRoundTheCagePostSlideFirst) {
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

TEST_F(PracticeStationTest, TheDumpNamesTheShootingStateAndTheRunningStation) {
  game_->Shot.ShellsLeft = 2;
  game_->Shot.Breaks[1].State = 2;
  game_->Timing.SpeedFactor = 0.5f;
  JsonBuilder outside;
  outside.BeginObject();
  game_->DumpShootingState(outside);
  outside.EndObject();
  EXPECT_NE(outside.Text().find(R"("ShellsLeft":2)"), std::string::npos) << outside.Text();
  EXPECT_NE(outside.Text().find(R"("Timing":{"SpeedFactor":0.5)"), std::string::npos);
  EXPECT_NE(outside.Text().find(R"("Breaks":[{"State":1,)"), std::string::npos);
  EXPECT_EQ(outside.Text().find(R"("Station")"), std::string::npos);  // no station runs

  StationState station;
  station.EjectFrame = 7;
  game_->RunningStation = &station;
  JsonBuilder inside;
  inside.BeginObject();
  game_->DumpShootingState(inside);
  inside.EndObject();
  game_->RunningStation = nullptr;
  EXPECT_NE(inside.Text().find(R"("EjectFrame":7)"), std::string::npos) << inside.Text();
  EXPECT_NE(inside.Text().find(R"("Bump":"Idle")"), std::string::npos);
}

// Records, when a loading message opens, which of the six buffers were already filled.
class WaveHost : public GameHost {
 public:
  FrmMain* Game = nullptr;
  std::vector<std::string> FilledAtMessage;
  std::optional<int> MessageBoxOpened() override {
    std::string filled;
    const WaveState& w = Game->Waves;
    for (const WaveBuffer* b :
         {&w.ShotWave, &w.ClickWave, &w.TrapWave, &w.LandWave, &w.BumpWave, &w.CallWave})
      filled += b->Bytes.empty() ? '-' : 'x';
    FilledAtMessage.push_back(filled);
    return GameHost::MessageBoxOpened();
  }
};

class WaveLoadingTest : public GameTestOn<WaveHost> {
 protected:
  void SetUp() override {
    GameTestOn<WaveHost>::SetUp();
    host_.Game = game_.get();
  }
};

TEST_F(WaveLoadingTest, SixWavesInOrderAndOneMessagePerMissingFile) {
  game_->Roster.Players[0].VoiceGender = 1;
  game_->Roster.Players[0].VoiceCommand = 2;
  for (const char* name : {"s000.wav", "l1.wav", "c012.wav"}) WriteFile(name, "RIFF");
  WriteFile("k001.wav", "");  // empty: a silent wave
  game_->LoadAllWaves();
  // t000.wav and b001.wav are missing: one message each, after the waves before them. The
  // empty k001.wav loads without one, as a silent wave.
  EXPECT_EQ(host_.FilledAtMessage, (std::vector<std::string>{"x-----", "x--x--"}));
  const auto boxes = host_.TracesOf("msgbox");
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(TextField(boxes[0], "text"), "Error occured in Wave Loading Routine: 53 In Line: 2");
  EXPECT_EQ(game_->Waves.CallWave.Source, "c012.wav");
  EXPECT_FALSE(game_->Waves.CallWave.Bytes.empty());
  EXPECT_TRUE(game_->Waves.BumpWave.Bytes.empty());
  // A missing wave is a silent buffer: playing it makes no sound and asks for no default.
  EXPECT_FALSE(PlaySoundMemory(host_, game_->Waves.BumpWave,
                               SND_ASYNC | SND_NODEFAULT | SND_MEMORY | SND_NOSTOP));
}

}  // namespace qm
