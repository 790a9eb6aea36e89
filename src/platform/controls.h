#pragma once
// The small control set the game's panels are built from. Controls sit on a container (a
// picture box panel, a frame or a modal dialog) at pixel positions relative to it.
//
// Event rules kept from the old toolkit:
// - A value set by the program raises Click (check box, option button, combo box) or Change
//   (scroll bar, text box) just as a user's change does.
// - MouseDown / MouseMove / MouseUp handlers run only on real mouse actions.
// - The control that took a MouseDown keeps the mouse until the button is released.

#include <functional>
#include <string>
#include <vector>

#include "platform/surface.h"

namespace qm {

class Form;
class Host;

using MouseHandler = std::function<void(int button, int shift, int x, int y)>;

class Control {
 public:
  Control(Form& form, Control* container, std::string name, int index = -1);
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  // "lblMain(3)" for an element of a control array, else the bare name.
  const std::string& Name() const { return name_; }
  int Index() const { return index_; }
  Form& Owner() const { return form_; }
  Control* Container() const { return container_; }

  // Position and size in the container's pixels.
  const Rect& Bounds() const { return bounds_; }
  void Move(int left, int top);
  void Move(int left, int top, int width, int height);
  int Left() const { return bounds_.X; }
  int Top() const { return bounds_.Y; }
  int Width() const { return bounds_.W; }
  int Height() const { return bounds_.H; }
  // Position on the 640x480 window.
  Rect WindowRect() const;

  bool Visible() const { return visible_; }
  virtual void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible, and every container up to the form visible too.
  bool IsShown() const;
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  // Enabled, and every container enabled too.
  bool IsLive() const;

  std::string ToolTipText;
  MouseHandler MouseDown, MouseMove, MouseUp;
  std::function<void()> Click;

  // ---- Used by the form's dispatcher
  virtual void Paint(Surface& screen, Host& host);
  // Real mouse input in the control's own pixels. The defaults run the handlers; controls
  // with behaviour of their own (check boxes, scroll bars, ...) add it.
  virtual void OnMouseDown(int button, int shift, int x, int y);
  virtual void OnMouseMove(int button, int shift, int x, int y);
  virtual void OnMouseUp(int button, int shift, int x, int y);
  // Keys reaching the control with the focus (after the form's key preview).
  virtual void OnKeyDown(int keyCode, int shift) { (void)keyCode, (void)shift; }
  virtual void OnKeyPress(const std::string& utf8Char) { (void)utf8Char; }
  virtual bool TakesFocus() const { return false; }
  // Whether a point (control pixels) belongs to the control for mouse input.
  virtual bool HitTest(int x, int y) const;
  // Set by the dispatcher when this control takes a MouseDown: a later left-button MouseUp
  // inside it is then a click.
  void SetMousePressed(bool pressed) { pressed_ = pressed; }
  bool MousePressed() const { return pressed_; }

 protected:
  void Invalidate();
  // Whether this MouseUp completes a click (left button, pressed here, released inside);
  // ends the press either way.
  bool TakeClick(int button, int x, int y);
  // The window rectangle cut to every container's, where drawing the control may land.
  Rect ClipRect() const;
  // Caption colour: the style's, or grey while the control is not live.
  uint32_t CaptionRgb(const TextStyle& style) const;

 private:
  Form& form_;
  Control* container_;
  std::string name_;
  int index_;
  Rect bounds_;
  bool visible_ = true;
  bool enabled_ = true;
  bool pressed_ = false;
};

// A transparent label: only its caption is drawn, over whatever lies beneath.
class Label : public Control {
 public:
  using Control::Control;
  const std::string& Caption() const { return caption_; }
  // Traced as a `caption` event.
  void SetCaption(const std::string& caption);
  TextStyle Style{FontFace::SansBold, 13, 0xFFFFFF};
  enum class Align { Left, Center, Right } Alignment = Align::Left;
  void Paint(Surface& screen, Host& host) override;
  void OnMouseUp(int button, int shift, int x, int y) override;

 private:
  std::string caption_;
};

class CheckBox : public Control {
 public:
  using Control::Control;
  int Value() const { return value_; }
  // 0 or 1; a change raises Click.
  void SetValue(int value);
  std::string Caption;
  TextStyle Style{FontFace::Sans, 13, 0xFFFFFF};
  void Paint(Surface& screen, Host& host) override;
  void OnMouseUp(int button, int shift, int x, int y) override;

 private:
  int value_ = 0;
};

// Option buttons with the same group name on the same container exclude each other.
class OptionButton : public Control {
 public:
  OptionButton(Form& form, Control* container, std::string name, int index, std::string group);
  bool Value() const { return value_; }
  // Selecting raises Click and clears the others of the group; clearing raises nothing.
  void SetValue(bool value);
  const std::string& Caption() const { return caption_; }
  // Traced as a `caption` event.
  void SetCaption(const std::string& caption);
  const std::string& Group() const { return group_; }
  TextStyle Style{FontFace::Sans, 13, 0xFFFFFF};
  // Drawn as a push button rather than a round option (the shooter buttons of the menu).
  bool PushButtonStyle = false;
  void Paint(Surface& screen, Host& host) override;
  void OnMouseUp(int button, int shift, int x, int y) override;

