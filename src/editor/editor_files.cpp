// Opening, saving and reverting fields, and new fields on pictures of the player's own.

#include <cmath>

#include "editor/editor_form.h"
#include "editor/file_chooser.h"
#include "editor/picture_scaling.h"
#include "platform/bmp_writer.h"
#include "platform/file_read.h"
#include "platform/message_box.h"
#include "platform/profile.h"
#include "platform/user_files.h"
#include "sim/field_number.h"
#include "sim/view_geometry.h"

namespace qm {

namespace {

const std::string CRLF = "\r\n";

}  // namespace

std::string FrmEditor::Stem() const {
  return std::to_string(season_) + "f" + std::to_string(fieldNumber_);
}

std::string FrmEditor::UserFieldPath() const {
  return config_.FieldsDir + "/" + Stem() + ".fld";
}

std::string FrmEditor::UserBackdropPath() const {
  return config_.FieldsDir + "/" + Stem() + ".bmp";
}

float FrmEditor::SettingsSpeedFactor() const {
  // The factor of this machine's last timing run, as the game recorded it.
  ProfileFile settings(config_.ConfigDir + "/quillmoor.ini");
  const double recorded = LeadingNumber(settings.GetString("Settings", "TimeBase", ""));
  return recorded > 0 && recorded <= 10 ? static_cast<float>(recorded) : DefaultSpeedFactor;
}

void FrmEditor::ReportSave(const std::string& file, bool ok) {
  const size_t slash = file.find_last_of('/');
  form_.Trace(TraceEvent("save")
                  .With("file", slash == std::string::npos ? file : file.substr(slash + 1))
                  .With("ok", ok));
}

void FrmEditor::OpenSlot(int season, int field) {
  if (season == season_ && field == fieldNumber_) return;
  CommitBoxes();
  if (!AskToSave()) {
    syncing_ = true;  // stay where we were: the lists show the open field again
    cmbSeason->SetListIndex(season_);
    cmbField->SetListIndex(fieldNumber_ - 1);
    syncing_ = false;
    return;
  }
  LoadSlot(season, field);
}

void FrmEditor::LoadSlot(int season, int field) {
  season_ = season;
  fieldNumber_ = std::clamp(field, 1, 5);
  syncing_ = true;
  cmbSeason->SetListIndex(season_);
  cmbField->SetListIndex(fieldNumber_ - 1);
  syncing_ = false;

  userCopy_ = FileExists(UserFieldPath());
  const std::string fieldPath =
      userCopy_ ? UserFieldPath() : config_.DataDir + "/" + Stem() + ".fld";
  const std::string picturePath = userCopy_ && FileExists(UserBackdropPath())
                                      ? UserBackdropPath()
                                      : config_.DataDir + "/" + Stem() + ".bmp";
  std::string problem;
  std::optional<FieldDocument> opened;
  // As much of the file as the game itself reads.
  if (auto text = ReadFileHead(fieldPath, FieldFileReadBytes)) {
    ParsedField parsed = ParseFieldDocument(*text);
    opened = parsed.Field;
    problem = parsed.Reason;
  } else {
    problem = "it cannot be read";
  }
  std::optional<Surface> picture = host_.LoadBitmap(picturePath);
  if (!picture) {
    picture = Surface(BackdropWidth, BackdropHeight, 0x608050);
    problem += (problem.empty() ? "" : CRLF) + "Its picture " + picturePath + " cannot be read.";
  } else if (picture->W != BackdropWidth || picture->H != BackdropHeight) {
    picture = ScalePicture(*picture, BackdropWidth, BackdropHeight);
  }
  LoadBackdrop(std::move(*picture));
  if (!opened) {
    MsgBox(form_,
           "The field file " + fieldPath + " cannot be used: " + problem + CRLF + CRLF +
               "A new field with one trap is open instead. Nothing is written until you save.",
           vbOKOnly | vbCritical);
    opened = NewFieldDocument();
  } else if (!problem.empty()) {
    MsgBox(form_, problem, vbOKOnly | vbExclamation);
  }
  field_ = *opened;
  saved_ = field_;
  pictureIsNew_ = false;
  history_.Reset();
  selected_ = 0;
  view_ = CanvasView{};
  view_.Scale = static_cast<double>(picField->Width()) / BackdropWidth;
  Refresh();
}

bool FrmEditor::AskToSave() {
  CommitBoxes();
  if (field_ == saved_ && !pictureIsNew_) return true;
  const int answer = MsgBox(
      form_,
      "Save the changes to " + cmbSeason->Text() + ", field " + std::to_string(fieldNumber_) + "?",
      vbYesNoCancel | vbQuestion);
  if (answer == vbCancel) return false;
  if (answer == vbNo) return true;
  return Save();
}

bool FrmEditor::Save() {
  const std::string refusal = SaveRefusal(field_);
  if (!refusal.empty()) {
    MsgBox(form_, "This field cannot be saved: " + refusal, vbOKOnly | vbCritical);
    return false;
  }
  std::string error;
  bool ok = true;
  if (pictureIsNew_) {
    ok = ReplaceWholeFile(UserBackdropPath(), EncodeBmp24(backdrop_), error);
    ReportSave(UserBackdropPath(), ok);
  }
  if (ok) {
    ok = ReplaceWholeFile(UserFieldPath(), WriteFieldDocument(field_), error);
    ReportSave(UserFieldPath(), ok);
  }
  if (!ok) {
    MsgBox(form_,
           "The field could not be saved: " + error + "." + CRLF + CRLF +
               "Your changes are still open here; free the folder or its disk and save again.",
           vbOKOnly | vbCritical);
    return false;
  }
  saved_ = field_;
  pictureIsNew_ = false;
  userCopy_ = true;
  UpdateCommands();
  return true;
}

void FrmEditor::Revert() {
  CommitBoxes();
  if (!userCopy_) return;
  const std::string question = "Go back to the shipped " + cmbSeason->Text() + ", field " +
                               std::to_string(fieldNumber_) + "?" + CRLF + "Your copy in " +
                               config_.FieldsDir + " will be removed.";
  if (MsgBox(form_, question, vbYesNo | vbQuestion | vbDefaultButton2) != vbYes) return;
  std::string error;
  if (!RemoveUserFile(UserFieldPath(), error) || !RemoveUserFile(UserBackdropPath(), error)) {
    MsgBox(form_, "Your copy could not be removed: " + error + ".", vbOKOnly | vbCritical);
    return;
  }
  LoadSlot(season_, fieldNumber_);
}

void FrmEditor::NewFromPicture() {
  CommitBoxes();
  if (!AskToSave()) return;
  const std::optional<std::string> path = chooser_->Choose(HomeFolder());
  if (!path) return;
  std::optional<Surface> picture = host_.LoadBitmap(*path);
  if (!picture || picture->Empty()) {
    MsgBox(form_,
           *path + " is not a picture the editor can read." + CRLF +
               "Choose a BMP picture, such as one saved from a paint program.",
           vbOKOnly | vbCritical);
    return;
  }
  if (picture->W != BackdropWidth || picture->H != BackdropHeight) {
    MsgBox(form_,
           "The picture is " + std::to_string(picture->W) + " x " + std::to_string(picture->H) +
               " pixels; it has been scaled to 1600 x 800, the size of a field.",
           vbOKOnly | vbInformation);
    picture = ScalePicture(*picture, BackdropWidth, BackdropHeight);
  }
  LoadBackdrop(std::move(*picture));
  field_ = NewFieldDocument();
  saved_ = field_;
  pictureIsNew_ = true;
  history_.Reset();
  selected_ = 0;
  Refresh();
}

}  // namespace qm
