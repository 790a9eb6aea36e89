#pragma once
// Printing plain text as one job on the default printer, through CUPS. Both hosts print
// this way, so a test can point them at its own print server.

#include <string>

#include "platform/host.h"

namespace qm {

// Ok=false with the print system's own words when there is no server, no default printer
// or the job is refused.
PrintResult PrintTextJob(const std::string& title, const std::string& text);

}  // namespace qm
