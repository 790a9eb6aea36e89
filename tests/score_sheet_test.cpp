#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game_fixture.h"
#include "platform/message_box.h"

namespace qm {

namespace {

// The sheet's text split at its CR LF pairs; a bare CR or LF would stay inside a line.
std::vector<std::string> SheetLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t from = 0;
  for (size_t at; (at = text.find("\r\n", from)) != std::string::npos; from = at + 2)
    lines.push_back(text.substr(from, at - from));
  if (from < text.size()) lines.push_back(text.substr(from) + "<no CR LF>");
  return lines;
}

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
  std::vector<std::string> Lines() const { return SheetLines(game_->txtStats->Text()); }
  bool Drawn(int x, int y) const { return game_->picStats->Image().At(x, y) == Ink; }
  std::string Ini() const {
    std::string ini = ReadFile(dir_ / "quillmoor.ini");
    std::erase(ini, '\r');  // a file the game starts keeps its own line ends
    return ini;
  }
  void SetPlayer(int n, const std::string& name, int32_t hit, int32_t thrown) {
    game_->Roster.Players[n].Name = name;
    game_->Roster.Players[n].Hit = hit;
    game_->Roster.Players[n].Thrown = thrown;
  }
};

// The sheets' text and places are checked in score_sheet_text_test; here, what the form
// feeds them and does with them.
TEST_F(ScoreSheetTest, PracticeSheetDrawsTheCurrentShootersBlockOnly) {
  SetPlayer(3, "Dora", 2, 3);
  game_->Roster.Players[3].Class = "A";
  game_->Roster.CurrentPlayer = 3;
  game_->StatsPractice();

  EXPECT_EQ(game_->Scores.SheetKind, SheetKind::Practice);
  EXPECT_EQ(Lines()[0], "12:00:00 Monday, January  1, 2001");
  EXPECT_EQ(Lines()[4], "Shooter # 4");
  EXPECT_EQ(game_->Roster.Players[3].Class, "A");  // the practice sheet does not rate
  EXPECT_TRUE(Drawn(320, 40));
  EXPECT_TRUE(Drawn(166, 63 + 210));
  EXPECT_FALSE(Drawn(165, 63 + 210));
  for (int n = 0; n < 3; ++n) EXPECT_FALSE(Drawn(166, 63 + 70 * n)) << "block " << n;
  // "Practice" is eight cells wide: the rating slot is filled, not a one-letter class.
  EXPECT_TRUE(Drawn(206 + 14 + 12 * 6 + 2, 113 + 210));
  EXPECT_EQ(host_.TracesOf("text").size(), 1u);
}

