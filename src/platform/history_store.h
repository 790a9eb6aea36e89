#pragma once
// The score history: every practice and tournament closed with Done, one row per shooter,
// kept in an SQLite file beside the player's other data. The settings file keeps the
// lifetime totals as before; this store only adds the runs that made them.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct sqlite3;

namespace qm {

// One shooter's finished run as the history keeps it.
struct HistoryRun {
  int64_t Id = 0;           // order of recording
  std::string PlayedAt;     // local time the run was closed, "YYYY-MM-DD HH:MM:SS"
  std::string Shooter;      // the name the run was shot under
  int Position = 0;         // shooter position 0..3
  bool Tournament = false;  // else practice
  int Season = 0;           // artwork set
  std::string Fields;       // "3" for a practice; "1-5" for a tournament, "1-3" if it ended early
  int Kinds = 0;            // bit k-1 set when presentation kind k was allowed
  int RoundSize = 0;        // 50 or 100 in a tournament, 0 in practice
  int64_t Thrown = 0, Hit = 0;
  int Warnings = 0, Penalties = 0;
  bool operator==(const HistoryRun&) const = default;
};

class HistoryStore {
 public:
  // The schema this build writes; older files are brought up to it when opened for writing.
  static constexpr int SchemaVersion = 2;

  explicit HistoryStore(std::string path);
  ~HistoryStore();
  HistoryStore(const HistoryStore&) = delete;
  HistoryStore& operator=(const HistoryStore&) = delete;

  const std::string& Path() const { return path_; }
  // Opens the file, creating it and its folder when missing and upgrading an older schema.
  // A file that is damaged, not a database, or from a newer game is left untouched: false,
  // with the reason in Error(). With readOnly nothing is ever created or changed.
  bool Open(bool readOnly = false);
  bool IsOpen() const { return db_ != nullptr; }
  // Adds the runs in one transaction: all of them or none.
  bool Append(const std::vector<HistoryRun>& runs);
  // Every run, oldest first.
  std::optional<std::vector<HistoryRun>> ReadAll();
  const std::string& Error() const { return error_; }

 private:
  bool Fail(const std::string& what);
  bool Execute(const char* sql);
  bool Migrate(int from);
  void Close();

  std::string path_;
  std::string error_;
  ::sqlite3* db_ = nullptr;
};

}  // namespace qm
