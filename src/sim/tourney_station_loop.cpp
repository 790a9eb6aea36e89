#include <string>

#include "app/frm_main.h"
#include "geometry/art_regions.h"
#include "platform/numeric.h"
#include "sim/clay_flight.h"

namespace qm {

void FrmMain::SetUpScheduledPresentation(StationState& station, const ScheduleEntry& entry) {
  Shot.GunLow = GunPosition::Low;
  station.EjectFrame = 0;
  Shot.ShootingEnabled = false;
  SetTraps();
  Shot.ShootingEnabled = true;
  View.ClayProgress = 0;
  Shot.ShellsLeft = 0;

  Shot.PresentationKind = entry.Kind;
  lblFieldInfo[0]->SetCaption(KindCaption(entry.Kind));
  Shot.FirstTrap = entry.TrapA;
  // The trap's speed varied by a pixel either way, drawn before the clay's colour.
  LoadFirstClay(static_cast<float>(Floor(3 * Rnd())) + Field.Traps[Shot.FirstTrap].DX - 1);
  ApplyFurAndFeather();
  CaptionFirstClay();
  LoadSecondClayOfPair(entry.TrapB);
}

void FrmMain::WindDown() {
  const double start = Timer();
  while (Timer() - start < 1) {
    ComposeBackdrop();
    if (Shot.GunY < 340) Shot.GunY = static_cast<int16_t>(Shot.GunY + 10);
    DrawScenery(PanForm::Station);
    Surface& work = picWork->Draw();
    const int x = CInt(176 + View.SwingX), y = CInt(Shot.GunY + View.SwingY);
    BitBlt(work, x, y, art::GunW, art::GunH, picArt->Image(), art::GunMaskX, art::GunY,
           RasterOp::And);
    BitBlt(work, x, y, art::GunW, art::GunH, picArt->Image(), art::GunPictureX, art::GunY,
           RasterOp::Paint);
    PresentFrame();
    WaitFrame(FrameWait::FromNow);
    PanStep(PanForm::TrapSetting, nullptr);
  }
}

void FrmMain::TourneyStationLoop(int16_t& presentations) {
  CaptureMouse();
  RestPointer(300, 220);
  StationState station;
  StartStationRun(station);
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
    WaitFrame(FrameWait::FromNow);
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
