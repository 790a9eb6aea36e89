#include "platform/controls.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <utility>

#include "platform/form.h"
#include "platform/host.h"
#include "platform/ui_paint.h"
#include "platform/ui_theme.h"

namespace qm {

namespace {

std::string ArrayName(const std::string& name, int index) {
  return index < 0 ? name : name + "(" + std::to_string(index) + ")";
}

// Draws a caption's lines from (x, y) downwards, each aligned within width.
void DrawLines(Host& host, Surface& screen, const std::vector<std::string>& lines, int x, int y,
               int width, Label::Align align, const TextStyle& style, const Rect& clip) {
  int lineHeight = ui::LineHeight(host, style);
  for (const std::string& line : lines) {
    int left = x;
    if (align != Label::Align::Left) {
      int free = width - host.MeasureText(line, style).W;
      left += align == Label::Align::Center ? free / 2 : free;
    }
    if (!line.empty()) host.DrawText(screen, left, y, line, style, clip);
    y += lineHeight;
  }
}

}  // namespace

Control::Control(Form& form, Control* container, std::string name, int index)
    : form_(form), container_(container), name_(ArrayName(name, index)), index_(index) {
  form_.Register(this);
}

Control::~Control() {
  form_.Unregister(this);
}

void Control::Move(int left, int top) {
  Move(left, top, bounds_.W, bounds_.H);
}

void Control::Move(int left, int top, int width, int height) {
  Rect moved{left, top, std::max(0, width), std::max(0, height)};
  if (moved == bounds_) return;
  bounds_ = moved;
  Invalidate();
}

Rect Control::WindowRect() const {
  Rect r = bounds_;
  for (const Control* c = container_; c; c = c->container_) {
    r.X += c->bounds_.X;
    r.Y += c->bounds_.Y;
  }
  return r;
}

void Control::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  Invalidate();
}

bool Control::IsShown() const {
  for (const Control* c = this; c; c = c->container_)
    if (!c->visible_) return false;
  return true;
}

void Control::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Invalidate();
}

bool Control::IsLive() const {
  for (const Control* c = this; c; c = c->container_)
    if (!c->enabled_) return false;
  return true;
}

void Control::Paint(Surface& screen, Host& host) {
  (void)screen, (void)host;
}

void Control::OnMouseDown(int button, int shift, int x, int y) {
  if (MouseDown) MouseDown(button, shift, x, y);
}

void Control::OnMouseMove(int button, int shift, int x, int y) {
  if (MouseMove) MouseMove(button, shift, x, y);
}

void Control::OnMouseUp(int button, int shift, int x, int y) {
  bool click = TakeClick(button, x, y);
  if (MouseUp) MouseUp(button, shift, x, y);
  if (click && Click) Click();
}

bool Control::HitTest(int x, int y) const {
  return x >= 0 && y >= 0 && x < Width() && y < Height();
}

void Control::Invalidate() {
  form_.Invalidate();
}

bool Control::TakeClick(int button, int x, int y) {
  bool pressed = std::exchange(pressed_, false);
  return pressed && button == LeftButton && x >= 0 && y >= 0 && x < Width() && y < Height();
}

Rect Control::ClipRect() const {
  Rect clip = WindowRect();
  for (const Control* c = container_; c; c = c->container_)
    clip = ui::Intersect(clip, c->WindowRect());
  return ui::Intersect(clip, {0, 0, Form::Width, Form::Height});
}

uint32_t Control::CaptionRgb(const TextStyle& style) const {
  return IsLive() ? style.Rgb : ui::DisabledText;
}

// ---- Label

void Label::SetCaption(const std::string& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  Owner().Trace(TraceEvent("caption").With("control", Name()).With("text", caption_));
  Invalidate();
}

