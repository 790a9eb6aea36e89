// Whole practices on the headless game over a copy of the data directory with one file
// broken or missing: the message is shown and nothing else is lost.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/game.h"
#include "platform/form.h"
#include "platform/headless/headless_host.h"
#include "platform/host_options.h"

namespace qm {
namespace {

namespace fs = std::filesystem;

class PracticeDataTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "quillmoor-data-XXXXXX").string();
    root_ = mkdtemp(pattern.data());
    fs::create_directories(root_ / "data");
    fs::create_directories(root_ / "config");
    for (const auto& entry : fs::directory_iterator(QUILLMOOR_TEST_DATA))
      fs::create_symlink(entry.path(), root_ / "data" / entry.path().filename());
    Write("config/quillmoor.ini",
          "[Settings]\nPairs0=1\nPairs1=1\nPairs2=1\nPairs3=1\nPairs4=1\n"
          "[Player0]\nName=Annie\nGun=8\nChoke=12\n");
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }
  void Write(const std::string& name, const std::string& text) {
    fs::remove(root_ / name);
    std::ofstream(root_ / name, std::ios::binary) << text;
  }
  // Runs the game on the script; returns the trace, one line per event.
  std::vector<std::string> Play(const std::string& script) {
    Write("run.script", script);
    HostOptions options;
    options.Seed = 1;
    options.ScriptPath = (root_ / "run.script").string();
    options.TracePath = (root_ / "run.trace.jsonl").string();
    std::string error;
    std::unique_ptr<Host> host = CreateHeadlessHost(options, error);
    EXPECT_TRUE(host) << error;
    if (!host) return {};
    const fs::path oldDir = fs::current_path();
    fs::current_path(root_ / "data");
    GameConfig config{(root_ / "data").string(), (root_ / "config").string(), root_.string(), ""};
    try {
      RunGame(*host, config);
    } catch (const ProgramEnd&) {
    } catch (const ScriptFailure& failure) {
      ADD_FAILURE() << failure.Message;
    }
    fs::current_path(oldDir);
    host.reset();
    std::vector<std::string> lines;
    std::ifstream in(root_ / "run.trace.jsonl");
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
  // Each piece appears in a later line than the one before; returns the pieces not found.
  static std::string MissingInOrder(const std::vector<std::string>& trace,
                                    const std::vector<std::string>& pieces) {
    size_t at = 0;
    for (const std::string& piece : pieces) {
      while (at < trace.size() && trace[at].find(piece) == std::string::npos) ++at;
      if (at == trace.size()) return piece;
      ++at;
    }
    return "";
  }
  static int Count(const std::vector<std::string>& trace, const std::string& piece) {
    int n = 0;
    for (const std::string& line : trace) n += line.find(piece) != std::string::npos;
    return n;
  }

  fs::path root_;
};

constexpr const char* FieldOneThenTwo = R"(until show control=picSelect within 20000
press optName(0)
press lblMain(0)
wait 3000
press optName(0)
press lblMain(1)
until caption control=lblStatus text="Gun Low..." within 20000
key Esc
until show control=picStats within 10000
quit
)";

TEST_F(PracticeDataTest, ABrokenFieldFileShowsItsMessageAndTheMenuStays) {
  Write("data/0f1.fld", "Open Meadow\r\n2\r\nTrap 1\r\n1040\r\n478\r\n");  // cut short
  const auto trace = Play(FieldOneThenTwo);
  EXPECT_EQ(MissingInOrder(
                trace, {R"("ev":"hide","control":"picSelect")",
                        R"("text":"There is no valid Data File for Field 1  The Field may not be )"
                        R"(installed. Try rebuilding the field file using the Editor.  Please )"
                        R"(consult the help file.","buttons":"ok")",
                        R"("ev":"show","control":"picSelect")",
                        // The menu still works: field 2 plays.
                        R"("ev":"caption","control":"lblStatus","text":"Gun Low...")",
                        R"("ev":"show","control":"picStats")"}),
            "");
  EXPECT_EQ(Count(trace, "There is no valid Data File"), 1);
  // Field 1 was never played: the timing run went only once, for field 2.
  EXPECT_EQ(Count(trace, R"("key":"FPS")"), 1);
}

TEST_F(PracticeDataTest, AMissingBumpWaveIsReportedOnceAndPlayGoesOn) {
  fs::remove(root_ / "data/b001.wav");
  const auto trace = Play(R"(until show control=picSelect within 20000
press optName(0)
press lblMain(0)
until caption control=lblStatus text="Reloading..." within 20000
move 300 170
until caption control=lblStatus text="Gun Low..." within 20000
wait 50
click right 300 170
until sound name=t000.wav within 4000
# Swing hard to the left limit, where the cage would knock.
move 20 170
wait 1500
key Esc
until show control=picStats within 10000
quit
)");
  const std::vector<std::string> wanted = {
      R"("text":"Error occured in Wave Loading Routine: 53 In Line: 2")",
      R"("ev":"show","control":"picMain")", R"("ev":"sound","name":"t000.wav")",
      R"x("ev":"caption","control":"lblClaysThrown(0)","text":"1")x",
      R"("ev":"show","control":"picStats")"};
  EXPECT_EQ(MissingInOrder(trace, wanted), "");
  EXPECT_EQ(Count(trace, "Error occured in Wave Loading Routine"), 1);
  // The knock at the limit is asked for once, and finds nothing to play.
  EXPECT_EQ(Count(trace, R"("name":"b001.wav","from":"memory","flags":23)"), 1);
  EXPECT_EQ(Count(trace, R"("name":"b001.wav","from":"memory","flags":23,"result":"played")"), 0);
}

}  // namespace
}  // namespace qm
