#include "editor/file_chooser.h"

#include <algorithm>

#include "platform/form.h"
#include "platform/message_box.h"
#include "platform/ui_paint.h"
#include "platform/ui_theme.h"


namespace qm {

namespace {

constexpr int DialogW = 470, DialogH = 330;
constexpr int ListX = 10, ListY = 58, ListW = 424, ListH = 218;
constexpr int RowH = 18;
constexpr uint32_t DoubleClickMs = 500;

bool IsPicture(const std::string& name) {
  if (name.size() < 4) return false;
  std::string end = name.substr(name.size() - 4);
  for (char& c : end) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return end == ".bmp";
}

}  // namespace

FileChooser::FileChooser(Form& form, Control* owner) : form_(form) {
  (void)owner;
  picChooser = std::make_unique<PictureBox>(form, nullptr, "picChooser", DialogW, DialogH);
  picChooser->Hide();
  Surface face(DialogW, DialogH, ui::Face);
  ui::RaisedEdge(face, {0, 0, DialogW, DialogH});
  FillRect(face, {3, 3, DialogW - 6, 20}, ui::TitleLeft);
  picChooser->SetPicture(std::move(face));
  Control* p = picChooser.get();

  lblChooserTitle = std::make_unique<Label>(form, p, "lblChooserTitle");
  lblChooserTitle->Move(8, 5, DialogW - 16, 16);
  lblChooserTitle->Style = ui::TitleStyle;
  lblChooserTitle->SetCaption("Choose a picture for the new field");
  txtChooserPath = std::make_unique<TextBox>(form, p, "txtChooserPath");
  txtChooserPath->Move(10, 30, DialogW - 20, 22);
  picChooserList = std::make_unique<PictureBox>(form, p, "picChooserList", ListW, ListH);
  picChooserList->Move(ListX, ListY, ListW, ListH);
  picChooserList->MakePersistent();
  picChooserList->Show();
  cmdChooserUp = std::make_unique<CommandButton>(form, p, "cmdChooserUp");
  cmdChooserUp->Move(ListX + ListW + 4, ListY, 22, 40);
  cmdChooserUp->SetCaption("\u25B2");
  cmdChooserUp->ToolTipText = "Scroll up";
  cmdChooserDown = std::make_unique<CommandButton>(form, p, "cmdChooserDown");
  cmdChooserDown->Move(ListX + ListW + 4, ListY + ListH - 40, 22, 40);
  cmdChooserDown->SetCaption("\u25BC");
  cmdChooserDown->ToolTipText = "Scroll down";
  lblChooserNote = std::make_unique<Label>(form, p, "lblChooserNote");
  lblChooserNote->Move(10, ListY + ListH + 6, DialogW - 20, 16);
  lblChooserNote->Style = {FontFace::Sans, 12, 0x303030};
  lblChooserNote->SetCaption(
      "Folders and BMP pictures: arrows choose, Enter or a double click opens, Esc cancels.");
  cmdChooserOpen = std::make_unique<CommandButton>(form, p, "cmdChooserOpen");
  cmdChooserOpen->Move(DialogW - 176, DialogH - 32, 80, 24);
  cmdChooserOpen->SetCaption("Open");
  cmdChooserCancel = std::make_unique<CommandButton>(form, p, "cmdChooserCancel");
  cmdChooserCancel->Move(DialogW - 90, DialogH - 32, 80, 24);
  cmdChooserCancel->SetCaption("Cancel");

  cmdChooserOpen->Click = [this] { OpenPath(txtChooserPath->Text()); };
  cmdChooserCancel->Click = [this] { picChooser->Hide(); };
  cmdChooserUp->Click = [this] {
    top_ = std::max(0, top_ - VisibleRows() / 2);
    DrawList();
  };
  cmdChooserDown->Click = [this] {
    top_ = std::clamp(top_ + VisibleRows() / 2, 0,
                      std::max(0, static_cast<int>(entries_.size()) - VisibleRows()));
    DrawList();
  };
  picChooserList->MouseDown = [this](int button, int, int x, int y) {
    ListMouseDown(button, x, y);
  };
  picChooser->KeyDown = [this](int keyCode, int shift) { KeyDown(keyCode, shift); };
}

FileChooser::~FileChooser() = default;

std::optional<std::string> FileChooser::Choose(const std::string& folder) {
  chosen_.reset();
  Enter(folder);
  form_.ShowModal(*picChooser);
  return chosen_;
}

int FileChooser::VisibleRows() const {
  return ListH / RowH;
}

std::string FileChooser::PathOf(int index) const {
  if (index < 0 || index >= static_cast<int>(entries_.size())) return folder_;
  if (entries_[index].Name == "..") return ParentFolder(folder_);
  return PathInFolder(folder_, entries_[index].Name);
}

void FileChooser::Enter(const std::string& folder) {
  std::string error;
  auto listed = ListFolder(folder, error);
  if (!listed) {
    MsgBox(form_, "The folder " + folder + " cannot be read: " + error + ".",
           vbOKOnly | vbExclamation);
    if (!folder_.empty()) Select(selected_);
    return;
  }
  folder_ = NormalPath(folder);
  if (folder_.size() > 1 && folder_.back() == '/') folder_.pop_back();
  entries_.clear();
  if (folder_ != "/") entries_.push_back({"..", true});
  for (const FolderEntry& entry : *listed)
    if (entry.IsFolder || IsPicture(entry.Name)) entries_.push_back(entry);
  top_ = 0;
  Select(entries_.size() > 1 && entries_[0].Name == ".." ? 1 : 0);
}

void FileChooser::Select(int index) {
  selected_ = std::clamp(index, 0, std::max(0, static_cast<int>(entries_.size()) - 1));
  if (selected_ < top_) top_ = selected_;
  if (selected_ >= top_ + VisibleRows()) top_ = selected_ - VisibleRows() + 1;
  txtChooserPath->SetText(entries_.empty() ? folder_ : PathOf(selected_));
  DrawList();
}

void FileChooser::OpenPath(const std::string& path) {
  if (IsFolder(path)) {
    Enter(path);
    return;
  }
  if (!FileExists(path)) {
    MsgBox(form_, "There is no file or folder " + path + ".", vbOKOnly | vbExclamation);
    return;
  }
  chosen_ = path;
  picChooser->Hide();
}

void FileChooser::DrawList() {
  picChooserList->Cls();
  Surface& s = picChooserList->Draw();
  s.Fill(ui::Field);
  Host& host = form_.GetHost();
  const int rows = VisibleRows();
  for (int row = 0; row < rows && top_ + row < static_cast<int>(entries_.size()); ++row) {
    const int i = top_ + row;
    const FolderEntry& entry = entries_[i];
    const bool chosen = i == selected_;
    const Rect r{0, row * RowH, s.W, RowH};
    if (chosen) FillRect(s, r, ui::SelectionBack);
    TextStyle style = ui::ControlText;
    style.Rgb = chosen ? ui::SelectionText : ui::Text;
    std::string text = entry.Name == ".." ? "\u2191  (up a folder)"
                       : entry.IsFolder   ? "\u25A0  " + entry.Name + "/"
                                          : "     " + entry.Name;
    host.DrawText(s, 6, r.Y + 2, text, style, r);
  }
  if (entries_.empty()) {
    host.DrawText(s, 6, 4, "(no folders or BMP pictures here)", ui::ControlText, {0, 0, s.W, s.H});
  }
  ui::SunkenEdge(s, {0, 0, s.W, s.H});
}

void FileChooser::ListMouseDown(int button, int x, int y) {
  (void)x;
  if (button != LeftButton) return;
  const int index = top_ + y / RowH;
  if (index >= static_cast<int>(entries_.size())) return;
  const uint32_t now = form_.GetHost().TimeGetTime();
  const bool twice = index == lastClickRow_ && now - lastClickMs_ <= DoubleClickMs;
  lastClickRow_ = twice ? -1 : index;
  lastClickMs_ = now;
  Select(index);
  if (twice) OpenPath(PathOf(index));
}

void FileChooser::KeyDown(int keyCode, int shift) {
  (void)shift;
  const int page = VisibleRows() - 1;
  switch (keyCode) {
    case qm::KeyUp:
      Select(selected_ - 1);
      break;
    case qm::KeyDown:
      Select(selected_ + 1);
      break;
    case 33:  // Page Up
      Select(selected_ - page);
      break;
    case 34:  // Page Down
      Select(selected_ + page);
      break;
    case KeyReturn:
      OpenPath(txtChooserPath->Text());
      break;
    case KeyEscape:
      picChooser->Hide();
      break;
    default:
      break;
  }
}

}  // namespace qm
