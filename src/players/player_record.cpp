#include "players/player_record.h"

namespace qm {

namespace {

bool IsContinuationByte(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

int CharCount(const std::string& text) {
  int count = 0;
  for (char c : text)
    if (!IsContinuationByte(c)) ++count;
  return count;
}

std::string LeftChars(const std::string& text, int count) {
  if (count <= 0) return "";
  int seen = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (!IsContinuationByte(text[i]) && seen++ == count) return text.substr(0, i);
  }
  return text;
}

std::string PadNameField(const std::string& name) {
  std::string field = LeftChars(name, NameFieldLength);
  for (int n = CharCount(field); n < NameFieldLength; ++n) field += ' ';
  return field;
}

std::string TrimSpaces(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  const size_t last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

}  // namespace qm
