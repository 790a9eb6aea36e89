// The field file reader on arbitrary text: a field it accepts has one to four traps, and the
// file the writer makes of it reads back to the same field.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "sim/field_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const qm::FieldFileResult read = qm::ParseFieldFile(text);
  if (!read.Ok) return 0;
  if (read.Field.TrapCount < 1 || read.Field.TrapCount > qm::MaxTraps) std::abort();
  const std::string written = qm::FieldFileText(read.Field);
  const qm::FieldFileResult again = qm::ParseFieldFile(written);
  if (!again.Ok || qm::FieldFileText(again.Field) != written) std::abort();
  return 0;
}
