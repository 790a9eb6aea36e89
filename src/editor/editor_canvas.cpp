// The field's picture with its traps: drawing them, taking hold of them with the mouse,
// zooming and scrolling, and throwing a clay along its path.

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "editor/editor_form.h"
#include "editor/picture_scaling.h"
#include "platform/ui_paint.h"
#include "sim/view_geometry.h"

namespace qm {

namespace {

constexpr uint32_t TrapColours[MaxTraps] = {0xE03C3C, 0x3C78F0, 0xF0A028, 0xB45AE6};
constexpr uint32_t PathColour = 0xFFE040;
constexpr uint32_t RabbitColour = 0xC08040;
constexpr uint32_t HandleColour = 0xFFFFFF;
constexpr double HandleScale = 25;  // backdrop pixels of arrow per unit of starting speed
constexpr int GripRadius = 9;       // canvas pixels within which a marker or handle is taken

void Line(Surface& s, Point a, Point b, uint32_t rgb) {
  DrawLine(s, a.X, a.Y, b.X, b.Y, OleFromPixel(rgb));
}

void ThickLine(Surface& s, Point a, Point b, uint32_t rgb) {
  Line(s, a, b, rgb);
  Line(s, {a.X + 1, a.Y}, {b.X + 1, b.Y}, rgb);
  Line(s, {a.X, a.Y + 1}, {b.X, b.Y + 1}, rgb);
}

void DashedHLine(Surface& s, int x0, int x1, int y, uint32_t rgb) {
  for (int x = x0; x <= x1; x += 8) ui::HLine(s, x, y, std::min(5, x1 - x + 1), rgb);
}

void Square(Surface& s, Point c, int half, uint32_t fill) {
  FillRect(s, {c.X - half - 1, c.Y - half - 1, 2 * half + 3, 2 * half + 3}, 0x000000);
  FillRect(s, {c.X - half, c.Y - half, 2 * half + 1, 2 * half + 1}, fill);
}

int Distance(Point a, int x, int y) {
  return static_cast<int>(std::hypot(a.X - x, a.Y - y));
}

// The clay's centre: its record holds the top-left corner of a 16 x 6 sprite.
double CentreX(const ClayRecord& c) {
  return c.X + 8;
}
double CentreY(const ClayRecord& c) {
  return c.Y + 3;
}

int16_t Clamp16(double v) {
  return static_cast<int16_t>(std::clamp(std::lround(v), -32768L, 32767L));
}

float Tenths(double v) {
  return static_cast<float>(std::round(v * 10) / 10);
}

}  // namespace

Point FrmEditor::ToCanvas(double bx, double by) const {
  return {static_cast<int>(std::lround((bx - view_.OriginX) * view_.Scale)),
          static_cast<int>(std::lround((by - view_.OriginY) * view_.Scale))};
}

void FrmEditor::ToBackdrop(int cx, int cy, double& bx, double& by) const {
  bx = cx / view_.Scale + view_.OriginX;
  by = cy / view_.Scale + view_.OriginY;
}

Point FrmEditor::SpeedHandle(const TrapRecord& trap) const {
  return {static_cast<int>(std::lround(trap.X + trap.DX * HandleScale)),
          static_cast<int>(std::lround(trap.Y - trap.DY * HandleScale))};
}

void FrmEditor::LoadBackdrop(Surface picture) {
  backdrop_ = std::move(picture);
  fitImage_ = ScalePicture(backdrop_, picField->Width(), picField->Height());
}

void FrmEditor::DrawFlight(Surface& s, const FlightPath& path, uint32_t rgb, bool marks) {
  if (path.Frames.empty()) return;
  Point last = ToCanvas(CentreX(path.Frames.front()), CentreY(path.Frames.front()));
  int halfSeconds = 0;
  for (size_t i = 1; i < path.Frames.size(); ++i) {
    Point p = ToCanvas(CentreX(path.Frames[i]), CentreY(path.Frames[i]));
    if (marks) {
      ThickLine(s, last, p, rgb);
    } else {
      Line(s, last, p, rgb);
    }
    // A tick every half second shows how fast the clay goes where.
    const int half = static_cast<int>(i * path.FrameSeconds / 0.5);
    if (marks && half != halfSeconds) {
      halfSeconds = half;
      FillRect(s, {p.X - 1, p.Y - 1, 3, 3}, 0x000000);
    }
    last = p;
  }
  if (!marks) return;
  for (int frame : path.SizeChanges) {
    const ClayRecord& c = path.Frames[frame];
    Point p = ToCanvas(CentreX(c), CentreY(c));
    DrawCircle(s, p.X, p.Y, 4, OleFromPixel(0xFFFFFF));
    DrawCircle(s, p.X, p.Y, 5, OleFromPixel(0x000000));
  }
  const ClayRecord& end = path.Frames.back();
  Point e = ToCanvas(CentreX(end), CentreY(end));
  if (path.End == FlightEnd::Landed) {
    for (int d = -5; d <= 5; ++d) {
      FillRect(s, {e.X + d - 1, e.Y + d - 1, 3, 3}, 0xFF2020);
      FillRect(s, {e.X + d - 1, e.Y - d - 1, 3, 3}, 0xFF2020);
    }
  } else {
    Square(s, e, 3, 0xFF2020);
  }
  char text[32];
  std::snprintf(text, sizeof text, "%.1f s", path.Seconds);
  const TextStyle style{FontFace::SansBold, 13, 0xFFFFFF};
  Size size = host_.MeasureText(text, style);
  const int tx = std::clamp(e.X + 8, 2, s.W - size.W - 4);
  const int ty = std::clamp(e.Y - size.H - 4, 2, s.H - size.H - 2);
  FillRect(s, {tx - 3, ty - 1, size.W + 6, size.H + 2}, 0x202020);
  host_.DrawText(s, tx, ty, text, style, {0, 0, s.W, s.H});
}

void FrmEditor::DrawTrap(Surface& s, int index, bool selected) {
  const TrapRecord& trap = field_.Traps[index].Trap;
  const uint32_t colour = TrapColours[index % MaxTraps];
  Point launch = ToCanvas(trap.X, trap.Y);
  Point ground = ToCanvas(trap.X, trap.FloorY);
  if (selected) {
    DashedHLine(s, 0, s.W - 1, ground.Y, colour);
    DashedHLine(s, 0, s.W - 1, ground.Y + 1, 0x000000);
    Point handle = ToCanvas(SpeedHandle(trap).X, SpeedHandle(trap).Y);
    ThickLine(s, launch, handle, HandleColour);
    Square(s, handle, 3, HandleColour);
    Square(s, ground, 4, colour);
    const TextStyle small{FontFace::Sans, 11, 0xFFFFFF};
    host_.DrawText(s, ground.X + 8, ground.Y - 14, "ground", small, {0, 0, s.W, s.H});
  } else {
    const int half = static_cast<int>(80 * view_.Scale);
    ui::HLine(s, ground.X - half, ground.Y, 2 * half, colour);
  }
  ui::FillDisc(s, launch.X, launch.Y, 9, 0x000000);
  ui::FillDisc(s, launch.X, launch.Y, 8, colour);
  if (selected) {
    DrawCircle(s, launch.X, launch.Y, 12, OleFromPixel(0xFFFF00));
    DrawCircle(s, launch.X, launch.Y, 13, OleFromPixel(0xFFFF00));
  }
  const TextStyle number{FontFace::SansBold, 12, 0xFFFFFF};
  const std::string digit = std::to_string(index + 1);
  Size size = host_.MeasureText(digit, number);
  host_.DrawText(s, launch.X - size.W / 2, launch.Y - size.H / 2, digit, number, {0, 0, s.W, s.H});
}

void FrmEditor::DrawCanvas() {
  picField->Cls();
  Surface& s = picField->Draw();
  if (view_.Zoomed) {
    BitBlt(s, 0, 0, s.W, s.H, backdrop_, static_cast<int>(view_.OriginX),
           static_cast<int>(view_.OriginY), RasterOp::Copy);
  } else if (!fitImage_.Empty()) {
    BitBlt(s, 0, 0, s.W, s.H, fitImage_, 0, 0, RasterOp::Copy);
  }
  // Where the shooter can look: the view swept over its whole swing.
  Point a = ToCanvas(0, 0);
  Point b = ToCanvas(PanXMax + ViewWidth, PanYMax + ViewHeight);
  for (int x = a.X; x < b.X; x += 6) {
    ui::HLine(s, x, a.Y, 3, 0xFFFFFF);
    ui::HLine(s, x, b.Y - 1, 3, 0xFFFFFF);
  }
  for (int y = a.Y; y < b.Y; y += 6) {
    ui::VLine(s, a.X, y, 3, 0xFFFFFF);
    ui::VLine(s, b.X - 1, y, 3, 0xFFFFFF);
  }
  const int count = static_cast<int>(field_.Traps.size());
  for (int i = 0; i < count; ++i) {
    if (i != selected_ && i < static_cast<int>(flights_.size()))
      DrawFlight(s, flights_[i], TrapColours[i % MaxTraps], false);
  }
  if (selected_ < count && selected_ < static_cast<int>(flights_.size()))
    DrawFlight(s, flights_[selected_], PathColour, true);
  for (int i = 0; i < count; ++i)
    if (i != selected_) DrawTrap(s, i, false);
  if (selected_ < count) {
    // The rabbit's run hugs its ground line: drawn thick, just under it.
    const TrapRecord& trap = field_.Traps[selected_].Trap;
    if (trap.Rabbit != 0) {
      const FlightPath run = RunRabbit(trap, speedFactor_);
      for (size_t i = 1; i < run.Frames.size(); ++i) {
        const ClayRecord& a = run.Frames[i - 1];
        const ClayRecord& b = run.Frames[i];
        ThickLine(s, ToCanvas(a.X + 5, a.Y + 5), ToCanvas(b.X + 5, b.Y + 5), RabbitColour);
      }
    }
    DrawTrap(s, selected_, true);
  }
  // Each trap's first warning stands beside it, where the designer is looking.
  for (int i = 0; i < count && i < static_cast<int>(flights_.size()); ++i) {
    const auto warnings = TrapWarnings(field_.Traps[i].Trap, flights_[i]);
    if (warnings.empty()) continue;
    const TextStyle style{FontFace::Sans, 11, 0x000000};
    const std::string text = "! " + warnings.front();
    Size size = host_.MeasureText(text, style);
    Point p = ToCanvas(field_.Traps[i].Trap.X, field_.Traps[i].Trap.Y);
    const int x = std::clamp(p.X + 14, 2, s.W - size.W - 6);
    const int y = std::clamp(p.Y + 10, 2, s.H - size.H - 4);
    FillRect(s, {x - 3, y - 2, size.W + 6, size.H + 4}, 0x000000);
    FillRect(s, {x - 2, y - 1, size.W + 4, size.H + 2}, 0xFFE870);
    host_.DrawText(s, x, y, text, style, {0, 0, s.W, s.H});
  }
}

void FrmEditor::CanvasMouseDown(int button, int shift, int x, int y) {
  (void)shift;
  if (throwing_) return;
  form_.SetFocus(nullptr);
  CommitBoxes();
  grip_ = Grip::None;
  dragFrom_ = {x, y};
  panFromX_ = view_.OriginX;
  panFromY_ = view_.OriginY;
  if (button == RightButton) {
    if (view_.Zoomed) grip_ = Grip::Pan;
    return;
  }
  if (button != LeftButton) return;
  const int count = static_cast<int>(field_.Traps.size());
  beforeDrag_ = field_;
  if (selected_ < count) {
    const TrapRecord& trap = field_.Traps[selected_].Trap;
    Point handle = SpeedHandle(trap);
    if (Distance(ToCanvas(handle.X, handle.Y), x, y) <= GripRadius) {
      grip_ = Grip::Speed;
      return;
    }
    if (Distance(ToCanvas(trap.X, trap.Y), x, y) <= GripRadius) {
      grip_ = Grip::Launch;
      return;
    }
  }
  for (int i = 0; i < count; ++i) {
    if (Distance(ToCanvas(field_.Traps[i].Trap.X, field_.Traps[i].Trap.Y), x, y) <= GripRadius) {
      selected_ = i;
      grip_ = Grip::Launch;
      Refresh();
      return;
    }
  }
  if (selected_ < count && std::abs(ToCanvas(0, field_.Traps[selected_].Trap.FloorY).Y - y) <= 3) {
    grip_ = Grip::Ground;
    return;
  }
  if (view_.Zoomed) grip_ = Grip::Pan;
}

void FrmEditor::CanvasMouseMove(int button, int shift, int x, int y) {
  (void)shift;
  if (grip_ == Grip::None || button == 0) return;
  if (grip_ == Grip::Pan) {
    view_.OriginX = panFromX_ - (x - dragFrom_.X) / view_.Scale;
    view_.OriginY = panFromY_ - (y - dragFrom_.Y) / view_.Scale;
    ScrollBy(0, 0);
    return;
  }
  double bx = 0, by = 0;
  ToBackdrop(x, y, bx, by);
  TrapRecord& trap = field_.Traps[selected_].Trap;
  switch (grip_) {
    case Grip::Launch: {
      // The launch point moves with the pointer, however far from the centre it was taken.
      double fromX = 0, fromY = 0;
      ToBackdrop(dragFrom_.X, dragFrom_.Y, fromX, fromY);
      const TrapRecord& start = beforeDrag_.Traps[selected_].Trap;
      trap.X = Clamp16(start.X + bx - fromX);
      trap.Y = Clamp16(start.Y + by - fromY);
      break;
    }
    case Grip::Speed:
      trap.DX = Tenths((bx - trap.X) / HandleScale);
      trap.DY = Tenths((trap.Y - by) / HandleScale);
      break;
    case Grip::Ground:
      trap.FloorY = Clamp16(by);
      break;
    default:
      break;
  }
  Refresh();
}

void FrmEditor::CanvasMouseUp(int button, int shift, int x, int y) {
  (void)button, (void)shift, (void)x, (void)y;
  const Grip released = std::exchange(grip_, Grip::None);
  if (released == Grip::None || released == Grip::Pan) return;
  // The whole drag is one step to undo.
  if (!(field_ == beforeDrag_)) history_.Record(beforeDrag_);
  Refresh();
}

void FrmEditor::ScrollBy(double dx, double dy) {
  if (!view_.Zoomed) return;
  const double w = picField->Width() / view_.Scale, h = picField->Height() / view_.Scale;
  view_.OriginX = std::clamp(view_.OriginX + dx, 0.0, std::max(0.0, backdrop_.W - w));
  view_.OriginY = std::clamp(view_.OriginY + dy, 0.0, std::max(0.0, backdrop_.H - h));
  DrawCanvas();
}

void FrmEditor::ToggleZoom(std::optional<Point> around) {
  CommitBoxes();
  view_.Zoomed = !view_.Zoomed;
  if (!view_.Zoomed) {
    view_ = CanvasView{};
    view_.Scale = static_cast<double>(picField->Width()) / BackdropWidth;
  } else {
    view_.Scale = 1;
    Point centre = around.value_or(Point{BackdropWidth / 2, BackdropHeight / 2});
    if (!around && selected_ < static_cast<int>(field_.Traps.size()))
      centre = {field_.Traps[selected_].Trap.X, field_.Traps[selected_].Trap.Y};
    view_.OriginX = centre.X - picField->Width() / 2.0;
    view_.OriginY = centre.Y - picField->Height() / 2.0;
  }
  UpdateCommands();
  ScrollBy(0, 0);
  DrawCanvas();
}

void FrmEditor::Throw() {
  if (throwing_) {
    throwing_ = false;  // a second press stops it
    return;
  }
  if (selected_ >= static_cast<int>(flights_.size())) return;
  const FlightPath path = flights_[selected_];
  if (path.Frames.empty() || path.FrameSeconds <= 0) return;
  throwing_ = true;
  cmdThrow->SetCaption("Stop");
  lblFlight->SetCaption("Trap " + std::to_string(selected_ + 1) + " throws...");
  DrawCanvas();
  const Surface still = picField->Image();
  const uint32_t start = host_.TimeGetTime();
  const double frameMs = path.FrameSeconds * 1000;
  size_t shown = path.Frames.size();
  int spinRow = 172;
  while (throwing_) {
    const size_t due = static_cast<size_t>((host_.TimeGetTime() - start) / frameMs);
    if (due >= path.Frames.size()) break;
    if (due != shown) {
      shown = due;
      Surface& s = picField->Draw();
      BitBlt(s, 0, 0, s.W, s.H, still, 0, 0, RasterOp::Copy);
      const ClayRecord& clay = path.Frames[due];
      Point p = ToCanvas(CentreX(clay), CentreY(clay));
      // The clay keeps its own size whatever the zoom, so that it can be followed.
      const int row = spinRow + clay.SpriteY;
      if (!artSheet_.Empty()) {
        BitBlt(s, p.X - 8, p.Y - 3, 16, 6, artSheet_, 496, row, RasterOp::And);
        BitBlt(s, p.X - 8, p.Y - 3, 16, 6, artSheet_, 480, row, RasterOp::Paint);
      } else {
        FillRect(s, {p.X - 6, p.Y - 2, 12, 5}, 0xF08030);
      }
      spinRow = spinRow >= 244 ? 172 : spinRow + 36;
    }
    form_.DoEvents();
  }
  throwing_ = false;
  cmdThrow->SetCaption("Throw");
  Refresh();
}

}  // namespace qm
