#pragma once
// The score sheets' head: the locale's long time, one space, the locale's long date.

#include <ctime>
#include <string>

namespace qm {

// The long date in the order the locale writes its numeric date (`numericDate` is its
// strftime format): day and month names written out, no padding before a one-digit day.
std::string LongDateFormat(const std::string& numericDate);

// `when` in the formats of `localeName` ("" is the player's own; one that is not installed
// falls back to the plain "C" formats).
std::string LongTimeAndDateText(const std::tm& when, const std::string& localeName);

}  // namespace qm
