#pragma once
// Where the game and the field editor find their data and settings: one search for both
// programs, so an editor started from the menu reads the fields the game plays.

#include <string>

namespace qm {

// The folder of the running executable, else the current directory.
std::string ProgramFolder();

// The flag's folder, else $QUILLMOOR_DATA, else data/ beside the program, else the share
// directory of an installed game found from the program (a moved installation still works),
// else `installedData`, the folder the build was configured to install to (may be empty).
// `found` is false when the chosen folder is not a directory; the result then names the
// folder to mention in the message.
std::string FindDataFolder(const std::string& flag, const std::string& programFolder,
                           const std::string& installedData, bool& found);

// The flag's folder, else $XDG_CONFIG_HOME/quillmoor, else ~/.config/quillmoor.
std::string FindConfigFolder(const std::string& flag);

// The player's own data: $XDG_DATA_HOME/quillmoor, else ~/.local/share/quillmoor.
std::string UserDataFolder();

}  // namespace qm
