#pragma once
// `marlsmith --check FILE.fld`: the trap table and the warnings of a field file, as text.

#include <string>

namespace qm {

struct FieldCheck {
  int ExitCode = 0;    // 0 when the game would play the file, 1 when it would refuse it
  std::string Report;  // for standard output
  std::string Reason;  // why it is refused, for standard error
};

FieldCheck CheckFieldText(const std::string& name, const std::string& text, float speedFactor);

}  // namespace qm
