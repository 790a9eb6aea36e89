#include <string>

#include "app/frm_main.h"
#include "platform/file_read.h"
#include "platform/message_box.h"

namespace qm {

void FrmMain::PlayClick() {
  PlaySoundFile(host_, "k001.wav", SND_SYNC);
}

void FrmMain::LoadWaveFile(const std::string& fileName, WaveBuffer& buffer) {
  buffer = ReadWaveFile(fileName);
  buffer.Source = fileName;
  if (!buffer.Bytes.empty()) return;
  // An empty file reads whole without fault: a silent wave, nothing to report.
  if (FileIsEmpty(fileName)) return;
  // The old loader named the error and the failing step; one message per missing file.
  const int errorNumber =
      FileReadable(fileName) ? 62 : 53;  // input past end of file : file not found
  MsgBox(form_,
         "Error occured in Wave Loading Routine: " + std::to_string(errorNumber) + " In Line: 2");
}

void FrmMain::LoadAllWaves() {
  const PlayerRecord& shooter = Roster.Players[Roster.CurrentPlayer];
  LoadWaveFile("s000.wav", Waves.ShotWave);
  LoadWaveFile("k001.wav", Waves.ClickWave);
  LoadWaveFile("t000.wav", Waves.TrapWave);
  LoadWaveFile("l1.wav", Waves.LandWave);
  LoadWaveFile("b001.wav", Waves.BumpWave);
  LoadWaveFile(
      "c0" + std::to_string(shooter.VoiceGender) + std::to_string(shooter.VoiceCommand) + ".wav",
      Waves.CallWave);
}

}  // namespace qm
