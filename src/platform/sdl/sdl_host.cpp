#include "platform/sdl/sdl_host.h"

#include <fcntl.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

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

// QUILLMOOR_PRESENTER=surface or =renderer overrides the choice, for a developer comparing
// the two; otherwise the renderer only where the display has a real graphics processor.
SdlScreen::Presenter ChoosePresenter() {
  const char* wanted = std::getenv("QUILLMOOR_PRESENTER");
  std::string choice = wanted ? wanted : "";
  if (choice == "surface") return SdlScreen::Presenter::WindowSurface;
  if (choice == "renderer") return SdlScreen::Presenter::Renderer;
  // Asked before SDL starts here: the question is put to a child process.
  return DisplayHasHardwareOpenGl() ? SdlScreen::Presenter::Renderer
                                    : SdlScreen::Presenter::WindowSurface;
}

// The picture the desktop's launcher shows, so the running game is recognised in the task
// bar; without the file the window keeps the desktop's default icon.
void SetWindowIcon(Uint32 windowId, const std::string& path) {
  if (path.empty()) return;
  SDL_Surface* icon = SDL_LoadBMP(path.c_str());
  if (!icon) return;
  SDL_SetWindowIcon(SDL_GetWindowFromID(windowId), icon);
  SDL_FreeSurface(icon);
}

}  // namespace

std::unique_ptr<Host> CreateSdlHost(const HostOptions& options, std::string& error) {
  SdlScreen::Presenter presenter = ChoosePresenter();
  if (!StartVideo()) {
    error = std::string("no display available (") + SDL_GetError() +
            "); for a run without a window use --headless --script FILE";
    SDL_Quit();
    return nullptr;
  }
  auto screen = SdlScreen::Open(options.Scale, options.WindowTitle, presenter, error);
  if (!screen) {
    SDL_Quit();
    return nullptr;
  }
  SetWindowIcon(screen->WindowId(), options.IconPath);
  return std::make_unique<SdlHost>(options, std::move(screen));
}

SdlHost::SdlHost(const HostOptions& options, std::unique_ptr<SdlScreen> screen)
    : screen_(std::move(screen)) {
  seed_ = options.Seed ? *options.Seed : SeedFromClock();
  dayClockStart_ = SecondsSinceLocalMidnight();
  dayClockCounter_ = SDL_GetPerformanceCounter();
  refreshSeconds_ = screen_->RefreshSeconds();
  if (const char* log = std::getenv("QUILLMOOR_FRAME_LOG"); log && *log)
    frameLog_ = open(log, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  SDL_StartTextInput();
}

SdlHost::~SdlHost() {
  if (frameLog_ >= 0) close(frameLog_);
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
  // Window pixels to picture pixels; the black border around the picture in full screen
  // counts as its nearest edge.
  Point at = screen_->WindowToPicture(x, y);
  event.X = at.X;
  event.Y = at.Y;
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

double SdlHost::Now() const {
  return static_cast<double>(SDL_GetPerformanceCounter()) /
         static_cast<double>(SDL_GetPerformanceFrequency());
}

void SdlHost::ShowFrame() {
  framePending_ = false;
  if (client_) client_->ComposeScreen(screen_->Frame());
  if (frameLog_ >= 0) {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    char line[40];
    int n = std::snprintf(line, sizeof line, "c %lld\n",
                          static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
    if (write(frameLog_, line, static_cast<size_t>(n)) < 0) {
      close(frameLog_);
      frameLog_ = -1;
    }
  }
  screen_->Show();
  double shown = Now();
  if (screen_->Vsync()) {
    // The present returned at the refresh that took the frame.
    nextRefresh_ = shown + refreshSeconds_;
  } else {
    // Timed slots keep to their grid unless the game fell a whole period behind.
    nextRefresh_ += refreshSeconds_;
    if (nextRefresh_ <= shown) nextRefresh_ = shown + refreshSeconds_;
  }
}

void SdlHost::ShowFrameIfDue() {
  // With vsync the present itself waits for the refresh: started a little early it ends on
  // time, while a loop of short steps (a wipe) must not wait a whole refresh at each one.
  const double early = screen_->Vsync() ? 0.002 : 0.0;
  if (framePending_ && Now() >= nextRefresh_ - early) ShowFrame();
}

bool SdlHost::SleepUntil(double until) {
  for (;;) {
    double left = until - Now();
    if (left <= 0) return false;
    int ms = std::max(1, static_cast<int>(std::ceil(left * 1000.0)));
    if (!pending_.empty() || SDL_WaitEventTimeout(nullptr, ms) == 1) return true;
  }
}

bool SdlHost::PresentAtRefresh() {
  framePending_ = true;
  return true;
}

// A frame's wait: the picture goes up at the next refresh, and the wait lasts until then
// (or until an event needs handling), so that a frame ends on a refresh.
void SdlHost::Yield(bool hadEvents) {
  (void)hadEvents;
  children_.ReapFinished();
  if (framePending_ && screen_->Vsync()) {
    ShowFrame();
    return;
  }
  double now = Now();
  double refresh = nextRefresh_;
  if (refresh <= now)
    refresh += std::ceil((now - refresh) / refreshSeconds_ + 1e-9) * refreshSeconds_;
  if (framePending_ && nextRefresh_ <= Now()) {
    ShowFrame();
    return;
  }
  SleepUntil(refresh);
  ShowFrameIfDue();
}

// A wait that handles no events still shows the frame it was given at its refresh.
void SdlHost::Spin() {
  ShowFrameIfDue();
  double until = Now() + 0.001;
  if (framePending_ && !screen_->Vsync()) until = std::min(until, nextRefresh_);
  SDL_Delay(static_cast<Uint32>(std::max(0.0, std::ceil((until - Now()) * 1000.0))));
  ShowFrameIfDue();
}

void SdlHost::WaitForEvent(uint32_t timeoutMs) {
  children_.ReapFinished();
  ShowFrameIfDue();
  double until = Now() + timeoutMs / 1000.0;
  if (framePending_) until = std::min(until, nextRefresh_);
  SleepUntil(until);
  ShowFrameIfDue();
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
  Surface& frame = screen_->Frame();
  if (screen.W != frame.W || screen.H != frame.H) return;
  frame.Px = screen.Px;
  framePending_ = false;
  screen_->Show();
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
  // Nothing moves while a sound plays to its end: show the picture now.
  if (wait && framePending_) ShowFrame();
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
