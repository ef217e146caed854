#include <sqlite3.h>

#include <unordered_map>

#include "league/store/sql_connection.h"

namespace league {
namespace {

constexpr int kBusyTimeoutMs = 10000;  // waits for another writer before giving up

class SqliteConnection final : public SqlConnection {
public:
  explicit SqliteConnection(const std::string& path) {
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(path.c_str(), &Db_, flags, nullptr) != SQLITE_OK) {
      const std::string why = Db_ ? sqlite3_errmsg(Db_) : "out of memory";
      sqlite3_close(Db_);
      Db_ = nullptr;
      throw StoreError("cannot open " + path + ": " + why);
    }
    sqlite3_busy_timeout(Db_, kBusyTimeoutMs);
    // Write-ahead log, each commit synced to disk before it is answered.
    Execute("PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL; PRAGMA foreign_keys=ON;");
  }
  ~SqliteConnection() override {
    for (auto& [sql, statement] : Statements_) sqlite3_finalize(statement);
    sqlite3_close(Db_);
  }

  SqlDialect Dialect() const override { return SqlDialect::Sqlite; }

  void Execute(const std::string& sql) override {
    char* error = nullptr;
    if (sqlite3_exec(Db_, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
      const std::string why = error ? error : "unknown error";
      sqlite3_free(error);
      throw StoreError("sqlite: " + why);
    }
  }

  std::vector<SqlRow> Query(const std::string& sql, const std::vector<SqlValue>& params,
                            const std::vector<SqlType>& columns) override {
    sqlite3_stmt* statement = Prepared(sql);
    // Ready for its next use however this one ends.
    std::unique_ptr<sqlite3_stmt, void (*)(sqlite3_stmt*)> reset(statement, [](sqlite3_stmt* s) {
      sqlite3_reset(s);
      sqlite3_clear_bindings(s);
    });
    for (size_t i = 0; i < params.size(); ++i) Bind(statement, static_cast<int>(i) + 1, params[i]);
    std::vector<SqlRow> rows;
    for (;;) {
      const int step = sqlite3_step(statement);
      if (step == SQLITE_DONE) break;
      if (step != SQLITE_ROW) throw StoreError(std::string("sqlite: ") + sqlite3_errmsg(Db_));
      SqlRow row;
      for (size_t c = 0; c < columns.size(); ++c) row.push_back(Column(statement, static_cast<int>(c), columns[c]));
      rows.push_back(std::move(row));
    }
    return rows;
  }

  void BeginWrite() override { Execute("BEGIN IMMEDIATE"); }
  bool Usable() const override { return Db_ != nullptr; }

private:
  // The statement compiled on first use and kept: the store sends a handful over and over.
  sqlite3_stmt* Prepared(const std::string& sql) {
    auto it = Statements_.find(sql);
    if (it != Statements_.end()) return it->second;
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(Db_, sql.c_str(), static_cast<int>(sql.size()), &statement, nullptr) != SQLITE_OK)
      throw StoreError(std::string("sqlite: ") + sqlite3_errmsg(Db_));
    Statements_.emplace(sql, statement);
    return statement;
  }

  static void Bind(sqlite3_stmt* s, int index, const SqlValue& value) {
    if (std::holds_alternative<std::nullptr_t>(value)) {
      sqlite3_bind_null(s, index);
    } else if (auto* i = std::get_if<int64_t>(&value)) {
      sqlite3_bind_int64(s, index, *i);
    } else if (auto* d = std::get_if<double>(&value)) {
      sqlite3_bind_double(s, index, *d);
    } else if (auto* t = std::get_if<std::string>(&value)) {
      sqlite3_bind_text(s, index, t->data(), static_cast<int>(t->size()), SQLITE_TRANSIENT);
    } else {
      const std::string& bytes = std::get<SqlBlob>(value).Bytes;
      sqlite3_bind_blob(s, index, bytes.data(), static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
    }
  }

  static SqlValue Column(sqlite3_stmt* s, int c, SqlType type) {
    if (sqlite3_column_type(s, c) == SQLITE_NULL) return nullptr;
    switch (type) {
      case SqlType::Integer: return static_cast<int64_t>(sqlite3_column_int64(s, c));
      case SqlType::Real: return sqlite3_column_double(s, c);
      case SqlType::Text: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(s, c));
        return std::string(text, static_cast<size_t>(sqlite3_column_bytes(s, c)));
      }
      case SqlType::Blob: {
        const auto* bytes = static_cast<const char*>(sqlite3_column_blob(s, c));
        const auto size = static_cast<size_t>(sqlite3_column_bytes(s, c));
        return SqlBlob{bytes ? std::string(bytes, size) : std::string()};
      }
    }
    return nullptr;
  }

  sqlite3* Db_ = nullptr;
  std::unordered_map<std::string, sqlite3_stmt*> Statements_;
};

}  // namespace

std::unique_ptr<SqlConnection> OpenSqlite(const std::string& path) { return std::make_unique<SqliteConnection>(path); }

int64_t AsInteger(const SqlValue& value) {
  if (auto* i = std::get_if<int64_t>(&value)) return *i;
  throw StoreError("store: a column is not an integer");
}
double AsReal(const SqlValue& value) {
  if (auto* d = std::get_if<double>(&value)) return *d;
  throw StoreError("store: a column is not a number");
}
const std::string& AsText(const SqlValue& value) {
  if (auto* t = std::get_if<std::string>(&value)) return *t;
  if (auto* b = std::get_if<SqlBlob>(&value)) return b->Bytes;
  throw StoreError("store: a column is not text");
}

}  // namespace league
