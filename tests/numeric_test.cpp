#include "platform/numeric.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(NumericTest, CIntRoundsHalvesToTheEvenNeighbour) {
  EXPECT_EQ(CInt(0.5), 0);
  EXPECT_EQ(CInt(1.5), 2);
  EXPECT_EQ(CInt(2.5), 2);
  EXPECT_EQ(CInt(3.5), 4);
  EXPECT_EQ(CInt(4.5), 4);
  EXPECT_EQ(CInt(-0.5), 0);
  EXPECT_EQ(CInt(-1.5), -2);
  EXPECT_EQ(CInt(-2.5), -2);
  EXPECT_EQ(CInt(-3.5), -4);
  // Off the half, the nearest whole number.
  EXPECT_EQ(CInt(2.4999999), 2);
  EXPECT_EQ(CInt(2.5000001), 3);
  EXPECT_EQ(CInt(-2.5000001), -3);
  EXPECT_EQ(CInt(-0.4), 0);
  EXPECT_EQ(CInt(0.0), 0);
  EXPECT_EQ(CInt(7.0), 7);
  // A single-precision position widened to double keeps its half exactly.
  EXPECT_EQ(CInt(static_cast<double>(299.5f)), 300);
  EXPECT_EQ(CInt(static_cast<double>(300.5f)), 300);
  // Large values: whole numbers stay exact, halves still go to even.
  EXPECT_EQ(CInt(32767.5), 32768);
  EXPECT_EQ(CInt(-32768.5), -32768);
  EXPECT_EQ(CInt(1073741824.5), 1073741824);
  EXPECT_EQ(CInt(1073741825.5), 1073741826);
  EXPECT_EQ(CInt(2147483646.5), 2147483646);
  EXPECT_EQ(CInt(-2147483647.5), -2147483647 - 1);
}

TEST(NumericTest, FloorGoesTowardsMinusInfinity) {
  EXPECT_EQ(Floor(-0.5), -1);
  EXPECT_EQ(Floor(-1.0), -1);
  EXPECT_EQ(Floor(-1.0000001), -2);
  EXPECT_EQ(Floor(0.0), 0);
  EXPECT_EQ(Floor(-0.0), 0);
  EXPECT_EQ(Floor(0.9999999), 0);
  EXPECT_EQ(Floor(2.5), 2);
  EXPECT_EQ(Floor(-2.5), -3);
  EXPECT_EQ(Floor(1599.999), 1599);
  EXPECT_EQ(Floor(-2147483647.5), -2147483647 - 1);
  EXPECT_EQ(Floor(2147483647.0), 2147483647);
  EXPECT_EQ(Floor(1073741824.75), 1073741824);
}

}  // namespace
}  // namespace qm