void Label::Paint(Surface& screen, Host& host) {
  if (caption_.empty()) return;
  Rect r = WindowRect();
  TextStyle style = Style;
  style.Rgb = CaptionRgb(Style);
  bool tall = r.H >= 2 * ui::LineHeight(host, style);
  auto lines = tall ? ui::WrapText(host, caption_, style, r.W) : ui::SplitLines(caption_);
  DrawLines(host, screen, lines, r.X, r.Y, r.W, Alignment, style, ClipRect());
}

void Label::OnMouseUp(int button, int shift, int x, int y) {
  // A label is a hot area: MouseUp, then Click when the press began on it.
  Control::OnMouseUp(button, shift, x, y);
}

// ---- CheckBox

void CheckBox::SetValue(int value) {
  if (value == value_) return;
  value_ = value;
  Invalidate();
  if (Click) Click();
}

void CheckBox::Paint(Surface& screen, Host& host) {
  Rect r = WindowRect();
  Rect box{r.X, r.Y + (r.H - ui::CheckSize) / 2, ui::CheckSize, ui::CheckSize};
  bool live = IsLive();
  ui::SunkenField(screen, box, live ? ui::Field : ui::Face);
  if (value_ != 0) ui::DrawCheckMark(screen, box, live ? ui::Text : ui::DisabledText);
  if (Caption.empty()) return;
  TextStyle style = Style;
  style.Rgb = CaptionRgb(Style);
  int textH = ui::LineHeight(host, style);
  int x = box.X + ui::CheckSize + ui::CaptionGap;
  host.DrawText(screen, x, r.Y + (r.H - textH) / 2, Caption, style, ClipRect());
}

void CheckBox::OnMouseUp(int button, int shift, int x, int y) {
  // The box has its new value by the time MouseUp runs: the options' MouseUp handlers read it.
  bool click = TakeClick(button, x, y);
  if (click) SetValue(value_ == 0 ? 1 : 0);
  if (MouseUp) MouseUp(button, shift, x, y);
}

// ---- OptionButton

OptionButton::OptionButton(Form& form, Control* container, std::string name, int index,
                           std::string group)
    : Control(form, container, std::move(name), index), group_(std::move(group)) {}

void OptionButton::SetValue(bool value) {
  if (value == value_) return;
  value_ = value;
  Invalidate();
  if (!value) return;
  for (Control* c : Owner().Controls()) {
    auto* other = dynamic_cast<OptionButton*>(c);
    if (other && other != this && other->Container() == Container() && other->group_ == group_)
      other->value_ = false;
  }
  if (Click) Click();
}

void OptionButton::SetCaption(const std::string& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  Owner().Trace(TraceEvent("caption").With("control", Name()).With("text", caption_));
  Invalidate();
}

void OptionButton::Paint(Surface& screen, Host& host) {
  Rect r = WindowRect();
  TextStyle style = Style;
  int textH = ui::LineHeight(host, style);
  if (PushButtonStyle) {
    // A push button keeps the desktop's button text colour, whatever lies under it.
    bool in = value_ || MousePressed();
    ui::Button(screen, r, in);
    style.Rgb = IsLive() ? ui::Text : ui::DisabledText;
    int textW = host.MeasureText(caption_, style).W;
    int shift = in ? 1 : 0;
    host.DrawText(screen, r.X + (r.W - textW) / 2 + shift, r.Y + (r.H - textH) / 2 + shift,
                  caption_, style, ui::Intersect(ui::Inflate(r, -2), ClipRect()));
    return;
  }
  bool live = IsLive();
  ui::DrawOptionCircle(screen, r.X, r.Y + (r.H - ui::OptionSize) / 2, value_,
                       live ? ui::Text : ui::DisabledText, live ? ui::Field : ui::Face);
  if (caption_.empty()) return;
  style.Rgb = CaptionRgb(Style);
  int x = r.X + ui::OptionSize + ui::CaptionGap;
  host.DrawText(screen, x, r.Y + (r.H - textH) / 2, caption_, style, ClipRect());
}