 private:
  std::string group_;
  std::string caption_;
  bool value_ = false;
};

// A drop-down list.
class ComboBox : public Control {
 public:
  using Control::Control;
  void Clear();
  void AddItem(const std::string& item);
  int ListCount() const { return static_cast<int>(items_.size()); }
  const std::string& List(int i) const { return items_.at(i); }
  int ListIndex() const { return listIndex_; }
  // -1 for none; a change raises Click.
  void SetListIndex(int index);
  std::string Text() const;
  TextStyle Style{FontFace::Sans, 13, 0x000000};
  bool DroppedDown() const { return dropped_; }
  void Paint(Surface& screen, Host& host) override;
  // The open list, drawn above every panel.
  void PaintDropDown(Surface& screen, Host& host);
  Rect DropDownRect() const;  // window pixels
  void OnMouseDown(int button, int shift, int x, int y) override;
  void OnMouseUp(int button, int shift, int x, int y) override;
  // A click in the open list (window pixels); closes it.
  void ChooseAt(int windowX, int windowY);
  void CloseDropDown();
  bool HitTest(int x, int y) const override;
  void OnMouseMove(int button, int shift, int x, int y) override;

 private:
  int ItemHeight() const;
  int ItemAt(int windowX, int windowY) const;  // -1 outside the open list
  bool InBox(int x, int y) const { return x >= 0 && y >= 0 && x < Width() && y < Height(); }

  std::vector<std::string> items_;
  int listIndex_ = -1;
  bool dropped_ = false;
  int hotItem_ = -1;  // the item under the pointer in the open list
};

// A horizontal scroll bar.
class ScrollBar : public Control {
 public:
  using Control::Control;
  int Min = 0, Max = 100, SmallChange = 1, LargeChange = 5;
  int Value() const { return value_; }
  // Clamped to Min..Max; a change raises Change.
  void SetValue(int value);
  std::function<void()> Change;
  void Paint(Surface& screen, Host& host) override;
  void OnMouseDown(int button, int shift, int x, int y) override;
  void OnMouseMove(int button, int shift, int x, int y) override;
  void OnMouseUp(int button, int shift, int x, int y) override;
  // An arrow or the trough held down steps again and again, as the old bar did; called by
  // the dispatcher while this bar has the mouse.
  void RepeatWhileHeld(uint32_t nowMs);

 private:
  int ArrowWidth() const;
  int ThumbWidth() const;
  int ThumbLeft() const;  // control pixels
  void DragTo(int x);

  int value_ = 0;
  bool dragging_ = false;
  int grabOffset_ = 0;  // where in the thumb the drag took hold
  int repeatStep_ = 0;  // the step of the held arrow or trough; 0 when none is held
  bool repeatInTrough_ = false;
  int pointerX_ = 0;
  uint32_t nextRepeatMs_ = 0;
};

// A single-line editable text box, or a read-only multi-line one.
class TextBox : public Control {
 public:
  using Control::Control;
  const std::string& Text() const { return text_; }
  // Traced as a `text` event; raises Change.
  void SetText(const std::string& text);
  bool MultiLine = false;
  bool Locked = false;  // read-only
  int MaxLength = 0;    // characters; 0 for no limit
  TextStyle Style{FontFace::Sans, 13, 0x000000};
  std::function<void()> Change;
  void Paint(Surface& screen, Host& host) override;
  void OnKeyDown(int keyCode, int shift) override;
  void OnKeyPress(const std::string& utf8Char) override;
  bool TakesFocus() const override { return !Locked; }
  // The blinking caret of the box with the focus: on at once after each key.
  bool CaretVisible(uint32_t nowMs) const;
  // Milliseconds until the caret next blinks on or off.
  uint32_t MsToCaretChange(uint32_t nowMs) const;

 private:
  // Typing changes the text without a `text` trace; the program's changes are traced.
  void ChangeText(std::string text, bool traced);
  void PaintSingleLine(Surface& screen, Host& host, const Rect& field);
  void PaintLines(Surface& screen, Host& host, const Rect& field);

  std::string text_;
  uint32_t caretSince_ = 0;  // the last key, from which the caret blinks
};

// A frame: a captioned border that groups controls placed on it.
class Frame : public Control {
 public:
  using Control::Control;
  std::string Caption;
  void Paint(Surface& screen, Host& host) override;
};

// A push button: a caption on a raised face that shows pressed in while held; Click on release.
class CommandButton : public Control {
 public:
  using Control::Control;
  const std::string& Caption() const { return caption_; }
  // Traced as a `caption` event.
  void SetCaption(const std::string& caption);
  TextStyle Style{FontFace::Sans, 13, 0x000000};
  void Paint(Surface& screen, Host& host) override;
  void OnMouseDown(int button, int shift, int x, int y) override;
  void OnMouseUp(int button, int shift, int x, int y) override;

 private:
  std::string caption_;
};

// A shape; the game uses a circle outline.
class Shape : public Control {
 public:
  using Control::Control;
  OleColor BorderColor = 0xFFFFFF;
  void Paint(Surface& screen, Host& host) override;
  bool HitTest(int, int) const override { return false; }
};

}  // namespace qm
