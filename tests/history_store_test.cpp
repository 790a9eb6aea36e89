#include "platform/history_store.h"

#include <sqlite3.h>

#include <gtest/gtest.h>

#include "test_support.h"

namespace qm {
namespace {

class HistoryStoreTest : public ::testing::Test {
 protected:
  ScratchDir dir_;
  std::string path_ = dir_ / "quillmoor/history.sqlite3";  // its folder made by the store
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

TEST_F(HistoryStoreTest, NewerOrUnwritableFilesAreLeftAlone) {
  {
    HistoryStore store(path_);
    ASSERT_TRUE(store.Open());
  }
  sqlite3* db = nullptr;  // as a later game would leave it
  sqlite3_open(path_.c_str(), &db);
  sqlite3_exec(db, "UPDATE schema_version SET version = 9", nullptr, nullptr, nullptr);
  sqlite3_close(db);
  const std::string newer = ReadFile(path_);
  HistoryStore fromNewer(path_);
  EXPECT_FALSE(fromNewer.Open());
  EXPECT_NE(fromNewer.Error().find("newer Quillmoor"), std::string::npos);
  EXPECT_EQ(ReadFile(path_), newer);

  // A data folder that cannot be made: its parent is a file.
  WriteFile(dir_ / "file", "x");
  HistoryStore unwritable(dir_ / "file/quillmoor/history.sqlite3");
  EXPECT_FALSE(unwritable.Open());
  EXPECT_FALSE(unwritable.Error().empty());
}

}  // namespace
}  // namespace qm
