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
  return result == vbYes ? "yes" : result == vbNo ? "no" : result == vbCancel ? "cancel" : "ok";
}

// The box's own event loop; the modal root is taken down however the loop ends.
int RunMessageWindow(Form& form, const MessageRequest& request) {
  MessageWindow window(form, request);
  struct ModalScope {
    Form& form;
    Control* root;
    ~ModalScope() { form.PopModal(root); }
  } scope{form, &window};
  form.PushModal(&window);
  while (!window.Answered()) form.WaitForInput();
  return window.Result();
}

}  // namespace

int MsgBox(Form& form, const std::string& prompt, int style, const std::string& title) {
  MessageRequest request = MessageRequestFromStyle(prompt, style, title);
  Host& host = form.GetHost();
  int result = 0;
  if (std::optional<int> scripted = host.MessageBoxOpened()) {
    // A queued answer closes the box at once, before it is ever drawn.
    result = AnswerFits(request, *scripted)
                 ? *scripted
                 : (request.YesNo ? (request.DefaultSecond ? vbNo : vbYes) : vbOK);
  } else {
    result = RunMessageWindow(form, request);
  }
  host.MessageBoxClosed();
  form.Trace(TraceEvent("msgbox")
                 .With("title", request.Title)
                 .With("text", request.Prompt)
                 .With("buttons", request.Cancel  ? "yesnocancel"
                                  : request.YesNo ? "yesno"
                                                  : "ok")
                 .With("icon", IconName(request.Icon))
                 .With("answer", AnswerName(result)));
  return result;
}

}  // namespace qm
