#include "platform/history_store.h"

#include <sqlite3.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

namespace qm {
namespace {

namespace fs = std::filesystem;

class HistoryStoreTest : public ::testing::Test {
 protected:
  void SetUp() override { fs::remove_all(dir_); }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Bytes() const {
    std::stringstream s;
    s << std::ifstream(path_, std::ios::binary).rdbuf();
    return s.str();
  }
  void Put(const std::string& bytes) {
    fs::create_directories(fs::path(path_).parent_path());
    std::ofstream(path_, std::ios::binary) << bytes;
  }

  fs::path dir_ = fs::temp_directory_path() / ("quillmoor_history_" + std::to_string(::getpid()));
  std::string path_ = (dir_ / "quillmoor" / "history.sqlite3").string();
};

TEST_F(HistoryStoreTest, NewFileKeepsWholeRunsInOrder) {
  HistoryRun a{0, "2001-01-01 12:00:05", "Annie", 0, false, 1, "3", 31, 0, 10, 7, 4, 1};
  HistoryRun b{0, "2001-01-01 12:30:00", "Bert, \"B\"", 3, true, 0, "1-5", 15, 50, 50, 41, 0, 0};
  {
    HistoryStore store(path_);
    ASSERT_TRUE(store.Open()) << store.Error();
    ASSERT_TRUE(store.Append({a, b}));
  }
  HistoryStore again(path_);
  ASSERT_TRUE(again.Open(true));
  const auto runs = again.ReadAll();
  a.Id = 1;
  b.Id = 2;
  EXPECT_EQ(runs, (std::vector<HistoryRun>{a, b}));
}

TEST_F(HistoryStoreTest, DamagedNewerOrUnwritableFilesAreLeftAlone) {
  const std::string garbage(3000, 'x');
  Put(garbage);
  HistoryStore damaged(path_);
  EXPECT_FALSE(damaged.Open());
  EXPECT_NE(damaged.Error().find("damaged"), std::string::npos) << damaged.Error();
  EXPECT_FALSE(damaged.Append({HistoryRun{}}));
  EXPECT_EQ(Bytes(), garbage);

  fs::remove(path_);
  {
    HistoryStore store(path_);
    ASSERT_TRUE(store.Open());
  }
  sqlite3* db = nullptr;  // as a later game would leave it
  sqlite3_open(path_.c_str(), &db);
  sqlite3_exec(db, "UPDATE schema_version SET version = 9", nullptr, nullptr, nullptr);
  sqlite3_close(db);
  const std::string newer = Bytes();
  HistoryStore fromNewer(path_);
  EXPECT_FALSE(fromNewer.Open());
  EXPECT_NE(fromNewer.Error().find("newer Quillmoor"), std::string::npos);
  EXPECT_EQ(Bytes(), newer);

  // A data folder that cannot be made: its parent is a file.
  std::ofstream((dir_ / "file").string()) << "x";
  HistoryStore unwritable((dir_ / "file" / "quillmoor" / "history.sqlite3").string());
  EXPECT_FALSE(unwritable.Open());
  EXPECT_FALSE(unwritable.Error().empty());
}

}  // namespace
}  // namespace qm
