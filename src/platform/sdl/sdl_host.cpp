#include "platform/sdl/sdl_host.h"

#include <time.h>

#include <algorithm>

#include "platform/print_job.h"
#include "platform/sdl/media_decode.h"
#include "platform/sdl/quiet_stderr.h"
#include "platform/sdl/sdl_input_map.h"

namespace qm {

namespace {

double SecondsSinceLocalMidnight() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  tm local{};
  localtime_r(&now.tv_sec, &local);
  return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + now.tv_nsec / 1e9;
}

uint32_t SeedFromClock() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return static_cast<uint32_t>(now.tv_sec) ^ static_cast<uint32_t>(now.tv_nsec) ^
         static_cast<uint32_t>(SDL_GetPerformanceCounter());
}

// Only drivers that show a window to a player. Left to itself SDL would fall back to its
// invisible off-screen driver and the game would run unseen; SDL_VIDEODRIVER still wins.
bool StartVideo() {
  SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, "x11,wayland,KMSDRM", SDL_HINT_DEFAULT);
  QuietStderr quiet;
  return SDL_Init(SDL_INIT_VIDEO) == 0;
}

}  // namespace

std::unique_ptr<Host> CreateSdlHost(const HostOptions& options, std::string& error) {
  if (!StartVideo()) {
    error = std::string("no display available (") + SDL_GetError() +
            "); for a run without a window use --headless --script FILE";
    SDL_Quit();
    return nullptr;
  }
  auto screen = SdlScreen::Open(options.Scale, options.WindowTitle, error);
  if (!screen) {
    SDL_Quit();
    return nullptr;
  }
  return std::make_unique<SdlHost>(options, std::move(screen));
}

SdlHost::SdlHost(const HostOptions& options, std::unique_ptr<SdlScreen> screen)
    : screen_(std::move(screen)) {
  seed_ = options.Seed ? *options.Seed : SeedFromClock();
  dayClockStart_ = SecondsSinceLocalMidnight();
  dayClockCounter_ = SDL_GetPerformanceCounter();
  SDL_StartTextInput();
}

SdlHost::~SdlHost() {
  SDL_StopTextInput();
}

bool SdlHost::PollEvent(HostEvent& event) {
  SDL_Event raw;
  while (pending_.empty() && SDL_PollEvent(&raw)) Translate(raw);
  if (pending_.empty()) return false;
  event = std::move(pending_.front());
  pending_.pop_front();
  return true;
}

HostEvent SdlHost::MouseEvent(HostEvent::Kind kind, int x, int y, int button) const {
  HostEvent event;
  event.Type = kind;
  // SDL already reports the pointer in picture pixels; the clamp covers the black border
  // around the picture in full screen.
  event.X = std::clamp(x, 0, SdlScreen::LogicalWidth - 1);
  event.Y = std::clamp(y, 0, SdlScreen::LogicalHeight - 1);
  event.Button = button;
  event.Shift = ShiftFromSdl(SDL_GetModState());
  return event;
}

void SdlHost::Translate(const SDL_Event& raw) {
  switch (raw.type) {
    case SDL_QUIT: {
      HostEvent event;
      event.Type = HostEvent::Kind::Quit;
      pending_.push_back(event);
      break;
    }
    case SDL_WINDOWEVENT:
      TranslateWindowEvent(raw.window);
      break;
    case SDL_MOUSEMOTION:
      warpedTo_.reset();
      pending_.push_back(MouseEvent(HostEvent::Kind::MouseMove, raw.motion.x, raw.motion.y,
                                    ButtonsFromSdlState(raw.motion.state)));
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      int button = ButtonFromSdl(raw.button.button);
      if (button == 0) break;
      auto kind =
          raw.type == SDL_MOUSEBUTTONDOWN ? HostEvent::Kind::MouseDown : HostEvent::Kind::MouseUp;
      pending_.push_back(MouseEvent(kind, raw.button.x, raw.button.y, button));
      break;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      auto code = KeyCodeFromSdl(raw.key.keysym.sym);
      if (!code) break;
      HostEvent event;
      event.Type = raw.type == SDL_KEYDOWN ? HostEvent::Kind::KeyDown : HostEvent::Kind::KeyUp;
      event.Key = *code;
      event.Shift = ShiftFromSdl(raw.key.keysym.mod);
      pending_.push_back(event);
      break;
    }
    case SDL_TEXTINPUT:
      for (auto& character : SplitUtf8Characters(raw.text.text)) {
        HostEvent event;
        event.Type = HostEvent::Kind::Char;
        event.Text = std::move(character);
        pending_.push_back(std::move(event));
      }
      break;
    case SDL_AUDIODEVICEREMOVED:
      if (!raw.adevice.iscapture) voice_.DeviceRemoved(raw.adevice.which);
      break;
    default:
      break;
  }
}