void OptionButton::OnMouseUp(int button, int shift, int x, int y) {
  // Selected before MouseUp runs, as a check box is; a click on the selected one changes nothing.
  bool click = TakeClick(button, x, y);
  if (PushButtonStyle) Invalidate();  // it was drawn held in
  if (click) SetValue(true);
  if (MouseUp) MouseUp(button, shift, x, y);
}

// ---- CommandButton

void CommandButton::SetCaption(const std::string& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  Owner().Trace(TraceEvent("caption").With("control", Name()).With("text", caption_));
  Invalidate();
}

void CommandButton::Paint(Surface& screen, Host& host) {
  Rect r = WindowRect();
  bool in = MousePressed();
  ui::Button(screen, r, in);
  TextStyle style = Style;
  style.Rgb = IsLive() ? Style.Rgb : ui::DisabledText;
  int textW = host.MeasureText(caption_, style).W;
  int textH = ui::LineHeight(host, style);
  int shift = in ? 1 : 0;
  host.DrawText(screen, r.X + (r.W - textW) / 2 + shift, r.Y + (r.H - textH) / 2 + shift, caption_,
                style, ui::Intersect(ui::Inflate(r, -2), ClipRect()));
}

void CommandButton::OnMouseDown(int button, int shift, int x, int y) {
  Invalidate();  // drawn held in
  Control::OnMouseDown(button, shift, x, y);
}

void CommandButton::OnMouseUp(int button, int shift, int x, int y) {
  Invalidate();
  Control::OnMouseUp(button, shift, x, y);
}

// ---- ComboBox

void ComboBox::Clear() {
  items_.clear();
  listIndex_ = -1;
  CloseDropDown();
  Invalidate();
}

void ComboBox::AddItem(const std::string& item) {
  items_.push_back(item);
  Invalidate();
}

void ComboBox::SetListIndex(int index) {
  if (index < -1 || index >= ListCount()) throw std::out_of_range("ListIndex " + Name());
  if (index == listIndex_) return;
  listIndex_ = index;
  Invalidate();
  if (Click) Click();
}

std::string ComboBox::Text() const {
  return listIndex_ < 0 ? std::string() : items_[listIndex_];
}

int ComboBox::ItemHeight() const {
  return Style.PixelSize + 3 + 2 * ui::ListItemPad;
}

Rect ComboBox::DropDownRect() const {
  Rect r = WindowRect();
  int shown = std::clamp(ListCount(), 1, ui::ListMaxItems);
  int h = shown * ItemHeight() + 2;
  int top = r.Y + r.H;
  if (top + h > Form::Height && r.Y - h >= 0) top = r.Y - h;  // no room below: open upwards
  return {r.X, top, r.W, h};
}

int ComboBox::ItemAt(int windowX, int windowY) const {
  Rect list = DropDownRect();
  if (!dropped_ || !list.Contains(windowX, windowY)) return -1;
  int item = (windowY - list.Y - 1) / ItemHeight();
  return item >= 0 && item < std::min(ListCount(), ui::ListMaxItems) ? item : -1;
}

void ComboBox::Paint(Surface& screen, Host& host) {
  Rect r = WindowRect();
  bool live = IsLive();
  ui::SunkenField(screen, r, live ? ui::Field : ui::Face);
  int buttonW = std::max(0, std::min(r.H - 4, 17));
  Rect button{r.X + r.W - 2 - buttonW, r.Y + 2, buttonW, r.H - 4};
  ui::Button(screen, button, dropped_);
  ui::DrawArrow(screen, button, ui::Arrow::Down, live ? ui::Text : ui::DisabledText);
  TextStyle style = Style;
  style.Rgb = CaptionRgb(Style);
  Rect textArea{r.X + 2, r.Y + 2, r.W - 4 - buttonW, r.H - 4};
  int textH = ui::LineHeight(host, style);
  host.DrawText(screen, r.X + ui::FieldPadding, r.Y + (r.H - textH) / 2, Text(), style,
                ui::Intersect(textArea, ClipRect()));
}

