#include "platform/sdl/sdl_screen.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/sdl/quiet_stderr.h"

namespace qm {

namespace {

int AutomaticScale() {
  SDL_DisplayMode desktop;
  if (SDL_GetDesktopDisplayMode(0, &desktop) != 0) return 1;
  int byWidth = static_cast<int>(desktop.w * 0.9) / SdlScreen::LogicalWidth;
  int byHeight = static_cast<int>(desktop.h * 0.9) / SdlScreen::LogicalHeight;
  return std::max(1, std::min(byWidth, byHeight));
}

// The names Mesa and others give their OpenGL when it runs on the processor.
bool IsSoftwareOpenGl(const std::string& renderer) {
  for (const char* name : {"llvmpipe", "softpipe", "swrast", "Software Rasterizer", "SWR",
                           "SwiftShader", "lavapipe", "Basic Render"}) {
    if (renderer.find(name) != std::string::npos) return true;
  }
  return false;
}

// In the child: the renderer string of an OpenGL context on a hidden window, or nothing.
[[noreturn]] void ReportOpenGlRenderer(int out) {
  std::string renderer;
  {
    QuietStderr quiet;
    if (SDL_Init(SDL_INIT_VIDEO) == 0) {
      SDL_Window* window = SDL_CreateWindow("", 0, 0, 1, 1, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
      SDL_GLContext context = window ? SDL_GL_CreateContext(window) : nullptr;
      using GetString = const unsigned char* (*)(unsigned int);
      auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
      constexpr unsigned int GlRenderer = 0x1F01;
      const unsigned char* text = context && getString ? getString(GlRenderer) : nullptr;
      if (text) renderer = reinterpret_cast<const char*>(text);
    }
  }
  if (!renderer.empty() && write(out, renderer.data(), renderer.size()) < 0) _exit(1);
  _exit(0);
}

}  // namespace

bool DisplayHasHardwareOpenGl() {
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return false;
  pid_t child = fork();
  if (child < 0) {
    close(pipeEnds[0]);
    close(pipeEnds[1]);
    return false;
  }
  if (child == 0) {
    close(pipeEnds[0]);
    ReportOpenGlRenderer(pipeEnds[1]);
  }
  close(pipeEnds[1]);
  // A driver that hangs must not hold up the game: after a few seconds it counts as none.
  std::string renderer;
  pollfd wait{pipeEnds[0], POLLIN, 0};
  char buffer[256];
  while (poll(&wait, 1, 3000) > 0) {
    ssize_t got = read(pipeEnds[0], buffer, sizeof buffer);
    if (got <= 0) break;
    renderer.append(buffer, static_cast<size_t>(got));
  }
  close(pipeEnds[0]);
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  return !renderer.empty() && !IsSoftwareOpenGl(renderer);
}

std::unique_ptr<SdlScreen> SdlScreen::Open(int scale, const std::string& title, Presenter presenter,
                                           std::string& error) {
  std::unique_ptr<SdlScreen> screen(new SdlScreen());
  screen->windowedScale_ = scale > 0 ? scale : AutomaticScale();
  if (presenter == Presenter::Automatic) {
    presenter = DisplayHasHardwareOpenGl() ? Presenter::Renderer : Presenter::WindowSurface;
  }
  // Without this SDL may itself build the window surface on OpenGL.
  if (presenter == Presenter::WindowSurface) SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  screen->window_ = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                     LogicalWidth * screen->windowedScale_,
                                     LogicalHeight * screen->windowedScale_, SDL_WINDOW_SHOWN);
  if (!screen->window_) {
    error = std::string("the window could not be opened (") + SDL_GetError() + ")";
    return nullptr;
  }
  if (presenter == Presenter::Renderer && !screen->OpenRenderer()) {
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  }
  if (!screen->renderer_ && !SDL_GetWindowSurface(screen->window_)) {
    error = std::string("the window could not be drawn in (") + SDL_GetError() + ")";
    return nullptr;
  }
  screen->frame_ = Surface(LogicalWidth, LogicalHeight, 0);
  screen->Show();
  return screen;
}

bool SdlScreen::OpenRenderer() {
  renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
  if (!renderer_) return false;
  // RGB888 is the game's own 0x00RRGGBB word, so frames go up without conversion.
  texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                               LogicalWidth, LogicalHeight);
  SDL_RendererInfo info;
  if (!texture_ || SDL_GetRendererInfo(renderer_, &info) != 0) {
    if (texture_) SDL_DestroyTexture(texture_);
    SDL_DestroyRenderer(renderer_);
    texture_ = nullptr;
    renderer_ = nullptr;
    return false;
  }
  vsync_ = (info.flags & SDL_RENDERER_PRESENTVSYNC) != 0;
  return true;
}

