#include "platform/clock_text.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(ClockTextTest, TheLongDateFollowsTheLocalesOrderWithoutPadding) {
  std::tm when{};
  when.tm_year = 2025 - 1900;
  when.tm_mon = 2;
  when.tm_mday = 3;
  when.tm_wday = 1;
  when.tm_hour = 14;
  EXPECT_EQ(LongTimeAndDateText(when, "C"), "14:00:00 Monday, March 3, 2025");
  EXPECT_EQ(LongTimeAndDateText(when, "no_SUCH.locale"), "14:00:00 Monday, March 3, 2025");

  EXPECT_EQ(LongDateFormat("%m/%d/%y"), "%A, %B %-d, %Y");
  EXPECT_EQ(LongDateFormat("%d.%m.%Y"), "%A, %-d %B %Y");
  EXPECT_EQ(LongDateFormat("%Y年%m月%d日"), "%A %Y年%m月%d日");
  EXPECT_EQ(LongDateFormat("%y-%m-%d"), "%A %Y-%m-%d");
}

}  // namespace
}  // namespace qm
