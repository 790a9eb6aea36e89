#include <gtest/gtest.h>

#include "game_fixture.h"
#include "platform/numeric.h"
#include "sim/field_number.h"

namespace qm {

TEST(FieldNumberTest, TakesTheLongestLeadingNumber) {
  EXPECT_DOUBLE_EQ(LeadingNumber(" 12.5abc"), 12.5);
  EXPECT_EQ(CInt(LeadingNumber(" 12.5abc")), 12);  // an Integer field: halves to even
  EXPECT_EQ(CInt(LeadingNumber("13.5")), 14);
  EXPECT_DOUBLE_EQ(LeadingNumber(""), 0);
  EXPECT_DOUBLE_EQ(LeadingNumber("abc 5"), 0);
  EXPECT_DOUBLE_EQ(LeadingNumber("-3.25"), -3.25);
  EXPECT_DOUBLE_EQ(LeadingNumber("\t1 2 3"), 123);  // blanks inside are skipped
  EXPECT_DOUBLE_EQ(LeadingNumber("1.5.5"), 1.5);    // one decimal point only
  EXPECT_DOUBLE_EQ(LeadingNumber("2e3 traps"), 2000);
  EXPECT_DOUBLE_EQ(LeadingNumber("7e"), 7);  // an exponent needs digits
  EXPECT_DOUBLE_EQ(LeadingNumber("+4"), 4);
  EXPECT_DOUBLE_EQ(LeadingNumber("."), 0);
}

namespace {

std::string Trap(int x, int y, const char* dx, const char* dy, int floor, int dir, int rabbit) {
  return "Trap\r\n" + std::to_string(x) + "\r\n" + std::to_string(y) + "\r\n" + dx + "\r\n" + dy +
         "\r\n" + std::to_string(floor) + "\r\n" + std::to_string(dir) + "\r\n" +
         std::to_string(rabbit) + "\r\n";
}

}  // namespace

class FieldFileTest : public GameTest {};

TEST_F(FieldFileTest, LoadsTrapsAndResetsTheView) {
  WriteFile("0f1.fld", "Meadow\r\n2\r\n" + Trap(800, 600, " 12.5abc", "9.75", 700, 1, 0) +
                           Trap(100, 650, "-3", "4", 720, 2, 1));
  host_.Bitmaps["0f1.bmp"] = Surface(1600, 800);
  game_->View.PanX = 12;
  game_->LoadField();
  EXPECT_TRUE(game_->Field.FieldLoaded);
  EXPECT_EQ(game_->Field.TrapCount, 2);
  EXPECT_FLOAT_EQ(game_->Field.Traps[0].DX, 12.5f);
  EXPECT_FLOAT_EQ(game_->Field.Traps[0].DY, 9.75f);
  EXPECT_EQ(game_->Field.Traps[1].Rabbit, 1);
  EXPECT_EQ(game_->View.PanX, 500);
  EXPECT_EQ(game_->View.PanY, 300);
  EXPECT_TRUE(host_.TracesOf("msgbox").empty());
}

TEST_F(FieldFileTest, EveryBrokenFileShowsTheOneMessage) {
  const std::string message =
      "There is no valid Data File for Field 1  The Field may not be installed. Try rebuilding "
      "the field file using the Editor.  Please consult the help file.";
  host_.Bitmaps["0f1.bmp"] = Surface(1600, 800);
  const std::string broken[] = {
      "",                                                     // empty
      "Meadow\r\n3\r\n" + Trap(1, 2, "3", "4", 5, 0, 0),      // too few lines
      "Meadow\r\n1\r\n" + Trap(40000, 2, "3", "4", 5, 0, 0),  // past the 16-bit range
  };
  for (const std::string& text : broken) {
    host_.Traces.clear();
    WriteFile("0f1.fld", text);
    game_->View.PanX = 12;
    game_->LoadField();
    EXPECT_FALSE(game_->Field.FieldLoaded);
    ASSERT_EQ(host_.TracesOf("msgbox").size(), 1u);
    EXPECT_EQ(std::get<std::string>(host_.TracesOf("msgbox")[0].Fields[1].second), message);
    EXPECT_EQ(game_->View.PanX, 12);  // the view is left where it was
  }
}

TEST_F(FieldFileTest, FiveTrapsLoadFourThenFail) {
  std::string text = "Big\r\n5\r\n";
  for (int i = 0; i < 5; ++i) text += Trap(100 * (i + 1), 600, "1", "2", 700, 0, 0);
  WriteFile("0f1.fld", text);
  host_.Bitmaps["0f1.bmp"] = Surface(1600, 800);
  game_->LoadField();
  EXPECT_FALSE(game_->Field.FieldLoaded);
  EXPECT_EQ(game_->Field.Traps[3].X, 400);
  EXPECT_EQ(host_.TracesOf("msgbox").size(), 1u);
}

TEST_F(FieldFileTest, AMissingBackdropKeepsTheTrapsButFails) {
  WriteFile("0f1.fld", "Meadow\r\n1\r\n" + Trap(321, 600, "1", "2", 700, 0, 0));
  game_->LoadField();
  EXPECT_FALSE(game_->Field.FieldLoaded);
  EXPECT_EQ(game_->Field.Traps[0].X, 321);
}

TEST_F(FieldFileTest, AShortFileKeepsThePreviousFieldsLaterTraps) {
  std::string four = "A\r\n4\r\n";
  for (int i = 0; i < 4; ++i) four += Trap(10 + i, 600, "1", "2", 700, 0, 0);
  WriteFile("0f1.fld", four);
  host_.Bitmaps["0f1.bmp"] = Surface(1600, 800);
  game_->LoadField();
  std::string three = "B\r\n3\r\n";
  for (int i = 0; i < 3; ++i) three += Trap(50 + i, 600, "1", "2", 700, 0, 0);
  WriteFile("0f1.fld", three);
  game_->LoadField();
  EXPECT_TRUE(game_->Field.FieldLoaded);
  EXPECT_EQ(game_->Field.TrapCount, 3);
  EXPECT_EQ(game_->Field.Traps[2].X, 52);
  EXPECT_EQ(game_->Field.Traps[3].X, 13);
}

}  // namespace qm
