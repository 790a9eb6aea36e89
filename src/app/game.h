#pragma once
// The game's entry point above the seam.

#include <string>

namespace qm {

class Host;

struct GameConfig {
  std::string DataDir;     // artwork, sounds, field files, help; made the current directory
  std::string ConfigDir;   // where quillmoor.ini lives
  std::string ProgramDir;  // where the game's executable lies (the field editor is beside it)
  std::string FieldsDir;   // the player's own fields (made with the editor); empty for none
  std::string HistoryPath = {};  // the score history database; empty keeps no history
};

// Runs the main form until the program ends; returns the exit code.
int RunGame(Host& host, const GameConfig& config);

}  // namespace qm
