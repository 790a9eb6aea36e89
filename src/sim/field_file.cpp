#include <cmath>
#include <fstream>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "app/frm_main.h"
#include "platform/message_box.h"
#include "platform/numeric.h"
#include "sim/field_number.h"

namespace qm {

namespace {

// Field files are small; anything much larger is not a field file.
constexpr std::streamoff MaxFieldFileBytes = 64 * 1024;

std::optional<int16_t> IntegerValue(const std::string& line) {
  const double value = LeadingNumber(line);
  if (!std::isfinite(value) || value < -32768.5 || value > 32767.5) return std::nullopt;
  const long rounded = CInt(value);
  if (rounded < -32768 || rounded > 32767) return std::nullopt;
  return static_cast<int16_t>(rounded);
}

float SingleValue(const std::string& line) {
  const double value = LeadingNumber(line);
  if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max()) return 0;
  return static_cast<float>(value);
}

// The file's lines, without their CR LF (or bare LF) endings.
class FieldLines {
 public:
  explicit FieldLines(std::ifstream& file) : file_(file) {}
  bool Next(std::string& line) {
    if (!std::getline(file_, line)) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
  }
  bool NextInteger(int16_t& value) {
    std::string line;
    if (!Next(line)) return false;
    const auto parsed = IntegerValue(line);
    if (!parsed) return false;
    value = *parsed;
    return true;
  }
  bool NextSingle(float& value) {
    std::string line;
    if (!Next(line)) return false;
    value = SingleValue(line);
    return true;
  }

 private:
  std::ifstream& file_;
};

}  // namespace

bool FrmMain::ReadFieldFile(const std::string& name) {
  std::ifstream file(name, std::ios::binary | std::ios::ate);
  if (!file) return false;
  const std::streamoff length = file.tellg();
  if (length <= 0 || length > MaxFieldFileBytes) return false;
  file.seekg(0);
  FieldLines lines(file);
  std::string ignored;
  if (!lines.Next(ignored)) return false;
  if (!lines.NextInteger(Field.TrapCount)) return false;
  for (Field.LoopIndex = 0; Field.LoopIndex < Field.TrapCount; ++Field.LoopIndex) {
    if (!lines.Next(ignored)) return false;
    // A fifth trap is a failure: its label and X are read, nothing of it is kept.
    if (Field.LoopIndex > 3) {
      int16_t x = 0;
      lines.NextInteger(x);
      return false;
    }
    TrapRecord& trap = Field.Traps[Field.LoopIndex];
    if (!lines.NextInteger(trap.X) || !lines.NextInteger(trap.Y) || !lines.NextSingle(trap.DX) ||
        !lines.NextSingle(trap.DY) || !lines.NextInteger(trap.FloorY) ||
        !lines.NextInteger(trap.Direction) || !lines.NextInteger(trap.Rabbit)) {
      return false;
    }
  }
  return true;
}

void FrmMain::LoadField() {
  picSelect->Hide();
  picSelect->SetPicture({});
  picMain->Show();
  form_.Refresh();

  const std::string stem =
      std::to_string(Settings.Season) + "f" + std::to_string(Menu.CurrentField);
  Field.FieldLoaded = ReadFieldFile(stem + ".fld") && picMask->LoadPicture(stem + ".bmp");
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
  for (Field.LoopIndex = 0; Field.LoopIndex <= 1; ++Field.LoopIndex) {
    ClayRecord& clay = Field.Clays[Field.LoopIndex];
    clay.X = -20;
    clay.Y = -20;
    clay.VX = 0;
    clay.VY = 0;
    clay.State = ClayReset;
  }
}

}  // namespace qm
