#include "platform/sdl/sdl_screen.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace qm {

namespace {

// Shorter than a display refresh, long enough that a wipe's hundreds of presents in a
// second do not each wait for the renderer.
// About the display's own rate: more renders only cost time (a wipe presents 485 times).
constexpr double MinRenderSeconds = 1.0 / 60;

int AutomaticScale() {
  SDL_DisplayMode desktop;
  if (SDL_GetDesktopDisplayMode(0, &desktop) != 0) return 1;
  int byWidth = static_cast<int>(desktop.w * 0.9) / SdlScreen::LogicalWidth;
  int byHeight = static_cast<int>(desktop.h * 0.9) / SdlScreen::LogicalHeight;
  return std::max(1, std::min(byWidth, byHeight));
}

}  // namespace

std::unique_ptr<SdlScreen> SdlScreen::Open(int scale, const std::string& title,
                                           std::string& error) {
  std::unique_ptr<SdlScreen> screen(new SdlScreen());
  screen->windowedScale_ = scale > 0 ? scale : AutomaticScale();
  screen->window_ = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                     LogicalWidth * screen->windowedScale_,
                                     LogicalHeight * screen->windowedScale_, SDL_WINDOW_SHOWN);
  if (!screen->window_) {
    error = std::string("the window could not be opened (") + SDL_GetError() + ")";
    return nullptr;
  }
  screen->renderer_ = SDL_CreateRenderer(screen->window_, -1, 0);
  if (!screen->renderer_) {
    screen->renderer_ = SDL_CreateRenderer(screen->window_, -1, SDL_RENDERER_SOFTWARE);
  }
  if (!screen->renderer_) {
    error = std::string("the window could not be drawn in (") + SDL_GetError() + ")";
    return nullptr;
  }
  // The logical size makes SDL report the pointer in picture pixels whatever the scale;
  // whole multiples keep the old pixel art sharp.
  SDL_RenderSetLogicalSize(screen->renderer_, LogicalWidth, LogicalHeight);
  SDL_RenderSetIntegerScale(screen->renderer_, SDL_TRUE);
  screen->frame_ = Surface(LogicalWidth, LogicalHeight, 0);
  screen->Render();
  return screen;
}

SdlScreen::~SdlScreen() {
  if (texture_) SDL_DestroyTexture(texture_);
  if (renderer_) SDL_DestroyRenderer(renderer_);
  if (window_) SDL_DestroyWindow(window_);
}

void SdlScreen::Present(const Surface& frame) {
  if (frame.Empty()) return;
  if (frame_.W != frame.W || frame_.H != frame.H) frame_ = Surface(frame.W, frame.H);
  std::memcpy(frame_.Px.data(), frame.Px.data(), frame.Px.size() * sizeof(uint32_t));
  pending_ = true;
  ShowPending(false);
}

void SdlScreen::ShowPending(bool now) {
  if (!pending_) return;
  const double since = static_cast<double>(SDL_GetPerformanceCounter() - lastRender_) /
                       static_cast<double>(SDL_GetPerformanceFrequency());
  if (now || since >= MinRenderSeconds) Render();
}

void SdlScreen::Redraw() {
  Render();
}

void SdlScreen::Render() {
  pending_ = false;
  lastRender_ = SDL_GetPerformanceCounter();
  if (!texture_ || textureSize_.W != frame_.W || textureSize_.H != frame_.H) {
    if (texture_) SDL_DestroyTexture(texture_);
    // RGB888 is the game's own 0x00RRGGBB word, so frames go up without conversion.
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                 frame_.W, frame_.H);
    textureSize_ = {frame_.W, frame_.H};
  }
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  if (texture_) {
    SDL_UpdateTexture(texture_, nullptr, frame_.Px.data(),
                      frame_.W * static_cast<int>(sizeof(uint32_t)));
    SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
  }
  SDL_RenderPresent(renderer_);
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
  Render();
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
  float px = 0, py = 0;
  SDL_RenderWindowToLogical(renderer_, x, y, &px, &py);
  return {std::clamp(static_cast<int>(std::floor(px)), 0, LogicalWidth - 1),
          std::clamp(static_cast<int>(std::floor(py)), 0, LogicalHeight - 1)};
}

Point SdlScreen::PointerInPicture() const {
  int x = 0, y = 0;
  SDL_GetMouseState(&x, &y);
  return WindowToPicture(x, y);
}

SDL_Point SdlScreen::PictureToWindow(double x, double y) const {
  int wx = 0, wy = 0;
  SDL_RenderLogicalToWindow(renderer_, static_cast<float>(x), static_cast<float>(y), &wx, &wy);
  return {wx, wy};
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
