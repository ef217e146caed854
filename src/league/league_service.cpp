#include "league/league_service.h"

#include <charconv>
#include <nlohmann/json.hpp>

#include "league/contests.h"
#include "league/field_labels.h"
#include "league/physics_version.h"
#include "league/pilot_identity.h"
#include "league/submission.h"
#include "league/verification.h"
#include "league/web/web_pages.h"
#include "platform/text/shift_jis.h"

namespace league {
namespace {

using Json = nlohmann::json;

constexpr int kDefaultTopCount = 10;
constexpr int kMaxTopCount = 100;
constexpr int kIndexRows = 10;         // rows of each contest on the front page
constexpr size_t kProfilePoints = 400; // enough for a plot a screen wide
constexpr int kStoreRetrySeconds = 5;
constexpr int kBusyRetrySeconds = 2;
constexpr size_t kFlightIdHexDigits = 32;
constexpr char kDailySeparator = '/';  // "daily/2026-12-10": a daily contest's table of one day

Reply JsonReply(int status, const Json& body) { return {status, "application/json", body.dump(), 0, {}}; }

Reply Error(int status, const std::string& reason, int line = 0) {
  Json body = {{"error", reason}};
  if (line > 0) body["field"] = FieldLabel(line);
  return JsonReply(status, body);
}

Reply StoreUnavailable() {
  Reply reply = Error(503, "the league's database cannot be reached; try again later");
  reply.RetryAfterSeconds = kStoreRetrySeconds;
  return reply;
}

Reply HtmlReply(int status, std::string page) { return {status, "text/html; charset=utf-8", std::move(page), 0, {}}; }

// The contest a stored flight's table belongs to ("daily/2026-12-10" → "daily").
std::string ContestOfBoard(const std::string& board) { return board.substr(0, board.find(kDailySeparator)); }

Json FiguresJson(const std::string& figures) {
  Json parsed = Json::parse(figures, nullptr, false);
  return parsed.is_discarded() ? Json::object() : parsed;
}

Json ContestJson(const Contest& c, std::chrono::sys_days day) {
  const ContestConditions fixed = ConditionsOn(c, day);
  Json json = {{"id", c.Id},
               {"name", c.Name},
               {"rules", c.Rules},
               {"rules_version", c.RulesVersion},
               {"launch_height_m", fixed.LaunchHeight},
               {"start_speed_m_s", fixed.StartSpeed},
               {"start_pitch_deg", fixed.StartPitch},
               {"wind_m_s", fixed.Wind},
               {"design_limit", c.Limit == DesignLimit::Plausible ? "plausible" : "flyable"}};
  if (c.DailyWind) json["day"] = DayText(day);
  return json;
}

}  // namespace

LeagueService::LeagueService(LeagueStore& store, const ServiceOptions& options, WallClock now)
    : Store_(store),
      Options_(options),
      Now_(std::move(now)),
      Gate_(options.Workers, options.QueueLength),
      PerToken_(options.SubmissionsPerMinute),
      PerAddress_(options.SubmissionsPerMinute) {}

std::chrono::sys_days LeagueService::Today() const { return std::chrono::floor<std::chrono::days>(Now_()); }

std::string LeagueService::BoardOf(const Contest& contest, std::chrono::sys_days day) const {
  std::string board(contest.Id);
  if (contest.DailyWind) board += kDailySeparator + DayText(day);
  return board;
}

Reply LeagueService::SubmitFlight(std::string_view body, const std::string& clientAddress) {
  auto parsed = ParseSubmission(body);
  if (auto* error = std::get_if<SubmissionError>(&parsed)) return Error(400, error->Reason);
  const Submission& s = std::get<Submission>(parsed);
  const Contest* contest = FindContest(s.Contest);
  if (!contest) return Error(400, "there is no contest \"" + s.Contest + "\"");
  auto name = PilotNameFromUtf8(s.PilotUtf8);
  if (name.index() == 1) return Error(400, std::get<1>(name));
  const std::string& pilot = std::get<0>(name);
  const std::string tokenHash = TokenHash(s.Token);

  int retryAfter = 0;
  const auto now = RateLimiter::Clock::now();
  if (!PerAddress_.Allow(clientAddress, now, retryAfter) || !PerToken_.Allow(tokenHash, now, retryAfter)) {
    Reply reply = Error(429, "too many flights sent in a short time; try again later");
    reply.RetryAfterSeconds = retryAfter;
    return reply;
  }
  try {
    // A name owned by another token is refused before any flying is done.
    if (auto owner = Store_.NameOwner(pilot); owner && *owner != tokenHash)
      return Error(409, "the name \"" + s.PilotUtf8 + "\" belongs to another player; choose another name");

    const std::chrono::sys_days day = Today();
    std::variant<VerifiedFlight, Refusal> verified;
    {
      VerificationGate::Turn turn = Gate_.Enter();
      if (!turn.Admitted()) {
        Reply reply = Error(503, "the league is busy verifying other flights; try again shortly");
        reply.RetryAfterSeconds = kBusyRetrySeconds;
        return reply;
      }
      verified = VerifyEntry(*contest, s.Entry, day);
    }
    if (auto* refusal = std::get_if<Refusal>(&verified)) {
      Reply reply = Error(refusal->Kind == RefusalKind::Unreadable ? 400 : 422, refusal->Reason, refusal->Line);
      return reply;
    }
    const VerifiedFlight& flight = std::get<VerifiedFlight>(verified);
    const std::string board = BoardOf(*contest, day);
    // One flight per table, design bytes and tail settings.
    StoredFlight stored{Sha256Hex(board + '\n' + flight.Normalized).substr(0, kFlightIdHexDigits),
                        board,
                        pilot,
                        flight.Distance,
                        s.Claimed,
                        PhysicsVersion(),
                        contest->RulesVersion,
                        s.Entry,
                        flight.Figures,
                        std::chrono::duration_cast<std::chrono::seconds>(Now_().time_since_epoch()).count()};
    const AddResult added = Store_.AddFlight(stored, tokenHash);
    if (added.Outcome == AddOutcome::NameTaken)
      return Error(409, "the name \"" + s.PilotUtf8 + "\" belongs to another player; choose another name");
    const StoredFlight& kept = added.Flight;
    Json answer = {{"id", kept.Id},
                   {"contest", contest->Id},
                   {"distance", double{kept.Distance}},
                   {"claimed", s.Claimed},
                   {"place", added.Place},
                   {"physics", kept.Physics},
                   {"rules_version", kept.RulesVersion}};
    if (contest->DailyWind) answer["day"] = DayText(day);
    if (static_cast<float>(s.Claimed) != kept.Distance) {
      answer["claim_differs"] = true;
      answer["difference_m"] = s.Claimed - double{kept.Distance};
    }
    return JsonReply(added.Outcome == AddOutcome::Added ? 201 : 200, answer);
  } catch (const StoreError&) {
    return StoreUnavailable();
  }
}

Reply LeagueService::ListContests() {
  Json contests = Json::array();
  for (const Contest& c : Contests()) contests.push_back(ContestJson(c, Today()));
  return JsonReply(200, {{"contests", contests}, {"physics", PhysicsVersion()}});
}

Reply LeagueService::Top(std::string_view contestId, std::string_view countText) {
  const Contest* contest = FindContest(contestId);
  if (!contest) return Error(404, "there is no contest \"" + std::string(contestId) + "\"");
  int count = kDefaultTopCount;
  if (!countText.empty()) {
    const auto [end, error] = std::from_chars(countText.data(), countText.data() + countText.size(), count);
    if (error != std::errc() || end != countText.data() + countText.size() || count < 1 || count > kMaxTopCount)
      return Error(400, "n must be a whole number from 1 to " + std::to_string(kMaxTopCount));
  }
  try {
    Json entries = Json::array();
    for (const TableRow& row : Store_.Top(BoardOf(*contest, Today()), PhysicsVersion(), count)) {
      entries.push_back({{"place", row.Place},
                         {"pilot", platform::ShiftJisToUtf8(row.Pilot)},
                         {"distance", double{row.Distance}},
                         {"flight", row.FlightId},
                         {"design", FiguresJson(row.Figures)}});
    }
    Json answer = {{"contest", contest->Id}, {"physics", PhysicsVersion()}, {"entries", entries}};
    if (contest->DailyWind) answer["day"] = DayText(Today());
    return JsonReply(200, answer);
  } catch (const StoreError&) {
    return StoreUnavailable();
  }
}

Reply LeagueService::FlightEntry(std::string_view id) {
  try {
    const auto flight = Store_.FindFlight(std::string(id));
    if (!flight) return Error(404, "there is no such flight");
    return {200, "text/plain; charset=Shift_JIS", flight->Entry, 0, flight->Id + ".txt"};
  } catch (const StoreError&) {
    return StoreUnavailable();
  }
}

Reply LeagueService::FlightProfileJson(std::string_view id) {
  try {
    const auto flight = Store_.FindFlight(std::string(id));
    if (!flight) return Error(404, "there is no such flight");
    Json points = Json::array();
    for (const ProfilePoint& p : FlightProfile(flight->Entry, kProfilePoints)) points.push_back({p.Distance, p.Height});
    return JsonReply(200, {{"flight", flight->Id}, {"distance", double{flight->Distance}}, {"points", points}});
  } catch (const StoreError&) {
    return StoreUnavailable();
  }
}

Reply LeagueService::Health() {
  try {
    Store_.Ping();
    return JsonReply(200, {{"status", "ok"}, {"physics", PhysicsVersion()}});
  } catch (const StoreError&) {
    return StoreUnavailable();
  }
}

Reply LeagueService::IndexPage() {
  try {
    std::vector<ContestTable> tables;
    for (const Contest& c : Contests()) {
      tables.push_back({&c, c.DailyWind ? DayText(Today()) : "", ConditionsOn(c, Today()),
                        Store_.Top(BoardOf(c, Today()), PhysicsVersion(), kIndexRows)});
    }
    return HtmlReply(200, league::IndexPage(tables, PhysicsVersion()));
  } catch (const StoreError&) {
    return StoreUnavailable();
  }
}

Reply LeagueService::ContestPage(std::string_view contestId) {
  const Contest* c = FindContest(contestId);
  if (!c) return HtmlReply(404, NotFoundPage("contest"));
  try {
    const ContestTable table{c, c->DailyWind ? DayText(Today()) : "", ConditionsOn(*c, Today()),
                             Store_.Top(BoardOf(*c, Today()), PhysicsVersion(), kMaxTopCount)};
    return HtmlReply(200, league::ContestPage(table, PhysicsVersion()));
  } catch (const StoreError&) {
    return StoreUnavailable();
  }
}

Reply LeagueService::FlightPage(std::string_view id) {
  try {
    auto flight = Store_.FindFlight(std::string(id));
    if (!flight) return HtmlReply(404, NotFoundPage("flight"));
    flight->Contest = ContestOfBoard(flight->Contest);
    return HtmlReply(200, league::FlightPage(*flight, FlightProfile(flight->Entry, kProfilePoints)));
  } catch (const StoreError&) {
    return StoreUnavailable();
  }
}

}  // namespace league
