#pragma once
// A picture box: a picture plus a persistent drawing layer. Drawing goes to the layer;
// clearing it (Cls) brings the picture back. Full-window panels, the hidden art sheet,
// the backdrop store and the off-screen frame are all picture boxes.

#include <functional>
#include <string>

#include "platform/controls.h"

namespace qm {

class PictureBox : public Control {
 public:
  // A panel of the given size. Panels are hidden until shown.
  PictureBox(Form& form, Control* container, std::string name, int width, int height);

  // Loads a BMP as the picture and clears the drawing layer. False if it could not be read
  // (the old picture stays).
  bool LoadPicture(const std::string& path);
  // Replaces the picture (and clears the drawing layer); an empty surface removes it.
  void SetPicture(Surface picture);
  const Surface& Picture() const { return picture_; }
  // Gives the box a backing bitmap of its own size (black where there is no picture).
  void MakePersistent();

  // The picture with the drawing on it: read by block transfers from this box.
  const Surface& Image() const { return image_; }
  // For drawing: block transfers, points, lines, circles. Marks the screen for repainting.
  Surface& Draw();
  // Clears the drawing layer: the picture shows again.
  void Cls();

  // Colour of the box where it has no picture.
  uint32_t BackColor = 0x000000;

  // Its painting hides the whole window: a shown full-window panel.
  bool CoversWindow() const;

  void SetVisible(bool visible) override;  // panels trace `show` / `hide`
  void Paint(Surface& screen, Host& host) override;

  // A modal dialog sees the keys first, as a small form with key preview would (Enter in
  // its text box reaches these before the box).
  std::function<void(int keyCode, int shift)> KeyDown;
  std::function<void(int keyAscii)> KeyPress;
  void OnKeyDown(int keyCode, int shift) override;
  void OnKeyPress(const std::string& utf8Char) override;

 private:
  // The picture, or for a persistent box its own size in BackColor with the picture on it.
  Surface Backing() const;

  Surface picture_;
  Surface image_;
  bool persistent_ = false;
};

}  // namespace qm
