// What the form feeds the score sheets and does with them. The sheets' text and places are
// the sheet core's (score_sheet_text_test); whole runs of the sheets are the scenarios'. Which
// sheet is up shows in what Done and Reset do with it, below and in the lifetime reset
// scenario.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game_fixture.h"
#include "platform/message_box.h"

namespace qm {

namespace {
constexpr uint32_t Ink = 0xFFFFFF;  // every font cell of the test's art sheet
}  // namespace

class ScoreSheetTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    // A white art sheet: whatever the bitmap font draws shows as white on the black card.
    host_.Bitmaps["art.bmp"] = Surface(712, 1100, Ink);
    game_->picArt->LoadPicture("art.bmp");
    game_->picStats->MakePersistent();
    host_.Bitmaps["0m.bmp"] = Surface(640, 480);  // Done brings the menu back
  }
  // True when the sheet's text holds this whole line.
  bool HasLine(const std::string& line) const {
    return ("\r\n" + game_->txtStats->Text()).find("\r\n" + line + "\r\n") != std::string::npos;
  }
  bool Drawn(int x, int y) const { return game_->picStats->Image().At(x, y) == Ink; }
  void SetPlayer(int n, const std::string& name, int32_t hit, int32_t thrown) {
    game_->Roster.Players[n].Name = name;
    game_->Roster.Players[n].Hit = hit;
    game_->Roster.Players[n].Thrown = thrown;
  }
};

TEST_F(ScoreSheetTest, PracticeSheetDrawsTheCurrentShootersBlockOnly) {
  SetPlayer(3, "Dora", 2, 3);
  game_->Roster.Players[3].Class = "A";
  game_->Roster.CurrentPlayer = 3;
  game_->StatsPractice();

  EXPECT_TRUE(HasLine("Shooter # 4"));
  EXPECT_EQ(game_->Roster.Players[3].Class, "A");  // the practice sheet does not rate
  EXPECT_TRUE(Drawn(320, 40));
  EXPECT_TRUE(Drawn(166, 63 + 210));
  EXPECT_FALSE(Drawn(165, 63 + 210));
  for (int n = 0; n < 3; ++n) EXPECT_FALSE(Drawn(166, 63 + 70 * n)) << "block " << n;
  EXPECT_EQ(host_.TracesOf("text").size(), 1u);
}

TEST_F(ScoreSheetTest, LifetimeSheetReadsEveryPositionFromTheSettingsFile) {
  WriteFile("quillmoor.ini",
            "[Player0]\r\nName=Annie\r\nThrown=3\r\nHit=2\r\n"
            // Position 1 has never played: no name, no counts.
            "[Player2]\r\nName=Cole\r\nThrown=25abc\r\nHit= 20 hits\r\n"
            "[Player3]\r\nName=Dora\r\nThrown=\r\nHit=7\r\n");
  game_->StatsLifetime();

  EXPECT_TRUE(HasLine("No Shooter"));
  EXPECT_TRUE(HasLine("Clays Hit:     20"));  // a value reads as its leading number
  EXPECT_TRUE(HasLine("Clays Thrown:  25"));
  const char* classes[] = {"B", "D", "AA", "D"};
  for (int n = 0; n < 4; ++n) {
    EXPECT_EQ(game_->lblScores[n]->Caption(), std::string("Class ") + classes[n]) << n;
    EXPECT_TRUE(Drawn(166, 63 + 70 * n)) << n;  // every block is drawn, the empty one too
  }
  EXPECT_TRUE(host_.TracesOf("ini").empty());  // the lifetime sheet only reads
}

TEST_F(ScoreSheetTest, TournamentSheetListsTickedPositionsAndRatesThem) {
  SetPlayer(0, "  Annie ", 4, 5);
  SetPlayer(1, "Bert", 9, 10);
  SetPlayer(2, "Cole", 3, 5);
  game_->chkTourney[0]->SetValue(1);
  game_->chkTourney[2]->SetValue(1);
  game_->lblScores[0]->SetCaption("Class D");
  game_->StatsTourney();

  EXPECT_TRUE(HasLine("Annie"));
  EXPECT_TRUE(HasLine("Shooter # 3"));
  EXPECT_FALSE(HasLine("Bert"));
  EXPECT_EQ(game_->Roster.Players[0].Name, "Annie");  // stored back trimmed
  EXPECT_EQ(game_->Roster.Players[0].Class, "AA");
  EXPECT_EQ(game_->Roster.Players[2].Class, "C");
  EXPECT_EQ(game_->lblScores[0]->Caption(), "Class D");  // the menu's label is left alone
  EXPECT_FALSE(Drawn(166, 63 + 70));                     // position 1 was not ticked
  EXPECT_TRUE(Drawn(166, 63 + 140));
}

