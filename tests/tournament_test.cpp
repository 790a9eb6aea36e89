// The tournament's own rules: the order of the schedule draw, the set-up panel, one
// shooter's station from the schedule with its wind-down and cheer, and the end of a
// tournament putting the practice settings back.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/frm_main.h"
#include "game_fixture.h"
#include "geometry/tourney_panel_layout.h"
#include "platform/numeric.h"
#include "sim/field_file.h"

namespace qm {

namespace {

// The fake host with a hand on the controls: OnYield runs in every yield to the event queue,
// where the game's mouse and key handlers would run. Frames are not kept (a station presents
// thousands).
class ShooterHost : public GameHost {
 public:
  std::function<void()> OnYield;
  void Yield(bool hadEvents) override {
    GameHost::Yield(hadEvents);
    if (!OnYield || inHook_) return;
    inHook_ = true;
    OnYield();
    inHook_ = false;
  }
  void Present(const Surface&) override {}

 private:
  bool inHook_ = false;
};

// Font cells painted in colours that name their character, so that drawn text can be read back.
constexpr uint32_t GlyphTag = 0x100000;

void PaintFont(Surface& art) {
  for (int c = 'A'; c <= 'Z'; ++c) FillRect(art, {80 + 14 * (c - 'A'), 958, 14, 14}, GlyphTag | c);
  for (int c = 'a'; c <= 'z'; ++c) FillRect(art, {80 + 14 * (c - 'a'), 972, 14, 14}, GlyphTag | c);
  for (int c = '0'; c <= '9'; ++c) FillRect(art, {80 + 14 * (c - '0'), 986, 14, 14}, GlyphTag | c);
}

// Reads bitmap-font text back from (x, y): a whole cell of one tag is its character, an empty
// 16-pixel step is a space. Trailing spaces are dropped.
std::string ReadBitmapText(const Surface& s, int x, int y) {
  std::string text;
  int blanks = 0;
  while (x + 16 <= s.W && blanks < 3) {
    const uint32_t tag = s.At(x, y);
    if ((tag & 0xFFFF00) != GlyphTag) {
      text += ' ';
      x += 16;
      ++blanks;
      continue;
    }
    const char c = static_cast<char>(tag & 0xFF);
    const int width = std::islower(static_cast<unsigned char>(c)) ? 12 : 14;
    // The whole cell, not just its corner: a cell cut short shows here.
    if (s.At(x + width - 1, y + 13) != tag) return text + '?';
    text += c;
    x += width;
    blanks = 0;
  }
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

}  // namespace

class TournamentTest : public GameTestOn<ShooterHost> {
 protected:
  void SetUp() override {
    GameTestOn<ShooterHost>::SetUp();
    GiveStationPictures();
    game_->lblMode->SetCaption("Tournament");
    game_->Timing.SpeedFactor = 1;
  }

