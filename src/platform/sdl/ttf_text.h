#pragma once
// TrueType text for the controls and message boxes, shared by both hosts. Needs no window.

#include <map>
#include <string_view>
#include <utility>

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
  TTF_Font* Font(const TextStyle& style);

  bool ttfReady_ = false;
  std::map<std::pair<FontFace, int>, TTF_Font*> fonts_;
};

}  // namespace qm
