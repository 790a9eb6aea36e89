#include <gtest/gtest.h>

#include <utility>

#include "platform/host.h"
#include "platform/sdl/sdl_input_map.h"

namespace qm {
namespace {

// The ranges and the keys whose old codes differ from SDL's by more than a table entry.
TEST(SdlInputMap, KeysAndButtonsBecomeTheOldCodes) {
  const std::pair<SDL_Keycode, int> keys[] = {
      {SDLK_a, 65},    {SDLK_z, 90},     {SDLK_9, 57},      {SDLK_KP_ENTER, KeyReturn},
      {SDLK_F12, 123}, {SDLK_KP_9, 105}, {SDLK_COMMA, 188}, {SDLK_RSHIFT, KeyShift}};
  for (const auto& [sdl, old] : keys) EXPECT_EQ(KeyCodeFromSdl(sdl), old) << sdl;
  EXPECT_FALSE(KeyCodeFromSdl(SDLK_AUDIOPLAY).has_value());
  EXPECT_EQ(ShiftFromSdl(KMOD_LSHIFT), 1);
  EXPECT_EQ(ShiftFromSdl(KMOD_RCTRL | KMOD_LALT), 6);
  EXPECT_EQ(ShiftFromSdl(KMOD_CAPS), 0);
  EXPECT_EQ(ButtonFromSdl(SDL_BUTTON_LEFT), LeftButton);
  EXPECT_EQ(ButtonFromSdl(SDL_BUTTON_RIGHT), RightButton);
  EXPECT_EQ(ButtonFromSdl(SDL_BUTTON_MIDDLE), MiddleButton);
  EXPECT_EQ(ButtonFromSdl(SDL_BUTTON_X1), 0);
  EXPECT_EQ(ButtonsFromSdlState(SDL_BUTTON_LMASK | SDL_BUTTON_RMASK), LeftButton | RightButton);
  EXPECT_EQ(ButtonsFromSdlState(SDL_BUTTON_MMASK | SDL_BUTTON_X2MASK), MiddleButton);
}

TEST(SdlInputMap, TypedTextIsCutIntoCharacters) {
  using Characters = std::vector<std::string>;
  EXPECT_EQ(SplitUtf8Characters("a<,"), (Characters{"a", "<", ","}));
  EXPECT_EQ(SplitUtf8Characters("\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80z"),
            (Characters{"\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x98\x80", "z"}));
  // A cut sequence keeps what it has and does not swallow the next character.
  EXPECT_EQ(SplitUtf8Characters("\xE2\x82q"), (Characters{"\xE2\x82", "q"}));
  EXPECT_TRUE(SplitUtf8Characters("").empty());
}

}  // namespace
}  // namespace qm