TEST_F(ScoreSheetTest, LifetimeSheetReadsEveryPositionFromTheSettingsFile) {
  WriteFile("quillmoor.ini",
            "[Player0]\r\nName=Annie\r\nThrown=3\r\nHit=2\r\n"
            // Position 1 has never played: no name, no counts.
            "[Player2]\r\nName=Cole\r\nThrown=25abc\r\nHit= 20 hits\r\n"
            "[Player3]\r\nName=Dora\r\nThrown=\r\nHit=7\r\n");
  game_->StatsLifetime();

  EXPECT_EQ(game_->Scores.SheetKind, SheetKind::Lifetime);
  const std::vector<std::string> lines = Lines();
  ASSERT_EQ(lines.size(), 2u + 4 * 9);
  EXPECT_EQ(lines[5], "Annie");
  EXPECT_EQ(lines[14], "No Shooter");
  EXPECT_EQ(lines[15], "Clays Hit:     0");
  EXPECT_EQ(lines[24], "Clays Hit:     20");  // a value reads as its leading number
  EXPECT_EQ(lines[25], "Clays Thrown:  25");
  EXPECT_EQ(lines[34], "Clays Thrown:  0");
  const char* classes[] = {"B", "D", "AA", "D"};
  for (int n = 0; n < 4; ++n) {
    EXPECT_EQ(game_->Roster.Players[n].Class, classes[n]) << n;
    EXPECT_EQ(game_->lblScores[n]->Caption(), std::string("Class ") + classes[n]) << n;
    EXPECT_TRUE(Drawn(166, 63 + 70 * n)) << n;  // every block is drawn, the empty one too
    EXPECT_TRUE(Drawn(206, 113 + 70 * n)) << n;
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

  EXPECT_EQ(game_->Scores.SheetKind, SheetKind::Tournament);
  EXPECT_EQ(Lines()[5], "Annie");
  EXPECT_EQ(Lines()[13], "Shooter # 3");
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

  EXPECT_EQ(game_->Roster.Players[0].Thrown, 15);
  EXPECT_EQ(game_->Roster.Players[0].Hit, 10);
  EXPECT_EQ(game_->Roster.Players[0].Class, "B");  // 10 of 15
  EXPECT_EQ(game_->lblScores[0]->Caption(), "Class B");
  // Past the largest 32-bit count the total stays there instead of wrapping negative.
  EXPECT_EQ(game_->Roster.Players[1].Thrown, 2147483647);
  EXPECT_EQ(game_->Roster.Players[1].Hit, 2147482900);
  EXPECT_EQ(game_->Roster.Players[1].Class, "AA");
  // A value that is not a number adds its leading number, or nothing.
  EXPECT_EQ(game_->Roster.Players[2].Thrown, 18);
  EXPECT_EQ(game_->Roster.Players[2].Hit, 4);
  // An empty value adds nothing; a fraction is rounded with the sum (1 + 2.5), halves to even.
  EXPECT_EQ(game_->Roster.Players[3].Thrown, 4);
  EXPECT_EQ(game_->Roster.Players[3].Hit, 4);
  EXPECT_EQ(game_->Roster.Players[3].Class, "AA");

  const std::string ini = Ini();
  for (const char* line :
       {"[Player0]", "Thrown=15", "Hit=10", "[Player1]", "Thrown=2147483647", "Hit=2147482900",
        "[Player2]", "Thrown=18", "Hit=4", "[Player3]", "Thrown=4", "Hit=4"})
    EXPECT_NE(ini.find(std::string(line) + "\n"), std::string::npos) << line << "\n" << ini;
  EXPECT_EQ(host_.TracesOf("ini").size(), 8u);  // both keys of every position, always
}

TEST_F(ScoreSheetTest, DoneAddsTheRunOfTheSheetOnScreenOnly) {
  game_->Roster.CurrentPlayer = 1;
  SetPlayer(0, "Annie", 5, 5);
  SetPlayer(1, "Bert", 3, 4);
  game_->StatsPractice();
  game_->picStats->Show();
  game_->lblStatsDone_Click();
  EXPECT_FALSE(game_->picStats->Visible());
  const auto writes = host_.TracesOf("ini");
  ASSERT_EQ(writes.size(), 2u);
  EXPECT_EQ(TraceFieldsJson(writes[0]),
            R"({"ev":"ini","section":"Player1","key":"Thrown","value":"4"})");
  EXPECT_EQ(TraceFieldsJson(writes[1]),
            R"({"ev":"ini","section":"Player1","key":"Hit","value":"3"})");

  // Done on the lifetime sheet writes nothing.
  game_->StatsLifetime();
  game_->lblStatsDone_Click();
  EXPECT_EQ(host_.TracesOf("ini").size(), 2u);

  // Done on the tournament sheet adds every ticked position.
  SetPlayer(0, "Annie", 1, 2);
  SetPlayer(2, "Cole", 6, 8);
  game_->chkTourney[0]->SetValue(1);
  game_->chkTourney[2]->SetValue(1);
  game_->StatsTourney();
  game_->lblStatsDone_Click();
  EXPECT_EQ(host_.TracesOf("ini").size(), 6u);
  EXPECT_NE(Ini().find("[Player2]\nThrown=8\nHit=6\n"), std::string::npos) << Ini();
  EXPECT_NE(Ini().find("[Player0]\nThrown=2\nHit=1\n"), std::string::npos) << Ini();
}

TEST_F(ScoreSheetTest, ResetAsksAndOnlyYesClearsTheRun) {
  game_->Roster.CurrentPlayer = 2;
  SetPlayer(2, "Cole", 6, 8);
  game_->StatsPractice();
  host_.Answers = {vbNo, vbYes};
  game_->lblReset_Click(2);
  EXPECT_EQ(game_->Roster.Players[2].Hit, 6);
  game_->lblReset_Click(2);
  EXPECT_EQ(game_->Roster.Players[2].Hit, 0);
  EXPECT_EQ(game_->Roster.Players[2].Thrown, 0);
  EXPECT_EQ(Lines()[6], "Clays Hit:     0");

  const auto boxes = host_.TracesOf("msgbox");
  ASSERT_EQ(boxes.size(), 2u);
  const std::string name(50 - 4, ' ');
  EXPECT_EQ(TraceFieldsJson(boxes[0]),
            R"({"ev":"msgbox","title":"Reset Practice Scores","text":"Reset Last Practice )"
            R"(Score for this Player ?\r\n\r\nCole)" +
                name + R"(","buttons":"yesno","icon":"question","answer":"no"})");
  EXPECT_TRUE(host_.TracesOf("ini").empty());

  // The tournament sheet asks its own question and is drawn again without the run.
  SetPlayer(1, "Bert", 9, 10);
  game_->chkTourney[1]->SetValue(1);
  game_->StatsTourney();
  host_.Answers = {vbYes};
  game_->lblReset_Click(1);
  EXPECT_EQ(game_->Roster.Players[1].Thrown, 0);
  EXPECT_EQ(game_->Scores.SheetKind, SheetKind::Tournament);
  EXPECT_EQ(Lines()[7], "Clays Thrown:  0");
  EXPECT_NE(TraceFieldsJson(host_.TracesOf("msgbox").back())
                .find(R"("title":"Reset Tournament Scores","text":"Reset Last Tournament Score )"
                      R"(for this Player ?\r\n\r\nBert )"),
            std::string::npos);
}

TEST_F(ScoreSheetTest, AFailedPrintSaysSoAndKeepsTheSheet) {
  SetPlayer(0, "Annie", 1, 1);
  game_->StatsPractice();
  game_->picStats->Show();
  host_.PrintAnswer = {false, "no default printer"};
  game_->lblPrint_Click();
  ASSERT_EQ(host_.Printed.size(), 1u);
  EXPECT_EQ(host_.Printed[0].second, game_->txtStats->Text());
  const auto boxes = host_.TracesOf("msgbox");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(TraceFieldsJson(boxes[0]),
            R"({"ev":"msgbox","title":"Quillmoor","text":"There was an error sending the page )"
            R"(to your Printer.\r\nPlease check your Printer settings in Control Panel.",)"
            R"("buttons":"ok","icon":"none","answer":"ok"})");
  EXPECT_TRUE(game_->picStats->Visible());
  EXPECT_TRUE(host_.TracesOf("sound").empty());  // no click for a page that did not go

  host_.PrintAnswer = {true, ""};
  game_->lblPrint_Click();
  ASSERT_EQ(host_.TracesOf("sound").size(), 1u);
  EXPECT_NE(TraceFieldsJson(host_.TracesOf("sound")[0]).find("k001.wav"), std::string::npos);
  EXPECT_EQ(host_.TracesOf("msgbox").size(), 1u);
}

}  // namespace qm
