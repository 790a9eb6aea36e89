#pragma once
// The one voice the game plays its waves through: a new wave replaces the one playing.
// Without a sound device it plays silently but keeps the waves' lengths, so waits last as
// long as they would with sound.

#include <SDL.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace qm {

class SdlVoice {
 public:
  SdlVoice();
  ~SdlVoice();
  SdlVoice(const SdlVoice&) = delete;
  SdlVoice& operator=(const SdlVoice&) = delete;

  // Starts the wave, replacing what plays; with `wait`, returns once it has ended or the
  // window is being closed. False if the bytes are not a playable wave.
  bool Play(const std::vector<uint8_t>& wav, bool wait);
  bool Busy();
  // An SDL_AUDIODEVICEREMOVED event: if it was ours, go on silently.
  void DeviceRemoved(Uint32 device);

 private:
  struct Clip {
    std::vector<int16_t> Samples;  // at the device's rate, mono
    double Seconds = 0;
  };
  bool OpenDevice();
  const Clip* Prepare(const std::vector<uint8_t>& wav);
  void GoSilent();
  void WaitUntil(Uint64 deadlineCounter);
  static void Callback(void* self, Uint8* stream, int length);

  SDL_AudioDeviceID device_ = 0;
  int rate_ = 44100;
  std::map<std::string, Clip> clips_;  // converted waves, keyed by their bytes
  std::vector<int16_t> playing_;       // read by the audio callback under the device lock
  size_t position_ = 0;
  Uint64 playEnd_ = 0;  // when the last wave started has played to its end
};

}  // namespace qm
