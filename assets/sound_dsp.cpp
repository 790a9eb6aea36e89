#include "sound_dsp.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace assets {

int SampleCount(double seconds) {
  return static_cast<int>(std::lround(seconds * SampleRate));
}

Samples Silence(double seconds) {
  return Samples(static_cast<size_t>(SampleCount(seconds)), 0.0);
}

double WhiteNoise(Noise& noise) {
  return noise.Uniform() * 2.0 - 1.0;
}

Biquad::Biquad(Shape shape, double hz, double q) : shape_(shape), q_(q) {
  Retune(hz);
}

Biquad Biquad::LowPass(double hz, double q) {
  return Biquad(Shape::Low, hz, q);
}
Biquad Biquad::HighPass(double hz, double q) {
  return Biquad(Shape::High, hz, q);
}
Biquad Biquad::BandPass(double hz, double q) {
  return Biquad(Shape::Band, hz, q);
}

void Biquad::Retune(double hz) {
  hz = std::clamp(hz, 10.0, SampleRate * 0.45);
  const double w0 = 2.0 * std::numbers::pi * hz / SampleRate;
  const double cosW = std::cos(w0);
  const double alpha = std::sin(w0) / (2.0 * q_);
  const double a0 = 1.0 + alpha;
  switch (shape_) {
    case Shape::Low:
      b0_ = (1.0 - cosW) / 2.0 / a0;
      b1_ = (1.0 - cosW) / a0;
      b2_ = b0_;
      break;
    case Shape::High:
      b0_ = (1.0 + cosW) / 2.0 / a0;
      b1_ = -(1.0 + cosW) / a0;
      b2_ = b0_;
      break;
    case Shape::Band:
      b0_ = alpha / a0;
      b1_ = 0.0;
      b2_ = -alpha / a0;
      break;
  }
  a1_ = -2.0 * cosW / a0;
  a2_ = (1.0 - alpha) / a0;
}

double Biquad::Step(double x) {
  const double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
  x2_ = x1_;
  x1_ = x;
  y2_ = y1_;
  y1_ = y;
  return y;
}

void Filter(Samples& s, Biquad filter) {
  for (double& v : s) v = filter.Step(v);
}

void AddDecayingSine(Samples& s, double at, double hz, double tau, double amp) {
  const int start = SampleCount(at);
  const int length = SampleCount(tau * 7.0);
  if (static_cast<int>(s.size()) < start + length) s.resize(static_cast<size_t>(start + length));
  const int taper = length / 5;  // the last whisper of the partial fades to nothing, no tick
  for (int i = 0; i < length; ++i) {
    const double t = static_cast<double>(i) / SampleRate;
    const double end = std::min(1.0, static_cast<double>(length - i) / taper);
    s[static_cast<size_t>(start + i)] +=
        amp * end * std::exp(-t / tau) * std::sin(2.0 * std::numbers::pi * hz * t);
  }
}

void MixInto(Samples& dest, const Samples& src, double at, double gain) {
  const size_t start = static_cast<size_t>(std::max(0, SampleCount(at)));
  if (dest.size() < start + src.size()) dest.resize(start + src.size());
  for (size_t i = 0; i < src.size(); ++i) dest[start + i] += src[i] * gain;
}

double Peak(const Samples& s) {
  double peak = 0.0;
  for (double v : s) peak = std::max(peak, std::abs(v));
  return peak;
}

double PeakDb(const Samples& s) {
  return 20.0 * std::log10(std::max(Peak(s), 1e-12));
}

void Normalise(Samples& s, double peakDb) {
  const double peak = Peak(s);
  if (peak <= 0.0) return;
  const double gain = std::pow(10.0, peakDb / 20.0) / peak;
  for (double& v : s) v *= gain;
}

void FadeEnds(Samples& s, double inSeconds, double outSeconds) {
  const size_t in = std::min(s.size(), static_cast<size_t>(SampleCount(inSeconds)));
  const size_t out = std::min(s.size(), static_cast<size_t>(SampleCount(outSeconds)));
  for (size_t i = 0; i < in; ++i) s[i] *= static_cast<double>(i) / in;
  for (size_t i = 0; i < out; ++i) s[s.size() - 1 - i] *= static_cast<double>(i) / out;
}

void Saturate(Samples& s, double drive) {
  const double norm = std::tanh(drive);
  for (double& v : s) v = std::tanh(v * drive) / norm;
}

Samples Resample(const Samples& s, double ratio) {
  if (s.empty()) return {};
  const size_t length = static_cast<size_t>(static_cast<double>(s.size()) / ratio);
  Samples out(length);
  for (size_t i = 0; i < length; ++i) {
    const double pos = static_cast<double>(i) * ratio;
    const size_t at = static_cast<size_t>(pos);
    const double frac = pos - static_cast<double>(at);
    const double next = at + 1 < s.size() ? s[at + 1] : 0.0;
    out[i] = s[std::min(at, s.size() - 1)] * (1.0 - frac) + next * frac;
  }
  return out;
}

void AddEchoes(Samples& s, double delay, double gain, int count, double dullHz) {
  Samples echo = s;
  double level = 1.0;
  for (int k = 1; k <= count; ++k) {
    Filter(echo, Biquad::LowPass(dullHz));
    level *= gain;
    MixInto(s, echo, delay * k, level);
  }
}

}  // namespace assets
