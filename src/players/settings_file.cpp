#include <algorithm>
#include <cstdio>
#include <string>

#include "app/frm_main.h"
#include "platform/message_box.h"

namespace qm {

std::string SingleText(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.7g", static_cast<double>(value));
  return text;
}

int16_t FrmMain::WriteIni(const std::string& section, const std::string& key,
                          const std::string& value) {
  const bool ok = ini_.WriteString(section, key, value);
  form_.Trace(TraceEvent("ini").With("section", section).With("key", key).With("value", value));
  if (!ok && !iniFailureReported_) {
    // Said once per run: the game goes on, and the old file stays as it was.
    iniFailureReported_ = true;
    MsgBox(form_,
           "Quillmoor could not save its settings to " + ini_.Path() + "." + CR + LF +
               "Changes made now will be lost when the game ends.",
           vbOKOnly | vbExclamation);
  }
  return ok ? 1 : 0;
}

int16_t FrmMain::WriteIni(const std::string& section, const std::string& key, long value) {
  return WriteIni(section, key, std::to_string(value));
}

int FrmMain::ReadIniInt(const std::string& section, const std::string& key, int defaultValue) {
  return ini_.GetInt(section, key, defaultValue);
}

int16_t FrmMain::ReadIniInt16(const std::string& section, const std::string& key,
                              int defaultValue) {
  // A hand-edited value past the 16-bit range is held at its edge rather than wrapped.
  return static_cast<int16_t>(std::clamp(ReadIniInt(section, key, defaultValue), -32768, 32767));
}

std::string FrmMain::ReadIniText(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) {
  // The old reads used a buffer of 128 characters.
  return ini_.GetString(section, key, defaultValue, 128);
}

void FrmMain::LoadSettings() {
  Settings.RoundSize = ReadIniInt16("Settings", "Round Size", 0);
  if (Settings.RoundSize == 0) Settings.RoundSize = 50;
  Settings.Season = ReadIniInt16("Settings", "Season", 0);
  for (int i = 0; i < 5; ++i) {
    // A box is ticked or not; anything but 1 in a hand-edited file counts as not ticked.
    Settings.Pairs[i] = ReadIniInt("Settings", "Pairs" + std::to_string(i), 0) == 1 ? 1 : 0;
    chkPairs[i]->SetValue(Settings.Pairs[i]);
  }
  Settings.Tweak = static_cast<float>(ReadIniInt("Settings", "Tweak", 0));
  if (Settings.Tweak == 0) Settings.Tweak = 30;

  int firstGun = 0;
  for (int n = 0; n < 4; ++n) {
    const int gunRead = LoadPlayer(n);
    if (n == 0) firstGun = gunRead;
  }
  ShowPlayerOptions();
  if (firstGun == 0) FirstRunAdvice();
}

void FrmMain::SaveOptions() {
  const PlayerRecord& p = Roster.Players[Roster.CurrentPlayer];
  const std::string section = "Player" + std::to_string(Roster.CurrentPlayer);
  const std::pair<const char*, int16_t> keys[] = {
      {"Gun", p.Gun},
      {"Skill", p.Skill},
      {"Choke", p.Choke},
      {"Patterning", p.Patterning},
      {"Tracking", p.Tracking},
      {"HintLine", p.HintLine},
      {"TrapHint", p.TrapHint},
      {"InvertY", p.InvertY},
      {"Autoclear", p.Autoclear},
      {"VoiceCommand", p.VoiceCommand},
      {"VoiceGender", p.VoiceGender},
  };
  for (const auto& [key, value] : keys)
    App.ApiResult = WriteIni(section, key, static_cast<long>(value));
}

void FrmMain::SaveSettings() {
  for (int i = 0; i < 5; ++i)
    App.ApiResult =
        WriteIni("Settings", "Pairs" + std::to_string(i), static_cast<long>(Settings.Pairs[i]));
  App.ApiResult = WriteIni("Settings", "Round Size", static_cast<long>(Settings.RoundSize));
  App.ApiResult = WriteIni("Settings", "Season", static_cast<long>(Settings.Season));
}

}  // namespace qm
