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

}  // namespace assets
