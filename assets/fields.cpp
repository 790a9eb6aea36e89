// The field files the game loads (one value a line, CR LF) and the season name files.

#include <fstream>
#include <stdexcept>
#include <string>

#include "field_layouts.h"
#include "generators.h"
#include "sim/field_file.h"

namespace assets {

namespace {

void WriteText(const std::string& path, const std::string& text) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f << text;
  if (!f) throw std::runtime_error("cannot write " + path);
}

// The shipped fields are written by the same writer as the editor's, so they read back as
// the game reads every field.
qm::FieldTable FieldTableOf(int season, const FieldLayout& field) {
  qm::FieldTable table;
  table.Title = std::string(SeasonNames[season]) + " - " + field.Name;
  table.TrapCount = TrapsPerField;
  for (int i = 0; i < TrapsPerField; ++i) {
    const TrapLayout& trap = field.Traps[i];
    table.Labels[i] = trap.Label;
    table.Traps[i] = {static_cast<int16_t>(trap.X),      static_cast<int16_t>(trap.Y),
                      static_cast<float>(trap.DX),       static_cast<float>(trap.DY),
                      static_cast<int16_t>(trap.FloorY), static_cast<int16_t>(trap.Direction),
                      static_cast<int16_t>(trap.Rabbit)};
  }
  return table;
}

}  // namespace

void GenerateFields(const Output& out) {
  for (int season = 0; season < SeasonCount; ++season) {
    for (int field = 0; field < FieldCount; ++field) {
      const std::string stem = std::to_string(season) + "f" + std::to_string(field + 1);
      WriteText(out.Path(stem + ".fld"),
                qm::FieldFileText(FieldTableOf(season, FieldLayouts[field])));
    }
    WriteText(out.Path(std::to_string(season) + "s.txt"),
              std::string(SeasonNames[season]) + "\r\n");
  }
}

}  // namespace assets
