#include <algorithm>
#include <cmath>
#include <string>

#include "app/frm_main.h"
#include "geometry/art_regions.h"
#include "platform/numeric.h"
#include "sim/clay_flight.h"

namespace qm {

namespace {

constexpr int MemoryNoStop = SND_ASYNC | SND_NODEFAULT | SND_MEMORY | SND_NOSTOP;

// A random trap of the field. A field that declares no traps throws from trap 1 with
// whatever it holds.
int16_t RandomTrap(double random, int16_t trapCount) {
  return static_cast<int16_t>(Floor(random * std::max<int16_t>(trapCount, 0)));
}
}  // namespace

void FrmMain::SetUpPresentation(StationState& station) {
  View.ClayProgress = 0;
  Shot.ShellsLeft = 0;
  Shot.GunLow = GunPosition::Low;
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

  LoadFirstClay(Field.Traps[Shot.FirstTrap].DX);
  // With an override a rabbit trap rolls rabbits; otherwise only for Fur and Feather.
  if (App.TrapOverride != 0 && Field.Traps[Shot.FirstTrap].Rabbit != 0)
    MakeRabbit(Field.Clays[0], Field.Traps[Shot.FirstTrap], Timing.SpeedFactor, Rnd());
  ApplyFurAndFeather();
  CaptionFirstClay();
  if (Shot.PresentationKind == Single) {
    Shot.LastClay = 0;
    Shot.SecondTrap = Shot.FirstTrap;
    Field.Clays[1].State = ClayEnded;
    return;
  }
  const int16_t reportTrap =
      Shot.PresentationKind == Report ? RandomTrap(Rnd(), Field.TrapCount) : Shot.FirstTrap;
  LoadSecondClayOfPair(reportTrap);
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
  // The clays spin through the sheet's three spin rows, a row a frame.
  station.SpinRow = static_cast<int16_t>(station.SpinRow + art::ClaySpinPitch);
  if (station.SpinRow > art::ClaySpinRow0 + art::ClaySpinPitch * (art::ClaySpins - 1))
    station.SpinRow = art::ClaySpinRow0;
  DrawScenery(PanForm::Station);
  if (Shot.ShotFired != 0) {
    DrawShotFrame();
    station.EjectFrame = 1;
    ResolveShot();
  } else {
    GunStep();
    DrawGun(picWork->Draw());
    if (Shot.GunLow == GunPosition::Shouldered && shooter.Tracking) {
      DrawPoint(picMask->Draw(), CInt(View.PanX + 300), CInt(View.PanY + 198), 0xFF);
    }
  }
  EjectShell(station);
  DecayRecoil();
  PresentFrame();
}

void FrmMain::StartStationRun(StationState& station) {
  RunningStation = &station;
  Shot.GunY = 200;
  ResetBreaks();
  ComposeBackdrop();
  Shot.ShotFired = 0;
  Shot.LaunchPending = false;
  Shot.LastClay = 0;
  // Already past its last clay, so the first frame sets up a presentation.
  View.ClayProgress = 2;
  Shot.ClayClock = {Timer(), Timer()};
}

void FrmMain::PracticeLoop() {
  StationState station;
  StartStationRun(station);

  do {
    Timing.FrameStart = host_.TimeGetTime();
    if (View.ClayProgress >= Shot.LastClay + 2) SetUpPresentation(station);
    ThrowClays(station);
    StationFrame(station);
    WaitFrame(FrameWait::FromFrameStart);
    PanStep(PanForm::Station, &station.Bump);
  } while (!App.StationDone);
  Shot.ShootingEnabled = false;
  ResetClays();
  RunningStation = nullptr;
}

}  // namespace qm
