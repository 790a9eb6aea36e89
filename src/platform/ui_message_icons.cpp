#include "platform/ui_message_icons.h"

#include <cmath>

#include "platform/host.h"
#include "platform/ui_paint.h"

namespace qm {

namespace {

constexpr uint32_t Red = 0xE02020, Blue = 0x1848D8, Yellow = 0xFFD800, White = 0xFFFFFF;
constexpr uint32_t Black = 0x000000, Outline = 0x303030;

// A disc with a dark rim and a soft shadow to its lower right.
void Badge(Surface& s, int x, int y, uint32_t rgb) {
  ui::FillDisc(s, x + 17, y + 17, 14, 0x808080);
  ui::FillDisc(s, x + 15, y + 15, 15, Outline);
  ui::FillDisc(s, x + 15, y + 15, 14, rgb);
}

// A glyph centred on the badge, as large and bold as the badge allows.
void Glyph(Surface& s, Host& host, std::string_view text, int cx, int cy, int px, uint32_t rgb) {
  TextStyle style{FontFace::SansBold, px, rgb};
  Size size = host.MeasureText(text, style);
  host.DrawText(s, cx - size.W / 2, cy - size.H / 2, text, style, {0, 0, s.W, s.H});
}

void Cross(Surface& s, int x, int y) {
  for (int i = 0; i < 13; ++i) {
    for (int t = -1; t <= 1; ++t) {
      int a = x + 9 + i, b = y + 9 + i, c = y + 21 - i;
      if (s.Inside(a, b + t)) s.At(a, b + t) = White;
      if (s.Inside(a, c + t)) s.At(a, c + t) = White;
    }
  }
}

void WarningTriangle(Surface& s, int x, int y) {
  // Apex at the top centre, base along the bottom: filled yellow, a dark outline.
  for (int row = 0; row < 29; ++row) {
    int half = (row * 15) / 28;
    int left = x + 15 - half, width = 2 * half + 1;
    ui::HLine(s, left, y + 1 + row, width, Yellow);
    if (s.Inside(left, y + 1 + row)) s.At(left, y + 1 + row) = Outline;
    if (s.Inside(left + width - 1, y + 1 + row)) s.At(left + width - 1, y + 1 + row) = Outline;
  }
  ui::HLine(s, x, y + 30, 31, Outline);
  ui::HLine(s, x + 2, y + 31, 30, 0x808080);
}

}  // namespace

void DrawMessageIcon(Surface& screen, Host& host, MessageIcon icon, int x, int y) {
  switch (icon) {
    case MessageIcon::None:
      return;
    case MessageIcon::Critical:
      Badge(screen, x, y, Red);
      Cross(screen, x, y);
      return;
    case MessageIcon::Question:
      Badge(screen, x, y, Blue);
      Glyph(screen, host, "?", x + 15, y + 15, 22, White);
      return;
    case MessageIcon::Information:
      Badge(screen, x, y, Blue);
      Glyph(screen, host, "i", x + 15, y + 15, 22, White);
      return;
    case MessageIcon::Exclamation:
      WarningTriangle(screen, x, y);
      Glyph(screen, host, "!", x + 15, y + 19, 20, Black);
      return;
  }
}

}  // namespace qm
