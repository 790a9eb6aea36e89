#pragma once
// One shooter position: name, personal options, the counts of the current run and the
// early-mount bookkeeping.

#include <cstdint>
#include <string>

namespace qm {

struct PlayerRecord {
  std::string Name;  // 50 characters, space-padded; "No Shooter" for an empty position
  int16_t Gun = 8;
  int16_t Choke = 8;
  int16_t VoiceGender = 0;
  int16_t VoiceCommand = 0;
  int16_t Patterning = 0;
  int16_t Tracking = 0;
  int16_t HintLine = 0;
  int16_t TrapHint = 0;
  int16_t InvertY = 1;
  int16_t Autoclear = 0;
  int16_t Skill = 0;
  int32_t Thrown = 0;
  int32_t Hit = 0;
  std::string Class;
  int16_t Warnings = 0;
  int16_t Penalty = 0;
};

inline constexpr int NameFieldLength = 50;
inline constexpr int NameMeaningfulLength = 25;
inline constexpr const char* NoShooter = "No Shooter";

// The name as the record's fixed 50-character field holds it: cut or padded with spaces.
std::string PadNameField(const std::string& name);
// Leading and trailing spaces removed (the old Trim).
std::string TrimSpaces(const std::string& text);
// First `count` characters, counting UTF-8 characters, not bytes.
std::string LeftChars(const std::string& text, int count);
int CharCount(const std::string& text);

}  // namespace qm
