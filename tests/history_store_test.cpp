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
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("quillmoor_history_" + std::to_string(::getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    path_ = (dir_ / "quillmoor" / "history.sqlite3").string();
  }
  void TearDown() override { fs::remove_all(dir_); }

  // Runs SQL on the file directly, as an older game or another tool would have left it.
  void Raw(const char* sql) {
    fs::create_directories(fs::path(path_).parent_path());
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path_.c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
  }
  std::string Bytes() const {
    std::stringstream s;
    s << std::ifstream(path_, std::ios::binary).rdbuf();
    return s.str();
  }

  fs::path dir_;
  std::string path_;
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
  ASSERT_TRUE(runs && runs->size() == 2);
  a.Id = 1;
  b.Id = 2;
  EXPECT_EQ((*runs)[0], a);
  EXPECT_EQ((*runs)[1], b);
}

TEST_F(HistoryStoreTest, FirstVersionIsBroughtUpToDateWithItsRuns) {
  Raw("CREATE TABLE schema_version (version INTEGER NOT NULL);"
      "INSERT INTO schema_version VALUES (1);"
      "CREATE TABLE runs (id INTEGER PRIMARY KEY, played_at TEXT NOT NULL, shooter TEXT NOT NULL,"
      " position INTEGER NOT NULL, tournament INTEGER NOT NULL, season INTEGER NOT NULL,"
      " fields TEXT NOT NULL, kinds INTEGER NOT NULL, round_size INTEGER NOT NULL,"
      " thrown INTEGER NOT NULL, hit INTEGER NOT NULL, warnings INTEGER NOT NULL,"
      " penalties INTEGER NOT NULL);"
      "INSERT INTO runs VALUES (1, '2000-12-24 10:00:00', 'Annie', 0, 0, 0, '2', 1, 0, 8, 6, 0, "
      "0);");
  HistoryStore store(path_);
  ASSERT_TRUE(store.Open()) << store.Error();
  HistoryRun run;
  run.PlayedAt = "2001-01-01 12:00:00";
  ASSERT_TRUE(store.Append({run}));
  EXPECT_EQ(store.ReadAll()->size(), 2u);
  sqlite3* db = nullptr;
  sqlite3_open(path_.c_str(), &db);
  sqlite3_stmt* s = nullptr;
  sqlite3_prepare_v2(db,
                     "SELECT (SELECT version FROM schema_version), (SELECT count(*) FROM "
                     "sqlite_master WHERE name = 'runs_by_position')",
                     -1, &s, nullptr);
  ASSERT_EQ(sqlite3_step(s), SQLITE_ROW);
  EXPECT_EQ(sqlite3_column_int(s, 0), HistoryStore::SchemaVersion);
  EXPECT_EQ(sqlite3_column_int(s, 1), 1);
  sqlite3_finalize(s);
  sqlite3_close(db);
}

TEST_F(HistoryStoreTest, DamagedNewerOrUnwritableFilesAreLeftAlone) {
  fs::create_directories(fs::path(path_).parent_path());
  const std::string garbage(3000, 'x');
  std::ofstream(path_, std::ios::binary) << garbage;
  HistoryStore damaged(path_);
  EXPECT_FALSE(damaged.Open());
  EXPECT_NE(damaged.Error().find("damaged"), std::string::npos) << damaged.Error();
  EXPECT_FALSE(damaged.Append({HistoryRun{}}));
  EXPECT_EQ(Bytes(), garbage);

  fs::remove(path_);
  Raw("CREATE TABLE schema_version (version INTEGER NOT NULL); INSERT INTO schema_version VALUES "
      "(9);");
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
