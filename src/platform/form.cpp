#include "platform/form.h"

#include <algorithm>

#include "platform/picture_box.h"
#include "platform/ui_message_window.h"
#include "platform/ui_paint.h"
#include "platform/ui_theme.h"

namespace qm {

// The dispatcher's state: who holds the mouse, what the pointer hovers, the tool tip.
struct Form::Impl {
  Surface screen;
  std::vector<Control*> order;  // drawing order: each control followed by what it contains
  bool orderStale = true;
  Control* capture = nullptr;
  std::vector<Control*> capturesUnderModal;  // restored when the modal root closes
  int buttons = 0;                           // mouse buttons now held
  Point pointer{-1, -1};
  bool unloading = false;

  Control* hover = nullptr;
  uint32_t hoverSince = 0;
  bool tipShown = false;
  bool tipSuppressed = false;  // after a click, until the pointer moves
  Point tipAt;
  std::string tipText;
  bool caretShown = false;

  const std::vector<Control*>& Order(const Form& form);
  static bool Within(const Control* c, const Control* root);
  static bool InModalLayer(const Form& form, const Control* c);
  static Point Local(const Control* c, int x, int y);
  ComboBox* DroppedCombo(const Form& form);
  Control* TopmostAt(Form& form, int x, int y);

  void Dispatch(Form& form, const HostEvent& e);
  void MouseDown(Form& form, const HostEvent& e);
  void MouseMove(Form& form, const HostEvent& e);
  void MouseUp(Form& form, const HostEvent& e);
  void KeyDown(Form& form, const HostEvent& e);
  void KeyPress(Form& form, const std::string& utf8Char);
  Control* KeyTarget(Form& form);

  void HideTip(Form& form, bool suppress);
  void UpdateToolTip(Form& form);
  void UpdateCaret(Form& form);
  void PaintToolTip(Form& form, Surface& screen);
  // How long an idle form may sleep before a tool tip, the caret or a held scroll arrow
  // needs it.
  uint32_t MsToNextTimer(Form& form);
};

const std::vector<Control*>& Form::Impl::Order(const Form& form) {
  if (!orderStale) return order;
  order.clear();
  // Children follow their container, in creation order, so a panel's controls always lie
  // on it whenever they were made.
  auto add = [&](auto&& self, Control* parent) -> void {
    for (Control* c : form.controls_) {
      if (c->Container() != parent) continue;
      order.push_back(c);
      self(self, c);
    }
  };
  add(add, nullptr);
  for (Control* c : form.controls_)  // containers that are not registered, if any
    if (std::find(order.begin(), order.end(), c) == order.end()) order.push_back(c);
  orderStale = false;
  return order;
}

bool Form::Impl::Within(const Control* c, const Control* root) {
  for (; c; c = c->Container())
    if (c == root) return true;
  return false;
}

bool Form::Impl::InModalLayer(const Form& form, const Control* c) {
  return std::any_of(form.modal_.begin(), form.modal_.end(),
                     [&](const Control* root) { return Within(c, root); });
}

Point Form::Impl::Local(const Control* c, int x, int y) {
  Rect r = c->WindowRect();
  return {x - r.X, y - r.Y};
}

ComboBox* Form::Impl::DroppedCombo(const Form& form) {
  for (Control* c : form.controls_) {
    auto* combo = dynamic_cast<ComboBox*>(c);
    if (combo && combo->DroppedDown()) return combo;
  }
  return nullptr;
}

Control* Form::Impl::TopmostAt(Form& form, int x, int y) {
  Control* root = form.modal_.empty() ? nullptr : form.modal_.back();
  if (ComboBox* combo = DroppedCombo(form)) {
    Point p = Local(combo, x, y);
    if (combo->IsShown() && combo->HitTest(p.X, p.Y)) return combo;
  }
  const auto& controls = Order(form);
  for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
    Control* c = *it;
    if (root ? !Within(c, root) : InModalLayer(form, c)) continue;
    if (!c->IsShown() || !c->WindowRect().Contains(x, y)) continue;
    Point p = Local(c, x, y);
    if (c->HitTest(p.X, p.Y)) return c;
  }
  return nullptr;
}

