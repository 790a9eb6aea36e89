#pragma once
// The old profile functions over one INI file. Sections and keys are matched without regard
// to case; lines the game does not know are kept; every write replaces the file atomically
// (a temporary file in the same directory, flushed, then renamed over the old one).

#include <string>

namespace qm {

class ProfileFile {
 public:
  explicit ProfileFile(std::string path) : path_(std::move(path)) {}
  const std::string& Path() const { return path_; }

  // GetPrivateProfileString: the value, or `defaultValue` when the section or key is
  // missing; at most bufferSize - 1 characters are returned.
  std::string GetString(const std::string& section, const std::string& key,
                        const std::string& defaultValue, int bufferSize = 256) const;
  // GetPrivateProfileInt: leading white space, an optional minus sign and the leading
  // decimal digits of the value; `defaultValue` when the key is missing; 0 when the value
  // does not start with a number.
  int GetInt(const std::string& section, const std::string& key, int defaultValue) const;
  // WritePrivateProfileString: adds or replaces the key, creating the section and the file
  // (and its directory) as needed. False if the file could not be written; the old file is
  // then left exactly as it was.
  bool WriteString(const std::string& section, const std::string& key, const std::string& value);
  // Removes the temporary files that writers killed mid-write left beside the file. A live
  // writer holds a lock on its temporary file until it is renamed, so its file is kept.
  void RemoveStaleTemporaries() const;

 private:
  std::string path_;
};

}  // namespace qm
