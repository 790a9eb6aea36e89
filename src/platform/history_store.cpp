#include "platform/history_store.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace qm {

namespace {

namespace fs = std::filesystem;

// Each step brings the file from the version before it to its own; a file of version 1
// takes every step after the first.
constexpr const char* MigrationSteps[HistoryStore::SchemaVersion] = {
    // Version 1: the runs themselves.
    "CREATE TABLE schema_version (version INTEGER NOT NULL);"
    "INSERT INTO schema_version VALUES (0);"
    "CREATE TABLE runs ("
    " id INTEGER PRIMARY KEY,"
    " played_at TEXT NOT NULL,"
    " shooter TEXT NOT NULL,"
    " position INTEGER NOT NULL,"
    " tournament INTEGER NOT NULL,"
    " season INTEGER NOT NULL,"
    " fields TEXT NOT NULL,"
    " kinds INTEGER NOT NULL,"
    " round_size INTEGER NOT NULL,"
    " thrown INTEGER NOT NULL,"
    " hit INTEGER NOT NULL,"
    " warnings INTEGER NOT NULL,"
    " penalties INTEGER NOT NULL);",
    // Version 2: the history screen reads one position at a time, in order.
    "CREATE INDEX runs_by_position ON runs (position, played_at, id);",
};

constexpr const char* RunColumns =
    "id, played_at, shooter, position, tournament, season, fields, kinds, round_size, thrown, "
    "hit, warnings, penalties";

std::string Text(sqlite3_stmt* statement, int column) {
  const unsigned char* text = sqlite3_column_text(statement, column);
  return text ? reinterpret_cast<const char*>(text) : "";
}

}  // namespace

HistoryStore::HistoryStore(std::string path) : path_(std::move(path)) {}

HistoryStore::~HistoryStore() {
  Close();
}

void HistoryStore::Close() {
  if (db_) sqlite3_close(db_);
  db_ = nullptr;
}

bool HistoryStore::Fail(const std::string& what) {
  error_ = path_ + ": " + what;
  if (db_) error_ += std::string(" (") + sqlite3_errmsg(db_) + ")";
  return false;
}

