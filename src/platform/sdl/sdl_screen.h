#pragma once
// The game's window: a 640x480 picture scaled up by whole multiples, windowed or filling
// the desktop with the picture centred, and the pointer's place in picture pixels.
//
// Two ways to put the picture up. Where the display has a real graphics processor, an
// accelerated renderer that waits for the display's refresh (vsync). Where the only OpenGL
// is a software one (a machine without a GPU, a virtual X server), the window's own
// surface: the picture is copied in, scaled by pixel repetition, and handed to the X
// server; no OpenGL is ever loaded, which spares a great deal of time and memory.

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

  enum class Presenter { Automatic, WindowSurface, Renderer };

  // Needs the video subsystem. `scale` 0 picks the largest multiple that fits the desktop.
  static std::unique_ptr<SdlScreen> Open(int scale, const std::string& title, Presenter presenter,
                                         std::string& error);
  ~SdlScreen();
  SdlScreen(const SdlScreen&) = delete;
  SdlScreen& operator=(const SdlScreen&) = delete;

  // The picture the next Show puts up; the caller composes into it.
  Surface& Frame() { return frame_; }
  // Puts Frame() on the display. With vsync it returns once the refresh that shows it came.
  void Show();
  // Shows the last frame again (the window was uncovered or resized).
  void Redraw() { Show(); }
  // The presents wait for the display's refresh by themselves.
  bool Vsync() const { return vsync_; }
  // The display's refresh period in seconds (60 Hz when the display does not say).
  double RefreshSeconds() const;
  // How the picture reaches the display, for a developer: "window surface" or a renderer.
  std::string PresenterName() const;

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
  bool OpenRenderer();
  // Where the picture lies in the window: the largest whole multiple that fits, centred.
  SDL_Rect PictureRect() const;
  void ShowOnSurface();
  void ShowWithRenderer();
  SDL_Point PictureToWindow(double x, double y) const;

  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  bool vsync_ = false;
  int windowedScale_ = 1;
  Surface frame_;
  // The window surface the borders were last cleared on, and its size: a new surface or
  // size gets its black border once, not every frame.
  SDL_Surface* clearedSurface_ = nullptr;
  Size clearedSize_;
  std::vector<uint32_t> row_;  // one scaled row, for a surface that is not 0x00RRGGBB
  std::optional<Rect> confinement_;
};

// Whether the OpenGL the display offers is a real graphics processor. Asked of a short-lived
// child process, so that a software OpenGL (tens of megabytes of code) never loads in the
// game itself. False when there is no OpenGL at all. Call before SDL starts.
bool DisplayHasHardwareOpenGl();

}  // namespace qm
