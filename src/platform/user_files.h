#pragma once
// The player's own files: the folders they live in, reading them whole, writing them
// atomically, listing a folder for a file chooser. Nothing above the platform layer opens a
// file itself; the field editor and the game's field loading go through these.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

// $HOME, else the current directory.
std::string HomeFolder();
// Fields made or changed with the editor: $XDG_DATA_HOME/quillmoor/fields, else
// ~/.local/share/quillmoor/fields. It may not exist yet.
std::string UserFieldsFolder();

// The whole file, or nullopt with `error` set (a missing file, a folder, one larger than
// `limit` bytes).
std::optional<std::string> ReadWholeFile(const std::string& path, size_t limit, std::string& error);
bool FileExists(const std::string& path);
bool IsFolder(const std::string& path);

// Paths as a file chooser walks them: the folder above, a name inside a folder, and a path
// with its "." and ".." steps taken.
std::string ParentFolder(const std::string& path);
std::string PathInFolder(const std::string& folder, const std::string& name);
std::string NormalPath(const std::string& path);

// Writes `bytes` to `path` whole or not at all: a temporary file in the same folder, flushed,
// renamed over the old one. The folder must exist. A device or a pipe (such as /dev/stdout)
// is written in place, as it cannot be replaced; a symbolic link is followed and stays. False
// with `error` set, and the old file untouched, when it cannot.
bool WriteWholeFile(const std::string& path, std::string_view bytes, std::string& error);
// The same, making the folder first.
bool ReplaceWholeFile(const std::string& path, const std::string& bytes, std::string& error);
// Writes every byte to an open file, going on after interrupted writes; false on a failed one.
bool WriteAll(int fd, std::string_view bytes);
// False with `error` set when the file exists and cannot be removed.
bool RemoveUserFile(const std::string& path, std::string& error);

struct FolderEntry {
  std::string Name;
  bool IsFolder = false;
};
// The visible entries of a folder (no dot files), folders first, each group sorted by name
// without regard to case; nullopt with `error` set if it cannot be read.
std::optional<std::vector<FolderEntry>> ListFolder(const std::string& path, std::string& error);

}  // namespace qm