void Form::Impl::Dispatch(Form& form, const HostEvent& e) {
  using Kind = HostEvent::Kind;
  switch (e.Type) {
    case Kind::MouseDown:
      MouseDown(form, e);
      break;
    case Kind::MouseMove:
      MouseMove(form, e);
      break;
    case Kind::MouseUp:
      MouseUp(form, e);
      break;
    case Kind::KeyDown:
      KeyDown(form, e);
      break;
    case Kind::Char:
      // Enter, Esc and Backspace reach KeyPress through their KeyDown; other control
      // characters never do.
      if (!e.Text.empty() && static_cast<unsigned char>(e.Text[0]) >= 32) KeyPress(form, e.Text);
      break;
    case Kind::Quit:
      if (form.QueryClose && !form.QueryClose()) break;  // the player chose to stay
      form.Unload(0);
      break;
    case Kind::Answer:
    case Kind::Dismiss:
      if (!form.modal_.empty()) {
        if (auto* box = dynamic_cast<MessageWindow*>(form.modal_.back()))
          box->Answer(e.Type == Kind::Answer ? e.Button : 0);
      }
      break;
    case Kind::Expose:
      form.Invalidate();
      break;
    case Kind::KeyUp:
      break;
  }
}

void Form::Impl::MouseDown(Form& form, const HostEvent& e) {
  pointer = {e.X, e.Y};
  bool otherHeld = (buttons & ~e.Button) != 0;
  buttons |= e.Button;
  HideTip(form, true);
  form.Invalidate();                             // buttons draw themselves held in
  if (capture && !otherHeld) capture = nullptr;  // its release was lost to a modal box
  if (capture) {
    // A second button while one is held goes to the control that has the mouse.
    Point p = Local(capture, e.X, e.Y);
    capture->OnMouseDown(e.Button, e.Shift, p.X, p.Y);
    return;
  }
  Control* target = TopmostAt(form, e.X, e.Y);
  ComboBox* combo = DroppedCombo(form);
  if (combo && target != combo) {
    combo->CloseDropDown();  // a click beside an open list only closes it
    return;
  }
  if (!target || !target->IsLive()) return;  // disabled: the click is swallowed
  capture = target;
  if (target->TakesFocus()) form.SetFocus(target);
  target->SetMousePressed(true);
  Point p = Local(target, e.X, e.Y);
  target->OnMouseDown(e.Button, e.Shift, p.X, p.Y);
}

void Form::Impl::MouseMove(Form& form, const HostEvent& e) {
  if (pointer != Point{e.X, e.Y}) {
    HideTip(form, false);
    hoverSince = form.host_.TimeGetTime();
  }
  pointer = {e.X, e.Y};
  if (capture && !capture->IsShown()) capture = nullptr;  // a hidden control lets go
  Control* target = capture ? capture : TopmostAt(form, e.X, e.Y);
  if (!target || (!capture && !target->IsLive())) return;
  Point p = Local(target, e.X, e.Y);
  target->OnMouseMove(buttons, e.Shift, p.X, p.Y);
}

void Form::Impl::MouseUp(Form& form, const HostEvent& e) {
  pointer = {e.X, e.Y};
  buttons &= ~e.Button;
  HideTip(form, true);
  form.Invalidate();
  Control* target = capture;
  if (target && !target->IsShown()) {
    target->SetMousePressed(false);
    target = nullptr;
    capture = nullptr;
  }
  if (buttons == 0) capture = nullptr;  // let go before the handler, which may run a long loop
  if (!target) {
    // Released without a press here: the control under the pointer hears it, never as a click.
    target = TopmostAt(form, e.X, e.Y);
    if (!target || !target->IsLive()) return;
    target->SetMousePressed(false);
  }
  Point p = Local(target, e.X, e.Y);
  target->OnMouseUp(e.Button, e.Shift, p.X, p.Y);
}

