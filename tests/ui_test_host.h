#pragma once
// The fake host with a hand for the mouse and keyboard, a log of what a control hears, and a
// form with one shown panel for the control, form and message box tests.

#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "fake_host.h"
#include "platform/form.h"
#include "platform/picture_box.h"
#include "platform/trace.h"

namespace qm {

class UiTestHost : public FakeHost {
 public:
  using K = HostEvent::Kind;
  // Queues one event; for a mouse event at (x, y), for an answer its button.
  void Push(K type, int x = 0, int y = 0, int button = 0, int key = 0, std::string text = "",
            int shift = 0) {
    Events.push_back({type, x, y, button, key, shift, std::move(text)});
  }
  void Move(int x, int y) { Push(K::MouseMove, x, y); }
  void Down(int x, int y, int button = LeftButton) { Push(K::MouseDown, x, y, button); }
  void Up(int x, int y, int button = LeftButton) { Push(K::MouseUp, x, y, button); }
  void Click(int x, int y, int button = LeftButton) {
    Move(x, y);
    Down(x, y, button);
    Up(x, y, button);
  }
  // KeyDown, the typed character if any, KeyUp: as a keyboard sends them.
  void Key(int code, const std::string& typed = "", int shift = 0) {
    Push(K::KeyDown, 0, 0, 0, code, "", shift);
    if (!typed.empty()) Push(K::Char, 0, 0, 0, 0, typed);
    Push(K::KeyUp, 0, 0, 0, code);
  }
  // A letter's key code is its capital.
  void Type(const std::string& ascii) {
    for (char ch : ascii) Key(std::toupper(static_cast<unsigned char>(ch)), std::string(1, ch));
  }

  // Every event of a kind traced so far, as the trace file shows it.
  std::vector<std::string> TracedJson(std::string_view kind) const {
    std::vector<std::string> out;
    for (const TraceEvent& e : TracesOf(kind)) out.push_back(TraceFieldsJson(e));
    return out;
  }

  // Runs after every yield, so that a test can act while a modal loop is waiting.
  std::function<void()> OnYield;
  void Yield(bool hadEvents) override {
    FakeHost::Yield(hadEvents);
    if (OnYield) OnYield();
  }
};

// A control that logs its mouse events and clicks as "name event x,y".
inline void Watch(Control& c, std::vector<std::string>& log) {
  auto logger = [&log, &c](const char* what) {
    return [&log, &c, what](int button, int, int x, int y) {
      log.push_back(c.Name() + " " + what + std::to_string(button) + " " + std::to_string(x) + "," +
                    std::to_string(y));
    };
  };
  c.MouseDown = logger("down");
  c.MouseMove = logger("move");
  c.MouseUp = logger("up");
  c.Click = [&log, &c] { log.push_back(c.Name() + " click"); };
}

// A form on the hand-driven host with one full-window panel shown.
template <typename HostType = UiTestHost>
class FormOn : public ::testing::Test {
 protected:
  FormOn() { panel.Show(); }
  // Dispatches everything queued.
  void Pump() {
    while (!host.Events.empty()) form.DoEvents();
  }

  HostType host;
  Form form{host};
  PictureBox panel{form, nullptr, "picSelect", 640, 480};
};

}  // namespace qm
