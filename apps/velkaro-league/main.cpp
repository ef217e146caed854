// velkaro-league: the league server. It flies every submitted flight again with the
// game's own code, keeps its own distance, and serves the tables as JSON and HTML.
//
//   velkaro-league --data DIR --listen ADDR:PORT [--postgres CONNINFO] [--workers N]
//                  [--queue N] [--submissions-per-minute N]
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>

#include "league/http/http_server.h"
#include "league/league_service.h"
#include "league/physics_version.h"
#include "league/store/league_store.h"
#include "platform/os/memory_reuse.h"
#include "platform/os/program_info.h"
#include "platform/os/termination_signal.h"
#include "platform/text/language.h"

namespace {

constexpr int kExitUsage = 2;
constexpr int kExitStartFailed = 1;
constexpr int kMaxPort = 65535;
constexpr int kMaxWorkers = 256;
constexpr int kMaxQueue = 100000;
constexpr int kMaxRate = 1000000;
constexpr int kReadThreads = 8;  // connections served beside those waiting for verification
constexpr const char* kDatabaseFile = "league.sqlite3";

constexpr const char* kUsage =
    N_("使い方: velkaro-league --data DIR --listen ADDR:PORT [--postgres CONNINFO] [--workers N]\n"
       "                       [--queue N] [--submissions-per-minute N]\n"
       "        velkaro-league --help | --version\n"
       "velkaro のリーグ: 送られた飛行をすべてゲーム自身の計算でもう一度飛ばし、その飛距離を\n"
       "記録します。コンテストの表を JSON (/api/v1) とウェブページ (/) で公開します。\n"
       "  --data DIR       リーグのフォルダ (なければ作る)\n"
       "  --listen A:P     HTTP で待ち受けるアドレスとポート (前に TLS のプロキシを置く)\n"
       "  --postgres CONN  DIR/league.sqlite3 の代わりに PostgreSQL (libpq の接続文字列) に\n"
       "                   記録する。複数のサーバーが一つのデータベースを共有できる\n"
       "  --workers N      同時に検証する飛行の数 (既定: コアの数)\n"
       "  --queue N        503 を返すまでに検証を待てる投稿の数 (既定 64)\n"
       "  --submissions-per-minute N  プレイヤーのトークンごと、接続元アドレスごとの上限 (既定 30)\n");

constexpr const char* kFilesHelp =
    N_("\nファイル: --postgres がなければ DIR/league.sqlite3 (と、その -wal と -shm のファイル)。\n"
       "SIGTERM か SIGINT を受けると、処理中のリクエストを終えてから終了コード 0 で終わります。\n");

struct Arguments {
  std::string Data;
  std::string Host;
  int Port = -1;
  std::optional<std::string> Postgres;
  league::ServiceOptions Service;
};

int Usage(const std::string& problem) {
  std::fprintf(stderr, "velkaro-league: %s\n%s", problem.c_str(), platform::TranslatedUtf8(kUsage));
  return kExitUsage;
}

bool ParseCount(const std::string& text, int low, int high, int& value) {
  try {
    size_t used = 0;
    const long parsed = std::stol(text, &used);
    if (used != text.size() || parsed < low || parsed > high) return false;
    value = static_cast<int>(parsed);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

std::optional<std::string> ParseArguments(int argc, char** argv, Arguments& args) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (i + 1 >= argc) return arg.rfind("--", 0) == 0 ? arg + " needs a value" : "unknown argument " + arg;
    const std::string value = argv[++i];
    if (arg == "--data") {
      args.Data = value;
    } else if (arg == "--listen") {
      const size_t colon = value.rfind(':');
      if (colon == std::string::npos || !ParseCount(value.substr(colon + 1), 0, kMaxPort, args.Port))
        return "--listen takes ADDRESS:PORT";
      args.Host = value.substr(0, colon);
      if (args.Host.size() > 2 && args.Host.front() == '[' && args.Host.back() == ']')
        args.Host = args.Host.substr(1, args.Host.size() - 2);  // [::1]:8150
    } else if (arg == "--postgres") {
      args.Postgres = value;
    } else if (arg == "--workers") {
      if (!ParseCount(value, 1, kMaxWorkers, args.Service.Workers)) return "--workers takes a number from 1";
    } else if (arg == "--queue") {
      if (!ParseCount(value, 0, kMaxQueue, args.Service.QueueLength)) return "--queue takes a number from 0";
    } else if (arg == "--submissions-per-minute") {
      if (!ParseCount(value, 1, kMaxRate, args.Service.SubmissionsPerMinute))
        return "--submissions-per-minute takes a number from 1";
    } else {
      return "unknown option " + arg;
    }
  }
  if (args.Data.empty()) return std::string("--data DIR is needed");
  if (args.Port < 0) return std::string("--listen ADDRESS:PORT is needed");
  return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
  platform::UseLanguage(platform::LanguageChoice::Auto);
  const std::string help = std::string(platform::TranslatedUtf8(kUsage)) + platform::TranslatedUtf8(kFilesHelp);
  if (auto code = platform::AnswerInfoOption(argc, argv, {"velkaro-league", help})) return *code;
  platform::HoldTerminationSignals();
  platform::KeepLargeAllocationsForReuse();
  Arguments args;
  args.Service.Workers = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  if (auto problem = ParseArguments(argc, argv, args)) return Usage(*problem);

  std::unique_ptr<league::LeagueStore> store;
  const size_t connections = static_cast<size_t>(args.Service.Workers + kReadThreads);
  try {
    if (args.Postgres) {
      store = league::LeagueStore::OpenPostgresDatabase(*args.Postgres, connections);
    } else {
      std::error_code error;
      std::filesystem::create_directories(args.Data, error);
      if (error) {
        std::fprintf(stderr, "velkaro-league: cannot make the folder %s: %s\n", args.Data.c_str(),
                     error.message().c_str());
        return kExitStartFailed;
      }
      store =
          league::LeagueStore::OpenSqliteFile((std::filesystem::path(args.Data) / kDatabaseFile).string(), connections);
    }
  } catch (const league::StoreError& error) {
    std::fprintf(stderr, "velkaro-league: %s\n", error.what());
    return kExitStartFailed;
  }

  league::LeagueService service(*store, args.Service);
  league::HttpServer server(service, {args.Service.Workers + args.Service.QueueLength + kReadThreads});
  const int port = server.Bind(args.Host, args.Port);
  if (port < 0) {
    std::fprintf(stderr, "velkaro-league: cannot listen on %s:%d\n", args.Host.c_str(), args.Port);
    return kExitStartFailed;
  }
  std::fprintf(stderr, "velkaro-league %s: listening on %s:%d, physics %s, schema %d, %s\n", platform::ProjectVersion(),
               args.Host.c_str(), port, league::PhysicsVersion().c_str(), store->SchemaVersion(),
               args.Postgres ? "PostgreSQL" : "SQLite");
  std::thread serving([&] { server.Run(); });
  const int signal = platform::WaitForTerminationSignal();
  std::fprintf(stderr, "velkaro-league: signal %d, finishing the requests in progress\n", signal);
  server.Stop();
  serving.join();
  return 0;
}
