#include <libpq-fe.h>

#include <cstdio>
#include <cstdlib>
#include <unordered_map>

#include "league/store/sql_connection.h"

namespace league {
namespace {

constexpr int kTextFormat = 0;
constexpr int kBinaryFormat = 1;

using Result = std::unique_ptr<PGresult, void (*)(PGresult*)>;

// "?" placeholders as PostgreSQL numbers them ($1, $2 ...). The store's statements
// hold no question marks of their own.
std::string NumberPlaceholders(const std::string& sql) {
  std::string out;
  int n = 0;
  for (const char c : sql) {
    if (c == '?') {
      out += '$' + std::to_string(++n);
    } else {
      out += c;
    }
  }
  return out;
}

std::string ExactText(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.17g", value);  // reads back to the same double
  return text;
}

class PostgresConnection final : public SqlConnection {
public:
  explicit PostgresConnection(const std::string& conninfo) : Conn_(PQconnectdb(conninfo.c_str())) {
    if (!Conn_ || PQstatus(Conn_) != CONNECTION_OK) {
      const std::string why = Conn_ ? PQerrorMessage(Conn_) : "out of memory";
      PQfinish(Conn_);
      Conn_ = nullptr;
      throw StoreError("cannot connect to PostgreSQL: " + why);
    }
    // Shortest text that reads back to the very same double (PostgreSQL 12 and later).
    Execute("SET extra_float_digits = 1; SET client_min_messages = warning;");
  }
  ~PostgresConnection() override { PQfinish(Conn_); }

  SqlDialect Dialect() const override { return SqlDialect::Postgres; }

  void Execute(const std::string& sql) override { Check(Result(PQexec(Conn_, sql.c_str()), PQclear)); }

  std::vector<SqlRow> Query(const std::string& sql, const std::vector<SqlValue>& params,
                            const std::vector<SqlType>& columns) override {
    std::vector<std::string> texts(params.size());
    std::vector<const char*> values(params.size(), nullptr);
    std::vector<int> lengths(params.size(), 0);
    std::vector<int> formats(params.size(), kTextFormat);
    for (size_t i = 0; i < params.size(); ++i) {
      const SqlValue& p = params[i];
      if (std::holds_alternative<std::nullptr_t>(p)) continue;
      if (auto* n = std::get_if<int64_t>(&p)) {
        texts[i] = std::to_string(*n);
      } else if (auto* d = std::get_if<double>(&p)) {
        texts[i] = ExactText(*d);
      } else if (auto* t = std::get_if<std::string>(&p)) {
        texts[i] = *t;
      } else {
        texts[i] = std::get<SqlBlob>(p).Bytes;
        formats[i] = kBinaryFormat;
      }
      values[i] = texts[i].data();
      lengths[i] = static_cast<int>(texts[i].size());
    }
    Result result(PQexecPrepared(Conn_, Prepared(sql, static_cast<int>(params.size())).c_str(),
                                 static_cast<int>(params.size()), values.data(), lengths.data(), formats.data(),
                                 kTextFormat),
                  PQclear);
    Check(result);
    std::vector<SqlRow> rows;
    const int count = PQntuples(result.get());
    for (int r = 0; r < count; ++r) {
      SqlRow row;
      for (size_t c = 0; c < columns.size(); ++c) row.push_back(Column(result.get(), r, static_cast<int>(c), columns[c]));
      rows.push_back(std::move(row));
    }
    return rows;
  }

  void BeginWrite() override { Execute("BEGIN"); }
  bool Usable() const override { return Conn_ && PQstatus(Conn_) == CONNECTION_OK; }

private:
  // The name of the statement prepared on this connection, prepared on first use: the
  // store sends a handful of statements over and over.
  const std::string& Prepared(const std::string& sql, int paramCount) {
    auto it = Statements_.find(sql);
    if (it != Statements_.end()) return it->second;
    const std::string name = "velkaro_" + std::to_string(Statements_.size());
    Check(Result(PQprepare(Conn_, name.c_str(), NumberPlaceholders(sql).c_str(), paramCount, nullptr), PQclear));
    return Statements_.emplace(sql, name).first->second;
  }

  void Check(const Result& result) {
    const ExecStatusType status = result ? PQresultStatus(result.get()) : PGRES_FATAL_ERROR;
    if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK) return;
    throw StoreError(std::string("PostgreSQL: ") + PQerrorMessage(Conn_));
  }

  static SqlValue Column(const PGresult* result, int r, int c, SqlType type) {
    if (PQgetisnull(result, r, c)) return nullptr;
    const char* text = PQgetvalue(result, r, c);
    switch (type) {
      case SqlType::Integer: return static_cast<int64_t>(std::strtoll(text, nullptr, 10));
      case SqlType::Real: return std::strtod(text, nullptr);
      case SqlType::Text: return std::string(text, static_cast<size_t>(PQgetlength(result, r, c)));
      case SqlType::Blob: {
        size_t size = 0;
        unsigned char* bytes = PQunescapeBytea(reinterpret_cast<const unsigned char*>(text), &size);
        if (!bytes) throw StoreError("PostgreSQL: a bytea value cannot be read");
        SqlBlob blob{std::string(reinterpret_cast<const char*>(bytes), size)};
        PQfreemem(bytes);
        return blob;
      }
    }
    return nullptr;
  }

  PGconn* Conn_;
  std::unordered_map<std::string, std::string> Statements_;
};

}  // namespace

std::unique_ptr<SqlConnection> OpenPostgres(const std::string& conninfo) {
  return std::make_unique<PostgresConnection>(conninfo);
}

}  // namespace league
