#include "sound_gun.h"

#include <cmath>
#include <numbers>

namespace assets {
namespace {

// A burst of filtered noise that dies away exponentially from `at`.
void AddNoiseBurst(Samples& s, Noise& noise, double at, double length, double tau, Biquad filter,
                   double amp) {
  Samples burst = Silence(length);
  for (size_t i = 0; i < burst.size(); ++i) {
    const double t = static_cast<double>(i) / SampleRate;
    burst[i] = filter.Step(WhiteNoise(noise)) * std::exp(-t / tau);
  }
  FadeEnds(burst, 0.0, length * 0.2);
  MixInto(s, burst, at, amp);
}

// A small piece of steel striking steel: a bright tick with a few ringing partials.
void AddMetalClick(Samples& s, Noise& noise, double at, double amp, double pitch) {
  AddNoiseBurst(s, noise, at, 0.02, 0.0012, Biquad::HighPass(2500), amp * 1.5);
  AddDecayingSine(s, at, 2300 * pitch, 0.006, amp * 0.5);
  AddDecayingSine(s, at, 3900 * pitch, 0.004, amp * 0.4);
  AddDecayingSine(s, at, 6100 * pitch, 0.0025, amp * 0.3);
}

// The muzzle blast itself: the crack and the chesty boom right at the gun.
Samples Blast(Noise& noise) {
  Samples s = Silence(0.5);
  AddNoiseBurst(s, noise, 0.0, 0.03, 0.004, Biquad::HighPass(1200), 1.0);
  AddNoiseBurst(s, noise, 0.0005, 0.25, 0.035, Biquad::LowPass(2200), 2.2);
  AddNoiseBurst(s, noise, 0.001, 0.5, 0.09, Biquad::LowPass(260), 6.0);
  // The boom drops in pitch as the pressure wave spreads.
  for (size_t i = 0; i < s.size(); ++i) {
    const double t = static_cast<double>(i) / SampleRate;
    const double hz = 45.0 + 55.0 * std::exp(-t / 0.03);
    s[i] += 0.8 * std::exp(-t / 0.08) * std::sin(2.0 * std::numbers::pi * hz * t);
  }
  FadeEnds(s, 0.0, 0.2);
  return s;
}

// The heavy closing of the breech: a solid clack with the low thunk of the action.
void AddBreechClose(Samples& s, Noise& noise, double at) {
  AddMetalClick(s, noise, at, 0.9, 0.8);
  AddNoiseBurst(s, noise, at, 0.08, 0.012, Biquad::BandPass(900, 1.5), 1.4);
  AddDecayingSine(s, at, 140, 0.02, 0.6);
  AddDecayingSine(s, at, 1750, 0.015, 0.3);
}

// A cartridge sliding into its chamber, ending in a soft seat.
void AddShellIn(Samples& s, Noise& noise, double at) {
  Samples slide = Silence(0.07);
  Biquad filter = Biquad::BandPass(3000, 1.2);
  for (size_t i = 0; i < slide.size(); ++i) {
    const double t = static_cast<double>(i) / slide.size();
    slide[i] = filter.Step(WhiteNoise(noise)) * std::sin(std::numbers::pi * t);
  }
  MixInto(s, slide, at, 0.35);
  AddNoiseBurst(s, noise, at + 0.07, 0.05, 0.008, Biquad::BandPass(600, 2.0), 1.2);
  AddDecayingSine(s, at + 0.07, 320, 0.012, 0.3);
}

// A spent plastic case flicked out by the ejector: a hollow pop.
void AddShellOut(Samples& s, Noise& noise, double at, double pitch) {
  AddNoiseBurst(s, noise, at, 0.05, 0.006, Biquad::BandPass(1100 * pitch, 3.0), 1.5);
  AddDecayingSine(s, at, 780 * pitch, 0.018, 0.35);
}

}  // namespace

Samples ShotReport() {
  Noise noise(0x5407);
  Samples s = Blast(noise);
  // The blast comes back off the trees behind the field: two clear repeats, then a tail.
  Samples far = s;
  Filter(far, Biquad::LowPass(900));
  MixInto(s, far, 0.17, 0.22);
  MixInto(s, far, 0.29, 0.12);
  AddEchoes(s, 0.055, 0.35, 5, 1400);
  s.resize(static_cast<size_t>(SampleCount(0.9)));
  Saturate(s, 1.6);
  FadeEnds(s, 0.0, 0.25);
  return s;
}

Samples EmptyClick() {
  Noise noise(0xC11C);
  Samples s = Silence(0.09);
  // The hammer falls on nothing, and the trigger blade taps its stop a moment later.
  AddMetalClick(s, noise, 0.002, 1.0, 1.0);
  AddMetalClick(s, noise, 0.024, 0.35, 1.25);
  s.resize(static_cast<size_t>(SampleCount(0.09)));
  FadeEnds(s, 0.0, 0.01);
  return s;
}

Samples Reload() {
  Noise noise(0x2E10);
  Samples s = Silence(1.15);
  AddMetalClick(s, noise, 0.01, 0.7, 1.0);  // top lever pushed across
  AddNoiseBurst(s, noise, 0.06, 0.08, 0.015, Biquad::BandPass(500, 1.5), 0.9);  // barrels drop
  AddShellOut(s, noise, 0.22, 1.0);
  AddShellOut(s, noise, 0.27, 0.9);
  AddShellIn(s, noise, 0.45);
  AddShellIn(s, noise, 0.66);
  AddBreechClose(s, noise, 0.92);
  s.resize(static_cast<size_t>(SampleCount(1.15)));
  // Round off the sharpest clicks so the quieter handling is heard beside the closing clack.
  Normalise(s, 0.0);
  Saturate(s, 2.5);
  FadeEnds(s, 0.0, 0.05);
  return s;
}

Samples CageBump() {
  Noise noise(0xB0B1);
  Samples s = Silence(0.3);
  // Wood struck by the fore-end: a few hollow modes, and a lighter rattle as it settles.
  const double modes[][3] = {
      {210, 0.05, 0.8}, {470, 0.035, 0.6}, {830, 0.02, 0.4}, {1370, 0.012, 0.25}};
  for (const auto& m : modes) AddDecayingSine(s, 0.002, m[0], m[1], m[2]);
  for (const auto& m : modes) AddDecayingSine(s, 0.075, m[0] * 1.04, m[1] * 0.6, m[2] * 0.35);
  AddNoiseBurst(s, noise, 0.002, 0.03, 0.003, Biquad::BandPass(1800, 1.0), 1.2);
  AddNoiseBurst(s, noise, 0.075, 0.03, 0.003, Biquad::BandPass(1900, 1.0), 0.5);
  s.resize(static_cast<size_t>(SampleCount(0.3)));
  FadeEnds(s, 0.0, 0.05);
  return s;
}

}  // namespace assets
