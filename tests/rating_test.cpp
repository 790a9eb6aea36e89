#include "players/rating.h"

#include <gtest/gtest.h>

namespace qm {

TEST(RatingTest, PercentageAndClassAtTheEdges) {
  struct Case {
    long long Hit, Thrown;
    int Percentage;
    const char* Class;
  };
  // 1 of 8 is 12.5 and rounds away from zero; halves at the class edges go up (119 of 200 is
  // a C, 133 of 200 a B); hits without targets, from a hand-edited file, divide by nothing.
  const Case cases[] = {
      {2, 3, 67, "B"},     {3, 5, 60, "C"},     {4, 5, 80, "AA"},    {0, 10, 0, "D"},
      {0, 0, 0, "D"},      {59, 100, 59, "D"},  {66, 100, 66, "C"},  {72, 100, 72, "B"},
      {73, 100, 73, "A"},  {79, 100, 79, "A"},  {10, 10, 100, "AA"}, {1, 8, 13, "D"},
      {119, 200, 60, "C"}, {133, 200, 67, "B"}, {1, 1000, 0, "D"},   {7, 0, 0, "D"}};
  for (const Case& c : cases) {
    const Rating r = RateScore(c.Hit, c.Thrown);
    EXPECT_EQ(r.Percentage, c.Percentage) << c.Hit << " of " << c.Thrown;
    EXPECT_EQ(r.Class, c.Class) << c.Hit << " of " << c.Thrown;
  }
  // Lifetime totals near the 32-bit edge rate as any others.
  const Rating edge = RateScore(2000000000LL, 2147483647LL);
  EXPECT_EQ(edge.Percentage, 93);
  EXPECT_EQ(edge.Class, "AA");
}

}  // namespace qm
