#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "editor/edit_history.h"
#include "editor/field_document.h"
#include "editor/flight_preview.h"

namespace qm {

TEST(FieldEditorTest, OddSpeedsAndTextsSurviveWriting) {
  FieldDocument field = NewFieldDocument();
  field.Title = "Ridge, with a comma";
  field.Traps[0].Trap.DX = 0.1f;  // not exact in binary: must still read back the same
  field.Traps[0].Trap.DY = -1234.5677f;
  field.Traps.push_back({"Second", TrapRecord{-32768, 32767, 3e-7f, 1e30f, -5, 1, 1}});
  const ParsedField again = ParseFieldDocument(WriteFieldDocument(field));
  ASSERT_TRUE(again.Field) << again.Reason;
  EXPECT_EQ(*again.Field, field);
}

// The --check report and its exit codes: the marlsmith_check_* tests; a broken file's reason
// passed on, and letters or 40000 typed for X: marlsmith_bad_input_loses_nothing.
TEST(FieldEditorTest, RefusesWhatTheGameWouldRefuse) {
  EXPECT_FALSE(ParseTypedWhole("X", "12.5").Value);
  EXPECT_EQ(ParseTypedWhole("X", " -32768 ").Value, -32768);
  EXPECT_FALSE(ParseTypedSpeed("DX", "inf").Value);
  EXPECT_EQ(ParseTypedSpeed("DX", "-2.5").Value, -2.5);

  EXPECT_FALSE(SaveRefusal(FieldDocument{}).empty());
  FieldDocument five_traps = NewFieldDocument();
  five_traps.Traps.resize(5, five_traps.Traps[0]);
  EXPECT_FALSE(SaveRefusal(five_traps).empty());
}

TEST(FieldEditorTest, WarnsTheDesigner) {
  const auto warnings = [](const TrapRecord& t) {
    return TrapWarnings(t, FlyClay(t, DefaultSpeedFactor));
  };
  // A trap with nothing to warn of: marlsmith_check_shipped_field.
  const TrapRecord good{330, 560, 5.5f, 3.0f, 590, Crossing, 0};
  const FlightPath flight = FlyClay(good, DefaultSpeedFactor);
  EXPECT_GT(flight.Seconds, 1.0);
  EXPECT_LT(flight.Seconds, 8.0);
  EXPECT_TRUE(flight.EntersView);
  // A clay dropped straight onto its ground line flies a moment only.
  const TrapRecord short_{800, 600, 1, -5, 610, Crossing, 0};
  EXPECT_EQ(FlyClay(short_, DefaultSpeedFactor).End, FlightEnd::Landed);
  EXPECT_EQ(warnings(short_).size(), 1u);
  const TrapRecord off{-400, 600, -3, 1, 700, Crossing, 0};
  EXPECT_GE(warnings(off).size(), 2u);  // off the picture and never seen
  const TrapRecord rabbit{800, 600, 4, 2, 500, Crossing, 1};
  EXPECT_THAT(warnings(rabbit), testing::Contains(testing::StartsWith("Rabbit")));
}

// Walking the changes back and forth with Ctrl+Z and Ctrl+Y: marlsmith_edits_undo_and_questions.
TEST(FieldEditorTest, UndoStopsAtTheStartAndANewChangeForgetsTheRedo) {
  FieldDocument field = NewFieldDocument();
  EditHistory history;
  history.Record(field);
  field.Traps[0].Trap.X = 10;
  history.Undo(field);
  EXPECT_EQ(std::pair(history.CanUndo(), history.CanRedo()), std::pair(false, true));
  history.Record(field);
  EXPECT_FALSE(history.CanRedo());
}

}  // namespace qm
