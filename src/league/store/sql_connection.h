#pragma once
// The little of SQL the league's store needs, the same over SQLite and PostgreSQL:
// statements with "?" parameters, rows of typed values, write transactions.
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace league {

// Bytes stored as such (BLOB, bytea), never as text.
struct SqlBlob {
  std::string Bytes;
};
using SqlValue = std::variant<std::nullptr_t, int64_t, double, std::string, SqlBlob>;
using SqlRow = std::vector<SqlValue>;

// What a result column holds, so that each database hands back exact values.
enum class SqlType { Integer, Real, Text, Blob };

// The database cannot be reached or refused a statement.
class StoreError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

enum class SqlDialect { Sqlite, Postgres };

class SqlConnection {
public:
  virtual ~SqlConnection() = default;
  virtual SqlDialect Dialect() const = 0;
  // Statements without parameters (a migration), run as they are.
  virtual void Execute(const std::string& sql) = 0;
  // One statement with "?" parameters; its rows with the columns read as `columns`.
  virtual std::vector<SqlRow> Query(const std::string& sql, const std::vector<SqlValue>& params,
                                    const std::vector<SqlType>& columns = {}) = 0;
  // A transaction that will write: SQLite takes its write lock at once.
  virtual void BeginWrite() = 0;
  // False once the connection is broken: it is then not used again.
  virtual bool Usable() const = 0;
};

std::unique_ptr<SqlConnection> OpenSqlite(const std::string& path);
std::unique_ptr<SqlConnection> OpenPostgres(const std::string& conninfo);

// Row accessors: the value in the type the column was read as.
int64_t AsInteger(const SqlValue& value);
double AsReal(const SqlValue& value);
const std::string& AsText(const SqlValue& value);  // Text or Blob bytes

}  // namespace league
