#include "platform/profile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <random>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "test_support.h"

namespace qm {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using ::testing::ElementsAre;

// No temporary file stays after a good write: the settings fuzz corpus checks it after every
// write; here, after the ones that fail or are refused, and after one through a link.
class ProfileTest : public ::testing::Test {
 protected:
  void Put(const std::string& bytes) { WriteFile(path_, bytes); }
  std::string Get() const { return ReadFile(path_); }
  // Temporary files left behind anywhere under the test directory.
  int Leftovers() const {
    int n = 0;
    for (const auto& entry : fs::recursive_directory_iterator(dir_))
      if (entry.path().filename().string().find(".tmp-") != std::string::npos) ++n;
    return n;
  }

  ScratchDir scratch_;
  const fs::path& dir_ = scratch_.Path();
  std::string path_ = scratch_ / "quillmoor.ini";
};

TEST_F(ProfileTest, StringsReadAsTheOldCallReturnedThem) {
  Put("; written by hand\n"
      "[Settings]\n"
      "Round Size=100\n"
      "  Season =  1  \n"
      "[player0]\n"
      "Name=Bob                                               \n"
      "Quoted=\"  Ann  \"\n"
      "Half=\"open\n"
      "Odd=a=b; not a comment [not a section]\n"
      ";Gun=99\n"
      "Gun=12\n"
      "Empty=\n"
      "Word=Zoë Brontë\n"
      "[Player1]\n"
      "Gun=40\n");
  ProfileFile ini(path_);
  EXPECT_EQ(ini.GetString("Settings", "Season", "x"), "1");
  std::vector<std::string> player0;
  for (const char* key : {"NAME", "Quoted", "Half", "Odd", "Gun", "Empty", "Word"})
    player0.push_back(ini.GetString("Player0", key, "x"));
  EXPECT_THAT(player0, ElementsAre("Bob", "  Ann  ", "\"open", "a=b; not a comment [not a section]",
                                   "12", "", "Zoë Brontë"));
  EXPECT_EQ(ini.GetString("Player1", "Gun", "x"), "40");
  // A missing section, a key only other sections hold, a commented-out key.
  EXPECT_EQ(ini.GetString("Player2", "Gun", "none"), "none");
  EXPECT_EQ(ini.GetString("Settings", "Gun", "d"), "d");
  EXPECT_EQ(ini.GetString("Player0", ";Gun", "d"), "d");

  // The buffer holds bufferSize - 1 characters, and never half a character.
  EXPECT_EQ(ini.GetString("Settings", "Round Size", "", 3), "10");
  EXPECT_EQ(ini.GetString("Player0", "Word", "", 4), "Zo");
  EXPECT_EQ(ini.GetString("Player9", "Name", "No Shooter", 4), "No ");
}

TEST_F(ProfileTest, IntegersTakeTheLeadingDecimalNumber) {
  Put("[Settings]\n"
      "Round Size=100\n"
      "FPS=63.75\n"
      "Tweak=12abc\n"
      "Letters=abc\n"
      "Empty=\n"
      "Negative=-7x\n"
      "Plus=+5\n"
      "Spaced=- 5\n"
      "Quoted=\" 15\"\n"
      "Zero=-0\n"
      "Huge=4294967297\n"
      "Wraps=2147483648\n");
  ProfileFile ini(path_);
  std::vector<int> read;
  for (const char* key : {"Round Size", "fps", "Tweak", "Letters", "Empty", "Negative", "Plus",
                          "Spaced", "Quoted", "Zero", "Huge", "Wraps", "Season"})
    read.push_back(ini.GetInt("settings", key, 9));
  // An empty value or a missing key gives the default; any other value its leading number.
  EXPECT_THAT(read, ElementsAre(100, 63, 12, 0, 9, -7, 0, 0, 15, 0, 1, -2147483647 - 1, 9));
}

TEST_F(ProfileTest, WritesReplaceOrAddOneKeyAndKeepEveryOtherByte) {
  Put("; Quillmoor settings\n"
      "\n"
      "[settings]\n"
      "round size=50\n"
      "; the season picks the artwork\n"
      "Season=0\n"
      "stray line without equals\n"
      "\n"
      "\n"
      "[Player0]\n"
      "Name=Ann\n"
      "Gun=8");
  ProfileFile ini(path_);
  // In place, keeping the key's spelling in the file.
  ASSERT_TRUE(ini.WriteString("Settings", "Round Size", "100"));
  // A new key goes after the section's last line, before its trailing blank lines.
  ASSERT_TRUE(ini.WriteString("SETTINGS", "Pairs0", "1"));
  // The last section, in a file that does not end with a line break.
  ASSERT_TRUE(ini.WriteString("Player0", "Choke", "12"));
  // A new section is appended.
  ASSERT_TRUE(ini.WriteString("Player1", "Name", "Bob"));
  EXPECT_EQ(Get(),
            "; Quillmoor settings\n"
            "\n"
            "[settings]\n"
            "round size=100\n"
            "; the season picks the artwork\n"
            "Season=0\n"
            "stray line without equals\n"
            "Pairs0=1\n"
            "\n"
            "\n"
            "[Player0]\n"
            "Name=Ann\n"
            "Gun=8\n"
            "Choke=12\n"
            "\n"
            "[Player1]\n"
            "Name=Bob\n");

  // A file written with CR LF keeps them, on the old lines and the new.
  Put("[Settings]\r\nSeason=0\r\n;note\r\n");
  ASSERT_TRUE(ini.WriteString("Settings", "Season", "1"));
  ASSERT_TRUE(ini.WriteString("Settings", "FullScreen", "1"));
  ASSERT_TRUE(ini.WriteString("Player0", "Gun", "8"));
  EXPECT_EQ(Get(), "[Settings]\r\nSeason=1\r\n;note\r\nFullScreen=1\r\n\r\n[Player0]\r\nGun=8\r\n");

  // A first write creates the file and the directories above it.
  ProfileFile fresh((dir_ / "config" / "quillmoor" / "quillmoor.ini").string());
  ASSERT_TRUE(fresh.WriteString("Settings", "FPS", "63.5"));
  ASSERT_TRUE(fresh.WriteString("Settings", "TimeBase", "0.71"));
  EXPECT_EQ(ReadFile(fresh.Path()), "[Settings]\nFPS=63.5\nTimeBase=0.71\n");
}

TEST_F(ProfileTest, ValuesReadBackExactlyAsWritten) {
  ProfileFile ini(path_);
  const std::string values[] = {
      "a=b=c", ";not a comment",       "[not a section]", "x ; y [z] = w", "#1", "-12", "",
      "\"",    "C:\\games\\quillmoor", "Zoë 射撃 ✓"};
  for (const std::string& value : values) {
    ASSERT_TRUE(ini.WriteString("Player0", "Name", value)) << value;
    EXPECT_EQ(ini.GetString("Player0", "Name", "default"), value);
  }
  // The name field is stored padded to 50 characters; reading trims it.
  const std::string padded = "Bob" + std::string(47, ' ');
  ASSERT_TRUE(ini.WriteString("Player0", "Name", padded));
  EXPECT_EQ(Get(), "[Player0]\nName=" + padded + "\n");
  EXPECT_EQ(ini.GetString("Player0", "Name", ""), "Bob");

  // Line breaks inside a value become spaces instead of new lines in the file.
  ASSERT_TRUE(ini.WriteString("Player0", "Name", "two\r\nlines\n[Player1]"));
  ASSERT_TRUE(ini.WriteString("Player0", "Gun", "8"));
  EXPECT_EQ(Get(), "[Player0]\nName=two  lines [Player1]\nGun=8\n");
}

TEST_F(ProfileTest, NamesThatWouldCorruptTheFileAreRefused) {
  const std::string before = "[Settings]\nSeason=1\n";
  Put(before);
  ProfileFile ini(path_);
  const std::pair<std::string, std::string> bad[] = {
      {"Set]tings", "Season"},  {"Settings", "Sea=son"},
      {"Settings", "Sea\nson"}, {"Sett\r\nings", "Season"},
      {"", "Season"},           {"Settings", "  "},
      {"Settings", ";Season"},  {"Settings", "[Season"},
      {"Set=tings", "Season"},  {std::string("Set\0tings", 9), "Season"}};
  for (const auto& [section, key] : bad) {
    EXPECT_FALSE(ini.WriteString(section, key, "2")) << section << "/" << key;
    EXPECT_EQ(Get(), before);
  }
  EXPECT_EQ(Leftovers(), 0);
}

TEST_F(ProfileTest, FailedWritesLeaveTheOldFileAndNoTemporaryFile) {
  ProfileFile ini(path_);

  // The directory cannot exist: its place is taken by a regular file.
  const std::string blocker = (dir_ / "blocker").string();
  WriteFile(blocker, "not a directory");
  ProfileFile under((dir_ / "blocker" / "quillmoor.ini").string());
  EXPECT_FALSE(under.WriteString("Settings", "Season", "1"));
  EXPECT_EQ(ReadFile(blocker), "not a directory");
  EXPECT_EQ(under.GetInt("Settings", "Season", 7), 7);

  // The settings file's name is taken by a directory.
  fs::create_directories(path_);
  WriteFile(fs::path(path_) / "keep", "kept");
  EXPECT_FALSE(ini.WriteString("Settings", "Season", "1"));
  EXPECT_EQ(ReadFile(fs::path(path_) / "keep"), "kept");
  EXPECT_EQ(ini.GetString("Settings", "Season", "d"), "d");
  fs::remove_all(path_);
  EXPECT_EQ(Leftovers(), 0);

  // A file the player made read-only is left alone, whoever runs the game, and a disk that
  // fills up half-way leaves the old file: the settings fuzz corpus (read_only_file,
  // disk_fills_up). After all the failures above, a write still works.
  Put("[Settings]\nSeason=1\n[Player0]\nName=Ann\n");
  EXPECT_TRUE(ini.WriteString("Player0", "Name", "Bob"));
  EXPECT_EQ(Get(), "[Settings]\nSeason=1\n[Player0]\nName=Bob\n");
}

TEST_F(ProfileTest, WritesKeepTheFilesModeAndFollowLinks) {
  Put("[Settings]\nSeason=0\n");
  ASSERT_EQ(::chmod(path_.c_str(), 0640), 0);
  ProfileFile ini(path_);
  ASSERT_TRUE(ini.WriteString("Settings", "Season", "1"));
  struct stat st {};
  ASSERT_EQ(::stat(path_.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);

  const std::string link = (dir_ / "linked.ini").string();
  fs::create_symlink(path_, link);
  ProfileFile linked(link);
  ASSERT_TRUE(linked.WriteString("Settings", "Season", "2"));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(Get(), "[Settings]\nSeason=2\n");
  EXPECT_EQ(Leftovers(), 0);
}

TEST_F(ProfileTest, GarbledAndHugeFilesGiveDefaultsAndLeadingNumbers) {
  std::mt19937 random(1234);
  std::string junk(200000, '\0');
  for (char& c : junk) c = static_cast<char>(random());
  ProfileFile ini(path_);

  // Keys among binary bytes, NULs and broken section lines still read.
  Put(junk.substr(0, 5000) + "\n[Settings]\nGun=12\0junk\n[unclosed\n==\n=5\nTweak=\xff\xfe\n"s +
      junk.substr(5000, 5000));
  EXPECT_EQ(ini.GetInt("Settings", "Gun", 0), 12);
  EXPECT_EQ(ini.GetInt("Settings", "Tweak", 9), 0);
  EXPECT_EQ(ini.GetString("Settings", "", "d"), "d");
  EXPECT_EQ(ini.GetString("unclosed", "", "d"), "d");

  // A file far larger than any settings file: only its beginning counts, and a write is
  // refused rather than dropping what was not read.
  std::string huge = "[Settings]\nSeason=3\n" + std::string(3 << 20, 'x') + "\nRound Size=100\n";
  Put(huge);
  EXPECT_EQ(ini.GetInt("Settings", "Season", 0), 3);
  EXPECT_EQ(ini.GetInt("Settings", "Round Size", 0), 0);
  EXPECT_FALSE(ini.WriteString("Settings", "Season", "1"));
  EXPECT_EQ(Get(), huge);
  EXPECT_EQ(Leftovers(), 0);

  // A line far longer than the cap, with no line break at all.
  Put("[Settings]\nName=" + std::string(2 << 20, 'y'));
  EXPECT_EQ(ini.GetString("Settings", "Name", "d", 4), "yyy");
}

}  // namespace
}  // namespace qm
