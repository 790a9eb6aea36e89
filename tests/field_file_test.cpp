// The field-file core: the number rule, the reader's refusals, and the writer's round trip.

#include "sim/field_file.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>

#include "platform/numeric.h"
#include "sim/field_number.h"

namespace qm {

TEST(FieldNumberTest, TakesTheLongestLeadingNumber) {
  // Blanks inside are skipped, there is one decimal point only, and an exponent needs digits.
  const std::pair<const char*, double> numbers[] = {
      {" 12.5abc", 12.5}, {"", 0},        {"abc 5", 0},        {"-3.25", -3.25},
      {"\t1 2 3", 123},   {"1.5.5", 1.5}, {"2e3 traps", 2000}, {"7e", 7},
      {"+4", 4},          {".", 0}};
  for (const auto& [text, number] : numbers) EXPECT_DOUBLE_EQ(LeadingNumber(text), number) << text;
  EXPECT_EQ(CInt(LeadingNumber(" 12.5abc")), 12);  // an Integer field: halves to even
  EXPECT_EQ(CInt(LeadingNumber("13.5")), 14);
}

namespace {

auto Values(const TrapRecord& t) {
  return std::tuple(t.X, t.Y, t.DX, t.DY, t.FloorY, t.Direction, t.Rabbit);
}

std::string Trap(int x, int y, const char* dx, const char* dy, int floor, int dir, int rabbit) {
  return "Trap\r\n" + std::to_string(x) + "\r\n" + std::to_string(y) + "\r\n" + dx + "\r\n" + dy +
         "\r\n" + std::to_string(floor) + "\r\n" + std::to_string(dir) + "\r\n" +
         std::to_string(rabbit) + "\r\n";
}

std::string Traps(const std::string& title, int declared, int written, int firstX) {
  std::string text = title + "\r\n" + std::to_string(declared) + "\r\n";
  for (int i = 0; i < written; ++i) text += Trap(firstX + i, 600, "1", "2", 700, 0, 0);
  return text;
}

}  // namespace

TEST(FieldFileTest, ReadsTrapsAndRefusesWhatIsNoField) {
  const FieldFileResult read =
      ParseFieldFile("Meadow\r\n2\r\n" + Trap(800, 600, " 12.5abc", "9.75", 700, 1, 0) +
                     Trap(100, 650, "-3", "4", 720, 2, 1) + std::string(200000, 'x'));
  ASSERT_TRUE(read.Ok) << read.Reason;
  EXPECT_EQ(read.Field.Title, "Meadow");
  EXPECT_EQ(read.Field.TrapCount, 2);
  EXPECT_FLOAT_EQ(read.Field.Traps[0].DX, 12.5f);
  EXPECT_EQ(Values(read.Field.Traps[1]), std::tuple(100, 650, -3.0f, 4.0f, 720, 2, 1));

  std::string picture = "BM6\x10\x0e";
  picture += std::string(3, '\0') + "\n4\n";
  const std::string refused[] = {
      "",
      Traps("Meadow", 3, 1, 1),                               // too few lines
      "Meadow\r\n1\r\n" + Trap(40000, 2, "3", "4", 5, 0, 0),  // past the 16-bit range
      Traps("Meadow", 0, 1, 1),                               // no traps
      Traps("Meadow", -2, 1, 1),
      picture,                                   // not text
      std::string(MaxFieldLineLength + 1, 'M'),  // one endless line
  };
  for (const std::string& text : refused) {
    const FieldFileResult r = ParseFieldFile(text);
    EXPECT_FALSE(r.Ok) << text.substr(0, 40);
    EXPECT_FALSE(r.Reason.empty());
  }
}

TEST(FieldFileTest, TrapsTheFileDoesNotReachKeepTheirRecords) {
  FieldFileResult four = ParseFieldFile(Traps("A", 4, 4, 10));
  ASSERT_TRUE(four.Ok);
  const FieldFileResult three = ParseFieldFile(Traps("B", 3, 3, 50), four.Field);
  EXPECT_TRUE(three.Ok);
  EXPECT_EQ(three.Field.Traps[2].X, 52);
  EXPECT_EQ(three.Field.Traps[3].X, 13);
  // Five traps: the first four are read, then the file is refused.
  const FieldFileResult five = ParseFieldFile(Traps("Big", 5, 5, 100));
  EXPECT_FALSE(five.Ok);
  EXPECT_EQ(five.Field.Traps[3].X, 103);
}

TEST(FieldFileTest, WrittenFieldsReadBackIdentically) {
  const FieldTable field{"Spring\rMeadow",
                         3,
                         {{{1040, 478, -1.8f, 4.2f, 700, 0, 0},
                           {-32768, 32767, 0.1f, 1e-7f, 525, 1, -1},
                           {330, 560, 3.4028235e38f, -0.333333343f, 590, 2, 1}}},
                         {"Trap 1", "", "Trap\n3", "not written"}};
  const std::string text = FieldFileText(field);
  EXPECT_EQ(text.substr(0, 18), "Spring Meadow\r\n3\r\n");
  const FieldFileResult read = ParseFieldFile(text);
  ASSERT_TRUE(read.Ok) << read.Reason;
  // The extremes read back exactly; the text written again, title, labels and all, is the
  // same text.
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Values(read.Field.Traps[i]), Values(field.Traps[i]));
  EXPECT_EQ(FieldFileText(read.Field), text);
}

}  // namespace qm
