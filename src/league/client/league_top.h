#pragma once
// The best flights of a league's contest, with their entry files, fetched for the
// game's ghosts and replays and the configurator's comparison. The fetch runs in a
// thread of its own; the caller looks at it when it likes.
#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/net/http_client.h"

namespace league {

struct LeagueTopEntry {
  int Place = 0;
  std::string PilotUtf8;
  float Distance = 0;  // m, the league's
  std::string FlightId;
  std::string Entry;  // the entry file's bytes; empty when it could not be fetched
};

struct LeagueTop {
  std::string Contest;
  std::string Physics;  // the league's physics version: flights of another are not flown
  std::vector<LeagueTopEntry> Entries;
  std::string Error;  // why there is no table (UTF-8), empty when there is one
};

// Fetches the contest's top `count` and each one's entry file (blocking).
LeagueTop FetchLeagueTop(platform::HttpClient& client, const std::string& address, const std::string& contest,
                         int count);

// The top as a JSON answer of /api/v1/contests/{id}/top gives it, without entries.
LeagueTop ReadLeagueTop(const std::string& json);

class LeagueTopFetch {
public:
  LeagueTopFetch(const std::string& address, const std::string& contest, int count,
                 std::unique_ptr<platform::HttpClient> client);
  ~LeagueTopFetch();
  LeagueTopFetch(const LeagueTopFetch&) = delete;
  LeagueTopFetch& operator=(const LeagueTopFetch&) = delete;
  bool Done() const { return Done_.load(std::memory_order_acquire); }
  // Only once Done().
  const LeagueTop& Result() const { return Result_; }

private:
  std::unique_ptr<platform::HttpClient> Client_;
  LeagueTop Result_;
  std::atomic<bool> Done_ = false;
  std::thread Thread_;
};

}  // namespace league
