#pragma once
// The game's entry point above the seam.

#include <string>

namespace qm {

class Host;

struct GameConfig {
  std::string DataDir;    // artwork, sounds, field files, help; made the current directory
  std::string ConfigDir;  // where quillmoor.ini lives
};

// Runs the main form until the program ends; returns the exit code.
int RunGame(Host& host, const GameConfig& config);

}  // namespace qm