Control* Form::Impl::KeyTarget(Form& form) {
  Control* focus = form.focus_;
  if (!focus || !focus->IsShown() || !focus->IsLive()) return nullptr;
  if (!form.modal_.empty() && !Within(focus, form.modal_.back())) return nullptr;
  return focus;
}

void Form::Impl::KeyDown(Form& form, const HostEvent& e) {
  HideTip(form, true);
  if (!form.modal_.empty()) {
    // A message box or dialog was a window of its own: the main form's key preview is away.
    Control* root = form.modal_.back();
    root->OnKeyDown(e.Key, e.Shift);
    Control* focus = KeyTarget(form);
    if (focus && focus != root && !form.modal_.empty() && form.modal_.back() == root)
      focus->OnKeyDown(e.Key, e.Shift);
  } else {
    if (form.KeyDown) form.KeyDown(e.Key, e.Shift);
    if (Control* focus = KeyTarget(form)) focus->OnKeyDown(e.Key, e.Shift);
  }
  // These keys also type a character, as they did for the old key handlers.
  if (e.Key == KeyReturn || e.Key == KeyEscape || e.Key == KeyBack)
    KeyPress(form, std::string(1, static_cast<char>(e.Key)));
}

void Form::Impl::KeyPress(Form& form, const std::string& utf8Char) {
  unsigned char first = static_cast<unsigned char>(utf8Char[0]);
  if (!form.modal_.empty()) {
    Control* root = form.modal_.back();
    root->OnKeyPress(utf8Char);
    Control* focus = KeyTarget(form);
    if (focus && focus != root && !form.modal_.empty() && form.modal_.back() == root)
      focus->OnKeyPress(utf8Char);
    return;
  }
  if (form.KeyPress && utf8Char.size() == 1 && first < 128) form.KeyPress(first);
  if (Control* focus = KeyTarget(form)) focus->OnKeyPress(utf8Char);
}

void Form::Impl::HideTip(Form& form, bool suppress) {
  tipSuppressed = suppress;
  if (!tipShown) return;
  tipShown = false;
  form.Invalidate();
}

void Form::Impl::UpdateToolTip(Form& form) {
  uint32_t now = form.host_.TimeGetTime();
  Control* under = pointer.X < 0 ? nullptr : TopmostAt(form, pointer.X, pointer.Y);
  if (under && !under->IsLive()) under = nullptr;
  if (under != hover) {
    hover = under;
    hoverSince = now;
    if (tipShown) HideTip(form, tipSuppressed);
  }
  if (tipShown || tipSuppressed || !hover || buttons != 0 || hover->ToolTipText.empty()) return;
  if (now - hoverSince < static_cast<uint32_t>(ui::ToolTipDelayMs)) return;
  tipShown = true;
  tipAt = pointer;
  tipText = hover->ToolTipText;
  form.Invalidate();
}

void Form::Impl::UpdateCaret(Form& form) {
  auto* box = dynamic_cast<TextBox*>(form.focus_);
  if (!box || box->Locked || !box->IsShown()) return;
  bool shown = box->CaretVisible(form.host_.TimeGetTime());
  if (shown == caretShown) return;
  caretShown = shown;
  form.Invalidate();
}

uint32_t Form::Impl::MsToNextTimer(Form& form) {
  // Nothing timed pending: wake now and then all the same, to reap finished programs.
  constexpr uint32_t IdleMs = 1000;
  uint32_t now = form.host_.TimeGetTime();
  uint32_t wait = IdleMs;
  if (dynamic_cast<ScrollBar*>(capture)) wait = std::min<uint32_t>(wait, ui::RepeatIntervalMs);
  if (!tipShown && !tipSuppressed && hover && buttons == 0 && !hover->ToolTipText.empty()) {
    uint32_t since = now - hoverSince;
    uint32_t delay = static_cast<uint32_t>(ui::ToolTipDelayMs);
    wait = std::min(wait, since >= delay ? 0 : delay - since);
  }
  auto* box = dynamic_cast<TextBox*>(form.focus_);
  if (box && !box->Locked && box->IsShown()) wait = std::min(wait, box->MsToCaretChange(now));
  return wait;
}

