#include "platform/sdl/sdl_input_map.h"

#include "platform/host.h"

namespace qm {

namespace {

// The old punctuation key codes of a US keyboard.
std::optional<int> PunctuationKeyCode(SDL_Keycode key) {
  switch (key) {
    case SDLK_SEMICOLON:
      return 186;
    case SDLK_EQUALS:
      return 187;
    case SDLK_COMMA:
      return 188;
    case SDLK_MINUS:
      return 189;
    case SDLK_PERIOD:
      return 190;
    case SDLK_SLASH:
      return 191;
    case SDLK_BACKQUOTE:
      return 192;
    case SDLK_LEFTBRACKET:
      return 219;
    case SDLK_BACKSLASH:
      return 220;
    case SDLK_RIGHTBRACKET:
      return 221;
    case SDLK_QUOTE:
      return 222;
    default:
      return std::nullopt;
  }
}

std::optional<int> ControlKeyCode(SDL_Keycode key) {
  switch (key) {
    case SDLK_BACKSPACE:
      return KeyBack;
    case SDLK_TAB:
      return KeyTab;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
      return KeyReturn;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT:
      return KeyShift;
    case SDLK_LCTRL:
    case SDLK_RCTRL:
      return 17;
    case SDLK_LALT:
    case SDLK_RALT:
      return 18;
    case SDLK_PAUSE:
      return 19;
    case SDLK_CAPSLOCK:
      return 20;
    case SDLK_ESCAPE:
      return KeyEscape;
    case SDLK_SPACE:
      return KeySpace;
    case SDLK_PAGEUP:
      return 33;
    case SDLK_PAGEDOWN:
      return 34;
    case SDLK_END:
      return 35;
    case SDLK_HOME:
      return 36;
    case SDLK_LEFT:
      return KeyLeft;
    case SDLK_UP:
      return KeyUp;
    case SDLK_RIGHT:
      return KeyRight;
    case SDLK_DOWN:
      return KeyDown;
    case SDLK_INSERT:
      return 45;
    case SDLK_DELETE:
      return KeyDelete;
    case SDLK_KP_MULTIPLY:
      return 106;
    case SDLK_KP_PLUS:
      return 107;
    case SDLK_KP_MINUS:
      return 109;
    case SDLK_KP_PERIOD:
      return 110;
    case SDLK_KP_DIVIDE:
      return 111;
    default:
      return std::nullopt;
  }
}

}  // namespace

std::optional<int> KeyCodeFromSdl(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
  if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
  if (key >= SDLK_F1 && key <= SDLK_F12) return KeyF1 + (key - SDLK_F1);
  if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return 97 + (key - SDLK_KP_1);
  if (key == SDLK_KP_0) return 96;
  if (auto code = ControlKeyCode(key)) return code;
  return PunctuationKeyCode(key);
}

int ShiftFromSdl(Uint16 modifiers) {
  int shift = 0;
  if (modifiers & KMOD_SHIFT) shift |= 1;
  if (modifiers & KMOD_CTRL) shift |= 2;
  if (modifiers & KMOD_ALT) shift |= 4;
  return shift;
}

int ButtonFromSdl(Uint8 button) {
  switch (button) {
    case SDL_BUTTON_LEFT:
      return LeftButton;
    case SDL_BUTTON_RIGHT:
      return RightButton;
    case SDL_BUTTON_MIDDLE:
      return MiddleButton;
    default:
      return 0;
  }
}

int ButtonsFromSdlState(Uint32 state) {
  int buttons = 0;
  if (state & SDL_BUTTON_LMASK) buttons |= LeftButton;
  if (state & SDL_BUTTON_RMASK) buttons |= RightButton;
  if (state & SDL_BUTTON_MMASK) buttons |= MiddleButton;
  return buttons;
}

std::vector<std::string> SplitUtf8Characters(std::string_view utf8) {
  std::vector<std::string> characters;
  size_t i = 0;
  while (i < utf8.size()) {
    auto lead = static_cast<unsigned char>(utf8[i]);
    size_t length = lead < 0x80           ? 1
                    : (lead >> 5) == 0x6  ? 2
                    : (lead >> 4) == 0xE  ? 3
                    : (lead >> 3) == 0x1E ? 4
                                          : 1;
    size_t end = i + 1;
    // A broken sequence ends at the next lead byte rather than swallowing it.
    while (end < utf8.size() && end < i + length &&
           (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) {
      ++end;
    }
    characters.emplace_back(utf8.substr(i, end - i));
    i = end;
  }
  return characters;
}

}  // namespace qm
