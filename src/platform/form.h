#pragma once
// The main window's form: the stack of panels and controls, the event dispatcher
// (DoEvents), modal dialogs and the end of the program.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/controls.h"
#include "platform/host.h"

namespace qm {

class PictureBox;

// Thrown to end the program from any depth of nested loops (the window was closed, or the
// game unloaded its form). main() catches it; the form has already run QueryUnload.
struct ProgramEnd {
  int Code = 0;
};

class Form : public HostClient {
 public:
  static constexpr int Width = 640;
  static constexpr int Height = 480;

  explicit Form(Host& host);
  ~Form() override;
  Host& GetHost() const { return host_; }

  // The form's own surface, drawn on directly (the intro logos); panels cover it.
  Surface& Draw();
  const Surface& Image() const { return background_; }
  void Cls();

  // Key preview: the form sees every key before the control with the focus.
  std::function<void(int keyCode, int shift)> KeyDown;
  std::function<void(int keyAscii)> KeyPress;
  // Runs when the window's close box is used, before QueryUnload; false keeps the window
  // open (an editor asking about unsaved changes).
  std::function<bool()> QueryClose;
  // Runs before the program ends by a window close or Unload; never cancels.
  std::function<void()> QueryUnload;
  // The game state for the headless `dump`.
  std::function<std::string()> DumpStateHandler;

  // Pumps the host's pending events and dispatches them, re-entrantly, to the controls and
  // the form's handlers; then presents the screen if it changed and yields to the host.
  void DoEvents();
  // The same, for a loop that counts its passes (a wipe): it pauses a millisecond rather
  // than until the display's next refresh.
  void PumpEvents();
  // The same, for a loop with nothing to do until the player acts (the menu, a dialog): it
  // sleeps until an event comes or a tool tip or the caret is due.
  void WaitForInput();
  // Presents the screen now if anything changed since the last present.
  void Refresh();
  void Invalidate() { dirty_ = true; }

  // Shows a dialog (a picture box that is not a full-window panel) centred and modal: only
  // its controls take input until it is hidden. Runs its own event loop.
  void ShowModal(PictureBox& dialog);
  // The control that receives typed keys (a text box), or null.
  void SetFocus(Control* control);
  Control* Focus() const { return focus_; }

  // Runs QueryUnload and ends the program by throwing ProgramEnd.
  [[noreturn]] void Unload(int exitCode = 0);

  // Every control registers itself on construction, in creation order; that order is the
  // drawing order (later ones on top), the panels' stacking order among them.
  void Register(Control* control);
  void Unregister(Control* control);
  Control* FindControl(std::string_view name) const;
  // Every registered control, in creation order.
  const std::vector<Control*>& Controls() const { return controls_; }
  void Trace(const TraceEvent& event) { host_.Trace(event); }

  // HostClient
  void ComposeScreen(Surface& screen) override;
  std::optional<Rect> FindVisibleControl(std::string_view name) override;
  std::string DumpState() override;

  // Used by the message box and modal dialogs.
  void PushModal(Control* modalRoot);
  void PopModal(Control* modalRoot);
  // Drawn over everything while open (message boxes); null when none.
  std::function<void(Surface&)> OverlayPainter;

 private:
  struct Impl;
  // Dispatches what is pending and brings the screen up to date; true if there were events.
  bool Pump();
  Host& host_;
  Surface background_;
  std::vector<Control*> controls_;
  std::vector<Control*> modal_;
  Control* focus_ = nullptr;
  bool dirty_ = true;
  Impl* impl_;
};

}  // namespace qm
