// The settings file under bad conditions: the game reads defaults where it cannot read,
// says once that it cannot save, and never damages a file it does not understand.

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "game_fixture.h"

namespace qm {
namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary);
  file << bytes;
}

int SaveFailureBoxes(const GameHost& host) {
  int boxes = 0;
  for (const std::string& line : host.TraceLines())
    if (line.find("could not save its settings") != std::string::npos) ++boxes;
  return boxes;
}

// A main form whose settings live wherever the test says, in a fresh scratch directory.
class SettingsFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("quillmoor-settings-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    game_.reset();
    fs::remove_all(dir_);
  }
  FrmMain& StartWithConfigIn(const fs::path& configDir) {
    game_ = std::make_unique<FrmMain>(
        host_, GameConfig{dir_.string(), configDir.string(), dir_.string(), ""});
    return *game_;
  }

  GameHost host_;
  std::unique_ptr<FrmMain> game_;
  fs::path dir_;
};

TEST_F(SettingsFileTest, ConfigDirectoryThatIsAFileReadsDefaultsAndReportsOnce) {
  const fs::path notADir = dir_ / "config";
  WriteBytes(notADir, "[Player0]\nName=Annie\nGun=12\n");
  FrmMain& game = StartWithConfigIn(notADir);

  EXPECT_EQ(game.ReadIniInt("Player0", "Gun", 0), 0);
  EXPECT_EQ(game.ReadIniInt16("Player0", "InvertY", 1), 1);
  EXPECT_EQ(game.ReadIniText("Player0", "Name", ""), "");

  EXPECT_EQ(game.WriteIni("Player0", "Name", "Bob"), 0);
  EXPECT_EQ(game.WriteIni("Player0", "Gun", 9L), 0);
  EXPECT_EQ(game.WriteIni("Settings", "Season", 1L), 0);
  // Every write is traced, but the player hears of the failure only once.
  EXPECT_EQ(host_.TracesOf("ini").size(), 3u);
  EXPECT_EQ(SaveFailureBoxes(host_), 1);
  EXPECT_EQ(ReadBytes(notADir), "[Player0]\nName=Annie\nGun=12\n");
}

TEST_F(SettingsFileTest, HugeFileIsReadButNeverRewrittenOrCut) {
  std::string huge = "[Player0]\nName=Annie\nGun=12\n";
  while (huge.size() < (3u << 20)) huge += "; padding that is no part of the game's settings\n";
  WriteBytes(dir_ / "quillmoor.ini", huge);
  FrmMain& game = StartWithConfigIn(dir_);

  EXPECT_EQ(game.ReadIniInt("Player0", "Gun", 0), 12);
  EXPECT_EQ(game.WriteIni("Player0", "Gun", 13L), 0);
  EXPECT_EQ(game.WriteIni("Player0", "Gun", 14L), 0);
  EXPECT_EQ(SaveFailureBoxes(host_), 1);
  EXPECT_EQ(ReadBytes(dir_ / "quillmoor.ini"), huge);
}

TEST_F(SettingsFileTest, GarbledAndBinaryBytesReadAsDefaultsAndSurviveAWrite) {
  const std::string garbage = std::string("\x00\xff\xfe[[Player0\r\n=12\n\x01\x02Gun 7\n", 22) +
                              "Name\n;[Settings]\nRound Size=abc\n";
  WriteBytes(dir_ / "quillmoor.ini", garbage);
  FrmMain& game = StartWithConfigIn(dir_);

  EXPECT_EQ(game.ReadIniInt("Player0", "Gun", 0), 0);
  EXPECT_EQ(game.ReadIniText("Player0", "Name", ""), "");
  // A key outside any section belongs to none.
  EXPECT_EQ(game.ReadIniInt("Settings", "Round Size", 0), 0);

  EXPECT_EQ(game.WriteIni("Player0", "Gun", 9L), 1);
  EXPECT_EQ(SaveFailureBoxes(host_), 0);
  const std::string after = ReadBytes(dir_ / "quillmoor.ini");
  EXPECT_EQ(after.substr(0, garbage.size()), garbage);
  EXPECT_EQ(game.ReadIniInt("Player0", "Gun", 0), 9);
}

TEST_F(SettingsFileTest, HandEditedValuesAreHeldWhereTheGameCanUseThem) {
  WriteBytes(dir_ / "quillmoor.ini",
             "[Settings]\nTweak=0\n[Player0]\nGun=12\n[Player1]\nChoke=50\n"
             "[Player2]\nChoke=-3\n");
  FrmMain& game = StartWithConfigIn(dir_);
  game.LoadSettings();
  EXPECT_EQ(game.Settings.Tweak, 30);
  // The choke is held to the scroll bar's 8..20.
  EXPECT_EQ(game.Roster.Players[1].Choke, 20);
  EXPECT_EQ(game.Roster.Players[2].Choke, 8);
}

TEST_F(SettingsFileTest, NamesWithAccentsAndIniCharactersComeBackWhole) {
  FrmMain& game = StartWithConfigIn(dir_);
  const std::string names[] = {"Zoë = Jo; [Ned]", "[Player1]", ";Semi", "=Eq=", "Ünal Çelik"};
  int n = 0;
  for (const std::string& name : names) {
    game.WriteIni("Player" + std::to_string(n % 4), "Name", PadNameField(name));
    game.LoadPlayer(n % 4);
    EXPECT_EQ(game.Roster.Players[n % 4].Name, name);
    EXPECT_EQ(game.optName[n % 4]->Caption(), name);
    ++n;
  }
  // A name that looks like a section header is a value, not a new section.
  std::istringstream lines(ReadBytes(dir_ / "quillmoor.ini"));
  int headers = 0;
  for (std::string line; std::getline(lines, line);) headers += line == "[Player1]" ? 1 : 0;
  EXPECT_EQ(headers, 1);
  EXPECT_EQ(TrimSpaces(game.ReadIniText("Player3", "Name", "")), "=Eq=");
}

// A writer killed mid-write leaves its temporary file: the next start removes it, but not
// the locked one of a writer still at work, nor files that are not ours.
TEST_F(SettingsFileTest, StartRemovesTemporaryFilesOfDeadWritersOnly) {
  WriteBytes(dir_ / "quillmoor.ini", "[Settings]\nSeason=1\n");
  const std::vector<std::string> dead = {"quillmoor.ini.tmp-Ab3dE9", "quillmoor.ini.tmp-000000"};
  const std::vector<std::string> kept = {"quillmoor.ini.tmp-Live01", "quillmoor.ini.tmp-x.bak",
                                         "other.ini.tmp-Ab3dE9", "quillmoor.ini.tmp-Ab3d"};
  for (const auto& name : dead) WriteBytes(dir_ / name, "[Settings]\nSea");
  for (const auto& name : kept) WriteBytes(dir_ / name, "x");
  const int live = ::open((dir_ / kept[0]).c_str(), O_RDONLY);
  ASSERT_EQ(::flock(live, LOCK_EX), 0);

  FrmMain& game = StartWithConfigIn(dir_);
  ::close(live);
  for (const auto& name : dead) EXPECT_FALSE(fs::exists(dir_ / name)) << name;
  for (const auto& name : kept) EXPECT_TRUE(fs::exists(dir_ / name)) << name;
  EXPECT_EQ(game.ReadIniInt("Settings", "Season", 0), 1);
}

}  // namespace
}  // namespace qm