void Form::Impl::PaintToolTip(Form& form, Surface& screen) {
  if (!tipShown) return;
  Size text = form.host_.MeasureText(tipText, ui::ToolTipStyle);
  Rect box{tipAt.X, tipAt.Y + 20, text.W + 8, text.H + 4};
  if (box.Y + box.H > Height) box.Y = tipAt.Y - box.H - 4;  // no room below the pointer
  box.X = std::clamp(box.X, 0, std::max(0, Width - box.W));
  box.Y = std::max(0, box.Y);
  ui::FillClipped(screen, box, ui::ToolTipBack);
  ui::Frame1(screen, box, ui::DarkShadow);
  form.host_.DrawText(screen, box.X + 4, box.Y + 2, tipText, ui::ToolTipStyle, box);
}

// ---- Form

Form::Form(Host& host) : host_(host), background_(Width, Height, 0), impl_(new Impl) {
  host_.Attach(this);
}

Form::~Form() {
  host_.Attach(nullptr);
  delete impl_;
}

Surface& Form::Draw() {
  Invalidate();
  return background_;
}

void Form::Cls() {
  background_.Fill(0);
  Invalidate();
}

bool Form::Pump() {
  // Inside a modal loop, pumping stops once its window closes, so that the events after
  // the answer go to whatever the program shows next.
  Control* waitingFor = modal_.empty() ? nullptr : modal_.back();
  bool hadEvents = false;
  HostEvent event;
  while (host_.PollEvent(event)) {
    hadEvents = true;
    impl_->Dispatch(*this, event);
    if (waitingFor && !waitingFor->Visible()) break;
  }
  if (auto* bar = dynamic_cast<ScrollBar*>(impl_->capture))
    bar->RepeatWhileHeld(host_.TimeGetTime());
  impl_->UpdateToolTip(*this);
  impl_->UpdateCaret(*this);
  Refresh();
  return hadEvents;
}

void Form::DoEvents() {
  bool hadEvents = Pump();
  host_.Yield(hadEvents);
}

void Form::PumpEvents() {
  Pump();
  host_.Spin();
}

void Form::WaitForInput() {
  Pump();
  host_.WaitForEvent(impl_->MsToNextTimer(*this));
}

void Form::Refresh() {
  if (!dirty_) return;
  dirty_ = false;
  if (host_.PresentAtRefresh()) return;
  ComposeScreen(impl_->screen);
  host_.Present(impl_->screen);
}

void Form::ShowModal(PictureBox& dialog) {
  Rect container = dialog.Container() ? dialog.Container()->WindowRect() : Rect{};
  dialog.Move((Width - dialog.Width()) / 2 - container.X,
              (Height - dialog.Height()) / 2 - container.Y);
  Control* savedFocus = focus_;
  dialog.Show();
  PushModal(&dialog);
  for (Control* c : impl_->Order(*this)) {
    if (Impl::Within(c, &dialog) && c->TakesFocus() && c->IsShown() && c->IsLive()) {
      focus_ = c;
      break;
    }
  }
  struct Restore {
    Form& form;
    PictureBox& dialog;
    Control* focus;
    ~Restore() {
      form.PopModal(&dialog);
      auto& all = form.controls_;
      form.focus_ = std::find(all.begin(), all.end(), focus) != all.end() ? focus : nullptr;
    }
  } restore{*this, dialog, savedFocus};
  while (dialog.Visible()) WaitForInput();
}

