#include "league/store/league_store.h"

#include <chrono>

#include "league/store/migrations.h"

namespace league {

// A connection taken from the pool for one piece of work; back to the pool afterwards
// unless it broke.
class LeagueStore::Lease {
public:
  explicit Lease(LeagueStore& store) : Store_(store), Db_(store.Acquire()) {}
  ~Lease() { Store_.Release(std::move(Db_)); }
  SqlConnection& operator*() { return *Db_; }
  SqlConnection* operator->() { return Db_.get(); }

private:
  LeagueStore& Store_;
  std::unique_ptr<SqlConnection> Db_;
};

namespace {

constexpr int64_t kMigrationLockKey = 0x76656c6b61726f;  // PostgreSQL advisory lock: "velkaro"

// Rolls back a transaction that is left without a commit (an error on the way).
class WriteTransaction {
public:
  explicit WriteTransaction(SqlConnection& db) : Db_(db) { Db_.BeginWrite(); }
  ~WriteTransaction() {
    if (Done_) return;
    try {
      Db_.Execute("ROLLBACK");
    } catch (const StoreError&) {
      // The connection is broken; the pool drops it.
    }
  }
  void Commit() {
    Db_.Execute("COMMIT");
    Done_ = true;
  }

private:
  SqlConnection& Db_;
  bool Done_ = false;
};

int64_t NowSeconds() {
  return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch()).count();
}

constexpr const char* kFlightColumns =
    "id, contest, pilot, distance, claimed, physics, rules_version, entry, figures, submitted_at, seq";
const std::vector<SqlType> kFlightTypes{SqlType::Text, SqlType::Text,    SqlType::Blob,    SqlType::Real,
                                        SqlType::Real, SqlType::Text,    SqlType::Integer, SqlType::Blob,
                                        SqlType::Text, SqlType::Integer, SqlType::Integer};

StoredFlight FlightOfRow(const SqlRow& row) {
  StoredFlight f;
  f.Id = AsText(row[0]);
  f.Contest = AsText(row[1]);
  f.Pilot = AsText(row[2]);
  f.Distance = static_cast<float>(AsReal(row[3]));  // stored exactly: a float widened to a double
  f.Claimed = AsReal(row[4]);
  f.Physics = AsText(row[5]);
  f.RulesVersion = static_cast<int>(AsInteger(row[6]));
  f.Entry = AsText(row[7]);
  f.Figures = AsText(row[8]);
  f.SubmittedAt = AsInteger(row[9]);
  return f;
}

}  // namespace

LeagueStore::LeagueStore(Opener open, size_t maxConnections)
    : Open_(std::move(open)), MaxConnections_(maxConnections < 1 ? 1 : maxConnections) {
  Lease db(*this);
  Migrate(*db);
}

std::unique_ptr<LeagueStore> LeagueStore::OpenSqliteFile(const std::string& path, size_t maxConnections) {
  return std::make_unique<LeagueStore>([path] { return OpenSqlite(path); }, maxConnections);
}

std::unique_ptr<LeagueStore> LeagueStore::OpenPostgresDatabase(const std::string& conninfo, size_t maxConnections) {
  return std::make_unique<LeagueStore>([conninfo] { return OpenPostgres(conninfo); }, maxConnections);
}

std::unique_ptr<SqlConnection> LeagueStore::Acquire() {
  std::unique_lock lock(Mutex_);
  Returned_.wait(lock, [&] { return !Idle_.empty() || OpenCount_ < MaxConnections_; });
  if (!Idle_.empty()) {
    auto db = std::move(Idle_.back());
    Idle_.pop_back();
    return db;
  }
  ++OpenCount_;
  lock.unlock();
  try {
    return Open_();
  } catch (...) {
    std::lock_guard relock(Mutex_);
    --OpenCount_;
    Returned_.notify_one();
    throw;
  }
}

void LeagueStore::Release(std::unique_ptr<SqlConnection> db) {
  std::lock_guard lock(Mutex_);
  if (db && db->Usable()) {
    Idle_.push_back(std::move(db));
  } else {
    --OpenCount_;
  }
  Returned_.notify_one();
}

void LeagueStore::Migrate(SqlConnection& db) {
  for (const Migration& m : Migrations()) {
    WriteTransaction transaction(db);
    if (db.Dialect() == SqlDialect::Postgres) {
      // One process migrates at a time; the others find the work done.
      db.Query("SELECT pg_advisory_xact_lock(?)", {kMigrationLockKey});
    }
    db.Execute("CREATE TABLE IF NOT EXISTS schema_migrations (version INTEGER PRIMARY KEY)");
    const auto applied = db.Query("SELECT 1 FROM schema_migrations WHERE version = ?", {int64_t{m.Version}},
                                  {SqlType::Integer});
    if (applied.empty()) {
      db.Execute(db.Dialect() == SqlDialect::Sqlite ? m.Sqlite : m.Postgres);
      db.Query("INSERT INTO schema_migrations (version) VALUES (?)", {int64_t{m.Version}});
    }
    transaction.Commit();
  }
}

