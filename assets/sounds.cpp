// Every wave the game plays: synthesised effects and ambience, and the committed spoken
// recordings levelled and written under the names the game asks for.

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "generators.h"
#include "sound_crowd.h"
#include "sound_dsp.h"
#include "sound_field.h"
#include "sound_gun.h"
#include "sound_menu.h"

namespace assets {
namespace {

// Full level for what the shooter does; the field and the menu sit further back.
constexpr double ForegroundDb = -3.0;
constexpr double FieldDb = -6.0;
constexpr double BackgroundDb = -10.0;

Samples LoadVoice(const Output& out, const std::string& name) {
  if (out.VoicesDir.empty()) throw std::runtime_error("no voices directory given for " + name);
  int rate = 0;
  Samples s = LoadWav(out.VoicesDir + "/" + name, &rate);
  if (s.empty() || rate <= 0) throw std::runtime_error("empty voice recording: " + name);
  if (rate != SampleRate) {
    s = Resample(s, static_cast<double>(rate) / SampleRate);
    // Interpolating up leaves faint mirror images above the recording's own top.
    for (int pass = 0; pass < 2; ++pass)
      Filter(s, Biquad::LowPass(0.42 * std::min(rate, SampleRate)));
  }
  FadeEnds(s, 0.005, 0.02);
  return s;
}

void Write(const Output& out, const std::string& file, Samples s, double peakDb) {
  Normalise(s, peakDb);
  SaveWav(out.Path(file), s, SampleRate);
}

void WriteVoice(const Output& out, const std::string& file, const std::string& recording) {
  Write(out, file, LoadVoice(out, recording), ForegroundDb);
}

void WriteCalls(const Output& out) {
  const char* words[] = {"ready", "pull", "go"};
  const char* genders[] = {"male", "female"};
  for (int gender = 0; gender < 2; ++gender) {
    for (int word = 0; word < 3; ++word) {
      const std::string file = "c0" + std::to_string(gender) + std::to_string(word) + ".wav";
      WriteVoice(out, file, std::string(genders[gender]) + "_" + words[word] + ".wav");
    }
  }
}

void WriteRemarks(const Output& out) {
  for (int n = 1; n <= 4; ++n) {
    WriteVoice(out, "r00" + std::to_string(n) + ".wav", "swing_" + std::to_string(n) + ".wav");
    WriteVoice(out, "br00" + std::to_string(n) + ".wav", "miss_" + std::to_string(n) + ".wav");
  }
}

void WriteCheers(const Output& out) {
  std::vector<Samples> shouts;
  for (int n = 1; n <= 4; ++n)
    shouts.push_back(LoadVoice(out, "cheer_" + std::to_string(n) + ".wav"));
  for (int n = 1; n <= 3; ++n) {
    Write(out, "tr00" + std::to_string(n) + ".wav", CrowdCheer(0xC4EE + 977u * n, shouts),
          ForegroundDb);
  }
}

}  // namespace

void GenerateSounds(const Output& out) {
  Write(out, "s000.wav", ShotReport(), ForegroundDb);
  Write(out, "k001.wav", EmptyClick(), ForegroundDb);
  Write(out, "t000.wav", TrapThrow(), ForegroundDb);
  Write(out, "l1.wav", ClayLanding(), FieldDb);
  Write(out, "b001.wav", CageBump(), FieldDb);
  Write(out, "r000.wav", Reload(), ForegroundDb);
  Write(out, "over.wav", MenuHover(), BackgroundDb);
  Write(out, "chime.wav", DefaultChime(), FieldDb);
  Write(out, "a1.wav", BirdsAndBreeze(), BackgroundDb);
  Write(out, "a2.wav", FarDogAndWind(), BackgroundDb);
  WriteCalls(out);
  WriteRemarks(out);
  WriteCheers(out);
}

}  // namespace assets
