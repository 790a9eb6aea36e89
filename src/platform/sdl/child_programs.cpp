#include "platform/sdl/child_programs.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

extern char** environ;

namespace qm {

bool ChildPrograms::Launch(const std::string& program) {
  struct stat info {};
  if (stat(program.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  if (access(program.c_str(), X_OK) != 0) return false;
  return Spawn(program, {program}, false);
}

bool ChildPrograms::OpenWithDesktop(const std::string& file) {
  std::error_code error;
  std::filesystem::path absolute = std::filesystem::absolute(file, error);
  if (error || !std::filesystem::is_regular_file(absolute, error)) return false;
  return Spawn("xdg-open", {"xdg-open", absolute.string()}, true);
}

bool ChildPrograms::Spawn(const std::string& program, const std::vector<std::string>& arguments,
                          bool search) {
  ReapFinished();
  std::vector<char*> argv;
  for (const auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  pid_t child = 0;
  int failed = search
                   ? posix_spawnp(&child, program.c_str(), nullptr, nullptr, argv.data(), environ)
                   : posix_spawn(&child, program.c_str(), nullptr, nullptr, argv.data(), environ);
  if (failed != 0) return false;
  running_.push_back(child);
  return true;
}

void ChildPrograms::ReapFinished() {
  std::erase_if(running_, [](pid_t child) {
    int status = 0;
    pid_t done = waitpid(child, &status, WNOHANG);
    return done == child || done < 0;
  });
}

}  // namespace qm
