#pragma once
// The league over HTTP: the JSON API under /api/v1, the web page and /healthz, with
// bounded bodies, timeouts and one log line per request on stderr.
#include <memory>
#include <string>

#include "league/league_service.h"

namespace league {

struct HttpOptions {
  int Threads = 16;  // connections served at once
};

class HttpServer {
public:
  HttpServer(LeagueService& service, const HttpOptions& options);
  ~HttpServer();
  // Binds the address; port 0 takes a free one. The bound port, or -1.
  int Bind(const std::string& host, int port);
  // Serves until Stop(); then the requests in progress are finished.
  void Run();
  // Safe from any thread.
  void Stop();

private:
  struct Impl;
  std::unique_ptr<Impl> Impl_;
};

inline constexpr size_t kMaxBodyBytes = 256 * 1024;

}  // namespace league
