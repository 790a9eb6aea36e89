// The building blocks of a play frame, shared by the station loops, the trap setting, the
// warning displays and the timing run.

#include <cmath>
#include <string>

#include "app/frm_main.h"
#include "geometry/art_regions.h"
#include "platform/numeric.h"
#include "sim/clay_flight.h"

namespace qm {

using namespace art;

void FrmMain::ComposeBackdrop() {
  BitBlt(picWork->Draw(), 0, 0, 600, 340, picMask->Image(), CInt(View.PanX), CInt(View.PanY),
         RasterOp::Copy);
}

void FrmMain::DrawScenery(PanForm form) {
  Surface& work = picWork->Draw();
  const Surface& art = picArt->Image();
  const double a = View.PanX, b = View.PanY;
  // Parallax: the cage is nearer than the field, so it slides 1.1 times as fast.
  const double px = (500 - a) * 0.1;
  // Kept: the station loops round the post strip's slide to a whole row before using it;
  // the trap setting, the displays and the timing run do not.
  const double slide = (500 - b) * 0.2;
  const int postRow = CInt(b + 100 - (form == PanForm::Station ? CInt(slide) : slide));
  BitBlt(work, CInt(px + 180 - a), 0, PostW, 340, art, 0, postRow, RasterOp::Copy);
  BitBlt(work, CInt(px + 1380 - a), 0, PostW, 340, art, 0, postRow, RasterOp::Copy);
  const int railY = CInt(680 - b);
  const int leftX = CInt(px - 20 - a), rightX = CInt(px + 1400 - a);
  BitBlt(work, leftX, railY, RailW, RailH, art, RailX, LeftRailMaskY, RasterOp::And);
  BitBlt(work, leftX, railY, RailW, RailH, art, RailX, LeftRailPictureY, RasterOp::Paint);
  BitBlt(work, rightX, railY, RailW, RailH, art, RailX, RightRailMaskY, RasterOp::And);
  BitBlt(work, rightX, railY, RailW, RailH, art, RailX, RightRailPictureY, RasterOp::Paint);
}

void FrmMain::PresentFrame() {
  BitBlt(picMain->Draw(), 20, 30, 600, 340, picWork->Image(), 0, 0, RasterOp::Copy);
}

void FrmMain::WaitFrame(FrameWait from) {
  if (from == FrameWait::FromNow) Timing.FrameStart = host_.TimeGetTime();
  do {
    form_.DoEvents();
    Timing.FrameNow = host_.TimeGetTime();
  } while (Timing.FrameNow - Timing.FrameStart <= FrameMilliseconds);
}

void FrmMain::DrawShotFrame() {
  Surface& work = picWork->Draw();
  const Surface& art = picArt->Image();
  Shot.GunY = 280;
  const int x = CInt(268 - View.SwingX);
  // ShotFired is 1 here: the pattern cloud's one picture.
  const int cloudRow = CloudSize * (Shot.ShotFired - 1);
  BitBlt(work, x, 180, CloudSize, CloudSize, art, CloudX, CloudMaskY + cloudRow, RasterOp::And);
  BitBlt(work, x, 180, CloudSize, CloudSize, art, CloudX, CloudPictureY + cloudRow,
         RasterOp::Paint);
  DrawGun(work);
  Shot.ShotFired = 0;
}

void FrmMain::ResolveShot() {
  for (int k = 0; k <= 1; ++k) {
    const ClayRecord& clay = Field.Clays[k];
    const float shotX = Shot.ShotPanX + 300;
    const float shotY = Shot.ShotPanY + 196;
    const int clayX = CInt(clay.X + clay.VX + 8);
    const int clayY = CInt(clay.Y + clay.VY + 3);
    CheckHit(k, shotX, shotY, clayX, clayY);
  }
}

Point FrmMain::ViewOf(double backdropX, double backdropY) const {
  // Rounded once, after the view origin is taken off.
  return {CInt(backdropX - View.PanX), CInt(backdropY - View.PanY)};
}

void FrmMain::DrawPointerLines() {
  const PlayerRecord& shooter = Roster.Players[Roster.CurrentPlayer];
  Surface& work = picWork->Draw();
  for (int trap : {Shot.FirstTrap, Shot.SecondTrap}) {
    const Point launch = ViewOf(Field.Traps[trap].X, Field.Traps[trap].Y);
    DrawLine(work, 300, 340, launch.X, launch.Y, 0xFF);
  }
  DrawCircle(work, CInt(301 - View.SwingX), CInt(Shot.GunY + 4 - View.SwingY), shooter.Choke, 0xFF);
}

void FrmMain::DrawTrapLocators(StationState& station) {
  Surface& work = picWork->Draw();
  station.HintRadius = static_cast<int16_t>(station.HintRadius - 2);
  if (station.HintRadius < 20) station.HintRadius = 100;
  for (int trap : {Shot.FirstTrap, Shot.SecondTrap}) {
    const Point launch = ViewOf(Field.Traps[trap].X, Field.Traps[trap].Y);
    DrawCircle(work, launch.X, launch.Y, station.HintRadius, 0x808080);
  }
  for (int trap : {Shot.FirstTrap, Shot.SecondTrap}) {
    const TrapRecord& t = Field.Traps[trap];
    // Near the backdrop's edges the plate keeps inside it.
    const int d = t.X < 60 ? 0 : (t.X > 1540 ? -45 : -22);
    const Point plate = ViewOf(t.X + d, t.Y + 40);
    BitBlt(work, plate.X, plate.Y, TrapPlateW, TrapPlateH, picArt->Image(),
           TrapPlateX + TrapPlateW * trap, TrapPlateY, RasterOp::Copy);
  }
}

void FrmMain::DrawChips() {
  Surface& work = picWork->Draw();
  for (int k = 0; k < 3; ++k) {
    const Point at = ViewOf(Shot.Fragments[k].X, Shot.Fragments[k].Y);
    BitBlt(work, at.X, at.Y, Chips[k].W, Chips[k].H, picArt->Image(), Chips[k].X, Chips[k].Y,
           RasterOp::And);
  }
}

void FrmMain::AnimateBreak(int k) {
  BreakPuff& puff = Shot.Breaks[k];
  const Point at = ViewOf(puff.X, puff.Y);
  const int picture = static_cast<int>(std::floor(puff.Frame));
  BitBlt(picWork->Draw(), at.X, at.Y, PuffSize, PuffSize, picArt->Image(),
         PuffX + PuffSize * picture, PuffY, RasterOp::And);
  if (puff.State != PuffRunning) return;
  if (puff.Frame < 19) {
    puff.Frame += Timing.SpeedFactor;
    puff.X = static_cast<int16_t>(CInt(puff.X + puff.VX));
    puff.Y = static_cast<int16_t>(CInt(puff.Y - puff.VY));
    // Kept: with both puffs running the chips move twice a frame.
    for (Fragment& chip : Shot.Fragments) {
      chip.X = static_cast<int16_t>(CInt(chip.X + chip.VX));
      chip.Y = static_cast<int16_t>(CInt(chip.Y + chip.VY));
    }
    return;
  }
  puff.X = -40;
  puff.Y = -40;
  puff.State = PuffIdle;
  for (Fragment& chip : Shot.Fragments) {
    chip.X = -30;
    chip.Y = -30;
  }
  View.ClayProgress = static_cast<int16_t>(View.ClayProgress + 1);
}

void FrmMain::ResetBreaks() {
  for (BreakPuff& puff : Shot.Breaks) {
    puff.X = -40;
    puff.Y = -40;
  }
}

void FrmMain::EndClayUnbroken(int k) {
  ClayRecord& clay = Field.Clays[k];
  clay.State = ClayEnded;
  View.ClayProgress = static_cast<int16_t>(View.ClayProgress + 1);
  clay.SpriteY = 0;
  Shot.HitSwing = 0;
  // The second clay of a report pair goes when the first is lost, if no shot sent it.
  if (k == 0 && Shot.PresentationKind == Report && Field.Clays[1].State == ClayLoaded) {
    Field.Clays[1].State = ClayFlying;
    CountThrown();
  }
}

void FrmMain::CountThrown() {
  PlayerRecord& shooter = Roster.Players[Roster.CurrentPlayer];
  ++shooter.Thrown;
  lblClaysThrown[Roster.CurrentPlayer]->SetCaption(std::to_string(shooter.Thrown));
}

void FrmMain::FlyClay(int k, const StationState& station) {
  ClayRecord& clay = Field.Clays[k];
  if (clay.State != ClayFlying) return;
  Surface& work = picWork->Draw();
  const Surface& art = picArt->Image();
  const double r1 = Rnd(), r2 = Rnd();
  if (clay.IsRabbit) {
    const Point at = ViewOf(clay.X, clay.Y);
    const int maskX = clay.SpriteX + RabbitMaskX - RabbitPictureX;
    BitBlt(work, at.X, at.Y, RabbitSize, RabbitSize, art, maskX, RabbitY, RasterOp::And);
    BitBlt(work, at.X, at.Y, RabbitSize, RabbitSize, art, clay.SpriteX, RabbitY, RasterOp::Paint);
    const Point dust = ViewOf(Floor(4 * r1) + clay.X - 2, Floor(4 * r2) + clay.FloorY + 8);
    BitBlt(work, dust.X, dust.Y, DustW, DustH, art, DustX, DustY, RasterOp::And);
    if (RabbitFrame(clay, [this] { return Rnd(); }) != FlightEnd::Flying) EndClayUnbroken(k);
    return;
  }

  const Point at = ViewOf(clay.X, clay.Y);
  const int row = station.SpinRow + clay.SpriteY;
  const int maskX = clay.SpriteX + ClayMaskX - ClayPictureX;
  BitBlt(work, at.X, at.Y, ClayW, ClayH, art, maskX, row, RasterOp::And);
  BitBlt(work, at.X, at.Y, ClayW, ClayH, art, clay.SpriteX, row, RasterOp::Paint);
  if (Roster.Players[Roster.CurrentPlayer].Tracking) {
    DrawPoint(picMask->Draw(), CInt(clay.X + 8), CInt(clay.Y + 3), 0x808080);
  }
  const double shadowY =
      clay.Y < clay.FloorY ? Floor(4 * r2) + clay.FloorY - 2 : Floor(4 * r2) + clay.Y + 28;
  const Point shadow = ViewOf(Floor(4 * r1) + clay.X - 2, shadowY);
  BitBlt(work, shadow.X, shadow.Y, ClayW, ClayH, art, ShadowX, ShadowY + clay.SpriteY,
         RasterOp::And);

  // The ticks follow the day clock, so a slow frame does not slow the clay's fall.
  const double now = Timer();
  const bool tickDue = now - Shot.ClayClock[k] >= PhysicsTick;
  const FlightEnd end = ClayFrame(clay, tickDue, Shot.SizeTicks[k]);
  if (tickDue) Shot.ClayClock[k] = now;
  if (end == FlightEnd::Landed) {
    PlaySoundMemory(host_, Waves.LandWave, SND_ASYNC | SND_NODEFAULT | SND_MEMORY | SND_NOSTOP);
  }
  if (end != FlightEnd::Flying) EndClayUnbroken(k);
}

void FrmMain::EjectShell(StationState& station) {
  if (station.EjectFrame == 0) return;
  station.EjectFrame = static_cast<int16_t>(station.EjectFrame + 1);
  const int e = station.EjectFrame;
  if (e >= 6) {
    Surface& work = picWork->Draw();
    const int x = 240 + e * (e + 10), y = 320 - 10 * e;
    const int shellX = ShellX + ShellPitch * (e - 6);
    BitBlt(work, x, y, ShellW, ShellH, picArt->Image(), shellX, ShellMaskY, RasterOp::And);
    BitBlt(work, x, y, ShellW, ShellH, picArt->Image(), shellX, ShellPictureY, RasterOp::Paint);
  }
  if (station.EjectFrame > 12) station.EjectFrame = 0;
}

}  // namespace qm
