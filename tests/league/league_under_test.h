#pragma once
// A league served on a free loopback port for the length of a test, over SQLite in a
// temporary folder or over the test PostgreSQL server (its connection string in the
// file VELKARO_TEST_POSTGRES_FILE names), emptied first.
#include <httplib.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "fakes/temp_dir.h"
#include "league/http/http_server.h"
#include "league/league_service.h"
#include "league/store/league_store.h"

namespace fakes {

enum class StoreKind { Sqlite, Postgres };

// The test PostgreSQL server's connection string; nothing when the tests run without one.
inline std::optional<std::string> TestPostgres() {
  const char* file = std::getenv("VELKARO_TEST_POSTGRES_FILE");
  if (!file) return std::nullopt;
  std::ifstream in(file);
  std::string conninfo;
  std::getline(in, conninfo);
  if (conninfo.empty()) throw std::runtime_error(std::string("no connection string in ") + file);
  return conninfo;
}

inline void EmptyPostgres(const std::string& conninfo) {
  league::OpenPostgres(conninfo)->Execute("DROP SCHEMA public CASCADE; CREATE SCHEMA public;");
}

class LeagueUnderTest {
public:
  using Clock = league::LeagueService::WallClock;
  LeagueUnderTest(StoreKind kind, const league::ServiceOptions& options, Clock now = std::chrono::system_clock::now) {
    Store = Open(kind);
    Service = std::make_unique<league::LeagueService>(*Store, options, std::move(now));
    Server = std::make_unique<league::HttpServer>(*Service, league::HttpOptions{});
    Port = Server->Bind("127.0.0.1", 0);
    Serving = std::thread([this] { Server->Run(); });
    Client = std::make_unique<httplib::Client>("127.0.0.1", Port);
    // The server accepts once its loop runs; wait for it (bounded).
    for (int attempt = 0; attempt < 500 && !Client->Get("/healthz"); ++attempt)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ~LeagueUnderTest() {
    Server->Stop();
    Serving.join();
  }

  std::unique_ptr<league::LeagueStore> Open(StoreKind kind) {
    if (kind == StoreKind::Postgres) {
      if (!Conninfo) {
        Conninfo = TestPostgres();
        EmptyPostgres(*Conninfo);
      }
      return league::LeagueStore::OpenPostgresDatabase(*Conninfo, 4);
    }
    return league::LeagueStore::OpenSqliteFile((Folder.Path() / "league.sqlite3").string(), 4);
  }

  TempWorkingDir Folder;
  std::optional<std::string> Conninfo;
  std::unique_ptr<league::LeagueStore> Store;
  std::unique_ptr<league::LeagueService> Service;
  std::unique_ptr<league::HttpServer> Server;
  int Port = -1;
  std::thread Serving;
  std::unique_ptr<httplib::Client> Client;
};

}  // namespace fakes
