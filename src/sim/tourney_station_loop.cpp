#include <string>

#include "app/frm_main.h"
#include "platform/numeric.h"

namespace qm {

void FrmMain::SetUpScheduledPresentation(StationState& station, const ScheduleEntry& entry) {
  Shot.GunLow = 1;
  station.EjectFrame = 0;
  Shot.ShootingEnabled = false;
  SetTraps();
  Shot.ShootingEnabled = true;
  View.ClayProgress = 0;
  Shot.ShellsLeft = 0;

  static constexpr const char* KindCaptions[5] = {" Simultaneous", " Trailing", " Report",
                                                  " Fur and Feather", " Single"};
  Shot.PresentationKind = entry.Kind;
  lblFieldInfo[0]->SetCaption(KindCaptions[entry.Kind - 1]);
  Shot.FirstTrap = entry.TrapA;

  const float sf = Timing.SpeedFactor;
  const TrapRecord& t = Field.Traps[Shot.FirstTrap];
  ClayRecord& clay0 = Field.Clays[0];
  clay0.State = ClayLoaded;
  clay0.X = t.X;
  clay0.Y = t.Y;
  // The trap's speed varied by a pixel either way, so no two shooters read it alike.
  clay0.VX = (static_cast<float>(Floor(3 * Rnd())) + t.DX - 1) * sf;
  clay0.VY = t.DY * sf;
  clay0.SpriteX = static_cast<int16_t>(480 + 32 * Floor(4 * Rnd()));
  clay0.FloorY = t.FloorY;
  clay0.DragX = static_cast<float>(-SignOf(clay0.VX)) * sf * 0.02f;
  clay0.Gravity = sf * 0.1f;
  clay0.IsRabbit = 0;
  if (Shot.PresentationKind == FurAndFeather) {
    Shot.PresentationKind = Report;
    if (t.Rabbit != 0) {
      MakeRabbit(clay0, t);
    } else {
      lblFieldInfo[0]->SetCaption(" Report");
    }
  }
  const std::string first = ApplyDirection(clay0, t);
  if (!first.empty())
    lblFieldInfo[1]->SetCaption(" Trap " + std::to_string(Shot.FirstTrap + 1) + first);

  ClayRecord& clay1 = Field.Clays[1];
  Shot.LastClay = 1;
  if (Shot.PresentationKind == Simultaneous) {
    Shot.SecondTrap = Shot.FirstTrap;
    const TrapRecord& t2 = Field.Traps[Shot.SecondTrap];
    const float vy = static_cast<float>(t2.DY + Rnd());
    LoadSecondClay(t2, static_cast<float>(SignOf(clay0.VX)) + t2.DX, vy);
    clay1.Y = t2.Y + 10;
  } else {
    Shot.SecondTrap = Shot.PresentationKind == Trailing ? Shot.FirstTrap : entry.TrapB;
    const TrapRecord& t2 = Field.Traps[Shot.SecondTrap];
    const float vx = static_cast<float>(Floor(3 * Rnd())) + t2.DX - 1;
    const float vy = static_cast<float>(t2.DY + Rnd());
    LoadSecondClay(t2, vx, vy);
    clay1.Y = t2.Y;
  }
  const std::string second = ApplyDirection(clay1, Field.Traps[Shot.SecondTrap]);
  if (!second.empty()) {
    lblFieldInfo[1]->SetCaption(lblFieldInfo[1]->Caption() + " Trap " +
                                std::to_string(Shot.SecondTrap + 1) + second);
  }
}

void FrmMain::WaitFrameFromNow() {
  // Tournament frames count their 10 ms from the end of drawing, not from the start.
  Timing.FrameStart = host_.TimeGetTime();
  WaitFrameFromStart();
}

void FrmMain::WindDown() {
  const double start = Timer();
  while (Timer() - start < 1) {
    ComposeBackdrop();
    if (Shot.GunY < 340) Shot.GunY = static_cast<int16_t>(Shot.GunY + 10);
    DrawScenery(PanForm::Station);
    Surface& work = picWork->Draw();
    const int x = CInt(176 + View.SwingX), y = CInt(Shot.GunY + View.SwingY);
    BitBlt(work, x, y, 194, 230, picArt->Image(), 274, 133, RasterOp::And);
    BitBlt(work, x, y, 194, 230, picArt->Image(), 80, 133, RasterOp::Paint);
    PresentFrame();
    WaitFrameFromNow();
    PanStep(PanForm::TrapSetting, nullptr);
  }
}

void FrmMain::TourneyStationLoop(int16_t& presentations) {
  CaptureMouse();
  RestPointer(300, 220);
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
  PlayerRecord& shooter = Roster.Players[Roster.CurrentPlayer];
  // Kept: only the low 16 bits of the count, as the old station remembered it.
  const int16_t stationStartHits = static_cast<int16_t>(shooter.Hit);

  int presented = 0;
  do {
    if (View.ClayProgress >= Shot.LastClay + 2) {
      if (++presented > presentations) {
        App.StationDone = true;
      } else {
        SetUpScheduledPresentation(station, Tourney.TourneySchedule[presented - 1]);
      }
    }
    ThrowClays(station);
    StationFrame(station);
    WaitFrameFromNow();
    PanStep(PanForm::Station, &station.Bump);
  } while (!App.StationDone);

  WindDown();
  if (static_cast<int16_t>(shooter.Hit - 2 * presentations) == stationStartHits) {
    PlaySoundFile(host_, "tr00" + std::to_string(Floor(3 * Rnd()) + 1) + ".wav", SND_ASYNC);
  }
  ResetClays();
  RunningStation = nullptr;
}

}  // namespace qm
