#pragma once
// Everything the league keeps: who owns which name, every verified flight, and each
// pilot's best per contest and physics version. One schema in SQLite (the embedded
// default) or PostgreSQL (several league processes sharing one league).
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "league/store/sql_connection.h"

namespace league {

struct StoredFlight {
  std::string Id;
  std::string Contest;
  std::string Pilot;  // Shift-JIS, as the game stores names
  float Distance = 0;  // m, the league's own
  double Claimed = 0;  // m, what the player's game showed
  std::string Physics;
  int RulesVersion = 0;
  std::string Entry;    // the entry file's bytes as first submitted
  std::string Figures;  // JSON object
  int64_t SubmittedAt = 0;  // Unix seconds
};

struct TableRow {
  int Place = 0;
  std::string Pilot;
  float Distance = 0;
  std::string FlightId;
  std::string Figures;
};

enum class AddOutcome {
  Added,      // a new flight
  Known,      // the league already had this flight (Flight is the stored one)
  NameTaken,  // the name belongs to another token; nothing was stored
};

struct AddResult {
  AddOutcome Outcome;
  StoredFlight Flight;
  int Place = 0;  // where the flight stands among the pilots' bests of its contest
};

class LeagueStore {
public:
  using Opener = std::function<std::unique_ptr<SqlConnection>()>;
  // Opens a first connection and brings the schema up to date (numbered migrations,
  // one transaction each, one process at a time). Throws StoreError.
  LeagueStore(Opener open, size_t maxConnections);

  static std::unique_ptr<LeagueStore> OpenSqliteFile(const std::string& path, size_t maxConnections);
  static std::unique_ptr<LeagueStore> OpenPostgresDatabase(const std::string& conninfo, size_t maxConnections);

  // The hash of the token that owns the name, nothing for a free name.
  std::optional<std::string> NameOwner(const std::string& pilot);
  // Claims the name for the token (when free) and stores the flight, in one
  // transaction; a flight with a known id is not stored again.
  AddResult AddFlight(const StoredFlight& flight, const std::string& tokenHash);
  std::vector<TableRow> Top(const std::string& contest, const std::string& physics, int count);
  std::optional<StoredFlight> FindFlight(const std::string& id);
  int SchemaVersion();
  void Ping();

private:
  class Lease;
  std::unique_ptr<SqlConnection> Acquire();
  void Release(std::unique_ptr<SqlConnection> connection);
  void Migrate(SqlConnection& db);
  int PlaceOf(SqlConnection& db, const StoredFlight& flight, int64_t seq);

  Opener Open_;
  size_t MaxConnections_;
  std::mutex Mutex_;
  std::condition_variable Returned_;
  std::vector<std::unique_ptr<SqlConnection>> Idle_;
  size_t OpenCount_ = 0;
};

}  // namespace league
