#include "sound_menu.h"

namespace assets {

Samples MenuHover() {
  Noise noise(0x0E7);
  Samples s = Silence(0.16);
  // A light tick, then a small bell a fifth above: noticed, never tiring on a busy menu.
  for (int i = 0; i < SampleCount(0.002); ++i) s[static_cast<size_t>(i)] = WhiteNoise(noise) * 0.3;
  AddDecayingSine(s, 0.001, 1760, 0.035, 0.6);
  AddDecayingSine(s, 0.001, 2640, 0.022, 0.3);
  AddDecayingSine(s, 0.001, 5280, 0.008, 0.1);
  s.resize(static_cast<size_t>(SampleCount(0.16)));
  FadeEnds(s, 0.0, 0.03);
  return s;
}

Samples DefaultChime() {
  // Two soft bell notes falling a major third: heard in place of a missing remark or cheer,
  // so it must say "something was meant here" without sounding like a shot or a call.
  Samples s = Silence(0.6);
  AddDecayingSine(s, 0.0, 1318.5, 0.12, 0.5);
  AddDecayingSine(s, 0.0, 2637.0, 0.05, 0.12);
  AddDecayingSine(s, 0.14, 1046.5, 0.16, 0.5);
  AddDecayingSine(s, 0.14, 2093.0, 0.06, 0.12);
  s.resize(static_cast<size_t>(SampleCount(0.6)));
  FadeEnds(s, 0.002, 0.08);
  return s;
}

}  // namespace assets
