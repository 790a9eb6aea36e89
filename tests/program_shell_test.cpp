#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "test_support.h"

namespace {

using testing::AllOf;
using testing::FieldsAre;
using testing::HasSubstr;
using testing::StartsWith;

struct RunResult {
  int Code = -1;
  std::string Output;  // stdout and stderr together
};

// The game as built beside this test (CMake makes the test wait for it).
const std::string Game = QUILLMOOR_GAME;

RunResult RunShell(const std::string& command) {
  RunResult result;
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return result;
  char buffer[512];
  while (size_t got = std::fread(buffer, 1, sizeof buffer, pipe)) result.Output.append(buffer, got);
  int status = pclose(pipe);
  result.Code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

// A message of one line.
auto OneLine() {
  return testing::MatchesRegex("[^\n]*\n");
}

RunResult RunGame(const std::string& arguments) {
  return RunShell("'" + Game + "' " + arguments);
}

class ProgramShell : public testing::Test {
 protected:
  // A fresh directory of the test's own, removed afterwards.
  std::string Dir(const std::string& name) {
    std::filesystem::create_directories(scratch_.Path() / name);
    return scratch_ / name;
  }
  qm::ScratchDir scratch_;
};

TEST_F(ProgramShell, VersionAndHelp) {
  EXPECT_THAT(RunGame("--version"),
              FieldsAre(0, std::string("quillmoor ") + QUILLMOOR_VERSION + "\n"));
  EXPECT_THAT(RunGame("--help"),
              FieldsAre(0, AllOf(HasSubstr("--headless"), HasSubstr("--data DIR"))));
}

TEST_F(ProgramShell, BadCommandLinesGiveUsageAndExitTwo) {
  for (const char* arguments :
       {"--frobnicate", "--seed", "--seed twelve", "--seed -3", "--scale 0", "--twips x",
        "--day-clock 90000", "--frame-ms 0", "--headless", "--headless --trace t.jsonl", "stray"})
    EXPECT_THAT(RunGame(arguments), FieldsAre(2, HasSubstr("usage: quillmoor"))) << arguments;
}

TEST_F(ProgramShell, MissingPathsAreNamedAndExitOne) {
  std::string missingData = scratch_ / "no_such_data_dir";
  EXPECT_THAT(RunGame("--data '" + missingData + "'"),
              FieldsAre(1, AllOf(HasSubstr(missingData), OneLine())));

  // A relative script is looked for where the game was started, not in the data directory.
  std::string start = Dir("start");
  std::string dataDir = Dir("data");
  RunResult script = RunShell("cd '" + start + "' && '" + Game + "' --data '" + dataDir +
                              "' --headless --script missing.script");
  EXPECT_THAT(script, FieldsAre(1, HasSubstr(start + "/missing.script")));
}

TEST_F(ProgramShell, WithoutADisplayAWindowedStartPointsToHeadless) {
  std::string dataDir = Dir("data");
  RunResult run = RunShell("timeout 20 env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER '" +
                           Game + "' --data '" + dataDir + "' --config '" + Dir("config") + "'");
  EXPECT_THAT(run, FieldsAre(1, AllOf(StartsWith("quillmoor: no display available ("),
                                      HasSubstr("use --headless --script FILE\n"), OneLine())));
}

// The export writes whole files atomically, but a pipe is written in place and a link stays a
// link: replacing either would break what the player pointed it at (/dev/stdout is one).
TEST_F(ProgramShell, HistoryExportKeepsPipesAndLinks) {
  const std::filesystem::path dir = Dir("export");
  const std::string export_csv =
      "XDG_DATA_HOME='" + dir.string() + "' '" + Game + "' --history-csv ";
  RunResult piped =
      RunShell("cd '" + dir.string() + "' && mkfifo pipe && ln -s real.csv link.csv && " +
               "{ timeout 20 cat pipe > got & } && " + export_csv + "pipe && wait && " +
               export_csv + "link.csv");
  EXPECT_EQ(piped.Code, 0) << piped.Output;
  EXPECT_THAT(qm::ReadFile(dir / "got"), StartsWith("Run,When,Shooter,"));
  EXPECT_TRUE(std::filesystem::is_fifo(dir / "pipe"));
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.csv"));
  EXPECT_THAT(qm::ReadFile(dir / "real.csv"), StartsWith("Run,When,Shooter,"));
  RunResult folder = RunGame("--history-csv '" + dir.string() + "'");
  EXPECT_EQ(folder.Code, 1);
  EXPECT_THAT(folder.Output, HasSubstr("is a folder"));
}

}  // namespace
