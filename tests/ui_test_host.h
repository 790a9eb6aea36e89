#pragma once
// The fake host with a hand for the mouse and keyboard, for the control and form tests;
// and one that draws real text, for pictures of the control look that a person checks.

#include <cstdio>
#include <functional>
#include <string>

#include "fake_host.h"
#include "platform/bmp_writer.h"
#include "platform/sdl/ttf_text.h"

namespace qm {

class UiTestHost : public FakeHost {
 public:
  void Move(int x, int y) { Push(Mouse(HostEvent::Kind::MouseMove, x, y, 0)); }
  void Down(int x, int y, int button = LeftButton) {
    Push(Mouse(HostEvent::Kind::MouseDown, x, y, button));
  }
  void Up(int x, int y, int button = LeftButton) {
    Push(Mouse(HostEvent::Kind::MouseUp, x, y, button));
  }
  void Click(int x, int y, int button = LeftButton) {
    Move(x, y);
    Down(x, y, button);
    Up(x, y, button);
  }
  // KeyDown, the typed character if any, KeyUp: as a keyboard sends them.
  void Key(int code, const std::string& typed = "", int shift = 0) {
    HostEvent e;
    e.Type = HostEvent::Kind::KeyDown;
    e.Key = code;
    e.Shift = shift;
    Push(e);
    if (!typed.empty()) {
      HostEvent c;
      c.Type = HostEvent::Kind::Char;
      c.Text = typed;
      Push(c);
    }
    e.Type = HostEvent::Kind::KeyUp;
    Push(e);
  }
  void Type(const std::string& ascii) {
    for (char ch : ascii) {
      bool letter = ch >= 'a' && ch <= 'z';
      Key(letter ? ch - 'a' + 'A' : static_cast<unsigned char>(ch), std::string(1, ch));
    }
  }
  void Simple(HostEvent::Kind kind, int button = 0) {
    HostEvent e;
    e.Type = kind;
    e.Button = button;
    Push(e);
  }
  void Push(const HostEvent& e) { Events.push_back(e); }

  // Runs after every yield, so that a test can act while a modal loop is waiting.
  std::function<void()> OnYield;
  void Yield(bool hadEvents) override {
    FakeHost::Yield(hadEvents);
    if (OnYield) OnYield();
  }

 private:
  static HostEvent Mouse(HostEvent::Kind kind, int x, int y, int button) {
    HostEvent e;
    e.Type = kind;
    e.X = x;
    e.Y = y;
    e.Button = button;
    return e;
  }
};

class TextUiTestHost : public UiTestHost {
 public:
  Size MeasureText(std::string_view utf8, const TextStyle& style) override {
    return text_.Measure(utf8, style);
  }
  void DrawText(Surface& target, int x, int y, std::string_view utf8, const TextStyle& style,
                const Rect& clip) override {
    text_.Draw(target, x, y, utf8, style, clip);
  }

 private:
  TextRenderer text_;
};

// A 24-bit BMP of the surface, for looking at.
inline bool WriteBmp(const Surface& s, const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const std::string bytes = EncodeBmp24(s);
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && written;
}

}  // namespace qm
