#pragma once
#include <span>

#include "league/store/sql_connection.h"

namespace league {

struct Migration {
  int Version;  // applied in this order, each once
  const char* Sqlite;
  const char* Postgres;
};

std::span<const Migration> Migrations();

}  // namespace league
