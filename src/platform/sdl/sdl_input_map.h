#pragma once
// SDL's keys, modifiers and buttons in the old event codes the game's handlers expect.

#include <SDL.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

// The old key code of a key, or nullopt for keys the game never saw.
std::optional<int> KeyCodeFromSdl(SDL_Keycode key);
// Shift 1, Ctrl 2, Alt 4.
int ShiftFromSdl(Uint16 modifiers);
// Left 1, right 2, middle 4; 0 for the side buttons.
int ButtonFromSdl(Uint8 button);
// The buttons held in an SDL button state, as the same bits.
int ButtonsFromSdlState(Uint32 state);
// Typed text cut into single UTF-8 characters, one per old key press.
std::vector<std::string> SplitUtf8Characters(std::string_view utf8);

}  // namespace qm
