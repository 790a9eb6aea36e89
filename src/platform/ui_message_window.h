#pragma once
// The window of a message box: laid out from its prompt, drawn in the game window over
// everything, answered by its buttons, Enter, Esc or a scripted answer.

#include <string>
#include <vector>

#include "platform/controls.h"

namespace qm {

enum class MessageIcon { None, Critical, Question, Exclamation, Information };

struct MessageRequest {
  std::string Prompt;
  std::string Title;
  bool YesNo = false;
  bool Cancel = false;  // vbYesNoCancel: a third button, Cancel, after Yes and No
  MessageIcon Icon = MessageIcon::None;
  bool DefaultSecond = false;  // vbDefaultButton2: No is the default of a Yes/No box
};

// Reads the old style word: buttons, icon and default button.
MessageRequest MessageRequestFromStyle(const std::string& prompt, int style,
                                       const std::string& title);

// Where everything of the box lies, in window pixels.
struct MessageLayout {
  Rect Window;
  Rect TitleBar;
  Rect Icon;  // empty without an icon
  int TextX = 0, TextY = 0, LineHeight = 0;
  std::vector<std::string> Lines;
  std::vector<Rect> Buttons;  // OK, or Yes then No (then Cancel)
};

MessageLayout LayOutMessage(Host& host, const MessageRequest& request);

// Whether the box has a button for this answer.
bool AnswerFits(const MessageRequest& request, int result);

class MessageWindow : public Control {
 public:
  MessageWindow(Form& form, MessageRequest request);

  const MessageRequest& Request() const { return request_; }
  bool Answered() const { return result_ != 0; }
  int Result() const { return result_; }  // vbOK, vbYes, vbNo or vbCancel
  // The result of the default button: OK, Yes, or No with vbDefaultButton2.
  int DefaultResult() const;
  // A scripted answer; one the box has no button for takes the default.
  void Answer(int result);

  void Paint(Surface& screen, Host& host) override;
  void OnMouseDown(int button, int shift, int x, int y) override;
  void OnMouseMove(int button, int shift, int x, int y) override;
  void OnMouseUp(int button, int shift, int x, int y) override;
  void OnKeyDown(int keyCode, int shift) override;

 private:
  int ButtonAt(int x, int y) const;  // window pixels; -1 for none
  int ResultOf(int button) const;
  void Close(int result);

  MessageRequest request_;
  MessageLayout layout_;
  int focused_ = 0;  // the button Enter presses; the default one to begin with
  int held_ = -1;    // the button the mouse went down on
  bool heldIn_ = false;
  int result_ = 0;
};

}  // namespace qm
