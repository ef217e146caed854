#include "league/http/http_server.h"

#include <httplib.h>

#include <chrono>
#include <cstdio>

#include "league/utc_time.h"
#include "league/web/web_pages.h"

namespace league {
namespace {

constexpr int kReadTimeoutSeconds = 10;
constexpr int kWriteTimeoutSeconds = 10;
constexpr int kKeepAliveSeconds = 5;
constexpr const char* kFlightId = "([0-9a-f]{32})";

thread_local std::chrono::steady_clock::time_point requestStart;

bool IsLoopback(const std::string& address) { return address == "127.0.0.1" || address == "::1"; }

// The client's address: behind a reverse proxy on this machine, the one the proxy
// appended last to X-Forwarded-For (earlier entries are the client's own claims).
std::string ClientAddress(const httplib::Request& req) {
  if (IsLoopback(req.remote_addr) && req.has_header("X-Forwarded-For")) {
    std::string forwarded = req.get_header_value("X-Forwarded-For");
    const size_t comma = forwarded.rfind(',');
    if (comma != std::string::npos) forwarded = forwarded.substr(comma + 1);
    const size_t first = forwarded.find_first_not_of(' ');
    if (first != std::string::npos) return forwarded.substr(first);
  }
  return req.remote_addr;
}

void Send(httplib::Response& res, const Reply& reply) {
  res.status = reply.Status;
  res.set_content(reply.Body, reply.ContentType.c_str());
  if (reply.RetryAfterSeconds > 0) res.set_header("Retry-After", std::to_string(reply.RetryAfterSeconds));
  if (!reply.Download.empty())
    res.set_header("Content-Disposition", "attachment; filename=\"" + reply.Download + "\"");
}

void LogRequest(const httplib::Request& req, const httplib::Response& res) {
  const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - requestStart).count();
  const std::string stamp = UtcTimestamp(std::chrono::system_clock::now());
  // The path is the client's: only its printable ASCII reaches the log.
  std::string path;
  for (const char c : req.path.substr(0, 200)) path += (c > ' ' && c < 0x7F) ? c : '?';
  std::fprintf(stderr, "%s %s %s %s %d %zu %.1fms\n", stamp.c_str(), ClientAddress(req).c_str(), req.method.c_str(),
               path.c_str(), res.status, res.body.size(), ms);
}

}  // namespace

struct HttpServer::Impl {
  httplib::Server Server;
};

HttpServer::HttpServer(LeagueService& service, const HttpOptions& options) : Impl_(std::make_unique<Impl>()) {
  httplib::Server& s = Impl_->Server;
  const int threads = options.Threads;
  s.new_task_queue = [threads] { return new httplib::ThreadPool(static_cast<size_t>(threads)); };
  s.set_tcp_nodelay(true);  // answers leave at once, not after the client's delayed ACK
  s.set_payload_max_length(kMaxBodyBytes);
  s.set_read_timeout(kReadTimeoutSeconds, 0);
  s.set_write_timeout(kWriteTimeoutSeconds, 0);
  s.set_keep_alive_timeout(kKeepAliveSeconds);
  s.set_default_headers({{"Content-Security-Policy", kContentSecurityPolicy},
                         {"X-Content-Type-Options", "nosniff"},
                         {"Referrer-Policy", "no-referrer"}});
  s.set_pre_routing_handler([](const httplib::Request&, httplib::Response&) {
    requestStart = std::chrono::steady_clock::now();
    return httplib::Server::HandlerResponse::Unhandled;
  });
  s.set_logger(LogRequest);
  s.set_exception_handler([](const httplib::Request&, httplib::Response& res, std::exception_ptr) {
    res.status = 500;
    res.set_content(R"({"error":"the league failed to answer this request"})", "application/json");
  });
  s.set_error_handler([](const httplib::Request& req, httplib::Response& res) {
    if (!res.body.empty()) return;
    const bool api = req.path.rfind("/api/", 0) == 0;
    const char* reason = res.status == 413 ? "the body is larger than 256 KiB" : "there is nothing at this address";
    if (api || res.status == 413) {
      res.set_content(std::string(R"({"error":")") + reason + "\"}", "application/json");
    } else {
      res.set_content(NotFoundPage("page"), "text/html; charset=utf-8");
    }
  });

  s.Post("/api/v1/flights", [&service](const httplib::Request& req, httplib::Response& res) {
    Send(res, service.SubmitFlight(req.body, ClientAddress(req)));
  });
  s.Get("/api/v1/contests", [&service](const httplib::Request&, httplib::Response& res) {
    Send(res, service.ListContests());
  });
  s.Get("/api/v1/contests/([a-z]+)/top", [&service](const httplib::Request& req, httplib::Response& res) {
    Send(res, service.Top(req.matches[1].str(), req.get_param_value("n")));
  });
  s.Get(std::string("/api/v1/flights/") + kFlightId, [&service](const httplib::Request& req, httplib::Response& res) {
    Send(res, service.FlightEntry(req.matches[1].str()));
  });
  s.Get(std::string("/api/v1/flights/") + kFlightId + "/profile",
        [&service](const httplib::Request& req, httplib::Response& res) {
          Send(res, service.FlightProfileJson(req.matches[1].str()));
        });
  s.Get("/healthz", [&service](const httplib::Request&, httplib::Response& res) { Send(res, service.Health()); });
  s.Get("/", [&service](const httplib::Request&, httplib::Response& res) { Send(res, service.IndexPage()); });
  s.Get("/style.css", [](const httplib::Request&, httplib::Response& res) {
    res.set_content(std::string(StyleSheet()), "text/css; charset=utf-8");
  });
  s.Get("/contests/([a-z]+)", [&service](const httplib::Request& req, httplib::Response& res) {
    Send(res, service.ContestPage(req.matches[1].str()));
  });
  s.Get(std::string("/flights/") + kFlightId, [&service](const httplib::Request& req, httplib::Response& res) {
    Send(res, service.FlightPage(req.matches[1].str()));
  });
}

HttpServer::~HttpServer() = default;

int HttpServer::Bind(const std::string& host, int port) {
  if (port == 0) return Impl_->Server.bind_to_any_port(host);
  return Impl_->Server.bind_to_port(host, port) ? port : -1;
}

void HttpServer::Run() { Impl_->Server.listen_after_bind(); }

void HttpServer::Stop() { Impl_->Server.stop(); }

}  // namespace league
