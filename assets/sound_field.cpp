#include "sound_field.h"

#include <cmath>
#include <numbers>

namespace assets {
namespace {

constexpr double TwoPi = 2.0 * std::numbers::pi;

// Wind: low noise whose strength rises and falls in slow gusts.
Samples Wind(double seconds, uint32_t seed, double brightHz) {
  Noise noise(seed);
  Samples s = Silence(seconds);
  Biquad low = Biquad::LowPass(brightHz);
  Biquad band = Biquad::BandPass(brightHz * 0.6, 0.8);
  for (size_t i = 0; i < s.size(); ++i) {
    const double t = static_cast<double>(i) / SampleRate;
    const double gust = 0.35 + 0.65 * FractalNoise(t * 0.9, 0.5, 3, seed);
    band.Retune(brightHz * (0.4 + 0.5 * gust));
    const double n = WhiteNoise(noise);
    s[i] = (low.Step(n) * 0.7 + band.Step(n) * 0.9) * gust;
  }
  FadeEnds(s, 0.6, 0.8);
  return s;
}

// One bird note: a quick whistle gliding between two pitches, with a little warble.
void AddChirp(Samples& s, double at, double length, double fromHz, double toHz, double amp) {
  Samples note = Silence(length);
  double phase = 0.0;
  for (size_t i = 0; i < note.size(); ++i) {
    const double u = static_cast<double>(i) / note.size();
    const double hz = fromHz + (toHz - fromHz) * u + 120.0 * std::sin(TwoPi * 38.0 * u * length);
    phase += TwoPi * hz / SampleRate;
    note[i] = std::sin(phase) * std::sin(std::numbers::pi * u);
  }
  MixInto(s, note, at, amp);
}

// A short song phrase: a few rising and falling notes, then a trill.
void AddSongPhrase(Samples& s, Noise& noise, double at, double baseHz, double amp) {
  double t = at;
  const int notes = 3 + static_cast<int>(noise.Uniform() * 3);
  for (int n = 0; n < notes; ++n) {
    const double from = baseHz * noise.Range(0.85, 1.25);
    const double to = baseHz * noise.Range(0.8, 1.4);
    const double length = noise.Range(0.05, 0.11);
    AddChirp(s, t, length, from, to, amp);
    t += length + noise.Range(0.03, 0.08);
  }
  for (int n = 0; n < 7; ++n)
    AddChirp(s, t + n * 0.035, 0.028, baseHz * 1.3, baseHz * 1.1, amp * 0.7);
}

// One bark: a rough voiced yelp whose pitch leaps up and falls, shaped by the dog's mouth.
Samples Bark(Noise& noise, double pitch) {
  Samples s = Silence(0.18);
  double phase = 0.0;
  for (size_t i = 0; i < s.size(); ++i) {
    const double u = static_cast<double>(i) / s.size();
    const double hz = pitch * (1.0 + 0.5 * std::sin(std::numbers::pi * std::min(1.0, u * 1.6)));
    phase += hz / SampleRate;
    const double pulse = 2.0 * (phase - std::floor(phase)) - 1.0;  // buzzy throat
    const double env = std::pow(std::sin(std::numbers::pi * std::pow(u, 0.6)), 1.5);
    s[i] = (pulse + 0.4 * WhiteNoise(noise)) * env;
  }
  Samples mouth(s.size(), 0.0);
  Biquad first = Biquad::BandPass(650, 2.5), second = Biquad::BandPass(1500, 3.0);
  for (size_t i = 0; i < s.size(); ++i) mouth[i] = first.Step(s[i]) + 0.6 * second.Step(s[i]);
  return mouth;
}

// A crow's caw: a harsh, nasal call.
Samples Caw(Noise& noise) {
  Samples s = Silence(0.32);
  double phase = 0.0;
  for (size_t i = 0; i < s.size(); ++i) {
    const double u = static_cast<double>(i) / s.size();
    phase += (420.0 - 80.0 * u) / SampleRate;
    const double pulse = 2.0 * (phase - std::floor(phase)) - 1.0;
    s[i] = (pulse + 0.6 * WhiteNoise(noise)) * std::sin(std::numbers::pi * std::sqrt(u));
  }
  Samples out(s.size(), 0.0);
  Biquad nose = Biquad::BandPass(1300, 2.0);
  for (size_t i = 0; i < s.size(); ++i) out[i] = nose.Step(s[i]);
  return out;
}

}  // namespace

Samples TrapThrow() {
  Noise noise(0x7A9);
  Samples s = Silence(0.65);
  // The arm whips round (a rising whoosh), hits its stop (the clunk), and the clay hisses off.
  Biquad sweep = Biquad::BandPass(500, 1.8);
  for (size_t i = 0; i < s.size(); ++i) {
    const double t = static_cast<double>(i) / SampleRate;
    const double whoosh = t < 0.16 ? std::pow(t / 0.16, 2.0) : std::exp(-(t - 0.16) / 0.11);
    sweep.Retune(t < 0.16 ? 500.0 + 9000.0 * t * t / 0.16 : 1900.0 - 1500.0 * (t - 0.16));
    s[i] = sweep.Step(WhiteNoise(noise)) * whoosh * 1.4;
  }
  const double clunk = 0.155;
  AddDecayingSine(s, clunk, 95, 0.05, 0.9);
  AddDecayingSine(s, clunk, 260, 0.03, 0.5);
  AddDecayingSine(s, clunk, 710, 0.015, 0.3);
  AddDecayingSine(s, clunk, 1630, 0.008, 0.25);
  // The spring rings on briefly after the arm stops.
  AddDecayingSine(s, clunk + 0.005, 182, 0.09, 0.18);
  s.resize(static_cast<size_t>(SampleCount(0.65)));
  Saturate(s, 1.3);
  FadeEnds(s, 0.005, 0.08);
  return s;
}

Samples ClayLanding() {
  Noise noise(0x1A4D);
  Samples s = Silence(0.35);
  // A dull thump in the turf, some grass brushed aside, heard from out on the field.
  Samples thud = Silence(0.3);
  Biquad low = Biquad::LowPass(300);
  for (size_t i = 0; i < thud.size(); ++i) {
    const double t = static_cast<double>(i) / SampleRate;
    thud[i] = low.Step(WhiteNoise(noise)) * std::exp(-t / 0.03) * 3.0 +
              std::exp(-t / 0.045) * std::sin(TwoPi * (65.0 + 40.0 * std::exp(-t / 0.02)) * t);
  }
  MixInto(s, thud, 0.01, 1.0);
  Samples grass = Silence(0.2);
  Biquad hiss = Biquad::BandPass(3500, 0.8);
  for (size_t i = 0; i < grass.size(); ++i) {
    const double t = static_cast<double>(i) / SampleRate;
    grass[i] = hiss.Step(WhiteNoise(noise)) * std::exp(-t / 0.04);
  }
  FadeEnds(grass, 0.0, 0.05);
  MixInto(s, grass, 0.0, 0.35);
  s.resize(static_cast<size_t>(SampleCount(0.35)));
  FadeEnds(s, 0.003, 0.05);
  return s;
}

Samples BirdsAndBreeze() {
  Noise noise(0xB12D);
  Samples s = Wind(4.5, 0xA1, 500);
  Normalise(s, -12.0);
  Samples birds = Silence(4.5);
  AddSongPhrase(birds, noise, 0.4, 3400, 1.0);
  AddSongPhrase(birds, noise, 1.6, 4200, 0.5);  // a second bird, further off
  AddSongPhrase(birds, noise, 2.5, 3300, 0.85);
  AddChirp(birds, 3.6, 0.09, 2600, 3300, 0.5);
  AddChirp(birds, 3.75, 0.09, 2600, 3300, 0.5);
  Normalise(birds, -2.0);
  MixInto(s, birds, 0.0, 1.0);
  s.resize(static_cast<size_t>(SampleCount(4.5)));
  FadeEnds(s, 0.3, 0.5);
  return s;
}

Samples FarDogAndWind() {
  Noise noise(0xD06);
  Samples s = Wind(5.0, 0xA2, 350);
  Normalise(s, -10.0);
  Samples barks = Silence(5.0);
  MixInto(barks, Bark(noise, 380), 0.7, 1.0);
  MixInto(barks, Bark(noise, 400), 0.98, 0.9);
  MixInto(barks, Bark(noise, 370), 2.3, 1.0);
  MixInto(barks, Bark(noise, 390), 2.55, 0.85);
  MixInto(barks, Bark(noise, 410), 2.8, 0.8);
  // Far off: the highs are lost and the barks come back off the hills.
  Filter(barks, Biquad::LowPass(1800));
  AddEchoes(barks, 0.21, 0.3, 2, 1200);
  Normalise(barks, -3.0);
  MixInto(s, barks, 0.0, 1.0);
  Samples crow = Caw(noise);
  Normalise(crow, -9.0);
  MixInto(s, crow, 3.7, 1.0);
  MixInto(s, crow, 4.1, 0.8);
  s.resize(static_cast<size_t>(SampleCount(5.0)));
  FadeEnds(s, 0.3, 0.5);
  return s;
}

}  // namespace assets
