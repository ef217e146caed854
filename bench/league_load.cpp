// Load on running league servers over loopback: verified submissions per second with
// concurrent clients, then the latency of `top` reads sent at a fixed rate.
//
//   velkaro_league_load ENTRY... --server HOST:PORT [--server HOST:PORT ...]
//                       [--clients N] [--submissions N] [--top-rate PER_S] [--top-seconds S]
//
// Each submission is a distinct flight (an ENTRY, taken in turn, with a tail setting
// past its touchdown added), so every one is flown again and stored. Servers are used
// in turn.
#include <httplib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <mutex>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "league/submission.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Options {
  std::vector<std::string> Entries;
  std::vector<std::pair<std::string, int>> Servers;
  int Clients = 8;
  int Submissions = 2000;
  int TopRate = 500;    // requests per second
  int TopSeconds = 10;  // s
};

bool ParseOptions(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&]() -> std::string { return i + 1 < argc ? argv[++i] : ""; };
    if (arg == "--server") {
      const std::string v = value();
      const size_t colon = v.rfind(':');
      if (colon == std::string::npos) return false;
      o.Servers.emplace_back(v.substr(0, colon), std::stoi(v.substr(colon + 1)));
    } else if (arg == "--clients") {
      o.Clients = std::stoi(value());
    } else if (arg == "--submissions") {
      o.Submissions = std::stoi(value());
    } else if (arg == "--top-rate") {
      o.TopRate = std::stoi(value());
    } else if (arg == "--top-seconds") {
      o.TopSeconds = std::stoi(value());
    } else {
      o.Entries.push_back(arg);
    }
  }
  return !o.Entries.empty() && !o.Servers.empty() && o.Clients > 0 && o.TopRate > 0;
}

double Percentile(std::vector<double> values, double share) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[std::min(values.size() - 1, static_cast<size_t>(share * static_cast<double>(values.size())))];
}

std::string Body(const std::string& entry, int k) {
  constexpr int kPilots = 1000;  // each with a token of its own
  char token[40];
  std::snprintf(token, sizeof token, "%032x", k % kPilots + 1);
  // A tail setting of 0 (what the flight flies past its log anyway), then one that
  // makes the flight distinct, both after the touchdown.
  const std::string distinct = entry + "0\r\n" + std::to_string(k) + "\r\n";
  const nlohmann::json body = {{"contest", "open"},
                               {"pilot", "bench" + std::to_string(k % kPilots)},
                               {"token", token},
                               {"entry", league::EncodeBase64(distinct)},
                               {"claimed", 0}};
  return body.dump();
}

void Submissions(const Options& o, const std::vector<std::string>& entries) {
  // The bodies are made first, so the clients measure the servers and not the encoding.
  std::vector<std::string> bodies;
  for (int k = 0; k < o.Submissions; ++k) bodies.push_back(Body(entries[k % entries.size()], k));
  std::atomic<int> next = 0, accepted = 0, failed = 0;
  std::mutex statusMutex;
  std::vector<int> statuses;
  const auto start = Clock::now();
  std::vector<std::thread> clients;
  for (int c = 0; c < o.Clients; ++c) {
    clients.emplace_back([&, c] {
      const auto& [host, port] = o.Servers[c % o.Servers.size()];
      httplib::Client client(host, port);
      client.set_keep_alive(true);
      client.set_tcp_nodelay(true);
      client.set_read_timeout(60, 0);
      for (int k; (k = next++) < o.Submissions;) {
        auto res = client.Post("/api/v1/flights", bodies[k], "application/json");
        if (res && (res->status == 201 || res->status == 200)) {
          ++accepted;
        } else {
          ++failed;
          std::lock_guard lock(statusMutex);
          statuses.push_back(res ? res->status : -1);
        }
      }
    });
  }
  for (auto& t : clients) t.join();
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  std::printf("submissions: %d verified in %.2f s with %d clients on %zu server(s): %.1f verified/s (%d failed",
              accepted.load(), seconds, o.Clients, o.Servers.size(), accepted / seconds, failed.load());
  if (!statuses.empty()) std::printf(", first status %d", statuses.front());
  std::printf(")\n");
}

void TopReads(const Options& o) {
  const int total = o.TopRate * o.TopSeconds;
  const auto interval = std::chrono::duration<double>(1.0 / o.TopRate);
  std::vector<double> latencies(static_cast<size_t>(total), -1);
  std::atomic<int> next = 0;
  const auto start = Clock::now();
  // Open loop: request k is due at start + k * interval, whenever the last one ended;
  // the latency counts from when it was due, so a slow server cannot hide its queue.
  const int readers = std::max(4, o.Clients);
  std::vector<std::thread> threads;
  for (int r = 0; r < readers; ++r) {
    threads.emplace_back([&, r] {
      const auto& [host, port] = o.Servers[r % o.Servers.size()];
      httplib::Client client(host, port);
      client.set_keep_alive(true);
      client.set_tcp_nodelay(true);
      for (int k; (k = next++) < total;) {
        const auto due = start + std::chrono::duration_cast<Clock::duration>(interval * k);
        std::this_thread::sleep_until(due);
        auto res = client.Get("/api/v1/contests/open/top?n=10");
        if (res && res->status == 200)
          latencies[k] = std::chrono::duration<double, std::milli>(Clock::now() - due).count();
      }
    });
  }
  for (auto& t : threads) t.join();
  std::vector<double> ok;
  for (double l : latencies) {
    if (l >= 0) ok.push_back(l);
  }
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  std::printf("top: %zu of %d reads at %d/s (%.1f/s achieved): p50 %.2f ms, p99 %.2f ms, max %.2f ms\n", ok.size(),
              total, o.TopRate, static_cast<double>(ok.size()) / seconds, Percentile(ok, 0.5), Percentile(ok, 0.99),
              Percentile(ok, 1.0));
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  if (!ParseOptions(argc, argv, o)) {
    std::fprintf(stderr,
                 "usage: velkaro_league_load ENTRY... --server HOST:PORT [--server ...] [--clients N] "
                 "[--submissions N] [--top-rate PER_S] [--top-seconds S]\n");
    return 2;
  }
  std::vector<std::string> entries;
  for (const std::string& file : o.Entries) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream entry;
    entry << in.rdbuf();
    entries.push_back(entry.str());
  }
  Submissions(o, entries);
  TopReads(o);
  return 0;
}
