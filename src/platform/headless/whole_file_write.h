#pragma once
// Files the headless host writes for a script (snapshots, dumps) appear whole or not at all.

#include <string>
#include <string_view>

namespace qm {

// Writes through a temporary file beside `path`, renamed into place. False with `error` set
// on failure; an older file at `path` is then left as it was.
bool WriteWholeFile(const std::string& path, std::string_view bytes, std::string& error);

}  // namespace qm
