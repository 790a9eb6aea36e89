#include <gtest/gtest.h>

#include "platform/host.h"
#include "platform/sdl/sdl_input_map.h"

namespace qm {
namespace {

// The ranges and the keys whose old codes differ from SDL's by more than a table entry.
TEST(SdlInputMap, KeysBecomeTheOldKeyCodes) {
  EXPECT_EQ(KeyCodeFromSdl(SDLK_a), 65);
  EXPECT_EQ(KeyCodeFromSdl(SDLK_z), 90);
  EXPECT_EQ(KeyCodeFromSdl(SDLK_9), 57);
  EXPECT_EQ(KeyCodeFromSdl(SDLK_KP_ENTER), KeyReturn);
  EXPECT_EQ(KeyCodeFromSdl(SDLK_F12), 123);
  EXPECT_EQ(KeyCodeFromSdl(SDLK_RSHIFT), KeyShift);
  EXPECT_EQ(KeyCodeFromSdl(SDLK_KP_9), 105);
  EXPECT_EQ(KeyCodeFromSdl(SDLK_COMMA), 188);
  EXPECT_FALSE(KeyCodeFromSdl(SDLK_AUDIOPLAY).has_value());
  EXPECT_EQ(ShiftFromSdl(KMOD_LSHIFT), 1);
  EXPECT_EQ(ShiftFromSdl(KMOD_RCTRL | KMOD_LALT), 6);
  EXPECT_EQ(ShiftFromSdl(KMOD_CAPS), 0);
}

TEST(SdlInputMap, ButtonsBecomeTheOldButtonBits) {
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