void ComboBox::PaintDropDown(Surface& screen, Host& host) {
  if (!dropped_) return;
  Rect list = DropDownRect();
  ui::FillClipped(screen, list, ui::Field);
  ui::Frame1(screen, list, ui::DarkShadow);
  int itemH = ItemHeight();
  int textH = ui::LineHeight(host, Style);
  for (int i = 0; i < std::min(ListCount(), ui::ListMaxItems); ++i) {
    Rect item{list.X + 1, list.Y + 1 + i * itemH, list.W - 2, itemH};
    TextStyle style = Style;
    if (i == hotItem_) {
      ui::FillClipped(screen, item, ui::SelectionBack);
      style.Rgb = ui::SelectionText;
    }
    host.DrawText(screen, item.X + ui::FieldPadding - 1, item.Y + (itemH - textH) / 2, items_[i],
                  style, item);
  }
}

void ComboBox::OnMouseDown(int button, int shift, int x, int y) {
  Control::OnMouseDown(button, shift, x, y);
  if (button != LeftButton || !InBox(x, y)) return;
  dropped_ = !dropped_;
  hotItem_ = dropped_ ? listIndex_ : -1;
  Invalidate();
}

void ComboBox::OnMouseMove(int button, int shift, int x, int y) {
  Control::OnMouseMove(button, shift, x, y);
  if (!dropped_) return;
  Rect r = WindowRect();
  int item = ItemAt(r.X + x, r.Y + y);
  if (item >= 0 && item != hotItem_) {
    hotItem_ = item;
    Invalidate();
  }
}

void ComboBox::OnMouseUp(int button, int shift, int x, int y) {
  // A press that opened the list and a release over an item choose it, as a drag would.
  TakeClick(button, x, y);
  if (MouseUp) MouseUp(button, shift, x, y);
  Rect r = WindowRect();
  if (button == LeftButton && ItemAt(r.X + x, r.Y + y) >= 0) ChooseAt(r.X + x, r.Y + y);
}

void ComboBox::ChooseAt(int windowX, int windowY) {
  int item = ItemAt(windowX, windowY);
  CloseDropDown();
  if (item >= 0) SetListIndex(item);
}

void ComboBox::CloseDropDown() {
  if (!dropped_) return;
  dropped_ = false;
  hotItem_ = -1;
  Invalidate();
}

bool ComboBox::HitTest(int x, int y) const {
  if (InBox(x, y)) return true;
  Rect r = WindowRect();
  return dropped_ && DropDownRect().Contains(r.X + x, r.Y + y);
}

// ---- ScrollBar

void ScrollBar::SetValue(int value) {
  value = std::clamp(value, std::min(Min, Max), std::max(Min, Max));
  if (value == value_) return;
  value_ = value;
  Invalidate();
  if (Change) Change();
}

int ScrollBar::ArrowWidth() const {
  return std::min(Height(), Width() / 2);
}

int ScrollBar::ThumbWidth() const {
  int track = Width() - 2 * ArrowWidth();
  return std::clamp(Height(), std::min(ui::MinThumb, track), std::max(0, track));
}

int ScrollBar::ThumbLeft() const {
  int travel = Width() - 2 * ArrowWidth() - ThumbWidth();
  int range = Max - Min;
  if (range == 0 || travel <= 0) return ArrowWidth();
  return ArrowWidth() + static_cast<int>(static_cast<long long>(travel) * (value_ - Min) / range);
}

void ScrollBar::Paint(Surface& screen, Host& host) {
  (void)host;
  Rect r = WindowRect();
  int arrow = ArrowWidth();
  uint32_t ink = IsLive() ? ui::Text : ui::DisabledText;
  ui::Trough(screen, r);
  Rect left{r.X, r.Y, arrow, r.H}, right{r.X + r.W - arrow, r.Y, arrow, r.H};
  ui::Button(screen, left, false);
  ui::Button(screen, right, false);
  ui::DrawArrow(screen, left, ui::Arrow::Left, ink);
  ui::DrawArrow(screen, right, ui::Arrow::Right, ink);
  if (Max != Min && IsLive())
    ui::Button(screen, {r.X + ThumbLeft(), r.Y, ThumbWidth(), r.H}, false);
}

