#pragma once
// Programs the game starts and does not wait for: the field editor and the help browser.

#include <sys/types.h>

#include <string>
#include <vector>

namespace qm {

class ChildPrograms {
 public:
  // False if the file is missing, not an executable file, or could not be started.
  bool Launch(const std::string& program);
  // Opens a file with the desktop's preferred program; false if the file is missing or the
  // opener could not be started.
  bool OpenWithDesktop(const std::string& file);
  // Collects the exit of children that have ended, so none is left a zombie.
  void ReapFinished();

 private:
  bool Spawn(const std::string& program, const std::vector<std::string>& arguments, bool search);

  std::vector<pid_t> running_;
};

}  // namespace qm