SdlScreen::~SdlScreen() {
  if (texture_) SDL_DestroyTexture(texture_);
  if (renderer_) SDL_DestroyRenderer(renderer_);
  if (window_) SDL_DestroyWindow(window_);
}

double SdlScreen::RefreshSeconds() const {
  SDL_DisplayMode mode;
  int display = SDL_GetWindowDisplayIndex(window_);
  if (SDL_GetCurrentDisplayMode(display < 0 ? 0 : display, &mode) != 0 || mode.refresh_rate < 20)
    return 1.0 / 60;
  return 1.0 / mode.refresh_rate;
}

std::string SdlScreen::PresenterName() const {
  if (!renderer_) return "window surface";
  SDL_RendererInfo info;
  if (SDL_GetRendererInfo(renderer_, &info) != 0) return "renderer";
  return std::string(info.name) + (vsync_ ? " renderer with vsync" : " renderer");
}

SDL_Rect SdlScreen::PictureRect() const {
  int w = 0, h = 0;
  if (renderer_) {
    SDL_GetRendererOutputSize(renderer_, &w, &h);
  } else {
    SDL_GetWindowSize(window_, &w, &h);
  }
  int scale = std::max(1, std::min(w / LogicalWidth, h / LogicalHeight));
  return {(w - LogicalWidth * scale) / 2, (h - LogicalHeight * scale) / 2, LogicalWidth * scale,
          LogicalHeight * scale};
}

void SdlScreen::Show() {
  if (renderer_) {
    ShowWithRenderer();
  } else {
    ShowOnSurface();
  }
}

void SdlScreen::ShowWithRenderer() {
  SDL_UpdateTexture(texture_, nullptr, frame_.Px.data(),
                    frame_.W * static_cast<int>(sizeof(uint32_t)));
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  SDL_Rect where = PictureRect();
  SDL_RenderCopy(renderer_, texture_, nullptr, &where);
  SDL_RenderPresent(renderer_);
}

void SdlScreen::ShowOnSurface() {
  SDL_Surface* surface = SDL_GetWindowSurface(window_);
  if (!surface || surface->format->BytesPerPixel != 4) return;
  SDL_Rect where = PictureRect();
  const int scale = where.w / LogicalWidth;
  bool whole = surface != clearedSurface_ || clearedSize_ != Size{surface->w, surface->h};
  if (whole) {
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
    clearedSurface_ = surface;
    clearedSize_ = {surface->w, surface->h};
  }
  // The part of the scaled picture inside the window (all of it, unless the window is
  // smaller than the picture).
  const int left = std::max(0, where.x), top = std::max(0, where.y);
  const int right = std::min(surface->w, where.x + where.w);
  const int bottom = std::min(surface->h, where.y + where.h);
  if (left >= right || top >= bottom) return;
  const bool native = surface->format->format == SDL_PIXELFORMAT_RGB888 ||
                      surface->format->format == SDL_PIXELFORMAT_ARGB8888;
  if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return;
  auto* base = static_cast<uint8_t*>(surface->pixels);
  row_.resize(static_cast<size_t>(right - left));
  for (int y = top; y < bottom;) {
    const uint32_t* source = &frame_.At(0, (y - where.y) / scale);
    // Each picture row fills `scale` window rows: build the first, copy it to the rest.
    uint32_t* first =
        reinterpret_cast<uint32_t*>(base + static_cast<size_t>(y) * surface->pitch) + left;
    uint32_t* build = native ? first : row_.data();
    if (scale == 1) {
      std::memcpy(build, source + (left - where.x), row_.size() * sizeof(uint32_t));
    } else if (left == where.x && right == where.x + where.w) {
      uint32_t* out = build;
      for (int x = 0; x < LogicalWidth; ++x)
        for (int k = 0; k < scale; ++k) *out++ = source[x];
    } else {
      for (int x = left; x < right; ++x) build[x - left] = source[(x - where.x) / scale];
    }
    if (!native) {
      SDL_ConvertPixels(right - left, 1, SDL_PIXELFORMAT_RGB888, build, 0, surface->format->format,
                        first, surface->pitch);
    }
    int rowEnd = std::min(bottom, where.y + ((y - where.y) / scale + 1) * scale);
    for (int copy = y + 1; copy < rowEnd; ++copy) {
      std::memcpy(base + static_cast<size_t>(copy) * surface->pitch + left * 4, first,
                  row_.size() * sizeof(uint32_t));
    }
    y = rowEnd;
  }
  if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
  SDL_Rect changed{left, top, right - left, bottom - top};
  if (whole) {
    SDL_UpdateWindowSurface(window_);
  } else {
    SDL_UpdateWindowSurfaceRects(window_, &changed, 1);
  }
}

