#pragma once
// The real host: an SDL window, the pointer and keyboard, the sound device, the clocks,
// the desktop's programs and the printer.

#include <SDL.h>

#include <deque>
#include <memory>

#include "platform/host.h"
#include "platform/host_options.h"
#include "platform/sdl/child_programs.h"
#include "platform/sdl/sdl_screen.h"
#include "platform/sdl/sdl_voice.h"
#include "platform/sdl/ttf_text.h"

namespace qm {

class SdlHost : public Host {
 public:
  SdlHost(const HostOptions& options, std::unique_ptr<SdlScreen> screen);
  ~SdlHost() override;

  void Attach(HostClient* client) override { client_ = client; }

  bool PollEvent(HostEvent& event) override;
  void Yield(bool hadEvents) override;
  void Spin() override;
  void WaitForEvent(uint32_t timeoutMs) override;

  uint32_t TimeGetTime() override;
  double DayClock() override;
  uint32_t RandomSeed() override { return seed_; }

  int ShowCursor(bool show) override;
  void ClipCursor(std::optional<Rect> area) override;
  void SetCursorPos(int x, int y) override;
  Point GetCursorPos() override;

  void Present(const Surface& screen) override;
  bool PresentAtRefresh() override;
  ScreenMetrics Metrics() override;
  bool ChangeDisplayMode(int width, int height) override;

  Size MeasureText(std::string_view utf8, const TextStyle& style) override;
  void DrawText(Surface& target, int x, int y, std::string_view utf8, const TextStyle& style,
                const Rect& clip) override;

  std::optional<Surface> LoadBitmap(const std::string& path) override;

  bool PlayWave(const std::vector<uint8_t>& wav, bool wait) override;
  bool VoiceBusy() override;

  bool Launch(const std::string& program) override;
  bool OpenHelp(const std::string& file) override;
  PrintResult PrintText(const std::string& title, const std::string& text) override;

 private:
  // Turns one SDL event into the game's events; some give none, typed text gives several.
  void Translate(const SDL_Event& event);
  void TranslateWindowEvent(const SDL_WindowEvent& event);
  HostEvent MouseEvent(HostEvent::Kind kind, int x, int y, int button) const;

  // ---- Frame pacing: a changed picture is composed and shown at the display's refresh.
  double Now() const;
  // Composes the picture and puts it up; plans the refresh after it.
  void ShowFrame();
  // Shows a waiting frame if its refresh has come.
  void ShowFrameIfDue();
  // Sleeps until an event is waiting or `until` (seconds on Now()) has come; true on an event.
  bool SleepUntil(double until);

  // Declared first so that it goes last: SDL ends after the window and the sound device.
  struct SdlShutdown {
    ~SdlShutdown() { SDL_Quit(); }
  } shutdown_;
  std::unique_ptr<SdlScreen> screen_;
  SdlVoice voice_;
  TextRenderer text_;
  ChildPrograms children_;
  HostClient* client_ = nullptr;
  std::deque<HostEvent> pending_;
  int cursorCount_ = 0;
  // Where the pointer was put, until SDL reports it moving: a warp shows in SDL's own
  // pointer state only once its motion event has come through.
  std::optional<Point> warpedTo_;
  bool framePending_ = false;
  double refreshSeconds_ = 1.0 / 60;
  double nextRefresh_ = 0;  // when the display takes its next frame
  int frameLog_ = -1;       // QUILLMOOR_FRAME_LOG: one line per composed frame, for bench/
  uint32_t seed_ = 0;
  double dayClockStart_ = 0;
  Uint64 dayClockCounter_ = 0;
};

}  // namespace qm
