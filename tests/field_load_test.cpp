// Loading a field into the form: its traps, the view, and the one message for a field that
// cannot be played.

#include <gtest/gtest.h>

#include "game_fixture.h"

namespace qm {

namespace {

std::string Trap(int x, int y, const char* dx, const char* dy, int floor, int dir, int rabbit) {
  return "Trap\r\n" + std::to_string(x) + "\r\n" + std::to_string(y) + "\r\n" + dx + "\r\n" + dy +
         "\r\n" + std::to_string(floor) + "\r\n" + std::to_string(dir) + "\r\n" +
         std::to_string(rabbit) + "\r\n";
}

}  // namespace

class FieldLoadTest : public GameTest {};

// A long tail after the traps (notes, a signature) does not stop the field from playing.
TEST_F(FieldLoadTest, LoadsTrapsAndResetsTheView) {
  WriteFile("0f1.fld", "Meadow\r\n2\r\n" + Trap(800, 600, "12.5", "9.75", 700, 1, 0) +
                           Trap(100, 650, "-3", "4", 720, 2, 1) + std::string(100000, '#'));
  host_.Bitmaps["0f1.bmp"] = Surface(1600, 800);
  game_->View.PanX = 12;
  game_->LoadField();
  EXPECT_TRUE(game_->Field.FieldLoaded);
  EXPECT_EQ(game_->Field.TrapCount, 2);
  EXPECT_FLOAT_EQ(game_->Field.Traps[0].DX, 12.5f);
  EXPECT_EQ(game_->Field.Traps[1].Rabbit, 1);
  EXPECT_EQ(game_->View.PanX, 500);
  EXPECT_EQ(game_->View.PanY, 300);
  EXPECT_TRUE(host_.TracesOf("msgbox").empty());
}

TEST_F(FieldLoadTest, EveryBrokenFileShowsTheOneMessage) {
  const std::string message =
      "There is no valid Data File for Field 1  The Field may not be installed. Try rebuilding "
      "the field file using the Editor.  Please consult the help file.";
  host_.Bitmaps["0f1.bmp"] = Surface(1600, 800);
  std::string picture = "BM";
  for (int i = 0; i < 70000; ++i) picture += static_cast<char>(i * 7);
  const std::string broken[] = {
      "",
      "Meadow\r\n3\r\n" + Trap(1, 2, "3", "4", 5, 0, 0),      // too few lines
      "Meadow\r\n1\r\n" + Trap(40000, 2, "3", "4", 5, 0, 0),  // past the 16-bit range
      "Meadow\r\n0\r\n" + Trap(1, 2, "3", "4", 5, 0, 0),      // no traps
      "Meadow\r\n-1\r\n",
      picture,
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

TEST_F(FieldLoadTest, AMissingBackdropKeepsTheTrapsButFails) {
  WriteFile("0f1.fld", "Meadow\r\n1\r\n" + Trap(321, 600, "1", "2", 700, 0, 0));
  game_->LoadField();
  EXPECT_FALSE(game_->Field.FieldLoaded);
  EXPECT_EQ(game_->Field.Traps[0].X, 321);
}

}  // namespace qm
