// The headless host's script parser on arbitrary text: it accepts the script or names the
// bad line, and `type` types just what follows the command word on its line.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/headless/script_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::string error;
  const auto script = qm::ParseScript(text, error);
  if (!script) {
    if (!error.starts_with("line ")) std::abort();
    return 0;
  }
  for (const qm::ScriptCommand& command : *script) {
    if (command.Line <= 0 || command.Source.empty()) std::abort();
    if (command.Kind != qm::ScriptCommandKind::Type) continue;
    std::string typed;
    for (const qm::HostEvent& key : command.Keys) typed += key.Text;
    // The line as shown is trimmed; what is typed may go on with the blanks it ends in.
    const std::string shown = command.Source.size() > 5 ? command.Source.substr(5) : "";
    if (!typed.starts_with(shown) || typed.find_first_not_of(" \t", shown.size()) != typed.npos)
      std::abort();
  }
  return 0;
}
