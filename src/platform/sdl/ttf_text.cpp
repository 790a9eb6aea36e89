#include "platform/sdl/ttf_text.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

namespace qm {

namespace {

// Far more texts than the game ever shows at once.
constexpr size_t CacheLimit = 512;

constexpr const char* SansPath = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr const char* SansBoldPath = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
// Liberation Mono has Courier New's metrics, which the score sheets were laid out in.
constexpr const char* MonoPath = "/usr/share/fonts/truetype/liberation/LiberationMono-Regular.ttf";
constexpr const char* MonoFallbackPath = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";

// Said once per face for the whole run: a missing font would otherwise repeat every frame.
void ReportMissingFont(FontFace face, const char* path) {
  static bool reported[3] = {false, false, false};
  auto index = static_cast<size_t>(face);
  if (index < 3 && reported[index]) return;
  if (index < 3) reported[index] = true;
  std::fprintf(stderr, "quillmoor: font %s could not be opened (%s); its text is not drawn\n", path,
               TTF_GetError());
}

// A stray line break or tab would draw as a box; controls lay out their own lines.
std::string PrintableText(std::string_view utf8) {
  std::string text;
  text.reserve(utf8.size());
  for (char c : utf8) {
    if (static_cast<unsigned char>(c) >= 0x20) text.push_back(c);
  }
  return text;
}

uint32_t Blend(uint32_t dst, uint32_t src, uint32_t alpha) {
  uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    uint32_t d = (dst >> shift) & 0xFF;
    uint32_t s = (src >> shift) & 0xFF;
    out |= (((s * alpha + d * (255 - alpha)) + 127) / 255) << shift;
  }
  return out;
}

}  // namespace

TextRenderer::TextRenderer() {
  ttfReady_ = TTF_Init() == 0;
  if (!ttfReady_) {
    std::fprintf(stderr, "quillmoor: the text renderer could not start (%s); text is not drawn\n",
                 TTF_GetError());
  }
}

TextRenderer::~TextRenderer() {
  for (auto& [key, font] : fonts_) {
    if (font) TTF_CloseFont(font);
  }
  if (ttfReady_) TTF_Quit();
}

TTF_Font* TextRenderer::Font(const TextStyle& style) {
  if (!ttfReady_) return nullptr;
  int size = std::max(1, style.PixelSize);
  auto key = std::make_pair(style.Face, size);
  if (auto found = fonts_.find(key); found != fonts_.end()) return found->second;

  const char* path = style.Face == FontFace::SansBold ? SansBoldPath
                     : style.Face == FontFace::Mono   ? MonoPath
                                                      : SansPath;
  // Sizes are points at 72 dots per inch, which makes them pixels.
  TTF_Font* font = TTF_OpenFont(path, size);
  if (!font && style.Face == FontFace::Mono) {
    path = MonoFallbackPath;
    font = TTF_OpenFont(path, size);
  }
  if (!font) ReportMissingFont(style.Face, path);
  fonts_[key] = font;
  return font;
}

Size TextRenderer::Measure(std::string_view utf8, const TextStyle& style) {
  TTF_Font* font = Font(style);
  if (!font) return {};
  std::string text = PrintableText(utf8);
  if (text.empty()) return {0, TTF_FontHeight(font)};
  auto key = std::make_tuple(style.Face, std::max(1, style.PixelSize), text);
  if (auto found = sizes_.find(key); found != sizes_.end()) return found->second;
  int w = 0, h = 0;
  if (TTF_SizeUTF8(font, text.c_str(), &w, &h) != 0) return {};
  if (sizes_.size() >= CacheLimit) sizes_.clear();
  sizes_.emplace(std::move(key), Size{w, h});
  return {w, h};
}

const TextRenderer::Rendered* TextRenderer::Render(TTF_Font* font, const std::string& text,
                                                   const TextStyle& style) {
  auto key = std::make_tuple(style.Face, std::max(1, style.PixelSize), style.Rgb, text);
  if (auto found = rendered_.find(key); found != rendered_.end()) return &found->second;
  SDL_Color color{static_cast<Uint8>((style.Rgb >> 16) & 0xFF),
                  static_cast<Uint8>((style.Rgb >> 8) & 0xFF), static_cast<Uint8>(style.Rgb & 0xFF),
                  255};
  SDL_Surface* rendered = TTF_RenderUTF8_Blended(font, text.c_str(), color);
  if (!rendered) return nullptr;
  SDL_Surface* argb = SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(rendered);
  if (!argb) return nullptr;
  Rendered out;
  if (SDL_LockSurface(argb) == 0) {
    out.W = argb->w;
    out.H = argb->h;
    out.Px.resize(static_cast<size_t>(out.W) * out.H);
    const auto* base = static_cast<const uint8_t*>(argb->pixels);
    for (int y = 0; y < out.H; ++y)
      std::memcpy(&out.Px[static_cast<size_t>(y) * out.W],
                  base + static_cast<size_t>(y) * argb->pitch,
                  static_cast<size_t>(out.W) * sizeof(uint32_t));
    SDL_UnlockSurface(argb);
  }
  SDL_FreeSurface(argb);
  if (rendered_.size() >= CacheLimit) rendered_.clear();
  return &rendered_.emplace(std::move(key), std::move(out)).first->second;
}

void TextRenderer::Draw(Surface& target, int x, int y, std::string_view utf8,
                        const TextStyle& style, const Rect& clip) {
  TTF_Font* font = Font(style);
  std::string text = PrintableText(utf8);
  if (!font || text.empty()) return;
  const Rendered* glyphs = Render(font, text, style);
  if (!glyphs) return;
  int left = std::max({clip.X, 0, x});
  int top = std::max({clip.Y, 0, y});
  int right = std::min({clip.X + clip.W, target.W, x + glyphs->W});
  int bottom = std::min({clip.Y + clip.H, target.H, y + glyphs->H});
  for (int py = top; py < bottom; ++py) {
    const uint32_t* row = &glyphs->Px[static_cast<size_t>(py - y) * glyphs->W];
    for (int px = left; px < right; ++px) {
      uint32_t src = row[px - x];
      uint32_t alpha = src >> 24;
      if (alpha == 0) continue;
      uint32_t& dst = target.At(px, py);
      dst = alpha == 255 ? (src & 0xFFFFFF) : Blend(dst, src & 0xFFFFFF, alpha);
    }
  }
}

}  // namespace qm