void ScrollBar::OnMouseDown(int button, int shift, int x, int y) {
  Control::OnMouseDown(button, shift, x, y);
  if (button != LeftButton) return;
  int direction = Max >= Min ? 1 : -1;  // a bar whose Max is below Min runs backwards
  int arrow = ArrowWidth(), thumb = ThumbLeft();
  bool inTrough = x >= arrow && x < Width() - arrow;
  if (inTrough && x >= thumb && x < thumb + ThumbWidth()) {
    dragging_ = true;
    grabOffset_ = x - thumb;
    return;
  }
  int change = inTrough ? LargeChange : SmallChange;
  bool back = inTrough ? x < thumb : x < arrow;
  repeatStep_ = (back ? -1 : 1) * direction * change;
  repeatInTrough_ = inTrough;
  pointerX_ = x;
  nextRepeatMs_ = Owner().GetHost().TimeGetTime() + ui::RepeatDelayMs;
  SetValue(value_ + repeatStep_);
}

void ScrollBar::RepeatWhileHeld(uint32_t nowMs) {
  if (repeatStep_ == 0 || nowMs < nextRepeatMs_) return;
  nextRepeatMs_ = nowMs + ui::RepeatIntervalMs;
  if (repeatInTrough_) {
    // The trough pages only until the thumb reaches the pointer.
    int thumb = ThumbLeft();
    bool back = (repeatStep_ < 0) == (Max >= Min);
    if (back ? pointerX_ >= thumb : pointerX_ < thumb + ThumbWidth()) return;
  }
  SetValue(value_ + repeatStep_);
}

void ScrollBar::DragTo(int x) {
  int travel = Width() - 2 * ArrowWidth() - ThumbWidth();
  if (travel <= 0) return;
  int along = std::clamp(x - grabOffset_ - ArrowWidth(), 0, travel);
  SetValue(Min + static_cast<int>(std::lround(static_cast<double>(along) * (Max - Min) / travel)));
}

void ScrollBar::OnMouseMove(int button, int shift, int x, int y) {
  Control::OnMouseMove(button, shift, x, y);
  pointerX_ = x;
  if (dragging_) DragTo(x);
}

void ScrollBar::OnMouseUp(int button, int shift, int x, int y) {
  if (dragging_ && button == LeftButton) {
    DragTo(x);
    dragging_ = false;
  }
  if (button == LeftButton) repeatStep_ = 0;
  Control::OnMouseUp(button, shift, x, y);
}

// ---- TextBox

void TextBox::SetText(const std::string& text) {
  ChangeText(text, true);
}

void TextBox::ChangeText(std::string text, bool traced) {
  if (traced) Owner().Trace(TraceEvent("text").With("control", Name()).With("text", text));
  if (text == text_) return;
  text_ = std::move(text);
  Invalidate();
  if (Change) Change();
}

void TextBox::OnKeyDown(int keyCode, int shift) {
  (void)keyCode, (void)shift;
  // Any key shows the caret at once, so that it never blinks away while the player types.
  caretSince_ = Owner().GetHost().TimeGetTime();
  Invalidate();
}

bool TextBox::CaretVisible(uint32_t nowMs) const {
  return ((nowMs - caretSince_) / ui::CaretBlinkMs) % 2 == 0;
}

uint32_t TextBox::MsToCaretChange(uint32_t nowMs) const {
  return ui::CaretBlinkMs - (nowMs - caretSince_) % ui::CaretBlinkMs;
}

