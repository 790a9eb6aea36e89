// Loading a field into the form: its traps, the view, and a field that cannot be played. The
// reader's refusals are the field-file core's; the message's words are checked by the scenarios.

#include <gtest/gtest.h>

#include "game_fixture.h"
#include "sim/field_file.h"

namespace qm {

class FieldLoadTest : public GameTest {};

TEST_F(FieldLoadTest, AFieldPlaysOnlyWithItsFileAndItsBackdrop) {
  const FieldTable field{
      "Meadow", 2, {{{800, 600, 12.5f, 9.75f, 700, 1, 0}, {100, 650, -3, 4, 720, 2, 1}}}, {}};
  WriteFile("0f1.fld", FieldFileText(field));
  game_->View.PanX = 12;
  game_->LoadField();
  EXPECT_FALSE(game_->Field.FieldLoaded) << "no backdrop";
  EXPECT_EQ(game_->Field.Traps[0].X, 800) << "the traps read are kept all the same";
  EXPECT_EQ(host_.TracesOf("msgbox").size(), 1u);

  host_.Bitmaps["0f1.bmp"] = Surface(1600, 800);
  game_->LoadField();
  EXPECT_TRUE(game_->Field.FieldLoaded);
  EXPECT_EQ(game_->Field.TrapCount, 2);
  EXPECT_EQ(game_->Field.Traps[1].X, 100);
  EXPECT_EQ(std::pair(game_->View.PanX, game_->View.PanY), std::pair(500.0f, 300.0f));
  EXPECT_EQ(host_.TracesOf("msgbox").size(), 1u);

  // A broken file's message with the menu kept is practice_broken_field_keeps_the_menu's.
  WriteFile("0f1.fld", "Meadow\r\n0\r\n");
  game_->View.PanX = 12;
  game_->LoadField();
  EXPECT_EQ(game_->View.PanX, 12) << "the view is left where it was";
}

}  // namespace qm