bool HistoryStore::Execute(const char* sql) {
  return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

bool HistoryStore::Open(bool readOnly) {
  Close();
  error_.clear();
  std::error_code ec;
  if (readOnly && !fs::exists(path_, ec)) return Fail("there is no score history yet");
  if (!readOnly) fs::create_directories(fs::path(path_).parent_path(), ec);
  // Reading still opens for writing where it may: a run cut off by a crash left a journal
  // that only a writer can roll back. Nothing else is written.
  int status = sqlite3_open_v2(
      path_.c_str(), &db_, SQLITE_OPEN_READWRITE | (readOnly ? 0 : SQLITE_OPEN_CREATE), nullptr);
  if (status != SQLITE_OK && readOnly) {
    Close();
    status = sqlite3_open_v2(path_.c_str(), &db_, SQLITE_OPEN_READONLY, nullptr);
  }
  if (status != SQLITE_OK) {
    Fail("cannot open the file");
    Close();
    return false;
  }
  sqlite3_busy_timeout(db_, 2000);
  // A file that is not a database only shows it when first read.
  int version = -1;
  sqlite3_stmt* statement = nullptr;
  bool ok = sqlite3_prepare_v2(db_, "SELECT count(*) FROM sqlite_master", -1, &statement,
                               nullptr) == SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW;
  const bool empty = ok && sqlite3_column_int(statement, 0) == 0;
  sqlite3_finalize(statement);
  if (ok && !empty) {
    ok = sqlite3_prepare_v2(db_, "SELECT version FROM schema_version", -1, &statement, nullptr) ==
             SQLITE_OK &&
         sqlite3_step(statement) == SQLITE_ROW;
    if (ok) version = sqlite3_column_int(statement, 0);
    sqlite3_finalize(statement);
  } else if (empty) {
    version = 0;
  }
  if (!ok || version < 0) {
    Fail("the file is damaged or is not a score history");
    Close();
    return false;
  }
  if (version > SchemaVersion) {
    error_ = path_ + ": it was written by a newer Quillmoor (history version " +
             std::to_string(version) + ")";
    Close();
    return false;
  }
  if (version < SchemaVersion && (readOnly ? version == 0 : !Migrate(version))) {
    if (readOnly) error_ = path_ + ": there is no score history yet";
    Close();
    return false;
  }
  return true;
}

bool HistoryStore::Migrate(int from) {
  if (!Execute("BEGIN IMMEDIATE")) return Fail("cannot bring the history up to date");
  for (int step = from; step < SchemaVersion; ++step) {
    if (!Execute(MigrationSteps[step])) {
      Fail("cannot bring the history up to date");
      Execute("ROLLBACK");
      return false;
    }
  }
  const std::string mark =
      "UPDATE schema_version SET version = " + std::to_string(SchemaVersion) + ";";
  if (!Execute(mark.c_str()) || !Execute("COMMIT")) {
    Fail("cannot bring the history up to date");
    Execute("ROLLBACK");
    return false;
  }
  return true;
}

bool HistoryStore::Append(const std::vector<HistoryRun>& runs) {
  if (!db_) return Fail("the history is not open");
  if (!Execute("BEGIN IMMEDIATE")) return Fail("cannot write to the history");
  sqlite3_stmt* insert = nullptr;
  bool ok = sqlite3_prepare_v2(db_,
                               "INSERT INTO runs (played_at, shooter, position, tournament, "
                               "season, fields, kinds, round_size, thrown, hit, warnings, "
                               "penalties) VALUES (?,?,?,?,?,?,?,?,?,?,?,?)",
                               -1, &insert, nullptr) == SQLITE_OK;
  for (const HistoryRun& run : runs) {
    if (!ok) break;
    sqlite3_reset(insert);
    sqlite3_bind_text(insert, 1, run.PlayedAt.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(insert, 2, run.Shooter.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_int(insert, 3, run.Position);
    sqlite3_bind_int(insert, 4, run.Tournament ? 1 : 0);
    sqlite3_bind_int(insert, 5, run.Season);
    sqlite3_bind_text(insert, 6, run.Fields.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_int(insert, 7, run.Kinds);
    sqlite3_bind_int(insert, 8, run.RoundSize);
    sqlite3_bind_int64(insert, 9, run.Thrown);
    sqlite3_bind_int64(insert, 10, run.Hit);
    sqlite3_bind_int(insert, 11, run.Warnings);
    sqlite3_bind_int(insert, 12, run.Penalties);
    ok = sqlite3_step(insert) == SQLITE_DONE;
  }
  sqlite3_finalize(insert);
  if (ok) ok = Execute("COMMIT");
  if (!ok) {
    Fail("cannot write to the history");
    Execute("ROLLBACK");
  }
  return ok;
}

std::optional<std::vector<HistoryRun>> HistoryStore::ReadAll() {
  if (!db_) {
    Fail("the history is not open");
    return std::nullopt;
  }
  const std::string sql = std::string("SELECT ") + RunColumns + " FROM runs ORDER BY id";
  sqlite3_stmt* select = nullptr;
  if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &select, nullptr) != SQLITE_OK) {
    Fail("cannot read the history");
    return std::nullopt;
  }
  std::vector<HistoryRun> runs;
  int status = SQLITE_ROW;
  while ((status = sqlite3_step(select)) == SQLITE_ROW) {
    HistoryRun run;
    run.Id = sqlite3_column_int64(select, 0);
    run.PlayedAt = Text(select, 1);
    run.Shooter = Text(select, 2);
    run.Position = sqlite3_column_int(select, 3);
    run.Tournament = sqlite3_column_int(select, 4) != 0;
    run.Season = sqlite3_column_int(select, 5);
    run.Fields = Text(select, 6);
    run.Kinds = sqlite3_column_int(select, 7);
    run.RoundSize = sqlite3_column_int(select, 8);
    run.Thrown = sqlite3_column_int64(select, 9);
    run.Hit = sqlite3_column_int64(select, 10);
    run.Warnings = sqlite3_column_int(select, 11);
    run.Penalties = sqlite3_column_int(select, 12);
    runs.push_back(std::move(run));
  }
  sqlite3_finalize(select);
  if (status != SQLITE_DONE) {
    Fail("cannot read the history");
    return std::nullopt;
  }
  return runs;
}

}  // namespace qm
