#pragma once
// The seam: everything the outside world provides to the game. The real host (SDL) and
// the headless test host implement it; nothing above src/platform/ talks to the system
// directly for time, input, screen, sound, display mode, programs, help or printing.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/surface.h"
#include "platform/trace.h"

namespace qm {

// Mouse buttons as the old event arguments number them.
enum MouseButton : int { LeftButton = 1, RightButton = 2, MiddleButton = 4 };

// Key codes of the old key events (Esc 27, Enter 13, F1 112, letters 65..90, ...).
enum KeyCode : int {
  KeyBack = 8,
  KeyTab = 9,
  KeyReturn = 13,
  KeyShift = 16,
  KeyEscape = 27,
  KeySpace = 32,
  KeyLeft = 37,
  KeyUp = 38,
  KeyRight = 39,
  KeyDown = 40,
  KeyDelete = 46,
  KeyF1 = 112,
};

struct HostEvent {
  enum class Kind {
    MouseMove,
    MouseDown,
    MouseUp,
    KeyDown,   // Key holds the key code
    KeyUp,
    Char,      // Text holds one typed character, UTF-8
    Quit,      // the window was closed
    Answer,    // scripted answer for the open message box: Button holds the answer
    Dismiss,   // scripted: the open message box takes its default button
    Expose,    // the window needs repainting
  };
  Kind Type = Kind::MouseMove;
  int X = 0, Y = 0;  // window pixels, 0..639 and 0..479, whatever the window's scale
  int Button = 0;    // MouseButton for mouse events; MsgBoxResult for Answer
  int Key = 0;       // KeyCode for key events
  int Shift = 0;     // 1 Shift, 2 Ctrl, 4 Alt
  std::string Text;  // Char events
};

struct ScreenMetrics {
  int WidthPx = 640, HeightPx = 480;  // the desktop
  int TwipsPerPixelX = 15, TwipsPerPixelY = 15;
};

struct PrintResult {
  bool Ok = false;
  std::string Error;  // why it failed, for the trace and a developer; the game shows its own words
};

// What the game offers the hosts: the composed screen, its controls by name, its state.
class HostClient {
 public:
  virtual ~HostClient() = default;
  // The 640x480 picture the player would see now.
  virtual void ComposeScreen(Surface& screen) = 0;
  // A visible control by its name in code ("lblMain(3)", "picMain"), in window pixels.
  virtual std::optional<Rect> FindVisibleControl(std::string_view name) = 0;
  // The game state as one JSON document (the headless `dump`).
  virtual std::string DumpState() = 0;
};

class Host {
 public:
  virtual ~Host() = default;

  // Game side registers itself once the main form exists.
  virtual void Attach(HostClient* client) = 0;

  // ---- Events
  // Takes the next pending event, if any. Never blocks.
  virtual bool PollEvent(HostEvent& event) = 0;
  // Called by DoEvents after it has dispatched everything pending, from loops that wait on
  // the clock (a frame's wait above all). The real host sleeps until the next event or the
  // display's next refresh, and shows a changed picture at that refresh; so a frame lasts
  // its minimum and then runs to a refresh. The headless host advances its clock by 1 ms
  // (by the frame period, with --frame-ms).
  virtual void Yield(bool hadEvents) = 0;
  // A wait that does not process events (a busy loop on a clock), and the short pause of a
  // loop that counts its passes (a wipe). The headless host advances its clock by 1 ms, so
  // that such loops end.
  virtual void Spin() = 0;
  // Nothing to do until an event comes or `timeoutMs` passes (an idle menu or dialog; the
  // timeout is the next tool tip or caret blink). By default one Yield.
  virtual void WaitForEvent(uint32_t timeoutMs) {
    (void)timeoutMs;
    Yield(false);
  }

  // ---- Clocks
  // Millisecond counter (the old timeGetTime).
  virtual uint32_t TimeGetTime() = 0;
  // Seconds since local midnight at start-up, then following a monotonic clock: it never
  // jumps back at midnight.
  virtual double DayClock() = 0;
  // Seed for the game's one random generator: the clock, or --seed.
  virtual uint32_t RandomSeed() = 0;
  // The time and date as the score sheets head them: the locale's long time, a space, the
  // locale's long date. The headless host gives a fixed date, so runs compare equal.
  virtual std::string LongTimeAndDate();
  // The local date and time as the score history stamps a run: "2001-01-01 12:00:00". The
  // headless host gives its sheets' fixed date, with the day clock's time.
  virtual std::string LocalTimestamp();

  // ---- Cursor (window pixels)
  // Old ShowCursor: a display counter, the cursor shows while it is >= 0. Returns the new count.
  virtual int ShowCursor(bool show) = 0;
  // Confine the pointer to a rectangle, or free it (nullopt).
  virtual void ClipCursor(std::optional<Rect> area) = 0;
  virtual void SetCursorPos(int x, int y) = 0;
  virtual Point GetCursorPos() = 0;

  // ---- Screen
  // Shows the composed 640x480 frame.
  virtual void Present(const Surface& screen) = 0;
  // The picture changed. A host that paces frames to a display returns true and composes
  // the picture itself (HostClient::ComposeScreen) when the display takes its next frame,
  // so that nothing is composed only to be dropped; otherwise the caller composes and
  // presents at once.
  virtual bool PresentAtRefresh() { return false; }
  virtual ScreenMetrics Metrics() = 0;
  // Switches to a display mode for this program; 640x480 means the game's full screen,
  // anything else the desktop. Returns true on success.
  virtual bool ChangeDisplayMode(int width, int height) = 0;

  // ---- Text for controls and message boxes (TrueType; both hosts share the renderer).
  virtual Size MeasureText(std::string_view utf8, const TextStyle& style) = 0;
  virtual void DrawText(Surface& target, int x, int y, std::string_view utf8,
                        const TextStyle& style, const Rect& clip) = 0;

  // ---- Files decoded by the platform
  // A BMP file (8- or 24-bit) as a surface; nullopt if missing or unreadable.
  virtual std::optional<Surface> LoadBitmap(const std::string& path) = 0;

  // ---- Sound: one voice at a time. `wav` is a whole wave file's bytes.
  // Starts it, replacing what plays. When `wait` is set, returns once it has played
  // (the headless host advances its clock by the sound's length). False if it cannot be
  // decoded or there is nothing to play.
  virtual bool PlayWave(const std::vector<uint8_t>& wav, bool wait) = 0;
  virtual bool VoiceBusy() = 0;

  // ---- Outside programs
  // Starts a program without waiting for it. False if it does not exist or cannot start.
  virtual bool Launch(const std::string& program) = 0;
  // Opens the help file with the desktop's browser. False if that could not be done.
  virtual bool OpenHelp(const std::string& file) = 0;
  // Prints plain text as one job on the default printer.
  virtual PrintResult PrintText(const std::string& title, const std::string& text) = 0;

  // ---- Test hooks (no-ops on the real host)
  virtual void Trace(const TraceEvent& event) { (void)event; }
  // A message box opened: the headless host hands over a queued scripted answer, if any.
  virtual std::optional<int> MessageBoxOpened() { return std::nullopt; }
  virtual void MessageBoxClosed() {}
};

}  // namespace qm