void TextBox::OnKeyPress(const std::string& utf8Char) {
  if (Locked || MultiLine || utf8Char.empty()) return;
  unsigned char first = static_cast<unsigned char>(utf8Char[0]);
  if (first == KeyBack) {
    if (!text_.empty()) ChangeText(ui::DropLastUtf8(text_), false);
    return;
  }
  if (first < 32 || first == 127) return;
  if (MaxLength > 0 && ui::Utf8Length(text_) >= MaxLength) return;
  ChangeText(text_ + utf8Char, false);
}

void TextBox::PaintSingleLine(Surface& screen, Host& host, const Rect& field) {
  int textH = ui::LineHeight(host, Style);
  int textW = host.MeasureText(text_, Style).W;
  int room = field.W - 2 * ui::FieldPadding;
  // A long text scrolls left so that its end, where the player types, stays in view.
  int x = field.X + ui::FieldPadding - std::max(0, textW - room);
  int y = field.Y + (field.H - textH) / 2;
  Rect clip = ui::Intersect(ui::Inflate(field, -2), ClipRect());
  host.DrawText(screen, x, y, text_, Style, clip);
  bool focused = Owner().Focus() == this && IsLive();
  if (focused && CaretVisible(host.TimeGetTime()))
    ui::FillClipped(screen, ui::Intersect({x + textW + 1, y, 1, textH}, clip), Style.Rgb);
}

void TextBox::PaintLines(Surface& screen, Host& host, const Rect& field) {
  int lineHeight = ui::LineHeight(host, Style);
  Rect clip = ui::Intersect(ui::Inflate(field, -2), ClipRect());
  int y = field.Y + 3;
  for (const std::string& line : ui::SplitLines(text_)) {
    if (y >= clip.Y + clip.H) break;
    if (!line.empty()) host.DrawText(screen, field.X + ui::FieldPadding, y, line, Style, clip);
    y += lineHeight;
  }
}

void TextBox::Paint(Surface& screen, Host& host) {
  Rect r = WindowRect();
  ui::SunkenField(screen, r, Locked || !IsLive() ? ui::Face : ui::Field);
  if (MultiLine)
    PaintLines(screen, host, r);
  else
    PaintSingleLine(screen, host, r);
}

// ---- Frame and Shape

void Frame::Paint(Surface& screen, Host& host) {
  Rect r = WindowRect();
  // Like the captions of boxes and options, a frame's caption is light on the dark panels.
  TextStyle style{FontFace::Sans, 13, 0xFFFFFF};
  style.Rgb = CaptionRgb(style);
  int top = Caption.empty() ? 0 : ui::LineHeight(host, style) / 2;
  Rect box{r.X, r.Y + top, r.W, r.H - top};
  if (Caption.empty()) {
    ui::EtchedRect(screen, box);
    return;
  }
  // The top line leaves a gap for the caption, so the panel beneath shows through it.
  int gapLeft = 6, gapRight = 6 + host.MeasureText(Caption, style).W + 4;
  Surface& s = screen;
  for (auto [offset, rgb] : {std::pair{0, ui::Shadow}, std::pair{1, ui::Highlight}}) {
    ui::HLine(s, box.X + offset, box.Y + offset, gapLeft - offset, rgb);
    ui::HLine(s, box.X + gapRight, box.Y + offset, box.W - 1 - gapRight, rgb);
    ui::VLine(s, box.X + offset, box.Y + offset, box.H - 1, rgb);
    ui::HLine(s, box.X + offset, box.Y + box.H - 2 + offset, box.W - 1, rgb);
    ui::VLine(s, box.X + box.W - 2 + offset, box.Y + offset, box.H - 1, rgb);
  }
  host.DrawText(screen, r.X + gapLeft + 2, r.Y, Caption, style, ClipRect());
}

void Shape::Paint(Surface& screen, Host& host) {
  (void)host;
  Rect r = WindowRect();
  DrawCircle(screen, r.X + r.W / 2, r.Y + r.H / 2, r.W / 2, BorderColor);
}

}  // namespace qm
