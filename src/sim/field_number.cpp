#include "sim/field_number.h"

#include <charconv>
#include <cmath>
#include <string>

namespace qm {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

double LeadingNumber(std::string_view line) {
  std::string text;  // the number with the blanks taken out
  size_t i = 0;
  auto skipBlanks = [&] {
    while (i < line.size() && IsBlank(line[i])) ++i;
  };
  skipBlanks();
  if (i < line.size() && (line[i] == '+' || line[i] == '-')) text += line[i++];
  bool digits = false, point = false;
  for (skipBlanks(); i < line.size(); skipBlanks()) {
    if (IsDigit(line[i])) {
      text += line[i++];
      digits = true;
    } else if (line[i] == '.' && !point) {
      text += line[i++];
      point = true;
    } else {
      break;
    }
  }
  if (!digits) return 0;
  if (i < line.size() && (line[i] == 'e' || line[i] == 'E' || line[i] == 'd' || line[i] == 'D')) {
    size_t j = i + 1;
    std::string exponent = "e";
    while (j < line.size() && IsBlank(line[j])) ++j;
    if (j < line.size() && (line[j] == '+' || line[j] == '-')) exponent += line[j++];
    bool expDigits = false;
    while (j < line.size() && (IsDigit(line[j]) || IsBlank(line[j]))) {
      if (IsDigit(line[j])) {
        exponent += line[j];
        expDigits = true;
      }
      ++j;
    }
    if (expDigits) text += exponent;
  }
  // from_chars reads the full stop whatever the locale, and takes no plus sign.
  const char* first = text.data();
  if (*first == '+') ++first;
  double value = 0;
  const auto result = std::from_chars(first, text.data() + text.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    if (text.find("e-") != std::string::npos) return 0;  // too small to tell from 0
    return text[0] == '-' ? -HUGE_VAL : HUGE_VAL;
  }
  return value;
}

}  // namespace qm
