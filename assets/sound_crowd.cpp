#include "sound_crowd.h"

#include <cmath>
#include <numbers>

namespace assets {
namespace {

constexpr double Length = 2.8;

// One pair of hands: a short, bright slap whose colour depends on how the hands meet.
void AddClap(Samples& s, Noise& noise, double at, double hz, double amp) {
  Samples clap = Silence(0.04);
  Biquad body = Biquad::BandPass(hz, 1.6);
  for (size_t i = 0; i < clap.size(); ++i) {
    const double t = static_cast<double>(i) / SampleRate;
    clap[i] = body.Step(WhiteNoise(noise)) * std::exp(-t / 0.007);
  }
  MixInto(s, clap, at, amp);
}

// The crowd's applause swells in at once and thins out towards the end.
double Applause(double t) {
  const double rise = std::min(1.0, t / 0.15);
  const double fall = t < 1.6 ? 1.0 : std::max(0.0, 1.0 - (t - 1.6) / (Length - 1.7));
  return rise * fall;
}

void AddClapper(Samples& s, Noise& noise) {
  const double rate = noise.Range(3.6, 5.2);
  const double hz = noise.Range(900, 2400);
  const double loudness = noise.Range(0.4, 1.0);
  for (double t = noise.Range(0.0, 0.2); t < Length - 0.1;
       t += 1.0 / rate * noise.Range(0.9, 1.1)) {
    const double a = Applause(t);
    if (a <= 0.0 || noise.Uniform() > 0.4 + 0.6 * a) continue;  // tiring hands skip a beat
    AddClap(s, noise, t, hz * noise.Range(0.92, 1.08), loudness * a);
  }
}

// The low, wordless "hey" of a few people together.
void AddMurmur(Samples& s, Noise& noise) {
  Biquad voices = Biquad::BandPass(500, 0.9);
  for (size_t i = 0; i < s.size(); ++i) {
    const double t = static_cast<double>(i) / SampleRate;
    s[i] += voices.Step(WhiteNoise(noise)) * 0.5 * Applause(t) * (0.8 + 0.2 * std::sin(7.0 * t));
  }
}

}  // namespace

Samples CrowdCheer(uint32_t seed, const std::vector<Samples>& shouts) {
  Noise noise(seed);
  Samples s = Silence(Length);
  AddMurmur(s, noise);
  const int clappers = 9 + static_cast<int>(noise.Uniform() * 5);
  for (int c = 0; c < clappers; ++c) AddClapper(s, noise);
  s.resize(static_cast<size_t>(SampleCount(Length)));
  Normalise(s, -6.0);
  // Three or four shouts, each from a different "person": a different recording and pitch.
  const int shoutCount = shouts.empty() ? 0 : 3 + static_cast<int>(noise.Uniform() * 2);
  for (int k = 0; k < shoutCount; ++k) {
    Samples shout = Resample(shouts[(seed + k) % shouts.size()], noise.Range(0.88, 1.15));
    Normalise(shout, -6.0);
    MixInto(s, shout, 0.1 + k * 0.45 + noise.Range(0.0, 0.25), noise.Range(0.55, 0.85));
  }
  s.resize(static_cast<size_t>(SampleCount(Length)));
  FadeEnds(s, 0.01, 0.4);
  return s;
}

}  // namespace assets