void SdlHost::TranslateWindowEvent(const SDL_WindowEvent& raw) {
  if (raw.windowID != screen_->WindowId()) return;
  switch (raw.event) {
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      screen_->RefreshConfinement();
      screen_->Redraw();
      break;
    case SDL_WINDOWEVENT_EXPOSED: {
      screen_->Redraw();
      HostEvent event;
      event.Type = HostEvent::Kind::Expose;
      pending_.push_back(event);
      break;
    }
    default:
      break;
  }
}

void SdlHost::Yield(bool hadEvents) {
  screen_->ShowPending();
  children_.ReapFinished();
  // A frame loop waiting on the clock should not hold a whole core.
  if (!hadEvents) SDL_Delay(1);
}

// A wait that handles no events still shows the frame it was given last.
void SdlHost::Spin() {
  screen_->ShowPending();
  SDL_Delay(1);
}

uint32_t SdlHost::TimeGetTime() {
  return SDL_GetTicks();
}

double SdlHost::DayClock() {
  Uint64 elapsed = SDL_GetPerformanceCounter() - dayClockCounter_;
  return dayClockStart_ +
         static_cast<double>(elapsed) / static_cast<double>(SDL_GetPerformanceFrequency());
}

int SdlHost::ShowCursor(bool show) {
  cursorCount_ += show ? 1 : -1;
  SDL_ShowCursor(cursorCount_ >= 0 ? SDL_ENABLE : SDL_DISABLE);
  return cursorCount_;
}

void SdlHost::ClipCursor(std::optional<Rect> area) {
  screen_->ConfinePointer(area);
}

void SdlHost::SetCursorPos(int x, int y) {
  screen_->WarpPointer(x, y);
  warpedTo_ = Point{std::clamp(x, 0, SdlScreen::LogicalWidth - 1),
                    std::clamp(y, 0, SdlScreen::LogicalHeight - 1)};
}

Point SdlHost::GetCursorPos() {
  return warpedTo_ ? *warpedTo_ : screen_->PointerInPicture();
}

void SdlHost::Present(const Surface& screen) {
  screen_->Present(screen);
}

ScreenMetrics SdlHost::Metrics() {
  ScreenMetrics metrics;
  Size desktop = screen_->Desktop();
  metrics.WidthPx = desktop.W;
  metrics.HeightPx = desktop.H;
  // This desktop scales the window as a whole and has no large-font driver to detect, so
  // it always reports the small-font 15 twips per pixel the game lays out in.
  metrics.TwipsPerPixelX = 15;
  metrics.TwipsPerPixelY = 15;
  return metrics;
}

// The game's full screen is the desktop filled with the centred picture, never a real mode
// switch that could leave the desktop in the wrong mode if the game died.
bool SdlHost::ChangeDisplayMode(int width, int height) {
  return screen_->SetFullScreen(width == SdlScreen::LogicalWidth &&
                                height == SdlScreen::LogicalHeight);
}

Size SdlHost::MeasureText(std::string_view utf8, const TextStyle& style) {
  return text_.Measure(utf8, style);
}

void SdlHost::DrawText(Surface& target, int x, int y, std::string_view utf8, const TextStyle& style,
                       const Rect& clip) {
  text_.Draw(target, x, y, utf8, style, clip);
}

std::optional<Surface> SdlHost::LoadBitmap(const std::string& path) {
  return DecodeBmpFile(path);
}

bool SdlHost::PlayWave(const std::vector<uint8_t>& wav, bool wait) {
  if (wait) screen_->ShowPending(true);
  return voice_.Play(wav, wait);
}

bool SdlHost::VoiceBusy() {
  return voice_.Busy();
}

bool SdlHost::Launch(const std::string& program) {
  return children_.Launch(program);
}

bool SdlHost::OpenHelp(const std::string& file) {
  return children_.OpenWithDesktop(file);
}

PrintResult SdlHost::PrintText(const std::string& title, const std::string& text) {
  return PrintTextJob(title, text);
}

}  // namespace qm
