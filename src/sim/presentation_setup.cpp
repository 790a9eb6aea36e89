// Filling the two clay records of a presentation through the flight core: shared by the
// practice and tournament station loops, which differ only in how they choose the kind and
// the traps.

#include <string>

#include "app/frm_main.h"
#include "sim/clay_flight.h"

namespace qm {

void FrmMain::LoadFirstClay(float dx) {
  qm::LoadFirstClay(Field.Clays[0], Field.Traps[Shot.FirstTrap], dx, Timing.SpeedFactor, Rnd());
}

void FrmMain::ApplyFurAndFeather() {
  if (Shot.PresentationKind != FurAndFeather) return;
  // Fur and Feather is shot as a report pair, with a rabbit first where the trap has one.
  Shot.PresentationKind = Report;
  const TrapRecord& t = Field.Traps[Shot.FirstTrap];
  if (t.Rabbit != 0) {
    MakeRabbit(Field.Clays[0], t, Timing.SpeedFactor, Rnd());
  } else {
    lblFieldInfo[0]->SetCaption(" Report");
  }
}

void FrmMain::CaptionFirstClay() {
  const std::string text = ApplyDirection(Field.Clays[0], Field.Traps[Shot.FirstTrap]);
  // An unknown direction leaves the caption as it was.
  if (!text.empty())
    lblFieldInfo[1]->SetCaption(" Trap " + std::to_string(Shot.FirstTrap + 1) + text);
}

void FrmMain::LoadSecondClayOfPair(int16_t reportTrap) {
  Shot.LastClay = 1;
  Shot.SecondTrap = Shot.PresentationKind == Report ? reportTrap : Shot.FirstTrap;
  const TrapRecord& trap = Field.Traps[Shot.SecondTrap];
  qm::LoadSecondClayOfPair(Field.Clays[1], Field.Clays[0], trap, Shot.PresentationKind,
                           Timing.SpeedFactor, [this] { return Rnd(); });
  const std::string text = ApplyDirection(Field.Clays[1], trap);
  if (!text.empty()) {
    lblFieldInfo[1]->SetCaption(lblFieldInfo[1]->Caption() + " Trap " +
                                std::to_string(Shot.SecondTrap + 1) + text);
  }
}

}  // namespace qm
