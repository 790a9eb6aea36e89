#include <algorithm>

#include "app/frm_main.h"
#include "geometry/art_regions.h"
#include "platform/numeric.h"

namespace qm {

void FrmMain::picMain_MouseMove(int, int, int x, int y) {
  const PlayerRecord& shooter = Roster.Players[Roster.CurrentPlayer];
  const float g = shooter.Gun;
  View.SwingX = (static_cast<float>(x) - 300) / g;
  View.SwingY = (static_cast<float>(y) - 170) / g * static_cast<float>(shooter.InvertY);
}

void FrmMain::DecayRecoil() {
  if (Shot.RecoilX != 0) Shot.RecoilX -= Shot.RecoilXStep;
  if (Shot.RecoilY != 0) Shot.RecoilY = static_cast<int16_t>(Shot.RecoilY - Shot.RecoilYStep);
}

void FrmMain::PanStep(PanForm form, BumpState* bump) {
  const bool withRecoil = form != PanForm::Display;
  View.PanX = View.SwingX + View.PanX + (withRecoil ? Shot.RecoilX : 0.0f);
  View.PanY = View.SwingY + View.PanY + (withRecoil ? static_cast<float>(Shot.RecoilY) : 0.0f);
  if (View.PanX < 0 || View.PanX > 1000) {
    View.PanX = std::clamp(View.PanX, 0.0f, 1000.0f);
    if (bump && *bump == BumpState::Armed) *bump = BumpState::Due;
  }
  if (bump && View.PanX > 50 && View.PanX < 950) *bump = BumpState::Armed;
  View.PanY = std::clamp(View.PanY, 0.0f, 460.0f);
  if (bump && *bump == BumpState::Due) {
    PlaySoundMemory(host_, Waves.BumpWave, SND_ASYNC | SND_NODEFAULT | SND_MEMORY | SND_NOSTOP);
    *bump = BumpState::Spent;
  }
}

void FrmMain::GunStep() {
  if (Shot.GunLow == GunPosition::Low && Shot.GunY < 280)
    Shot.GunY = static_cast<int16_t>(Shot.GunY + 10);
  if (Shot.GunLow == GunPosition::Shouldered && Shot.GunY > 200)
    Shot.GunY = static_cast<int16_t>(Shot.GunY - 10);
}

void FrmMain::DrawGun(Surface& work) {
  // The barrel leans against the swing.
  const int x = CInt(179 - View.SwingX);
  const int y = CInt(Shot.GunY - View.SwingY);
  BitBlt(work, x, y, art::GunW, art::GunShortH, picArt->Image(), art::GunMaskX, art::GunY,
         RasterOp::And);
  BitBlt(work, x, y, art::GunW, art::GunShortH, picArt->Image(), art::GunPictureX, art::GunY,
         RasterOp::Paint);
}

void FrmMain::HideMouse() {
  while (host_.ShowCursor(false) >= 0) {
  }
}

void FrmMain::ShowMouse() {
  while (host_.ShowCursor(true) < 0) {
  }
}

void FrmMain::CaptureMouse() {
  HideMouse();
  const int l = picMain->Left(), t = picMain->Top();
  host_.ClipCursor(Rect{l + 20, t + 30, 600, 340});
}

void FrmMain::ReleaseMouse() {
  host_.ClipCursor(std::nullopt);
  ShowMouse();
}

void FrmMain::RestPointer(int dx, int dy) {
  host_.SetCursorPos(picMain->Left() + dx, picMain->Top() + dy);
}

}  // namespace qm
