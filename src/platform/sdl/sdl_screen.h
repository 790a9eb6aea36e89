#pragma once
// The game's window: a 640x480 picture scaled up by whole multiples, windowed or filling
// the desktop with the picture centred, and the pointer's place in picture pixels.

#include <SDL.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/surface.h"

namespace qm {

class SdlScreen {
 public:
  static constexpr int LogicalWidth = 640;
  static constexpr int LogicalHeight = 480;

  // Needs the video subsystem. `scale` 0 picks the largest multiple that fits the desktop.
  static std::unique_ptr<SdlScreen> Open(int scale, const std::string& title, std::string& error);
  ~SdlScreen();
  SdlScreen(const SdlScreen&) = delete;
  SdlScreen& operator=(const SdlScreen&) = delete;

  // Keeps the frame and shows it, but not more often than the display can follow: a wipe
  // presents hundreds of times in a second. A frame held back is shown by ShowPending, at
  // once when `now` is set (before a wait that shows nothing new, such as a waited sound).
  void Present(const Surface& frame);
  void ShowPending(bool now = false);
  // Shows the last frame again (the window was uncovered or resized).
  void Redraw();

  bool SetFullScreen(bool on);
  Uint32 WindowId() const { return SDL_GetWindowID(window_); }
  Size Desktop() const;

  // Window coordinates as SDL reports them, in picture pixels, kept inside the picture.
  Point WindowToPicture(int x, int y) const;
  Point PointerInPicture() const;
  void WarpPointer(int x, int y);
  // Keeps the pointer inside a rectangle of the picture, or frees it.
  void ConfinePointer(std::optional<Rect> area);
  // The window's scale changed: the confinement is in window coordinates and must follow.
  void RefreshConfinement();

 private:
  SdlScreen() = default;
  void Render();
  SDL_Point PictureToWindow(double x, double y) const;

  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  Size textureSize_;
  int windowedScale_ = 1;
  Surface frame_;
  bool pending_ = false;
  Uint64 lastRender_ = 0;
  std::optional<Rect> confinement_;
};

}  // namespace qm
