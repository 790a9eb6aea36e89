// The settings file under bad conditions: the game reads defaults where it cannot read,
// says once that it cannot save, and never damages a file it does not understand.

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "game_fixture.h"

namespace qm {
namespace {

namespace fs = std::filesystem;

// The game started afresh, with its settings wherever the test says.
class SettingsFileTest : public GameTest {
 protected:
  FrmMain& StartWithConfigIn(const fs::path& configDir) {
    host_.Traces.clear();
    game_ = std::make_unique<FrmMain>(
        host_, GameConfig{dir_.string(), configDir.string(), dir_.string(), ""});
    return *game_;
  }
  const fs::path& dir_ = scratch_.Path();
};

// A file in the settings folder's place: the settings file core's failures (defaults read, the
// file left alone, a huge file's refused writes) are profile_test's; the form's part is to
// trace every write and say once that it cannot save.
TEST_F(SettingsFileTest, ConfigDirectoryThatIsAFileReadsDefaultsAndReportsOnce) {
  const fs::path notADir = dir_ / "config";
  WriteFile(notADir, "[Player0]\nName=Annie\nGun=12\n");
  FrmMain& game = StartWithConfigIn(notADir);
  EXPECT_EQ(game.WriteIni("Player0", "Name", "Bob"), 0);
  EXPECT_EQ(game.WriteIni("Player0", "Gun", 9L), 0);
  EXPECT_EQ(game.WriteIni("Settings", "Season", 1L), 0);
  EXPECT_EQ(host_.TracesOf("ini").size(), 3u);
  const auto boxes = host_.TracesOf("msgbox");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(TextField(boxes[0], "text").find("could not save its settings"), std::string::npos);
}

TEST_F(SettingsFileTest, HandEditedValuesAreHeldWhereTheGameCanUseThem) {
  WriteFile(dir_ / "quillmoor.ini",
            "[Settings]\nTweak=0\n[Player0]\nGun=12\n[Player1]\nChoke=50\n"
            "[Player2]\nChoke=-3\n");
  FrmMain& game = StartWithConfigIn(dir_);
  game.LoadSettings();
  EXPECT_EQ(game.Settings.Tweak, 30);
  // The choke is held to the scroll bar's 8..20.
  EXPECT_EQ(game.Roster.Players[1].Choke, 20);
  EXPECT_EQ(game.Roster.Players[2].Choke, 8);
}

// A writer killed mid-write leaves its temporary file: the next start removes it, but not
// the locked one of a writer still at work, nor files that are not ours.
TEST_F(SettingsFileTest, StartRemovesTemporaryFilesOfDeadWritersOnly) {
  WriteFile(dir_ / "quillmoor.ini", "[Settings]\nSeason=1\n");
  const std::vector<std::string> dead = {"quillmoor.ini.tmp-Ab3dE9", "quillmoor.ini.tmp-000000"};
  const std::vector<std::string> kept = {"quillmoor.ini.tmp-Live01", "quillmoor.ini.tmp-x.bak",
                                         "other.ini.tmp-Ab3dE9", "quillmoor.ini.tmp-Ab3d"};
  for (const auto& name : dead) WriteFile(dir_ / name, "[Settings]\nSea");
  for (const auto& name : kept) WriteFile(dir_ / name, "x");
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
