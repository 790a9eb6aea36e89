#pragma once
// TrueType text for the controls and message boxes, shared by both hosts. Needs no window.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/surface.h"

typedef struct _TTF_Font TTF_Font;

namespace qm {

class TextRenderer {
 public:
  TextRenderer();
  ~TextRenderer();
  TextRenderer(const TextRenderer&) = delete;
  TextRenderer& operator=(const TextRenderer&) = delete;

  // The size the text takes on one line: an empty text is zero wide and one line high;
  // a missing font measures zero.
  Size Measure(std::string_view utf8, const TextStyle& style);
  // Anti-aliased text with its top-left corner at (x, y), touching only pixels inside clip.
  void Draw(Surface& target, int x, int y, std::string_view utf8, const TextStyle& style,
            const Rect& clip);

 private:
  // A text rendered once, kept as straight 0xAARRGGBB pixels.
  struct Rendered {
    int W = 0, H = 0;
    std::vector<uint32_t> Px;
  };
  TTF_Font* Font(const TextStyle& style);
  const Rendered* Render(TTF_Font* font, const std::string& text, const TextStyle& style);

  bool ttfReady_ = false;
  std::map<std::pair<FontFace, int>, TTF_Font*> fonts_;
  // Labels keep their texts from frame to frame: each is measured and rendered once. The
  // caches are dropped whole when they grow past their limit (a long session of changing
  // counts), which costs one render of each text still shown.
  std::map<std::tuple<FontFace, int, std::string>, Size> sizes_;
  std::map<std::tuple<FontFace, int, uint32_t, std::string>, Rendered> rendered_;
};

}  // namespace qm
