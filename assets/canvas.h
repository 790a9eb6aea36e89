#pragma once
// Pictures and sounds as the generator paints and synthesises them, and their file formats.

#include <cstdint>
#include <string>
#include <vector>

namespace assets {

struct Rgb {
  uint8_t R = 0, G = 0, B = 0;
};

Rgb Mix(Rgb a, Rgb b, double t);  // t = 0 gives a, t = 1 gives b

class Image {
 public:
  Image() = default;
  Image(int w, int h, Rgb fill = {});
  int W() const { return w_; }
  int H() const { return h_; }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < w_ && y < h_; }
  Rgb Get(int x, int y) const { return px_[static_cast<size_t>(y) * w_ + x]; }
  void Set(int x, int y, Rgb c) {
    if (Inside(x, y)) px_[static_cast<size_t>(y) * w_ + x] = c;
  }
  // Blends c over the pixel with coverage alpha 0..1.
  void Blend(int x, int y, Rgb c, double alpha);
  void FillRect(int x, int y, int w, int h, Rgb c);
  // Copies a block of another image (no clipping surprises: clipped to both).
  void Paste(const Image& src, int sx, int sy, int w, int h, int dx, int dy);
  // Writes a 24-bit uncompressed BMP. Throws std::runtime_error on failure.
  void SaveBmp(const std::string& path) const;

 private:
  int w_ = 0, h_ = 0;
  std::vector<Rgb> px_;
};

enum class Font { Sans, SansBold, Serif, SerifBold, Mono, MonoBold, SansCondensedBold };

// Anti-aliased TrueType text; (x, y) is the top-left of the text's box. Returns its width.
int DrawText(Image& img, int x, int y, const std::string& utf8, Font font, int pixelSize, Rgb c);
int TextWidth(const std::string& utf8, Font font, int pixelSize);
int TextHeight(Font font, int pixelSize);
// Closes the fonts the text calls opened; before TTF_Quit, which would leave them dangling.
void CloseFonts();

// A deterministic noise source, so that every build paints the same pixels.
class Noise {
 public:
  explicit Noise(uint32_t seed) : state_(seed ? seed : 1) {}
  uint32_t Next();
  double Uniform();  // [0, 1)
  double Range(double lo, double hi) { return lo + (hi - lo) * Uniform(); }

 private:
  uint32_t state_;
};
// Smooth value noise in [0, 1] at real coordinates, for textures (grass, bark, clouds).
double ValueNoise(double x, double y, uint32_t seed);
double FractalNoise(double x, double y, int octaves, uint32_t seed);

// 16-bit mono PCM wave file. Samples are clamped to the 16-bit range.
void SaveWav(const std::string& path, const std::vector<double>& samples, int rate);
// Reads a 16-bit PCM wave (mono or stereo, mixed down), for committed voice recordings.
std::vector<double> LoadWav(const std::string& path, int* rate);

}  // namespace assets
