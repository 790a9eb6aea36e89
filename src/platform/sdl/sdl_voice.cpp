#include "platform/sdl/sdl_voice.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/sdl/media_decode.h"
#include "platform/sdl/quiet_stderr.h"

namespace qm {

namespace {

constexpr int DeviceRate = 44100;
// The waves played during shooting are few; anything beyond this is played once and dropped.
constexpr size_t ClipCacheLimit = 64;

bool SilentNoticeGiven = false;

void NoticeSilence() {
  if (SilentNoticeGiven) return;
  SilentNoticeGiven = true;
  std::fprintf(stderr, "%s: no sound device; playing silently\n", program_invocation_short_name);
}

// Resamples to the device's rate and folds the channels to one.
std::vector<int16_t> ConvertForDevice(const DecodedWave& wave, int rate) {
  std::vector<int16_t> out;
  SDL_AudioStream* stream = SDL_NewAudioStream(AUDIO_S16SYS, static_cast<Uint8>(wave.Channels),
                                               wave.Rate, AUDIO_S16SYS, 1, rate);
  if (!stream) return out;
  if (SDL_AudioStreamPut(stream, wave.Samples.data(),
                         static_cast<int>(wave.Samples.size() * sizeof(int16_t))) == 0 &&
      SDL_AudioStreamFlush(stream) == 0) {
    out.resize(static_cast<size_t>(SDL_AudioStreamAvailable(stream)) / sizeof(int16_t));
    int got = SDL_AudioStreamGet(stream, out.data(), static_cast<int>(out.size() * 2));
    out.resize(got > 0 ? static_cast<size_t>(got) / sizeof(int16_t) : 0);
  }
  SDL_FreeAudioStream(stream);
  return out;
}

}  // namespace

SdlVoice::SdlVoice() {
  if (!OpenDevice()) NoticeSilence();
}

bool SdlVoice::OpenDevice() {
  QuietStderr quiet;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  SDL_AudioSpec want{};
  want.freq = DeviceRate;
  want.format = AUDIO_S16SYS;
  want.channels = 1;
  want.samples = 1024;
  want.callback = &SdlVoice::Callback;
  want.userdata = this;
  SDL_AudioSpec have{};
  device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (device_ == 0) return false;
  rate_ = have.freq;
  SDL_PauseAudioDevice(device_, 0);
  return true;
}

SdlVoice::~SdlVoice() {
  if (device_ != 0) SDL_CloseAudioDevice(device_);
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SdlVoice::Callback(void* self, Uint8* stream, int length) {
  auto* voice = static_cast<SdlVoice*>(self);
  auto* out = reinterpret_cast<int16_t*>(stream);
  size_t wanted = static_cast<size_t>(length) / sizeof(int16_t);
  size_t available = voice->playing_.size() - voice->position_;
  size_t copied = std::min(wanted, available);
  // Nothing queued means an empty vector, whose data() may be null: memcpy must not see it.
  if (copied > 0)
    std::memcpy(out, voice->playing_.data() + voice->position_, copied * sizeof(int16_t));
  std::memset(out + copied, 0, (wanted - copied) * sizeof(int16_t));
  voice->position_ += copied;
}

const SdlVoice::Clip* SdlVoice::Prepare(const std::vector<uint8_t>& wav) {
  std::string key(wav.begin(), wav.end());
  if (auto found = clips_.find(key); found != clips_.end()) return &found->second;
  auto decoded = DecodeWave(wav);
  if (!decoded || decoded->Samples.empty()) return nullptr;
  if (clips_.size() >= ClipCacheLimit) clips_.clear();
  Clip clip;
  clip.Seconds = WaveSeconds(*decoded);
  if (device_ != 0) clip.Samples = ConvertForDevice(*decoded, rate_);
  return &clips_.emplace(std::move(key), std::move(clip)).first->second;
}

bool SdlVoice::Play(const std::vector<uint8_t>& wav, bool wait) {
  const Clip* clip = Prepare(wav);
  if (!clip) return false;
  Uint64 now = SDL_GetPerformanceCounter();
  Uint64 length = static_cast<Uint64>(clip->Seconds * SDL_GetPerformanceFrequency());
  if (device_ != 0) {
    SDL_LockAudioDevice(device_);
    playing_ = clip->Samples;
    position_ = 0;
    SDL_UnlockAudioDevice(device_);
  }
  playEnd_ = now + length;
  if (wait) WaitUntil(playEnd_);
  return true;
}

bool SdlVoice::Busy() {
  if (device_ == 0) return false;
  if (SDL_GetAudioDeviceStatus(device_) == SDL_AUDIO_STOPPED) {
    GoSilent();
    return false;
  }
  SDL_LockAudioDevice(device_);
  bool busy = position_ < playing_.size();
  SDL_UnlockAudioDevice(device_);
  // The device takes samples ahead of the speaker; the wave's own length says when it ends.
  return busy || SDL_GetPerformanceCounter() < playEnd_;
}

void SdlVoice::DeviceRemoved(Uint32 device) {
  if (device_ != 0 && device == device_) GoSilent();
}

void SdlVoice::GoSilent() {
  SDL_CloseAudioDevice(device_);
  device_ = 0;
  playing_.clear();
  position_ = 0;
  NoticeSilence();
}

// Waits out a wave played with `wait`, but a closed window must end the game promptly, so
// a quit request stops the wait; it stays queued for the game's own event loop.
void SdlVoice::WaitUntil(Uint64 deadlineCounter) {
  // A device that stops taking samples must not hold the game: give it a second more at most.
  const Uint64 giveUp = deadlineCounter + SDL_GetPerformanceFrequency();
  while (true) {
    Uint64 now = SDL_GetPerformanceCounter();
    if ((device_ == 0 || !Busy()) && now >= deadlineCounter) return;
    if (now >= giveUp) return;
    SDL_PumpEvents();
    SDL_Event event;
    if (SDL_PeepEvents(&event, 1, SDL_PEEKEVENT, SDL_QUIT, SDL_QUIT) > 0) return;
    if (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_AUDIODEVICEREMOVED, SDL_AUDIODEVICEREMOVED) >
        0) {
      DeviceRemoved(event.adevice.which);
    }
    SDL_Delay(2);
  }
}

}  // namespace qm
