#include "platform/ui_paint.h"

#include <algorithm>

#include "platform/host.h"
#include "platform/ui_theme.h"

namespace qm::ui {

Rect Intersect(const Rect& a, const Rect& b) {
  int left = std::max(a.X, b.X), top = std::max(a.Y, b.Y);
  int right = std::min(a.X + a.W, b.X + b.W), bottom = std::min(a.Y + a.H, b.Y + b.H);
  if (right <= left || bottom <= top) return {left, top, 0, 0};
  return {left, top, right - left, bottom - top};
}

Rect Inflate(const Rect& r, int by) {
  return {r.X - by, r.Y - by, r.W + 2 * by, r.H + 2 * by};
}

void FillClipped(Surface& s, const Rect& r, uint32_t rgb) {
  Rect c = Intersect(r, {0, 0, s.W, s.H});
  if (c.W > 0 && c.H > 0) FillRect(s, c, rgb);
}

void HLine(Surface& s, int x, int y, int w, uint32_t rgb) {
  FillClipped(s, {x, y, w, 1}, rgb);
}
void VLine(Surface& s, int x, int y, int h, uint32_t rgb) {
  FillClipped(s, {x, y, 1, h}, rgb);
}

void Frame1(Surface& s, const Rect& r, uint32_t rgb) {
  HLine(s, r.X, r.Y, r.W, rgb);
  HLine(s, r.X, r.Y + r.H - 1, r.W, rgb);
  VLine(s, r.X, r.Y, r.H, rgb);
  VLine(s, r.X + r.W - 1, r.Y, r.H, rgb);
}

namespace {

// Two nested one-pixel edges: top-left colours then bottom-right colours, outer first.
void Edge(Surface& s, const Rect& r, uint32_t outerTl, uint32_t outerBr, uint32_t innerTl,
          uint32_t innerBr) {
  HLine(s, r.X, r.Y, r.W - 1, outerTl);
  VLine(s, r.X, r.Y, r.H - 1, outerTl);
  HLine(s, r.X, r.Y + r.H - 1, r.W, outerBr);
  VLine(s, r.X + r.W - 1, r.Y, r.H, outerBr);
  HLine(s, r.X + 1, r.Y + 1, r.W - 3, innerTl);
  VLine(s, r.X + 1, r.Y + 1, r.H - 3, innerTl);
  HLine(s, r.X + 1, r.Y + r.H - 2, r.W - 2, innerBr);
  VLine(s, r.X + r.W - 2, r.Y + 1, r.H - 2, innerBr);
}

}  // namespace

void RaisedEdge(Surface& s, const Rect& r) {
  Edge(s, r, Highlight, DarkShadow, FaceLight, Shadow);
}

void SunkenEdge(Surface& s, const Rect& r) {
  Edge(s, r, Shadow, Highlight, DarkShadow, FaceLight);
}

void Button(Surface& s, const Rect& r, bool pressedIn) {
  if (pressedIn) {
    FillClipped(s, r, PressedFace);
    Frame1(s, r, DarkShadow);
    Frame1(s, Inflate(r, -1), Shadow);
    return;
  }
  FillClipped(s, r, Face);
  RaisedEdge(s, r);
}

void SunkenField(Surface& s, const Rect& r, uint32_t back) {
  FillClipped(s, Inflate(r, -2), back);
  SunkenEdge(s, r);
}

void Trough(Surface& s, const Rect& r) {
  Rect c = Intersect(r, {0, 0, s.W, s.H});
  for (int y = c.Y; y < c.Y + c.H; ++y)
    for (int x = c.X; x < c.X + c.W; ++x) s.At(x, y) = (x + y) % 2 ? Face : Highlight;
}

void EtchedRect(Surface& s, const Rect& r) {
  Frame1(s, {r.X + 1, r.Y + 1, r.W - 1, r.H - 1}, Highlight);
  Frame1(s, {r.X, r.Y, r.W - 1, r.H - 1}, Shadow);
}

void DrawArrow(Surface& s, const Rect& r, Arrow direction, uint32_t rgb) {
  int size = std::max(2, std::min(r.W, r.H) / 4);  // rows of the triangle
  int cx = r.X + r.W / 2, cy = r.Y + r.H / 2;
  for (int i = 0; i < size; ++i) {
    int len = 2 * (size - i) - 1;
    switch (direction) {
      case Arrow::Down:
        HLine(s, cx - (len / 2), cy - size / 2 + i, len, rgb);
        break;
      case Arrow::Left:
        VLine(s, cx - size / 2 + i, cy - (2 * i + 1) / 2, 2 * i + 1, rgb);
        break;
      case Arrow::Right:
        VLine(s, cx + size / 2 - i, cy - (2 * i + 1) / 2, 2 * i + 1, rgb);
        break;
    }
  }
}

void DrawCheckMark(Surface& s, const Rect& box, uint32_t rgb) {
  // The old 7 x 7 tick, three pixels thick.
  int x = box.X + (box.W - 7) / 2, y = box.Y + (box.H - 7) / 2;
  static constexpr int Tops[7] = {2, 3, 4, 3, 2, 1, 0};
  for (int i = 0; i < 7; ++i) VLine(s, x + i, y + Tops[i], 3, rgb);
}

void FillDisc(Surface& s, int cx, int cy, int radius, uint32_t rgb) {
  for (int dy = -radius; dy <= radius; ++dy)
    for (int dx = -radius; dx <= radius; ++dx)
      if (dx * dx + dy * dy <= radius * radius + radius && s.Inside(cx + dx, cy + dy))
        s.At(cx + dx, cy + dy) = rgb;
}

void DrawOptionCircle(Surface& s, int x, int y, bool set, uint32_t dot, uint32_t well) {
  // Each ring pixel is shaded by the side it faces: light from the top left.
  const double centre = (OptionSize - 1) / 2.0;
  for (int j = 0; j < OptionSize; ++j) {
    for (int i = 0; i < OptionSize; ++i) {
      double dx = i - centre, dy = j - centre, d2 = dx * dx + dy * dy;
      if (!s.Inside(x + i, y + j) || d2 > 6.0 * 6.0) continue;
      bool upperLeft = dx + dy < 0;
      uint32_t rgb = well;
      if (d2 > 5.0 * 5.0)
        rgb = upperLeft ? Shadow : Highlight;
      else if (d2 > 4.0 * 4.0)
        rgb = upperLeft ? DarkShadow : FaceLight;
      else if (set && d2 <= 2.3 * 2.3)
        rgb = dot;
      s.At(x + i, y + j) = rgb;
    }
  }
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (true) {
    size_t lf = text.find('\n', start);
    std::string_view line = text.substr(start, lf == std::string_view::npos ? lf : lf - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.emplace_back(line);
    if (lf == std::string_view::npos) break;
    start = lf + 1;
  }
  return lines;
}

std::vector<std::string> WrapText(Host& host, std::string_view text, const TextStyle& style,
                                  int maxWidth) {
  std::vector<std::string> wrapped;
  for (const std::string& line : SplitLines(text)) {
    std::string current;
    size_t pos = 0;
    bool any = false;
    while (pos <= line.size()) {
      size_t space = line.find(' ', pos);
      if (space == std::string::npos) space = line.size();
      std::string word = line.substr(pos, space - pos);
      std::string candidate = any ? current + " " + word : word;
      if (any && host.MeasureText(candidate, style).W > maxWidth) {
        wrapped.push_back(current);
        current = word;
      } else {
        current = candidate;
      }
      any = true;
      pos = space + 1;
    }
    wrapped.push_back(current);
  }
  return wrapped;
}

int LineHeight(Host& host, const TextStyle& style) {
  int h = host.MeasureText("Ag", style).H;
  return h > 0 ? h : style.PixelSize + 3;
}

int Utf8Length(std::string_view text) {
  int n = 0;
  for (unsigned char c : text)
    if ((c & 0xC0) != 0x80) ++n;
  return n;
}

std::string DropLastUtf8(std::string_view text) {
  size_t end = text.size();
  while (end > 0 && (static_cast<unsigned char>(text[end - 1]) & 0xC0) == 0x80) --end;
  if (end > 0) --end;
  return std::string(text.substr(0, end));
}

}  // namespace qm::ui
