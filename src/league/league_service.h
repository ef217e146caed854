#pragma once
// What the league answers, apart from HTTP itself: each request of the API and the web
// page becomes a Reply. Submissions are rate-limited, verified under the gate and
// stored; reads go straight to the store.
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "league/rate_limiter.h"
#include "league/store/league_store.h"
#include "league/verification_gate.h"

namespace league {

struct Reply {
  int Status = 200;
  std::string ContentType = "application/json";
  std::string Body;
  int RetryAfterSeconds = 0;  // sent as Retry-After when above 0
  std::string Download;       // a file name: sent as an attachment
};

struct ServiceOptions {
  int Workers = 2;                // flights verified at once
  int QueueLength = 64;           // submissions waiting for their turn
  int SubmissionsPerMinute = 30;  // per token and per client address
};

class LeagueService {
public:
  using WallClock = std::function<std::chrono::system_clock::time_point()>;
  LeagueService(LeagueStore& store, const ServiceOptions& options, WallClock now = std::chrono::system_clock::now);

  Reply SubmitFlight(std::string_view body, const std::string& clientAddress);
  Reply ListContests();
  // `count` as the query's text ("" for the default of ten).
  Reply Top(std::string_view contest, std::string_view count);
  Reply FlightEntry(std::string_view id);
  Reply FlightProfileJson(std::string_view id);
  Reply Health();

  Reply IndexPage();
  Reply ContestPage(std::string_view contest);
  Reply FlightPage(std::string_view id);

private:
  std::chrono::sys_days Today() const;
  // The table a flight of the contest counts in: the contest, and the day for a daily one.
  std::string BoardOf(const struct Contest& contest, std::chrono::sys_days day) const;

  LeagueStore& Store_;
  ServiceOptions Options_;
  WallClock Now_;
  VerificationGate Gate_;
  RateLimiter PerToken_, PerAddress_;
};

}  // namespace league
