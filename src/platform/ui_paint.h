#pragma once
// Drawing the pieces of the control look: bevels, fields, arrows, marks and text clipped to
// a control. Every routine clips to the surface.

#include <string>
#include <string_view>
#include <vector>

#include "platform/surface.h"

namespace qm {

class Host;

namespace ui {

Rect Intersect(const Rect& a, const Rect& b);
Rect Inflate(const Rect& r, int by);
void FillClipped(Surface& s, const Rect& r, uint32_t rgb);
void HLine(Surface& s, int x, int y, int w, uint32_t rgb);
void VLine(Surface& s, int x, int y, int h, uint32_t rgb);
void Frame1(Surface& s, const Rect& r, uint32_t rgb);

// A raised edge (buttons, thumbs, windows) or a sunken one (fields), two pixels wide.
void RaisedEdge(Surface& s, const Rect& r);
void SunkenEdge(Surface& s, const Rect& r);
// A grey button face with its raised edge, or pressed in.
void Button(Surface& s, const Rect& r, bool pressedIn);
// A white field inside a sunken edge.
void SunkenField(Surface& s, const Rect& r, uint32_t back);
// The checkered lane of a scroll bar, white and grey pixels in turn.
void Trough(Surface& s, const Rect& r);
// The etched line pair of a frame.
void EtchedRect(Surface& s, const Rect& r);

enum class Arrow { Left, Right, Down };
// A small solid arrow centred in r.
void DrawArrow(Surface& s, const Rect& r, Arrow direction, uint32_t rgb);
// The tick of a check box, centred in the box r.
void DrawCheckMark(Surface& s, const Rect& box, uint32_t rgb);
// The shaded round well of an option button at (x, y), with its dot when set.
void DrawOptionCircle(Surface& s, int x, int y, bool set, uint32_t dot, uint32_t well);
// A filled disc of whole pixels.
void FillDisc(Surface& s, int cx, int cy, int radius, uint32_t rgb);

// Text lines: CR LF (or a bare LF) breaks a line.
std::vector<std::string> SplitLines(std::string_view text);
// Breaks each line further at spaces so that none is wider than maxWidth (a single word
// wider than that stays whole).
std::vector<std::string> WrapText(Host& host, std::string_view text, const TextStyle& style,
                                  int maxWidth);
// Height of one line in the style.
int LineHeight(Host& host, const TextStyle& style);

// Number of characters of UTF-8 text, and the text without its last character.
int Utf8Length(std::string_view text);
std::string DropLastUtf8(std::string_view text);

}  // namespace ui
}  // namespace qm
