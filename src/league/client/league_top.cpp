#include "league/client/league_top.h"

#include <nlohmann/json.hpp>

#include "league/client/league_settings.h"

namespace league {
namespace {

constexpr long kOk = 200;
constexpr size_t kMaxEntryBytes = 256 * 1024;  // what the league takes at most
constexpr size_t kMaxTopBytes = 1 << 20;

using Json = nlohmann::json;

std::string Text(const Json& object, const char* key) {
  const auto it = object.find(key);
  return it != object.end() && it->is_string() ? it->get<std::string>() : std::string();
}

}  // namespace

LeagueTop ReadLeagueTop(const std::string& json) {
  LeagueTop top;
  const Json body = Json::parse(json, nullptr, false);
  if (!body.is_object() || !body.contains("entries") || !body["entries"].is_array()) {
    top.Error = "the league's answer is not a table";
    return top;
  }
  top.Contest = Text(body, "contest");
  top.Physics = Text(body, "physics");
  for (const Json& row : body["entries"]) {
    if (!row.is_object() || !row.contains("place") || !row["place"].is_number_integer() || !row.contains("distance") ||
        !row["distance"].is_number())
      continue;
    LeagueTopEntry entry;
    entry.Place = row["place"].get<int>();
    entry.PilotUtf8 = Text(row, "pilot");
    entry.Distance = static_cast<float>(row["distance"].get<double>());
    entry.FlightId = Text(row, "flight");
    // Ids go into a URL: only the league's own hexadecimal ones are taken.
    if (entry.FlightId.find_first_not_of("0123456789abcdef") != std::string::npos) continue;
    top.Entries.push_back(std::move(entry));
  }
  return top;
}

LeagueTop FetchLeagueTop(platform::HttpClient& client, const std::string& address, const std::string& contest,
                         int count) {
  const std::string base = LeagueBaseUrl(address);
  platform::HttpRequest request;
  request.Url = base + "/api/v1/contests/" + contest + "/top?n=" + std::to_string(count);
  request.MaxAnswerBytes = kMaxTopBytes;
  const platform::HttpAnswer answer = client.Send(request);
  if (answer.Status != kOk) {
    LeagueTop failed;
    failed.Error = answer.Status == 0 ? answer.Error : "HTTP " + std::to_string(answer.Status);
    return failed;
  }
  LeagueTop top = ReadLeagueTop(answer.Body);
  for (LeagueTopEntry& entry : top.Entries) {
    if (entry.FlightId.empty()) continue;
    request.Url = base + "/api/v1/flights/" + entry.FlightId;
    request.MaxAnswerBytes = kMaxEntryBytes;
    const platform::HttpAnswer file = client.Send(request);
    if (file.Status == kOk) entry.Entry = file.Body;
  }
  return top;
}

LeagueTopFetch::LeagueTopFetch(const std::string& address, const std::string& contest, int count,
                               std::unique_ptr<platform::HttpClient> client)
    : Client_(std::move(client)) {
  Thread_ = std::thread([this, address, contest, count] {
    Result_ = FetchLeagueTop(*Client_, address, contest, count);
    Done_.store(true, std::memory_order_release);
  });
}

LeagueTopFetch::~LeagueTopFetch() { Thread_.join(); }

}  // namespace league
