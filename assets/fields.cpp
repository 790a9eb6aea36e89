// The field files the game loads (one value a line, CR LF) and the season name files.

#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "field_layouts.h"
#include "generators.h"

namespace assets {

namespace {

std::string Number(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", v);
  return text;
}

void WriteLines(const std::string& path, const std::vector<std::string>& lines) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  for (const std::string& line : lines) f << line << "\r\n";
  if (!f) throw std::runtime_error("cannot write " + path);
}

std::vector<std::string> FieldLines(int season, const FieldLayout& field) {
  std::vector<std::string> lines = {std::string(SeasonNames[season]) + " - " + field.Name,
                                    Number(TrapsPerField)};
  for (const TrapLayout& trap : field.Traps) {
    lines.insert(lines.end(),
                 {trap.Label, Number(trap.X), Number(trap.Y), Number(trap.DX), Number(trap.DY),
                  Number(trap.FloorY), Number(trap.Direction), Number(trap.Rabbit)});
  }
  return lines;
}

}  // namespace

void GenerateFields(const Output& out) {
  for (int season = 0; season < SeasonCount; ++season) {
    for (int field = 0; field < FieldCount; ++field) {
      const std::string stem = std::to_string(season) + "f" + std::to_string(field + 1);
      WriteLines(out.Path(stem + ".fld"), FieldLines(season, FieldLayouts[field]));
    }
    WriteLines(out.Path(std::to_string(season) + "s.txt"), {SeasonNames[season]});
  }
}

}  // namespace assets
