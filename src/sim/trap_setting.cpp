#include <cmath>
#include <string>

#include "app/frm_main.h"
#include "geometry/art_regions.h"
#include "platform/numeric.h"

namespace qm {

void FrmMain::TrapSettingFrame(int gunMove) {
  ComposeBackdrop();
  Shot.GunY = static_cast<int16_t>(Shot.GunY + gunMove);
  DrawScenery(PanForm::TrapSetting);
  // Here the gun shifts with the swing, and is drawn 230 pixels tall.
  Surface& work = picWork->Draw();
  const int x = CInt(View.SwingX + 176), y = CInt(Shot.GunY + View.SwingY);
  BitBlt(work, x, y, art::GunW, art::GunH, picArt->Image(), art::GunMaskX, art::GunY,
         RasterOp::And);
  BitBlt(work, x, y, art::GunW, art::GunH, picArt->Image(), art::GunPictureX, art::GunY,
         RasterOp::Paint);
  PresentFrame();
  WaitFrame(FrameWait::FromNow);
  PanStep(PanForm::TrapSetting, nullptr);
}

std::string FrmMain::ReloadRemark() {
  if (lblMode->Caption() == "Practice") return "r000.wav";
  if (Shot.PresentationHits == 0) return "br00" + std::to_string(Floor(4 * Rnd()) + 1) + ".wav";
  if (Shot.HitSwing > 80 || Shot.HitSwing < -80)
    return "r00" + std::to_string(Floor(4 * Rnd()) + 1) + ".wav";
  return "r000.wav";
}

void FrmMain::SetTraps() {
  lblStatus->SetCaption("Reloading...");
  lblFieldInfo[0]->SetCaption("Setting Traps...");
  lblFieldInfo[1]->SetCaption("...");

  double start = Timer();
  while (Timer() - start < 0.5) TrapSettingFrame(Shot.GunY < 340 ? 10 : 0);

  start = Timer();
  // The swing rate at the hit, back to the pointer's offset in pixels.
  Shot.HitSwing *= Roster.Players[Roster.CurrentPlayer].Gun;
  // Without the no-default flag, as the remarks always were played.
  PlaySoundFile(host_, ReloadRemark(), SND_ASYNC);
  Shot.HitSwing = 0;
  while (Timer() - start < 1) TrapSettingFrame(0);

  for (int frame = 0; frame < 30; ++frame) TrapSettingFrame(-4);

  PlayerRecord& shooter = Roster.Players[Roster.CurrentPlayer];
  shooter.Penalty = 0;
  if (shooter.Autoclear) picMask->Cls();
  lblStatus->SetCaption("Gun Low...");
}

}  // namespace qm
