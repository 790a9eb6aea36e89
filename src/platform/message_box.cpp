#include "platform/message_box.h"

#include "platform/form.h"
#include "platform/ui_message_window.h"

namespace qm {

namespace {

const char* IconName(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Critical:
      return "critical";
    case MessageIcon::Question:
      return "question";
    case MessageIcon::Exclamation:
      return "exclamation";
    case MessageIcon::Information:
      return "information";
    case MessageIcon::None:
      break;
  }
  return "none";
}

const char* AnswerName(int result) {
  return result == vbYes ? "yes" : result == vbNo ? "no" : "ok";
}

// The box's own event loop; the modal root is taken down however the loop ends.
int RunMessageWindow(Form& form, const MessageSpec& spec) {
  MessageWindow window(form, spec);
  struct ModalScope {
    Form& form;
    Control* root;
    ~ModalScope() { form.PopModal(root); }
  } scope{form, &window};
  form.PushModal(&window);
  while (!window.Answered()) form.DoEvents();
  return window.Result();
}

}  // namespace

int MsgBox(Form& form, const std::string& prompt, int style, const std::string& title) {
  MessageSpec spec = MessageSpecFromStyle(prompt, style, title);
  Host& host = form.GetHost();
  int result = 0;
  if (std::optional<int> scripted = host.MessageBoxOpened()) {
    // A queued answer closes the box at once, before it is ever drawn.
    bool fits = spec.YesNo ? (*scripted == vbYes || *scripted == vbNo) : *scripted == vbOK;
    result = fits ? *scripted : (spec.YesNo ? (spec.DefaultSecond ? vbNo : vbYes) : vbOK);
  } else {
    result = RunMessageWindow(form, spec);
  }
  host.MessageBoxClosed();
  form.Trace(TraceEvent("msgbox")
                 .With("title", spec.Title)
                 .With("text", spec.Prompt)
                 .With("buttons", spec.YesNo ? "yesno" : "ok")
                 .With("icon", IconName(spec.Icon))
                 .With("answer", AnswerName(result)));
  return result;
}

}  // namespace qm
