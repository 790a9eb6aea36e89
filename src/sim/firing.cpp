#include <cmath>
#include <string>

#include "app/frm_main.h"
#include "geometry/art_regions.h"
#include "platform/numeric.h"
#include "sim/clay_flight.h"
#include "sim/hit_test.h"

namespace qm {

namespace {

constexpr int MemoryNow = SND_ASYNC | SND_NODEFAULT | SND_MEMORY;

}  // namespace

void FrmMain::picMain_MouseDown(int button, int, int, int) {
  if (!Shot.ShootingEnabled) {
    PlaySoundMemory(host_, Waves.ClickWave, MemoryNow);
    App.SkipBanner = true;
    return;
  }
  if (button == RightButton && View.ClayProgress == 0) {
    CallForTarget();
  } else if (button == RightButton) {
    ShoulderGun();
  } else if (button == LeftButton) {
    FireShot();
  }
}

void FrmMain::CallForTarget() {
  Shot.PresentationHits = 0;
  lblStatus->SetCaption("Clay Called...");
  View.ClayProgress = 1;
  Shot.ShellsLeft = 2;
  PlaySoundMemory(host_, Waves.CallWave, MemoryNow);
  Shot.LaunchTime = Timer() + 3 * Rnd();
  Shot.LaunchPending = true;
}

void FrmMain::ShoulderGun() {
  if (Shot.GunLow != GunPosition::Low) return;
  PlayerRecord& shooter = Roster.Players[Roster.CurrentPlayer];
  if (Shot.LaunchPending) {
    // Early mount: the gun comes up all the same, and the fourth time costs a hit.
    Shot.GunLow = GunPosition::Shouldered;
    ++shooter.Warnings;
    lblStatus->SetCaption("WARNING");
    if (shooter.Warnings > 3) {
      lblStatus->SetCaption("PENALTY");
      shooter.Penalty = 1;
      ShowPenaltyPanel();
    } else {
      ShowWarningPanel();
    }
    return;
  }
  if (shooter.Penalty != 0) return;
  Shot.GunLow = GunPosition::Shouldered;
  lblStatus->SetCaption("Gun Shouldered");
  shooter.Penalty = 0;
}

void FrmMain::FireShot() {
  if (Shot.GunLow != GunPosition::Shouldered) return;
  if (Shot.ShellsLeft <= 0) {
    PlaySoundMemory(host_, Waves.ClickWave, MemoryNow);
    return;
  }
  Shot.ShotFired = 1;
  PlaySoundMemory(host_, Waves.ShotWave, MemoryNow);
  Shot.ShotPanX = View.PanX + View.SwingX;
  Shot.ShotPanY = View.PanY + View.SwingY;
  Shot.RecoilX = std::floor(View.SwingX);
  Shot.RecoilY = static_cast<int16_t>(-(Floor(10 * Rnd()) + 4));
  Shot.RecoilXStep = static_cast<int16_t>(SignOf(Shot.RecoilX));
  Shot.RecoilYStep = static_cast<int16_t>(SignOf(Shot.RecoilY));
  Shot.ShellsLeft = static_cast<int16_t>(Shot.ShellsLeft - 1);
  // The second clay of a report pair is thrown by the first shot, not by a timer.
  if (Shot.ShellsLeft == 1 && Shot.PresentationKind == Report &&
      Field.Clays[1].State == ClayLoaded) {
    Field.Clays[1].State = ClayFlying;
    CountThrown();
  }
}

void FrmMain::CheckHit(int clayIndex, float shotX, float shotY, int clayX, int clayY) {
  PlayerRecord& shooter = Roster.Players[Roster.CurrentPlayer];
  const int r = shooter.Choke;
  if (shooter.Patterning) {
    Surface& marks = picMask->Draw();
    DrawCircle(marks, CInt(shotX), CInt(shotY), r, 0);
    DrawPoint(marks, CInt(shotX), CInt(shotY), 0xFF0000);
    DrawCircle(marks, clayX, clayY, 4, 0xFF);
  }
  if (!PatternCovers(shotX, shotY, clayX, clayY, r)) return;

  ClayRecord& clay = Field.Clays[clayIndex];
  Shot.PresentationHits = static_cast<int16_t>(Shot.PresentationHits + 1);
  Shot.HitSwing = View.SwingX;
  clay.State = ClayBroken;
  clay.SpriteY = 0;

  BreakPuff& puff = Shot.Breaks[clayIndex];
  puff.X = static_cast<int16_t>(clayX);
  puff.Y = static_cast<int16_t>(clayY);
  // Halved toward zero as whole numbers.
  puff.VY = static_cast<float>(CInt(clay.VY) / 2);
  puff.VX = static_cast<float>(CInt(clay.VX) / 2);
  puff.Frame = 0;
  puff.State = PuffRunning;

  for (Fragment& chip : Shot.Fragments) {
    chip.VX = static_cast<float>((Floor(16 * Rnd()) - 8) * Timing.SpeedFactor);
    chip.VY = static_cast<float>((Floor(8 * Rnd()) - 4) * Timing.SpeedFactor);
    chip.X = static_cast<int16_t>(clayX);
    chip.Y = static_cast<int16_t>(clayY);
  }

  if (shooter.Penalty != 0) {
    shooter.Penalty = 0;
  } else {
    ++shooter.Hit;
  }
  lblClaysHit[Roster.CurrentPlayer]->SetCaption(std::to_string(shooter.Hit));
  clay.X = -20;
  clay.Y = -20;
}

void FrmMain::ShowWarningPanel() {
  ShowMountPanel(art::WarningSignY);
}

void FrmMain::ShowPenaltyPanel() {
  ShowMountPanel(art::PenaltySignY);
}

void FrmMain::ShowMountPanel(int signY) {
  const PlayerRecord& shooter = Roster.Players[Roster.CurrentPlayer];
  const double start = Timer();
  while (Timer() - start < 2) {
    WaitFrame(FrameWait::FromNow);
    PanStep(PanForm::Display, nullptr);
    ComposeBackdrop();
    if (shooter.HintLine) DrawPointerLines();
    DrawScenery(PanForm::Display);
    Surface& work = picWork->Draw();
    if (Shot.ShotFired != 0) {
      DrawShotFrame();
      ResolveShot();
    } else {
      GunStep();
      DrawGun(work);
    }
    BitBlt(work, CInt(View.SwingX + 200), CInt(View.SwingY + 140), art::SignW, art::NoticeH,
           picArt->Image(), art::WarningSignX, signY, RasterOp::Copy);
    PresentFrame();
  }
}

}  // namespace qm
