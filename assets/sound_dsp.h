#pragma once
// The small kit the sound generator builds every wave from: sample buffers at the game's
// rate, filters, decaying partials, mixing and levelling.

#include <cstdint>
#include <vector>

#include "canvas.h"

namespace assets {

constexpr int SampleRate = 22050;
using Samples = std::vector<double>;

int SampleCount(double seconds);
Samples Silence(double seconds);

// Uniform white noise in [-1, 1) from the generator's deterministic source.
double WhiteNoise(Noise& noise);

// Two-pole filter (the usual audio cookbook shapes); Step filters one sample.
class Biquad {
 public:
  static Biquad LowPass(double hz, double q = 0.707);
  static Biquad HighPass(double hz, double q = 0.707);
  static Biquad BandPass(double hz, double q);
  double Step(double x);
  // Retunes a low pass, band pass or high pass in place, keeping its state, for sweeps.
  void Retune(double hz);

 private:
  enum class Shape { Low, High, Band };
  Biquad(Shape shape, double hz, double q);
  Shape shape_;
  double q_;
  double b0_ = 0, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
  double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

void Filter(Samples& s, Biquad filter);

// Adds a sine partial starting at `at` seconds that dies away with time constant `tau`.
void AddDecayingSine(Samples& s, double at, double hz, double tau, double amp);

// Adds src into dest starting at `at` seconds, scaled by gain; dest grows when needed.
void MixInto(Samples& dest, const Samples& src, double at, double gain);

double Peak(const Samples& s);
double PeakDb(const Samples& s);
// Scales the whole buffer so that its highest peak sits at peakDb dBFS.
void Normalise(Samples& s, double peakDb);
// Short fades at both ends, so no sound starts or stops with a click.
void FadeEnds(Samples& s, double inSeconds, double outSeconds);
// Gentle tanh saturation: rounds the tops of loud transients like a real microphone.
void Saturate(Samples& s, double drive);
// Plays the buffer faster (ratio > 1, higher and shorter) or slower, by linear interpolation.
Samples Resample(const Samples& s, double ratio);
// Repeats of the sound, each later copy delayed, quieter and duller, like a far tree line.
void AddEchoes(Samples& s, double delay, double gain, int count, double dullHz);

}  // namespace assets
