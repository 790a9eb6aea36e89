#pragma once
// Where the options panel's controls sit on its picture. The picture carries every caption;
// the boxes and buttons themselves are drawn without one.

#include "platform/surface.h"

namespace qm {

inline constexpr Rect CmbPlayerRect{32, 80, 156, 22};
inline constexpr Rect CmbSeasonRect{32, 134, 156, 22};

// Easy, Medium, Hard, one below the other.
inline constexpr Rect OptSkillRect(int index) {
  return {38, 192 + 22 * index, 18, 18};
}
// 50 Targets, 100 Targets.
inline constexpr Rect OptRoundSizeRect(int index) {
  return {38, 290 + 22 * index, 18, 18};
}

// Ready, Pull, Go, side by side.
inline constexpr Rect OptWordRect(int index) {
  constexpr int Left[] = {216, 290, 348};
  return {Left[index], 82, 18, 18};
}
// Male, Female.
inline constexpr Rect OptGenderRect(int index) {
  constexpr int Left[] = {216, 290};
  return {Left[index], 130, 18, 18};
}

// The choke circle itself is placed by the game around (300, 208); its scroll bar lies below.
inline constexpr Rect ChokeWell{266, 174, 68, 68};
inline constexpr Rect ScrChokeRect{236, 252, 128, 17};
inline constexpr Rect HscGunSensRect{216, 304, 112, 17};
inline constexpr Rect LblGunSensRect{336, 304, 40, 17};
inline constexpr Rect ChkInvertYRect{216, 338, 18, 18};
inline constexpr Rect ChkFullScreenRect{216, 364, 18, 18};

// Patterning, Tracking, Hint Line, Show Traps, Auto Clear.
inline constexpr Rect ChkPatterningRect{412, 84, 18, 18};
inline constexpr Rect ChkTrackingRect{412, 108, 18, 18};
inline constexpr Rect ChkHintLineRect{412, 132, 18, 18};
inline constexpr Rect ChkTrapHintRect{412, 156, 18, 18};
inline constexpr Rect ChkPatternClearRect{412, 180, 18, 18};

// Simultaneous, Trailing, Report, Fur and Feather, Single: 22 pixels apart.
inline constexpr Rect ChkPairsRect(int index) {
  return {412, 240 + 22 * index, 18, 18};
}

// lblOptions 0 Done, 1 Field Editor, 2 Help; the picture reads Field Editor, Help, Done.
inline constexpr Rect LblOptionsRect(int index) {
  constexpr Rect Buttons[] = {{470, 416, 120, 46}, {170, 416, 150, 46}, {340, 416, 110, 46}};
  return Buttons[index];
}

}  // namespace qm