int LeagueStore::SchemaVersion() {
  Lease db(*this);
  const auto rows = db->Query("SELECT MAX(version) FROM schema_migrations", {}, {SqlType::Integer});
  return rows.empty() || std::holds_alternative<std::nullptr_t>(rows[0][0]) ? 0 : static_cast<int>(AsInteger(rows[0][0]));
}

void LeagueStore::Ping() {
  Lease db(*this);
  db->Query("SELECT 1", {}, {SqlType::Integer});
}

std::optional<std::string> LeagueStore::NameOwner(const std::string& pilot) {
  Lease db(*this);
  const auto rows = db->Query("SELECT token_hash FROM pilots WHERE name = ?", {SqlBlob{pilot}}, {SqlType::Text});
  if (rows.empty()) return std::nullopt;
  return AsText(rows[0][0]);
}

int LeagueStore::PlaceOf(SqlConnection& db, const StoredFlight& f, int64_t seq) {
  const auto rows = db.Query(
      "SELECT COUNT(*) FROM bests WHERE contest = ? AND physics = ? AND pilot <> ? AND "
      "(distance > ? OR (distance = ? AND seq < ?))",
      {f.Contest, f.Physics, SqlBlob{f.Pilot}, double{f.Distance}, double{f.Distance}, seq}, {SqlType::Integer});
  return static_cast<int>(AsInteger(rows.at(0)[0])) + 1;
}

AddResult LeagueStore::AddFlight(const StoredFlight& f, const std::string& tokenHash) {
  Lease db(*this);
  WriteTransaction transaction(*db);
  db->Query("INSERT INTO pilots (name, token_hash, created_at) VALUES (?, ?, ?) ON CONFLICT (name) DO NOTHING",
            {SqlBlob{f.Pilot}, tokenHash, NowSeconds()});
  const auto owner = db->Query("SELECT token_hash FROM pilots WHERE name = ?", {SqlBlob{f.Pilot}}, {SqlType::Text});
  if (owner.empty() || AsText(owner[0][0]) != tokenHash) return {AddOutcome::NameTaken, f, 0};

  const auto inserted = db->Query(
      "INSERT INTO flights (id, contest, pilot, distance, claimed, physics, rules_version, entry, figures, "
      "submitted_at) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?) ON CONFLICT (id) DO NOTHING RETURNING seq",
      {f.Id, f.Contest, SqlBlob{f.Pilot}, double{f.Distance}, f.Claimed, f.Physics, int64_t{f.RulesVersion},
       SqlBlob{f.Entry}, f.Figures, f.SubmittedAt},
      {SqlType::Integer});
  AddResult result{AddOutcome::Added, f, 0};
  int64_t seq = 0;
  if (inserted.empty()) {
    const auto known = db->Query(std::string("SELECT ") + kFlightColumns + " FROM flights WHERE id = ?", {f.Id},
                                 kFlightTypes);
    if (known.empty()) throw StoreError("store: a flight vanished while it was added");
    result = {AddOutcome::Known, FlightOfRow(known[0]), 0};
    seq = AsInteger(known[0][10]);
  } else {
    seq = AsInteger(inserted[0][0]);
    db->Query(
        "INSERT INTO bests (contest, physics, pilot, flight_id, distance, seq) VALUES (?, ?, ?, ?, ?, ?) "
        "ON CONFLICT (contest, physics, pilot) DO UPDATE SET flight_id = excluded.flight_id, "
        "distance = excluded.distance, seq = excluded.seq WHERE excluded.distance > bests.distance",
        {f.Contest, f.Physics, SqlBlob{f.Pilot}, f.Id, double{f.Distance}, seq});
  }
  result.Place = PlaceOf(*db, result.Flight, seq);
  transaction.Commit();
  return result;
}

std::vector<TableRow> LeagueStore::Top(const std::string& contest, const std::string& physics, int count) {
  Lease db(*this);
  const auto rows = db->Query(
      "SELECT b.pilot, b.distance, b.flight_id, f.figures FROM bests b JOIN flights f ON f.id = b.flight_id "
      "WHERE b.contest = ? AND b.physics = ? ORDER BY b.distance DESC, b.seq LIMIT ?",
      {contest, physics, int64_t{count}}, {SqlType::Blob, SqlType::Real, SqlType::Text, SqlType::Text});
  std::vector<TableRow> table;
  for (const SqlRow& row : rows) {
    table.push_back({static_cast<int>(table.size()) + 1, AsText(row[0]), static_cast<float>(AsReal(row[1])),
                     AsText(row[2]), AsText(row[3])});
  }
  return table;
}

std::optional<StoredFlight> LeagueStore::FindFlight(const std::string& id) {
  Lease db(*this);
  const auto rows =
      db->Query(std::string("SELECT ") + kFlightColumns + " FROM flights WHERE id = ?", {id}, kFlightTypes);
  if (rows.empty()) return std::nullopt;
  return FlightOfRow(rows[0]);
}

}  // namespace league
