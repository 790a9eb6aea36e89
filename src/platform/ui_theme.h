#pragma once
// The look of the control set: the grey, bevelled desktop of the old toolkit, so that its
// buttons, boxes and fields sit well over the game's painted wood and baize panels.
// Colours are pixels, 0x00RRGGBB.

#include <cstdint>

#include "platform/surface.h"

namespace qm::ui {

constexpr uint32_t Face = 0xC0C0C0;         // buttons, scroll bars, message boxes
constexpr uint32_t FaceLight = 0xDFDFDF;    // inner highlight of a raised edge
constexpr uint32_t Highlight = 0xFFFFFF;    // outer highlight of a raised edge
constexpr uint32_t Shadow = 0x808080;       // inner shadow
constexpr uint32_t DarkShadow = 0x000000;   // outer shadow
constexpr uint32_t Field = 0xFFFFFF;        // text boxes, check boxes, lists
constexpr uint32_t PressedFace = 0xE8E8E8;  // a push button held in
constexpr uint32_t Text = 0x000000;
constexpr uint32_t DisabledText = 0x808080;
constexpr uint32_t SelectionBack = 0x000080;
constexpr uint32_t SelectionText = 0xFFFFFF;
constexpr uint32_t TitleLeft = 0x000080;  // message box title bar, a gradient
constexpr uint32_t TitleRight = 0x1084D0;
constexpr uint32_t TitleText = 0xFFFFFF;
constexpr uint32_t ToolTipBack = 0xFFFFE1;
constexpr uint32_t ToolTipText = 0x000000;

constexpr int CheckSize = 13;        // the square of a check box
constexpr int OptionSize = 12;       // the circle of an option button
constexpr int CaptionGap = 5;        // between a box or circle and its caption
constexpr int FieldPadding = 4;      // text inset in text boxes and combo boxes
constexpr int ListItemPad = 2;       // above and below each item of a drop-down list
constexpr int ListMaxItems = 10;     // a longer list is cut (the game's lists are short)
constexpr int MinThumb = 8;          // narrowest scroll bar thumb
constexpr int ToolTipDelayMs = 600;  // hovering still this long shows a tool tip
constexpr int CaretBlinkMs = 530;
constexpr int RepeatDelayMs = 400;  // a held scroll arrow waits, then repeats
constexpr int RepeatIntervalMs = 50;

constexpr TextStyle ControlText{FontFace::Sans, 13, Text};
constexpr TextStyle ToolTipStyle{FontFace::Sans, 12, ToolTipText};
constexpr TextStyle TitleStyle{FontFace::SansBold, 13, TitleText};

}  // namespace qm::ui
