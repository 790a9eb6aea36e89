// Loading the chosen field into the form: its file through the field-file core, its
// backdrop into picMask.

#include <string>

#include "app/frm_main.h"
#include "platform/file_read.h"
#include "platform/message_box.h"
#include "sim/field_file.h"

namespace qm {

bool FrmMain::ReadFieldFile(const std::string& name) {
  const auto text = ReadFileHead(name, FieldFileReadBytes);
  if (!text) return false;
  FieldTable previous;
  previous.TrapCount = Field.TrapCount;
  previous.Traps = Field.Traps;
  const FieldFileResult read = ParseFieldFile(*text, previous);
  // Kept: a refused file still leaves what was read of it in the trap table.
  Field.TrapCount = read.Field.TrapCount;
  Field.Traps = read.Field.Traps;
  return read.Ok;
}

void FrmMain::LoadField() {
  picSelect->Hide();
  picSelect->SetPicture({});
  picMain->Show();
  form_.Refresh();

  const std::string stem =
      std::to_string(Settings.Season) + "f" + std::to_string(Menu.CurrentField);
  // A field the player made or changed with the editor is played in place of the shipped
  // one, with its own backdrop when it has one.
  std::string fieldFile = stem + ".fld", backdrop = stem + ".bmp";
  const std::string mine = config_.FieldsDir.empty() ? "" : config_.FieldsDir + "/";
  if (!mine.empty() && FileReadable(mine + fieldFile)) {
    fieldFile = mine + fieldFile;
    if (FileReadable(mine + backdrop)) backdrop = mine + backdrop;
  }
  Field.FieldLoaded = ReadFieldFile(fieldFile) && picMask->LoadPicture(backdrop);
  if (!Field.FieldLoaded) {
    MsgBox(form_, "There is no valid Data File for Field " + std::to_string(Menu.CurrentField) +
                      "  The Field may not be installed. Try rebuilding the field file using the "
                      "Editor.  Please consult the help file.");
    return;
  }
  App.StationDone = false;
  View.PanX = 500;
  View.PanY = 300;
}

void FrmMain::ResetClays() {
  for (ClayRecord& clay : Field.Clays) {
    clay.X = -20;
    clay.Y = -20;
    clay.VX = 0;
    clay.VY = 0;
    clay.State = ClayReset;
  }
}

}  // namespace qm
