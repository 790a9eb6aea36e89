// Filling the two clay records of a presentation: shared by the practice and tournament
// station loops, which differ only in how they choose the kind and the traps.

#include <string>

#include "app/frm_main.h"
#include "platform/numeric.h"

namespace qm {

const char* KindCaption(int kind) {
  switch (kind) {
    case Simultaneous:
      return " Simultaneous";
    case Trailing:
      return " Trailing";
    case Report:
      return " Report";
    case FurAndFeather:
      return " Fur and Feather";
    default:
      return " Single";
  }
}

void FrmMain::MakeRabbit(ClayRecord& clay, const TrapRecord& trap) {
  clay.IsRabbit = -1;
  clay.Gravity = 1.0f;  // not scaled by the timing run
  clay.VX = static_cast<float>(SignOf(trap.DX) * 8) * Timing.SpeedFactor;
  clay.SpriteX = static_cast<int16_t>(546 + 20 * Floor(3 * Rnd()));
  if (clay.FloorY > trap.Y) clay.FloorY = trap.Y;
}

std::string FrmMain::ApplyDirection(ClayRecord& clay, const TrapRecord& trap) {
  switch (trap.Direction) {
    case Incoming:
      clay.SizeStep = -6;
      clay.SpriteY = 30;
      return " - Incoming ";
    case GoingAway:
      clay.SizeStep = 6;
      clay.SpriteY = 0;
      return " - Going Away ";
    case Crossing:
      clay.SizeStep = 0;
      clay.SpriteY = 18;
      return " - Crossing ";
    default:
      return "";
  }
}

void FrmMain::LoadSecondClay(const TrapRecord& t2, float vx, float vy) {
  ClayRecord& clay = Field.Clays[1];
  const float sf = Timing.SpeedFactor;
  clay.State = ClayLoaded;
  clay.X = t2.X;
  clay.VX = vx * sf;
  clay.VY = vy * sf;
  clay.SpriteX = static_cast<int16_t>(480 + 32 * Floor(4 * Rnd()));
  clay.FloorY = t2.FloorY;
  // Kept: the second clay's drag takes its sign from the first clay's horizontal speed.
  clay.DragX = static_cast<float>(-SignOf(Field.Clays[0].VX)) * sf * 0.02f;
  clay.Gravity = sf * 0.1f;
  clay.IsRabbit = 0;
}

void FrmMain::LoadFirstClay(float dx) {
  const float sf = Timing.SpeedFactor;
  const TrapRecord& t = Field.Traps[Shot.FirstTrap];
  ClayRecord& clay = Field.Clays[0];
  clay.State = ClayLoaded;
  clay.X = t.X;
  clay.Y = t.Y;
  clay.VX = dx * sf;
  clay.VY = t.DY * sf;
  clay.SpriteX = static_cast<int16_t>(480 + 32 * Floor(4 * Rnd()));
  clay.FloorY = t.FloorY;
  clay.DragX = static_cast<float>(-SignOf(clay.VX)) * sf * 0.02f;
  clay.Gravity = sf * 0.1f;
  clay.IsRabbit = 0;
}

void FrmMain::ApplyFurAndFeather() {
  if (Shot.PresentationKind != FurAndFeather) return;
  // Fur and Feather is shot as a report pair, with a rabbit first where the trap has one.
  Shot.PresentationKind = Report;
  const TrapRecord& t = Field.Traps[Shot.FirstTrap];
  if (t.Rabbit != 0) {
    MakeRabbit(Field.Clays[0], t);
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
  ClayRecord& clay0 = Field.Clays[0];
  ClayRecord& clay1 = Field.Clays[1];
  Shot.LastClay = 1;
  if (Shot.PresentationKind == Simultaneous) {
    Shot.SecondTrap = Shot.FirstTrap;
    const TrapRecord& t2 = Field.Traps[Shot.SecondTrap];
    const float vy = static_cast<float>(t2.DY + Rnd());
    LoadSecondClay(t2, static_cast<float>(SignOf(clay0.VX)) + t2.DX, vy);
    clay1.Y = t2.Y + 10;
  } else {
    Shot.SecondTrap = Shot.PresentationKind == Report ? reportTrap : Shot.FirstTrap;
    const TrapRecord& t2 = Field.Traps[Shot.SecondTrap];
    const float vx = static_cast<float>(Floor(3 * Rnd())) + t2.DX - 1;
    const float vy = static_cast<float>(t2.DY + Rnd());
    LoadSecondClay(t2, vx, vy);
    clay1.Y = t2.Y;
  }
  const std::string text = ApplyDirection(clay1, Field.Traps[Shot.SecondTrap]);
  if (!text.empty()) {
    lblFieldInfo[1]->SetCaption(lblFieldInfo[1]->Caption() + " Trap " +
                                std::to_string(Shot.SecondTrap + 1) + text);
  }
}

}  // namespace qm
