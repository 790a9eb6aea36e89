#include "platform/clock_text.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(ClockTextTest, TheLongDateFollowsTheLocalesOrderWithoutPadding) {
  const std::tm when{0, 0, 14, 3, 2, 125, 1, 61, 0, 0, nullptr};
  EXPECT_EQ(LongTimeAndDateText(when, "C"), "14:00:00 Monday, March 3, 2025");
  EXPECT_EQ(LongTimeAndDateText(when, "no_SUCH.locale"), "14:00:00 Monday, March 3, 2025");
  EXPECT_EQ(LongDateFormat("%d.%m.%Y"), "%A, %-d %B %Y");
  EXPECT_EQ(LongDateFormat("%y-%m-%d"), "%A %Y-%m-%d");
}

}  // namespace
}  // namespace qm