TEST_F(ScoreSheetTest, LifetimeTotalsAddUpAndStopAtTheThirtyTwoBitEdge) {
  WriteFile("quillmoor.ini",
            "[Player0]\r\nThrown=10\r\nHit=7\r\n"
            "[Player1]\r\nThrown=2147483000\r\nHit=2147482000\r\n"
            "[Player2]\r\nThrown=12 targets\r\nHit=none\r\n"
            "[Player3]\r\nThrown=\r\nHit=2.5\r\n");
  SetPlayer(0, "Annie", 3, 5);
  SetPlayer(1, "Bert", 900, 1000);
  SetPlayer(2, "Cole", 4, 6);
  SetPlayer(3, "Dora", 1, 4);
  for (int n = 0; n < 4; ++n) game_->UpdateLifetimeScore(n);

  EXPECT_EQ(game_->Roster.Players[0].Class, "B");  // 10 of 15
  EXPECT_EQ(game_->lblScores[0]->Caption(), "Class B");
  // Past the largest 32-bit count the total stays there instead of wrapping negative. A value
  // that is not a number adds its leading number, or nothing; an empty value adds nothing; a
  // fraction is rounded with the sum (1 + 2.5), halves to even.
  std::string ini = ReadFile("quillmoor.ini");
  std::erase(ini, '\r');  // a file the game starts keeps its own line ends
  EXPECT_NE(ini.find("[Player0]\nThrown=15\nHit=10\n[Player1]\nThrown=2147483647\n"
                     "Hit=2147482900\n[Player2]\nThrown=18\nHit=4\n[Player3]\nThrown=4\nHit=4\n"),
            std::string::npos)
      << ini;
  EXPECT_EQ(game_->Roster.Players[1].Thrown, 2147483647);
  EXPECT_EQ(host_.TracesOf("ini").size(), 8u);  // both keys of every position, always
}

TEST_F(ScoreSheetTest, DoneAddsTheRunOfThePracticeShooterOnly) {
  game_->Roster.CurrentPlayer = 1;
  SetPlayer(0, "Annie", 5, 5);
  SetPlayer(1, "Bert", 3, 4);
  game_->StatsPractice();
  game_->picStats->Show();
  game_->lblStatsDone_Click();
  EXPECT_FALSE(game_->picStats->Visible());
  std::vector<std::string> writes;
  for (const TraceEvent& e : host_.TracesOf("ini")) writes.push_back(TraceFieldsJson(e));
  EXPECT_EQ(writes, (std::vector<std::string>{
                        R"({"ev":"ini","section":"Player1","key":"Thrown","value":"4"})",
                        R"({"ev":"ini","section":"Player1","key":"Hit","value":"3"})"}));

  // Done on the lifetime sheet writes nothing.
  game_->StatsLifetime();
  game_->lblStatsDone_Click();
  EXPECT_EQ(host_.TracesOf("ini").size(), 2u);
}

TEST_F(ScoreSheetTest, ResetAsksAndOnlyYesClearsTheRun) {
  game_->Roster.CurrentPlayer = 2;
  SetPlayer(2, "Cole", 6, 8);
  game_->StatsPractice();
  host_.Answers = {vbNo, vbYes};
  game_->lblReset_Click(2);
  EXPECT_EQ(game_->Roster.Players[2].Hit, 6);
  game_->lblReset_Click(2);
  EXPECT_EQ(std::tuple(game_->Roster.Players[2].Hit, game_->Roster.Players[2].Thrown),
            std::tuple(0, 0));
  EXPECT_TRUE(HasLine("Clays Hit:     0"));
  const auto boxes = host_.TracesOf("msgbox");
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(TextField(boxes[0], "title"), "Reset Practice Scores");
  EXPECT_EQ(TextField(boxes[0], "text"),
            "Reset Last Practice Score for this Player ?\r\n\r\nCole" + std::string(46, ' '));
  EXPECT_TRUE(host_.TracesOf("ini").empty());

  // The tournament sheet asks its own question and is drawn again without the run.
  SetPlayer(1, "Bert", 9, 10);
  game_->chkTourney[1]->SetValue(1);
  game_->StatsTourney();
  host_.Answers = {vbYes};
  game_->lblReset_Click(1);
  EXPECT_EQ(game_->Scores.SheetKind, SheetKind::Tournament);
  EXPECT_TRUE(HasLine("Clays Thrown:  0"));
  EXPECT_EQ(TextField(host_.TracesOf("msgbox").back(), "title"), "Reset Tournament Scores");
}

// The failure's message, the sheet staying and the page's text are the printing scenario's;
// here, the click.
TEST_F(ScoreSheetTest, OnlyAPrintedPageClicks) {
  SetPlayer(0, "Annie", 1, 1);
  game_->StatsPractice();
  host_.PrintAnswer = {false, "no default printer"};
  game_->lblPrint_Click();
  EXPECT_TRUE(host_.TracesOf("sound").empty());
  host_.PrintAnswer = {true, ""};
  game_->lblPrint_Click();
  ASSERT_EQ(host_.TracesOf("sound").size(), 1u);
  EXPECT_EQ(TextField(host_.TracesOf("sound")[0], "name"), "k001.wav");
}

}  // namespace qm
