#include <algorithm>
#include <cmath>
#include <string>

#include "app/frm_main.h"
#include "platform/numeric.h"

namespace qm {

namespace {

constexpr int MemoryNoStop = SND_ASYNC | SND_NODEFAULT | SND_MEMORY | SND_NOSTOP;

// A random trap of the field. A field that declares no traps throws from trap 1 with
// whatever it holds.
int16_t RandomTrap(double random, int16_t trapCount) {
  return static_cast<int16_t>(Floor(random * std::max<int16_t>(trapCount, 0)));
}

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

}  // namespace

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

void FrmMain::SetUpPresentation(StationState& station) {
  View.ClayProgress = 0;
  Shot.ShellsLeft = 0;
  Shot.GunLow = 1;
  station.EjectFrame = 0;
  Shot.ShootingEnabled = false;
  SetTraps();
  Shot.ShootingEnabled = true;

  if (App.TrapOverride != 0) {
    lblFieldInfo[0]->SetCaption(" Trap OverRide");
    Shot.PresentationKind = Single;
    Shot.FirstTrap = Shot.SecondTrap = static_cast<int16_t>(App.TrapOverride - 1);
  } else {
    do {
      Shot.PresentationKind = static_cast<int16_t>(Floor(5 * Rnd()) + 1);
      form_.DoEvents();
    } while (Settings.Pairs[Shot.PresentationKind - 1] != 1);
    lblFieldInfo[0]->SetCaption(KindCaption(Shot.PresentationKind));
    Shot.FirstTrap = RandomTrap(Rnd(), Field.TrapCount);
  }

  const float sf = Timing.SpeedFactor;
  const TrapRecord& t = Field.Traps[Shot.FirstTrap];
  ClayRecord& clay0 = Field.Clays[0];
  clay0.State = ClayLoaded;
  clay0.X = t.X;
  clay0.Y = t.Y;
  clay0.VX = t.DX * sf;
  clay0.VY = t.DY * sf;
  clay0.SpriteX = static_cast<int16_t>(480 + 32 * Floor(4 * Rnd()));
  clay0.FloorY = t.FloorY;
  clay0.DragX = static_cast<float>(-SignOf(clay0.VX)) * sf * 0.02f;
  clay0.Gravity = sf * 0.1f;
  clay0.IsRabbit = 0;
  if (App.TrapOverride != 0 && t.Rabbit != 0) MakeRabbit(clay0, t);
  if (Shot.PresentationKind == FurAndFeather) {
    Shot.PresentationKind = Report;
    if (t.Rabbit != 0) {
      MakeRabbit(clay0, t);
    } else {
      lblFieldInfo[0]->SetCaption(" Report");
    }
  }
  std::string traps = ApplyDirection(clay0, t);
  // An unknown direction leaves the caption as it was.
  if (!traps.empty()) traps = " Trap " + std::to_string(Shot.FirstTrap + 1) + traps;
  if (!traps.empty()) lblFieldInfo[1]->SetCaption(traps);

  ClayRecord& clay1 = Field.Clays[1];
  switch (Shot.PresentationKind) {
    case Simultaneous: {
      Shot.SecondTrap = Shot.FirstTrap;
      Shot.LastClay = 1;
      const TrapRecord& t2 = Field.Traps[Shot.SecondTrap];
      const float vy = static_cast<float>(t2.DY + Rnd());
      LoadSecondClay(t2, static_cast<float>(SignOf(clay0.VX)) + t2.DX, vy);
      clay1.Y = t2.Y + 10;
      break;
    }
    case Trailing:
    case Report: {
      if (Shot.PresentationKind == Trailing) {
        Shot.SecondTrap = Shot.FirstTrap;
      } else {
        Shot.SecondTrap = RandomTrap(Rnd(), Field.TrapCount);
      }
      Shot.LastClay = 1;
      const TrapRecord& t2 = Field.Traps[Shot.SecondTrap];
      const float vx = static_cast<float>(Floor(3 * Rnd())) + t2.DX - 1;
      const float vy = static_cast<float>(t2.DY + Rnd());
      LoadSecondClay(t2, vx, vy);
      clay1.Y = t2.Y;
      break;
    }
    default:
      Shot.LastClay = 0;
      Shot.SecondTrap = Shot.FirstTrap;
      clay1.State = ClayEnded;
      return;
  }
  const std::string second = ApplyDirection(clay1, Field.Traps[Shot.SecondTrap]);
  if (!second.empty()) {
    lblFieldInfo[1]->SetCaption(lblFieldInfo[1]->Caption() + " Trap " +
                                std::to_string(Shot.SecondTrap + 1) + second);
  }
}

void FrmMain::ThrowClays(StationState& station) {
  const double now = Timer();
  if (Shot.LaunchPending && now > Shot.LaunchTime) {
    Field.Clays[0].State = ClayFlying;
    PlaySoundMemory(host_, Waves.TrapWave, MemoryNoStop);
    CountThrown();
    if (Shot.PresentationKind == Simultaneous) {
      Field.Clays[1].State = ClayFlying;
      PlaySoundMemory(host_, Waves.TrapWave, MemoryNoStop);
      CountThrown();
    }
    if (Shot.PresentationKind == Trailing) station.TrailDelay = Rnd() + 0.1;
    Shot.LaunchPending = false;
  }
  if (station.TrailDelay != 0 && now > Shot.LaunchTime + station.TrailDelay &&
      Shot.PresentationKind == Trailing) {
    Field.Clays[1].State = ClayFlying;
    PlaySoundMemory(host_, Waves.TrapWave, MemoryNoStop);
    CountThrown();
    station.TrailDelay = 0;
  }
}

void FrmMain::WaitingAids(StationState& station) {
  if (Floor(300 * Rnd()) == 100) {
    PlaySoundFile(host_, "a" + std::to_string(Floor(2 * Rnd()) + 1) + ".wav",
                  SND_ASYNC | SND_NODEFAULT | SND_NOSTOP);
  }
  if (Roster.Players[Roster.CurrentPlayer].TrapHint) DrawTrapLocators(station);
}

void FrmMain::StationFrame(StationState& station) {
  const PlayerRecord& shooter = Roster.Players[Roster.CurrentPlayer];
  ComposeBackdrop();
  if (View.ClayProgress == 0) WaitingAids(station);
  if (shooter.HintLine) DrawPointerLines();
  DrawChips();
  for (int k = 0; k <= 1; ++k) {
    AnimateBreak(k);
    FlyClay(k, station);
  }
  station.SpinRow = static_cast<int16_t>(station.SpinRow + 36);
  if (station.SpinRow > 244) station.SpinRow = 172;
  DrawScenery(PanForm::Station);
  if (Shot.ShotFired != 0) {
    DrawShotFrame();
    station.EjectFrame = 1;
    ResolveShot();
  } else {
    GunStep();
    DrawGun(picWork->Draw());
    if (Shot.GunLow == 0 && shooter.Tracking) {
      DrawPoint(picMask->Draw(), CInt(View.PanX + 300), CInt(View.PanY + 198), 0xFF);
    }
  }
  EjectShell(station);
  DecayRecoil();
  PresentFrame();
}

void FrmMain::PracticeLoop() {
  StationState station;
  RunningStation = &station;
  Shot.GunY = 200;
  ResetBreaks();
  ComposeBackdrop();
  Shot.ShotFired = 0;
  Shot.LaunchPending = false;
  Shot.LastClay = 0;
  View.ClayProgress = 2;
  Shot.ClayClock = {Timer(), Timer()};

  do {
    Timing.FrameStart = host_.TimeGetTime();
    if (View.ClayProgress >= Shot.LastClay + 2) SetUpPresentation(station);
    ThrowClays(station);
    StationFrame(station);
    WaitFrameFromStart();
    PanStep(PanForm::Station, &station.Bump);
  } while (!App.StationDone);
  Shot.ShootingEnabled = false;
  ResetClays();
  RunningStation = nullptr;
}

}  // namespace qm
