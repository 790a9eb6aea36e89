#include <langinfo.h>
#include <locale.h>

#include <algorithm>
#include <ctime>
#include <string>

#include "platform/clock_text.h"
#include "platform/host.h"

namespace qm {

std::string LongDateFormat(const std::string& numericDate) {
  // Where each of day, month and year first appears among the format's conversions.
  size_t day = std::string::npos, month = std::string::npos, year = std::string::npos;
  for (size_t i = 0; i + 1 < numericDate.size(); ++i) {
    if (numericDate[i] != '%') continue;
    size_t at = i + 1;
    while (at < numericDate.size() &&
           std::string("-_0^#EO").find(numericDate[at]) != std::string::npos)
      ++at;
    if (at >= numericDate.size()) break;
    switch (numericDate[at]) {
      case 'd':
      case 'e':
        day = std::min(day, i);
        break;
      case 'm':
      case 'b':
      case 'B':
      case 'h':
      case 'D':  // %m/%d/%y
        month = std::min(month, i);
        break;
      case 'y':
      case 'Y':
      case 'F':  // %Y-%m-%d
        year = std::min(year, i);
        break;
      default:
        break;
    }
    i = at;
  }
  // A locale that writes the year first keeps its own date, with the whole year.
  if (year < day && year < month) {
    std::string date = numericDate;
    for (size_t at = date.find("%y"); at != std::string::npos; at = date.find("%y", at))
      date[at + 1] = 'Y';
    return "%A " + date;
  }
  if (day < month) return "%A, %-d %B %Y";
  return "%A, %B %-d, %Y";
}

std::string LongTimeAndDateText(const std::tm& when, const std::string& localeName) {
  locale_t locale = newlocale(LC_TIME_MASK, localeName.c_str(), locale_t{});
  if (locale == locale_t{}) locale = newlocale(LC_TIME_MASK, "C", locale_t{});
  const std::string format = "%X " + LongDateFormat(nl_langinfo_l(D_FMT, locale));
  char text[256];
  const size_t n = strftime_l(text, sizeof text, format.c_str(), &when, locale);
  freelocale(locale);
  return std::string(text, n);
}

std::string Host::LongTimeAndDate() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  // The player's own formats, as the desktop shows them.
  return LongTimeAndDateText(local, "");
}

std::string Host::LocalTimestamp() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  const size_t n = std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
  return std::string(text, n);
}

}  // namespace qm