  // Four crossing traps along the field, on the form's field or a field file's table.
  template <typename Field>
  static void SetTraps(Field& field, float dx, float dy, int16_t floorY) {
    field.TrapCount = 4;
    for (int i = 0; i < 4; ++i)
      field.Traps[i] = {static_cast<int16_t>(300 + 300 * i), 500, dx, dy, floorY, Crossing, 0};
  }
  // Each box's value and whether it can be changed.
  using Boxes = std::vector<std::pair<int, bool>>;
  static Boxes Values(const std::array<std::unique_ptr<CheckBox>, 4>& boxes) {
    Boxes values;
    for (const auto& box : boxes) values.emplace_back(box->Value(), box->Enabled());
    return values;
  }
  // One turn at a station as the driver starts it.
  void ShootStation(int16_t presentations) {
    game_->App.StationDone = false;
    game_->Shot.ShootingEnabled = true;
    Shooter().Penalty = 0;
    game_->Shot.PresentationHits = 1;
    game_->Shot.HitSwing = 0;
    game_->TourneyStationLoop(presentations);
  }
  // True while a presentation is set up and waits for the shooter's call.
  bool WaitingForTheCall() const {
    return game_->RunningStation && game_->View.ClayProgress == 0 && game_->Shot.ShootingEnabled;
  }
};

TEST_F(TournamentTest, TheKindDecidesWhetherTheSecondTrapIsItsOwn) {
  struct Case {
    std::array<int16_t, 5> Pairs;
    int Kind;
    bool OwnSecondTrap;
  };
  const Case cases[] = {{{0, 0, 1, 0, 0}, Report, true},
                        {{0, 0, 0, 1, 0}, FurAndFeather, true},
                        {{1, 0, 0, 0, 0}, Simultaneous, false},
                        {{0, 1, 0, 0, 0}, Trailing, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE("kind " + std::to_string(c.Kind));
    game_->Settings.Pairs = c.Pairs;
    int same = 0, different = 0;
    std::set<int> firstTraps;
    for (int field = 0; field < 10; ++field) {
      game_->BuildSchedule();
      for (const ScheduleEntry& entry : game_->Tourney.TourneySchedule) {
        EXPECT_EQ(entry.Kind, c.Kind);
        EXPECT_THAT(entry.TrapB, testing::AllOf(testing::Ge(0), testing::Le(3)));
        firstTraps.insert(entry.TrapA);
        (entry.TrapA == entry.TrapB ? same : different) += 1;
      }
    }
    EXPECT_EQ(firstTraps, (std::set<int>{0, 1, 2, 3}));
    if (c.OwnSecondTrap) {
      // Drawn independently: mostly another trap, sometimes the same one.
      EXPECT_GT(different, 50);
      EXPECT_GT(same, 5);
    } else {
      EXPECT_EQ(different, 0);
    }
  }
}

TEST_F(TournamentTest, TheSetUpPanelTicksTheMenuShooterAndDrawsTheRound) {
  Surface art(712, 1100, 0xFFFFFF);
  PaintFont(art);
  game_->picArt->SetPicture(art);
  const char* names[4] = {"Annie", "Bert", "No Shooter", "Cara"};
  for (int i = 0; i < 4; ++i) game_->Roster.Players[i].Name = PadNameField(names[i]);
  game_->optName[1]->SetValue(true);
  // Box 2 was ticked in an earlier set-up, before its position became empty; box 3 too.
  for (int i : {2, 3}) game_->chkTourney[i]->SetValue(1);
  game_->Settings.RoundSize = 100;
  game_->Settings.Pairs = {1, 0, 1, 0, 1};

  game_->picTourney->MakePersistent();
  game_->SetupTourney();
  const Surface& panel = game_->picTourney->Image();
  EXPECT_EQ(ReadBitmapText(panel, TourneyTargetsRect.X, TourneyTargetsRect.Y),
            "100 Targets per Shooter");
  EXPECT_EQ(ReadBitmapText(panel, TourneyTargetsRect.X, TourneyTargetsRect.Y + TourneyPerFieldDy),
            "20 Targets per Field");
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(ReadBitmapText(panel, TourneyNameRect(i).X, TourneyNameRect(i).Y), names[i]);
  const char* kinds[4] = {"Simultaneous", "Trailing", "Report", "Fur and Feather"};
  for (int k = 0; k < 4; ++k)
    EXPECT_EQ(ReadBitmapText(panel, TourneyKindRect(k).X, TourneyKindRect(k).Y), kinds[k]);

  EXPECT_EQ(Values(game_->chkTourney), (Boxes{{0, true}, {1, true}, {1, false}, {1, true}}));
  EXPECT_EQ(Values(game_->chkAllowed), (Boxes{{1, true}, {0, true}, {1, true}, {0, true}}));
  EXPECT_EQ(game_->Settings.Pairs, (std::array<int16_t, 5>{1, 0, 1, 0, 1}));

  // The next opening: only the menu's shooter is forced; an untick elsewhere stays.
  game_->chkTourney[1]->SetValue(0);
  game_->optName[0]->SetValue(true);
  game_->Settings.RoundSize = 50;
  game_->picTourney->Cls();
  game_->SetupTourney();
  EXPECT_EQ(ReadBitmapText(panel, 40, 80), "50 Targets per Shooter");
  EXPECT_EQ(ReadBitmapText(panel, 40, 98), "10 Targets per Field");
  EXPECT_EQ(Values(game_->chkTourney), (Boxes{{1, true}, {0, true}, {1, false}, {1, true}}));
}

// That no sixth presentation follows is the tournament Esc scenario's (the next shooter's
// banner comes after ten targets thrown).
TEST_F(TournamentTest, AFivePairStationShootsTheFirstFiveEntriesThenWindsDown) {
  // Clay targets that land at once: every presentation ends by itself after the call.
  SetTraps(game_->Field, 4, -1, 500);
  const ScheduleEntry entries[5] = {{0, 0, 1}, {1, 1, 2}, {2, 3, 3}, {3, 0, 4}, {1, 2, 3}};
  for (int s = 0; s < 10; ++s)
    game_->Tourney.TourneySchedule[s] = s < 5 ? entries[s] : ScheduleEntry{3, 3, 2};
  std::vector<std::array<int, 3>> presented;
  std::vector<std::string> kindCaptions;
  double overAt = 0;
  host_.OnYield = [&] {
    if (WaitingForTheCall()) {
      presented.push_back(
          {game_->Shot.FirstTrap, game_->Shot.SecondTrap, game_->Shot.PresentationKind});
      kindCaptions.push_back(game_->lblFieldInfo[0]->Caption());
      game_->picMain_MouseDown(RightButton, 0, 300, 170);
    }
    if (presented.size() == 5 && overAt == 0 &&
        game_->View.ClayProgress >= game_->Shot.LastClay + 2)
      overAt = game_->Timer();
  };
  ShootStation(5);

  // Fur and Feather from a trap without rabbits is a report pair; a report pair's second clay
  // comes from its own scheduled trap.
  EXPECT_EQ(presented, (std::vector<std::array<int, 3>>{
                           {0, 0, 1}, {1, 1, 2}, {2, 3, 3}, {3, 0, 3}, {1, 2, 3}}));
  EXPECT_EQ(kindCaptions, (std::vector<std::string>{" Simultaneous", " Trailing", " Report",
                                                    " Report", " Report"}));
  // One more frame, then a wind-down of one second.
  ASSERT_GT(overAt, 0);
  EXPECT_THAT(game_->Timer() - overAt, testing::AllOf(testing::Ge(1.0), testing::Lt(1.05)));
  EXPECT_TRUE(game_->App.StationDone);
  EXPECT_TRUE(game_->Shot.ShootingEnabled);  // the driver clears it, not the station
  EXPECT_EQ(std::tuple(game_->Field.Clays[0].State, game_->Field.Clays[1].State),
            std::tuple(ClayReset, ClayReset));
}

TEST_F(TournamentTest, TheFirstClayVariesItsTrapsSpeedByAPixelEitherWay) {
  SetTraps(game_->Field, 4, 3, 600);
  game_->Field.Traps[1].DX = -4;
  game_->Timing.SpeedFactor = 0.75f;
  StationState station;
  for (int trap : {0, 1}) {
    std::set<float> speeds;
    for (int round = 0; round < 24; ++round) {
      game_->SetUpScheduledPresentation(station,
                                        ScheduleEntry{static_cast<int16_t>(trap), 2, Trailing});
      const ClayRecord& clay = game_->Field.Clays[0];
      speeds.insert(clay.VX);
      // The drag works against this varied speed.
      EXPECT_FLOAT_EQ(clay.DragX, trap == 0 ? -0.015f : 0.015f);
    }
    const float dx = game_->Field.Traps[trap].DX;
    EXPECT_EQ(speeds, (std::set<float>{(dx - 1) * 0.75f, dx * 0.75f, (dx + 1) * 0.75f}));
  }
}

TEST_F(TournamentTest, OnlyEveryTargetOfTheStationBrokenIsCheered) {
  // Simultaneous pairs of clay targets that stay up long enough to be hit.
  SetTraps(game_->Field, 4, 3, 520);
  for (ScheduleEntry& entry : game_->Tourney.TourneySchedule) entry = {2, 2, Simultaneous};
  struct Case {
    const char* Name;
    int Missed;        // the clay (0..9, in throwing order) left to fly on; -1 none
    int UnderPenalty;  // the clay broken while a penalty is pending; -1 none
    bool Cheered;
  };
  const Case cases[] = {{"all ten broken", -1, -1, true},
                        {"one missed", 7, -1, false},
                        {"one hit lost to a penalty", -1, 4, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    host_.Traces.clear();
    Shooter().Hit = 7;  // hits from earlier fields do not count against the station
    Shooter().Thrown = 14;
    int calls = 0;
    std::set<int> dealtWith;
    host_.OnYield = [&] {
      if (WaitingForTheCall()) {
        ++calls;
        game_->picMain_MouseDown(RightButton, 0, 300, 170);
      }
      for (int k = 0; k <= 1; ++k) {
        ClayRecord& clay = game_->Field.Clays[k];
        const int number = 2 * (calls - 1) + k;
        if (clay.State != ClayFlying || !dealtWith.insert(number).second) continue;
        if (number == c.Missed) continue;
        if (number == c.UnderPenalty) Shooter().Penalty = 1;
        const float x = clay.X + 8, y = clay.Y + 3;
        game_->CheckHit(k, x, y, CInt(x), CInt(y));
        EXPECT_EQ(clay.State, ClayBroken);
      }
    };
    ShootStation(5);
    EXPECT_EQ(std::tuple(calls, Shooter().Thrown, Shooter().Hit),
              std::tuple(5, 24, c.Cheered ? 17 : 16));
    std::string cheers;  // one of three cheers, or none
    for (const TraceEvent& e : host_.TracesOf("sound"))
      if (TextField(e, "name").starts_with("tr00")) cheers += TextField(e, "name");
    EXPECT_THAT(cheers, testing::MatchesRegex(c.Cheered ? "tr00[1-3]\\.wav" : ""));
  }
}

// A shooter who calls for every presentation and never fires, through a whole round of 50:
// a banner before each field, five pairs a field without singles, the sheet with all fifty,
// then the practice settings and the menu's shooter back. Esc at the first station banner of
// the next tournament ends it there, before field 2 is loaded.
TEST_F(TournamentTest, AWholeRoundShootsFiveFieldsAndEscAtABannerEndsTheNext) {
  FieldTable landAtOnce;
  SetTraps(landAtOnce, 4, -1, 500);  // clay targets that land at once
  for (int field = 1; field <= 5; ++field) {
    WriteFile("0f" + std::to_string(field) + ".fld", FieldFileText(landAtOnce));
    host_.Bitmaps["0f" + std::to_string(field) + ".bmp"] = Surface(1600, 800, 0x336699);
  }
  game_->Roster.Players[0].Name = "Annie";
  game_->Roster.Players[0].Thrown = 30;
  game_->chkTourney[0]->SetValue(1);
  game_->optName[1]->SetValue(true);
  game_->Settings.Pairs = {0, 0, 1, 0, 1};
  game_->Settings.RoundSize = 50;
  int calls = 0, singlesDuring = -1;
  bool escAtStationBanner = false;
  std::vector<std::string> banners;
  std::vector<int> kindsDrawn;
  host_.OnYield = [&] {
    const std::string status = game_->lblStatus->Caption();
    if (escAtStationBanner && status == "Next Station") {
      game_->Form_KeyDown(KeyEscape, 0);
    } else if (status == "Next Player" || status == "Next Station") {
      if (banners.empty() || banners.back() != game_->lblFieldInfo[1]->Caption())
        banners.push_back(game_->lblFieldInfo[1]->Caption());
      singlesDuring = game_->Settings.Pairs[4];
      for (const ScheduleEntry& entry : game_->Tourney.TourneySchedule)
        kindsDrawn.push_back(entry.Kind);
      game_->picMain_MouseDown(LeftButton, 0, 300, 170);
    } else if (WaitingForTheCall()) {
      ++calls;
      if (escAtStationBanner)
        game_->App.StationDone = true;
      else
        game_->picMain_MouseDown(RightButton, 0, 300, 170);
    }
  };
  game_->RunTournament();
  EXPECT_EQ(calls, 25);
  EXPECT_EQ(banners, (std::vector<std::string>{
                         "Annie is now Shooting", " Moving to Field 2", "Annie is now Shooting",
                         " Moving to Field 3", "Annie is now Shooting", " Moving to Field 4",
                         "Annie is now Shooting", " Moving to Field 5", "Annie is now Shooting"}));
  EXPECT_EQ(singlesDuring, 0);
  EXPECT_EQ(kindsDrawn, std::vector<int>(kindsDrawn.size(), Report));
  EXPECT_TRUE(game_->picStats->Visible());
  EXPECT_NE(game_->txtStats->Text().find("Clays Thrown:  50\r\n"), std::string::npos);
  EXPECT_EQ(game_->Settings.Pairs, (std::array<int16_t, 5>{0, 0, 1, 0, 1}));
  EXPECT_EQ(game_->Roster.CurrentPlayer, 1);

  escAtStationBanner = true;
  game_->RunTournament();
  EXPECT_EQ(game_->Menu.CurrentField, 1);
  EXPECT_FALSE(game_->App.AbortTournament);
  EXPECT_TRUE(game_->picStats->Visible());
  EXPECT_FALSE(game_->picMain->Visible());
}

}  // namespace qm
