#include "app/frm_main.h"
#include "geometry/art_regions.h"
#include "platform/numeric.h"

namespace qm {

void FrmMain::CalibrateTiming() {
  CaptureMouse();
  RestPointer(300, 220);
  Shot.GunY = 300;
  ComposeBackdrop();
  Shot.ShotFired = 0;
  Shot.LaunchPending = false;
  Shot.LastClay = 0;
  View.ClayProgress = 2;
  const double start = Timer();
  Timing.SpeedFactor = 1.0f;

  StationState station;
  const PlayerRecord& shooter = Roster.Players[Roster.CurrentPlayer];
  for (int frame = 1; frame <= 45; ++frame) {
    Timing.FrameStart = host_.TimeGetTime();
    ComposeBackdrop();
    if (shooter.HintLine) {
      // The trap pointers of a station frame, drawn at the corner: only their cost counts.
      Surface& work = picWork->Draw();
      DrawLine(work, 0, 0, 0, 0, 0xC0C0C0);
      DrawLine(work, 0, 0, 0, 0, 0xC0C0C0);
      DrawCircle(work, 0, 0, shooter.Choke, 0xC0C0C0);
    }
    for (int k = 0; k <= 1; ++k) {
      AnimateBreak(k);
      FlyClay(k, station);
    }
    DrawScenery(PanForm::Timing);
    if (Shot.ShotFired != 0) {
      DrawShotFrame();
      ResolveShot();
    } else {
      GunStep();
      DrawGun(picWork->Draw());
    }
    DecayRecoil();
    BitBlt(picWork->Draw(), CInt(View.SwingX + 190), CInt(View.SwingY + 140), art::SignW,
           art::BannerH, picArt->Image(), art::LoadingSignX, art::LoadingSignY, RasterOp::Copy);
    PresentFrame();
    PanStep(PanForm::Timing, nullptr);
    WaitFrame(FrameWait::FromFrameStart);
  }

  const double elapsed = Timer() - start;
  Timing.SpeedFactor = elapsed == 0 ? 1.0f : static_cast<float>(elapsed);
  Settings.Tweak = static_cast<float>(ReadIniInt("Settings", "Tweak", 0));
  if (Settings.Tweak == 0) Settings.Tweak = 45;
  App.ApiResult = WriteIni("Settings", "FPS", SingleText(2 * Settings.Tweak / Timing.SpeedFactor));
  App.ApiResult = WriteIni("Settings", "TimeBase", SingleText(Timing.SpeedFactor));
}

}  // namespace qm
