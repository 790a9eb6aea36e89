#include "platform/numeric.h"

#include <gtest/gtest.h>

#include <utility>

namespace qm {
namespace {

TEST(NumericTest, CIntRoundsHalvesToTheEvenNeighbourAndFloorGoesDown) {
  // Halves go to the even neighbour; anything off a half rounds to the nearer. The wide values
  // are a clay's float positions and counts near the 32-bit edges.
  const std::pair<double, long> rounded[] = {{0.5, 0},       {1.5, 2},       {2.5, 2},
                                             {-0.5, 0},      {-1.5, -2},     {-2.5, -2},
                                             {2.4999999, 2}, {2.5000001, 3}, {-2.5000001, -3}};
  const std::pair<double, long> wide[] = {{static_cast<double>(299.5f), 300},
                                          {static_cast<double>(300.5f), 300},
                                          {32767.5, 32768},
                                          {1073741825.5, 1073741826},
                                          {-2147483647.5, -2147483647 - 1}};
  for (const auto& [value, want] : wide) EXPECT_EQ(CInt(value), want) << value;
  for (const auto& [value, want] : rounded) EXPECT_EQ(CInt(value), want) << value;
  const std::pair<double, long> floored[] = {
      {-0.5, -1},     {-1.0, -1}, {-1.0000001, -2}, {-0.0, 0},
      {0.9999999, 0}, {-2.5, -3}, {1599.999, 1599}, {-2147483647.5, -2147483647 - 1}};
  for (const auto& [value, want] : floored) EXPECT_EQ(Floor(value), want) << value;
}

}  // namespace
}  // namespace qm
