#include "platform/picture_box.h"

#include <algorithm>

#include "platform/form.h"
#include "platform/host.h"
#include "platform/ui_paint.h"

namespace qm {

PictureBox::PictureBox(Form& form, Control* container, std::string name, int width, int height)
    : Control(form, container, std::move(name)) {
  Move(0, 0, width, height);
  Control::SetVisible(false);  // hidden from birth, so no `hide` is traced
}

bool PictureBox::LoadPicture(const std::string& path) {
  std::optional<Surface> picture = Owner().GetHost().LoadBitmap(path);
  if (!picture) return false;
  SetPicture(std::move(*picture));
  return true;
}

void PictureBox::SetPicture(Surface picture) {
  picture_ = std::move(picture);
  Cls();
}

void PictureBox::MakePersistent() {
  persistent_ = true;
  Cls();
}

Surface PictureBox::Backing() const {
  if (!persistent_) return picture_;
  // The box's own size, grown to hold the whole picture should that be larger.
  Surface backing(std::max(Width(), picture_.W), std::max(Height(), picture_.H), BackColor);
  BitBlt(backing, 0, 0, picture_.W, picture_.H, picture_, 0, 0, RasterOp::Copy);
  return backing;
}

Surface& PictureBox::Draw() {
  // Drawing on a box without a bitmap gives it one, as the old box drew onto its face.
  if (image_.Empty() && Width() > 0 && Height() > 0) image_ = Surface(Width(), Height(), BackColor);
  Invalidate();
  return image_;
}

void PictureBox::Cls() {
  image_ = Backing();
  Invalidate();
}

bool PictureBox::CoversWindow() const {
  Rect r = WindowRect();
  return r.X <= 0 && r.Y <= 0 && r.X + r.W >= Form::Width && r.Y + r.H >= Form::Height;
}

void PictureBox::SetVisible(bool visible) {
  bool changed = visible != Visible();
  Control::SetVisible(visible);
  if (changed && Container() == nullptr)
    Owner().Trace(TraceEvent(visible ? "show" : "hide").With("control", Name()));
}

void PictureBox::Paint(Surface& screen, Host& host) {
  (void)host;
  Rect r = WindowRect();
  Rect clip = ClipRect();
  int w = std::min(r.W, image_.W), h = std::min(r.H, image_.H);
  // Where the image does not reach, the box shows its back colour.
  if (w < r.W || h < r.H) ui::FillClipped(screen, clip, BackColor);
  Rect shown = ui::Intersect({r.X, r.Y, w, h}, clip);
  if (shown.W > 0 && shown.H > 0)
    BitBlt(screen, shown.X, shown.Y, shown.W, shown.H, image_, shown.X - r.X, shown.Y - r.Y,
           RasterOp::Copy);
}

void PictureBox::OnKeyDown(int keyCode, int shift) {
  if (KeyDown) KeyDown(keyCode, shift);
}

void PictureBox::OnKeyPress(const std::string& utf8Char) {
  if (KeyPress && utf8Char.size() == 1 && static_cast<unsigned char>(utf8Char[0]) < 128)
    KeyPress(static_cast<unsigned char>(utf8Char[0]));
}

}  // namespace qm