bool SdlScreen::SetFullScreen(bool on) {
  if (on) {
    // Without a window manager nobody acts on the full-screen request, yet SDL then draws
    // for the desktop's size; a borderless window covering the display first keeps the two
    // the same whether or not a window manager is there to do it.
    SDL_Rect bounds;
    int display = SDL_GetWindowDisplayIndex(window_);
    if (SDL_GetDisplayBounds(display < 0 ? 0 : display, &bounds) == 0) {
      SDL_SetWindowBordered(window_, SDL_FALSE);
      SDL_SetWindowPosition(window_, bounds.x, bounds.y);
      SDL_SetWindowSize(window_, bounds.w, bounds.h);
    }
  }
  bool ok = SDL_SetWindowFullscreen(window_, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) == 0;
  if (!on || !ok) {
    SDL_SetWindowBordered(window_, SDL_TRUE);
    SDL_SetWindowSize(window_, LogicalWidth * windowedScale_, LogicalHeight * windowedScale_);
    SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
  }
  RefreshConfinement();
  Show();
  return ok;
}

Size SdlScreen::Desktop() const {
  SDL_DisplayMode desktop;
  int display = SDL_GetWindowDisplayIndex(window_);
  if (SDL_GetDesktopDisplayMode(display < 0 ? 0 : display, &desktop) != 0) {
    return {LogicalWidth, LogicalHeight};
  }
  return {desktop.w, desktop.h};
}

Point SdlScreen::WindowToPicture(int x, int y) const {
  SDL_Rect where = PictureRect();
  const double scale = static_cast<double>(where.w) / LogicalWidth;
  return {std::clamp(static_cast<int>(std::floor((x - where.x) / scale)), 0, LogicalWidth - 1),
          std::clamp(static_cast<int>(std::floor((y - where.y) / scale)), 0, LogicalHeight - 1)};
}

Point SdlScreen::PointerInPicture() const {
  int x = 0, y = 0;
  SDL_GetMouseState(&x, &y);
  return WindowToPicture(x, y);
}

SDL_Point SdlScreen::PictureToWindow(double x, double y) const {
  SDL_Rect where = PictureRect();
  const double scale = static_cast<double>(where.w) / LogicalWidth;
  return {static_cast<int>(std::floor(where.x + x * scale)),
          static_cast<int>(std::floor(where.y + y * scale))};
}

void SdlScreen::WarpPointer(int x, int y) {
  // The middle of the picture pixel, so that reading the pointer back gives (x, y).
  SDL_Point at = PictureToWindow(x + 0.5, y + 0.5);
  // On X11 SDL ignores a warp while the pointer barriers of a confinement are up, and the
  // game places the pointer right after confining it: lift them for the move.
  if (confinement_) SDL_SetWindowMouseRect(window_, nullptr);
  SDL_WarpMouseInWindow(window_, at.x, at.y);
  if (confinement_) RefreshConfinement();
}

void SdlScreen::ConfinePointer(std::optional<Rect> area) {
  confinement_ = area;
  RefreshConfinement();
}

void SdlScreen::RefreshConfinement() {
  if (!confinement_) {
    SDL_SetWindowMouseRect(window_, nullptr);
    SDL_SetWindowGrab(window_, SDL_FALSE);
    return;
  }
  SDL_Point topLeft = PictureToWindow(confinement_->X, confinement_->Y);
  SDL_Point bottomRight =
      PictureToWindow(confinement_->X + confinement_->W, confinement_->Y + confinement_->H);
  SDL_Rect rect{topLeft.x, topLeft.y, std::max(1, bottomRight.x - topLeft.x),
                std::max(1, bottomRight.y - topLeft.y)};
  SDL_SetWindowMouseRect(window_, &rect);
  SDL_SetWindowGrab(window_, SDL_TRUE);
}

}  // namespace qm