void Form::SetFocus(Control* control) {
  if (control == focus_) return;
  focus_ = control;
  Invalidate();
}

void Form::Unload(int exitCode) {
  if (!impl_->unloading) {
    impl_->unloading = true;
    if (QueryUnload) QueryUnload();
  }
  throw ProgramEnd{exitCode};
}

void Form::Register(Control* control) {
  controls_.push_back(control);
  impl_->orderStale = true;
  Invalidate();
}

void Form::Unregister(Control* control) {
  std::erase(controls_, control);
  std::erase(modal_, control);
  impl_->orderStale = true;
  if (focus_ == control) focus_ = nullptr;
  if (impl_->capture == control) impl_->capture = nullptr;
  if (impl_->hover == control) impl_->hover = nullptr;
  for (Control*& saved : impl_->capturesUnderModal)
    if (saved == control) saved = nullptr;
  Invalidate();
}

Control* Form::FindControl(std::string_view name) const {
  for (Control* c : controls_)
    if (c->Name() == name) return c;
  return nullptr;
}

void Form::ComposeScreen(Surface& screen) {
  if (screen.W != Width || screen.H != Height) screen = Surface(Width, Height);
  const auto& controls = impl_->Order(*this);
  // A shown panel that fills the window hides the form and everything painted before it.
  size_t first = 0;
  bool covered = false;
  for (size_t i = controls.size(); i-- > 0 && !covered;) {
    Control* c = controls[i];
    if (c->Container() || Impl::InModalLayer(*this, c) || !c->IsShown()) continue;
    auto* panel = dynamic_cast<PictureBox*>(c);
    covered = panel && panel->CoversWindow();
    first = i;
  }
  if (!covered) {
    first = 0;
    BitBlt(screen, 0, 0, Width, Height, background_, 0, 0, RasterOp::Copy);
  }
  for (size_t i = first; i < controls.size(); ++i) {
    Control* c = controls[i];
    if (!Impl::InModalLayer(*this, c) && c->IsShown()) c->Paint(screen, host_);
  }
  for (Control* root : modal_) {
    if (!root->IsShown()) continue;
    if (dynamic_cast<PictureBox*>(root)) {
      // A dialog gets the raised edge of a small window of its own.
      Rect r = root->WindowRect();
      ui::RaisedEdge(screen, ui::Inflate(r, 3));
      ui::Frame1(screen, ui::Inflate(r, 1), ui::Face);
    }
    for (Control* c : controls)
      if (Impl::Within(c, root) && c->IsShown()) c->Paint(screen, host_);
  }
  if (ComboBox* combo = impl_->DroppedCombo(*this); combo && combo->IsShown())
    combo->PaintDropDown(screen, host_);
  impl_->PaintToolTip(*this, screen);
  if (OverlayPainter) OverlayPainter(screen);
}

std::optional<Rect> Form::FindVisibleControl(std::string_view name) {
  Control* c = FindControl(name);
  if (!c || !c->IsShown()) return std::nullopt;
  return c->WindowRect();
}

std::string Form::DumpState() {
  return DumpStateHandler ? DumpStateHandler() : "{}";
}

void Form::PushModal(Control* modalRoot) {
  if (ComboBox* combo = impl_->DroppedCombo(*this)) combo->CloseDropDown();
  impl_->HideTip(*this, true);
  impl_->capturesUnderModal.push_back(impl_->capture);
  impl_->capture = nullptr;
  modal_.push_back(modalRoot);
  Invalidate();
}

void Form::PopModal(Control* modalRoot) {
  auto it = std::find(modal_.begin(), modal_.end(), modalRoot);
  if (it == modal_.end()) return;
  modal_.erase(it);
  if (!impl_->capturesUnderModal.empty()) {
    impl_->capture = impl_->buttons != 0 ? impl_->capturesUnderModal.back() : nullptr;
    impl_->capturesUnderModal.pop_back();
  }
  Invalidate();
}

}  // namespace qm
