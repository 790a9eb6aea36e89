#include "platform/ui_message_window.h"

#include <algorithm>

#include "platform/form.h"
#include "platform/host.h"
#include "platform/message_box.h"
#include "platform/ui_message_icons.h"
#include "platform/ui_paint.h"
#include "platform/ui_theme.h"

namespace qm {

namespace {

constexpr int Border = 3;
constexpr int TitleHeight = 18;
constexpr int Margin = 12;
constexpr int MaxTextWidth = 480;  // keeps the game's longest lines whole
constexpr int ButtonW = 75, ButtonH = 23, ButtonGap = 6;

MessageIcon IconFromStyle(int style) {
  switch (style & 0x70) {
    case vbCritical:
      return MessageIcon::Critical;
    case vbQuestion:
      return MessageIcon::Question;
    case vbExclamation:
      return MessageIcon::Exclamation;
    case vbInformation:
      return MessageIcon::Information;
    default:
      return MessageIcon::None;
  }
}

const char* ButtonCaption(const MessageRequest& request, int button) {
  if (!request.YesNo) return "OK";
  return button == 0 ? "Yes" : button == 1 ? "No" : "Cancel";
}

}  // namespace

MessageRequest MessageRequestFromStyle(const std::string& prompt, int style,
                                       const std::string& title) {
  MessageRequest request;
  request.Prompt = prompt;
  request.Title = title;
  request.YesNo = (style & 0x0F) == vbYesNo || (style & 0x0F) == vbYesNoCancel;
  request.Cancel = (style & 0x0F) == vbYesNoCancel;
  request.Icon = IconFromStyle(style);
  request.DefaultSecond = request.YesNo && (style & vbDefaultButton2) != 0;
  return request;
}

MessageLayout LayOutMessage(Host& host, const MessageRequest& request) {
  MessageLayout layout;
  layout.Lines = ui::WrapText(host, request.Prompt, ui::ControlText, MaxTextWidth);
  layout.LineHeight = ui::LineHeight(host, ui::ControlText);
  int textW = 0;
  for (const std::string& line : layout.Lines)
    textW = std::max(textW, host.MeasureText(line, ui::ControlText).W);
  int textH = static_cast<int>(layout.Lines.size()) * layout.LineHeight;
  bool icon = request.Icon != MessageIcon::None;
  int contentTop = Border + TitleHeight + Margin;
  int iconH = icon ? MessageIconSize : 0;
  layout.TextX = Margin + (icon ? MessageIconSize + Margin : 0) + Border;
  layout.TextY = contentTop + std::max(0, (iconH - textH) / 2);
  int buttons = request.YesNo ? (request.Cancel ? 3 : 2) : 1;
  int buttonsW = buttons * ButtonW + (buttons - 1) * ButtonGap;
  int titleW = host.MeasureText(request.Title, ui::TitleStyle).W;
  int width = std::max({layout.TextX + textW + Margin + 4 + Border,
                        buttonsW + 2 * Margin + 2 * Border, titleW + 40, 160});
  int buttonsTop = std::max(layout.TextY + textH, contentTop + iconH) + 14;
  int height = buttonsTop + ButtonH + Margin + Border;
  int left = (Form::Width - width) / 2, top = (Form::Height - height) / 2;
  layout.Window = {left, top, width, height};
  layout.TitleBar = {left + Border, top + Border, width - 2 * Border, TitleHeight};
  layout.Icon =
      icon ? Rect{left + Border + Margin, top + contentTop, MessageIconSize, MessageIconSize}
           : Rect{};
  layout.TextX += left;
  layout.TextY += top;
  int buttonLeft = left + (width - buttonsW) / 2;
  for (int i = 0; i < buttons; ++i)
    layout.Buttons.push_back(
        {buttonLeft + i * (ButtonW + ButtonGap), top + buttonsTop, ButtonW, ButtonH});
  return layout;
}

bool AnswerFits(const MessageRequest& request, int result) {
  if (!request.YesNo) return result == vbOK;
  return result == vbYes || result == vbNo || (request.Cancel && result == vbCancel);
}

MessageWindow::MessageWindow(Form& form, MessageRequest request)
    : Control(form, nullptr, "msgbox"), request_(std::move(request)) {
  layout_ = LayOutMessage(form.GetHost(), request_);
  const Rect& w = layout_.Window;
  Move(w.X, w.Y, w.W, w.H);
  focused_ = request_.DefaultSecond ? 1 : 0;
}

int MessageWindow::ResultOf(int button) const {
  if (!request_.YesNo) return vbOK;
  return button == 0 ? vbYes : button == 1 ? vbNo : vbCancel;
}

int MessageWindow::DefaultResult() const {
  return ResultOf(request_.DefaultSecond ? 1 : 0);
}

void MessageWindow::Answer(int result) {
  Close(AnswerFits(request_, result) ? result : DefaultResult());
}

void MessageWindow::Close(int result) {
  if (Answered()) return;
  result_ = result;
  Hide();
}

int MessageWindow::ButtonAt(int x, int y) const {
  for (size_t i = 0; i < layout_.Buttons.size(); ++i)
    if (layout_.Buttons[i].Contains(x, y)) return static_cast<int>(i);
  return -1;
}

void MessageWindow::Paint(Surface& screen, Host& host) {
  const Rect& w = layout_.Window;
  ui::FillClipped(screen, w, ui::Face);
  ui::RaisedEdge(screen, w);
  const Rect& bar = layout_.TitleBar;
  for (int i = 0; i < bar.W; ++i) {
    auto mix = [&](int shift) {
      int a = (ui::TitleLeft >> shift) & 0xFF, b = (ui::TitleRight >> shift) & 0xFF;
      return static_cast<uint32_t>(a + (b - a) * i / std::max(1, bar.W - 1)) << shift;
    };
    ui::VLine(screen, bar.X + i, bar.Y, bar.H, mix(16) | mix(8) | mix(0));
  }
  int titleH = ui::LineHeight(host, ui::TitleStyle);
  host.DrawText(screen, bar.X + 4, bar.Y + (bar.H - titleH) / 2, request_.Title, ui::TitleStyle,
                bar);
  DrawMessageIcon(screen, host, request_.Icon, layout_.Icon.X, layout_.Icon.Y);
  Rect textClip = ui::Inflate(w, -Border);
  int y = layout_.TextY;
  for (const std::string& line : layout_.Lines) {
    if (!line.empty()) host.DrawText(screen, layout_.TextX, y, line, ui::ControlText, textClip);
    y += layout_.LineHeight;
  }
  for (size_t i = 0; i < layout_.Buttons.size(); ++i) {
    const Rect& b = layout_.Buttons[i];
    bool in = held_ == static_cast<int>(i) && heldIn_;
    bool focused = focused_ == static_cast<int>(i);
    // The button Enter presses wears a black rim and a dotted focus line.
    Rect face = focused ? ui::Inflate(b, -1) : b;
    if (focused) ui::Frame1(screen, b, ui::DarkShadow);
    ui::Button(screen, face, in);
    const char* caption = ButtonCaption(request_, static_cast<int>(i));
    Size size = host.MeasureText(caption, ui::ControlText);
    int shift = in ? 1 : 0;
    host.DrawText(screen, b.X + (b.W - size.W) / 2 + shift, b.Y + (b.H - size.H) / 2 + shift,
                  caption, ui::ControlText, face);
    if (!focused) continue;
    Rect dots = ui::Inflate(b, -4);
    for (int x = dots.X; x < dots.X + dots.W; x += 2) {
      ui::HLine(screen, x, dots.Y, 1, ui::Text);
      ui::HLine(screen, x, dots.Y + dots.H - 1, 1, ui::Text);
    }
    for (int yy = dots.Y; yy < dots.Y + dots.H; yy += 2) {
      ui::VLine(screen, dots.X, yy, 1, ui::Text);
      ui::VLine(screen, dots.X + dots.W - 1, yy, 1, ui::Text);
    }
  }
}

void MessageWindow::OnMouseDown(int button, int shift, int x, int y) {
  (void)shift;
  if (button != LeftButton) return;
  Rect r = WindowRect();
  held_ = ButtonAt(r.X + x, r.Y + y);
  heldIn_ = held_ >= 0;
  if (held_ >= 0) focused_ = held_;
  Invalidate();
}

void MessageWindow::OnMouseMove(int button, int shift, int x, int y) {
  (void)button, (void)shift;
  if (held_ < 0) return;
  Rect r = WindowRect();
  bool in = ButtonAt(r.X + x, r.Y + y) == held_;
  if (in == heldIn_) return;
  heldIn_ = in;
  Invalidate();
}

void MessageWindow::OnMouseUp(int button, int shift, int x, int y) {
  (void)shift;
  SetMousePressed(false);
  if (button != LeftButton || held_ < 0) return;
  Rect r = WindowRect();
  int released = ButtonAt(r.X + x, r.Y + y);
  int pressed = std::exchange(held_, -1);
  heldIn_ = false;
  Invalidate();
  if (released == pressed) Close(ResultOf(pressed));
}

void MessageWindow::OnKeyDown(int keyCode, int shift) {
  (void)shift;
  int buttons = static_cast<int>(layout_.Buttons.size());
  switch (keyCode) {
    case KeyReturn:
    case KeySpace:
      Close(ResultOf(focused_));
      return;
    case KeyEscape:
      Close(request_.Cancel ? vbCancel : request_.YesNo ? vbNo : vbOK);
      return;
    case KeyTab:
    case KeyLeft:
    case KeyRight:
      focused_ = (focused_ + 1) % buttons;
      Invalidate();
      return;
    case 'Y':
      if (request_.YesNo) Close(vbYes);
      return;
    case 'N':
      if (request_.YesNo) Close(vbNo);
      return;
    case 'C':
      if (request_.Cancel) Close(vbCancel);
      return;
    default:
      return;
  }
}

}  // namespace qm
