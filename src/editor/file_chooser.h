#pragma once
// A small file chooser inside the editor's window: folders and BMP pictures, one list,
// worked with the keyboard or the mouse.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/picture_box.h"
#include "platform/user_files.h"

namespace qm {

class FileChooser {
 public:
  FileChooser(Form& form, Control* owner);
  ~FileChooser();
  // Shows the chooser in `folder` and waits; the chosen picture's path, or nullopt when the
  // player cancelled.
  std::optional<std::string> Choose(const std::string& folder);

 private:
  void Enter(const std::string& folder);
  void Select(int index);
  void OpenPath(const std::string& path);  // a folder is entered, a file chosen
  void DrawList();
  void ListMouseDown(int button, int x, int y);
  void KeyDown(int keyCode, int shift);
  std::string PathOf(int index) const;
  int VisibleRows() const;

  Form& form_;
  std::unique_ptr<PictureBox> picChooser, picChooserList;
  std::unique_ptr<Label> lblChooserTitle, lblChooserNote;
  std::unique_ptr<TextBox> txtChooserPath;
  std::unique_ptr<CommandButton> cmdChooserOpen, cmdChooserCancel, cmdChooserUp, cmdChooserDown;

  std::string folder_;
  std::vector<FolderEntry> entries_;  // ".." first, then folders, then pictures
  int selected_ = 0;
  int top_ = 0;
  int lastClickRow_ = -1;
  uint32_t lastClickMs_ = 0;
  std::optional<std::string> chosen_;
};

}  // namespace qm
