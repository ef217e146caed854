#include "league/client/league_reply.h"

#include <nlohmann/json.hpp>

#include "platform/text/language.h"
#include "platform/text/shift_jis.h"

namespace league {
namespace {

// "リーグ %2$d位 (%1$s)": "リーグ 12位 (open)", the place and the contest
constexpr const char* kPlacedFormat = N_("\x83\x8a\x81\x5b\x83\x4f %2$d\x88\xca (%1$s)");
// "リーグ: " before a refusal's reason
constexpr const char* kRefusalPrefix = N_("\x83\x8a\x81\x5b\x83\x4f: ");
// "リーグに届きません。あとで送り直します"
constexpr const char* kNotReached = N_(
    "\x83\x8a\x81\x5b\x83\x4f\x82\xc9\x93\xcd\x82\xab\x82\xdc\x82\xb9\x82\xf1\x81\x42\x82\xa0\x82\xc6\x82\xc5\x91\x97"
    "\x82\xe8\x92\xbc\x82\xb5\x82\xdc\x82\xb7");
constexpr size_t kMaxReasonBytes = 200;  // a reason is one sentence; more is cut

constexpr long kOk = 200, kCreated = 201;
constexpr long kFirstClientError = 400, kFirstServerError = 500;
constexpr long kTooManyRequests = 429, kRequestTimeout = 408;

using Json = nlohmann::json;

LeagueReply Retry(long retryAfter) {
  LeagueReply reply;
  reply.StatusSjis = platform::Translated(kNotReached);
  reply.RetryAfterSeconds = retryAfter;
  return reply;
}

std::string Cut(std::string text) {
  if (text.size() > kMaxReasonBytes) text = text.substr(0, kMaxReasonBytes) + "...";
  return text;
}

}  // namespace

LeagueReply ReadLeagueReply(const platform::HttpAnswer& answer) {
  const long status = answer.Status;
  const bool placed = status == kOk || status == kCreated;
  const bool refused = status >= kFirstClientError && status < kFirstServerError && status != kTooManyRequests &&
                       status != kRequestTimeout;
  if (!placed && !refused) return Retry(answer.RetryAfterSeconds);

  const Json body = Json::parse(answer.Body, nullptr, false);
  if (placed) {
    // An answer that does not say where the flight stands did not come from a league
    // (a proxy's page, a broken server): the flight is sent again later.
    if (!body.is_object() || !body.contains("place") || !body["place"].is_number_integer() ||
        !body.contains("contest") || !body["contest"].is_string())
      return Retry(answer.RetryAfterSeconds);
    LeagueReply reply;
    reply.Kind = ReplyKind::Placed;
    reply.Place = body["place"].get<int>();
    reply.Contest = body["contest"].get<std::string>();
    if (body.contains("distance") && body["distance"].is_number())
      reply.Distance = static_cast<float>(body["distance"].get<double>());
    reply.StatusSjis =
        platform::FormatTextAndNumber(kPlacedFormat, platform::Utf8ToShiftJis(Cut(reply.Contest)), reply.Place);
    return reply;
  }
  LeagueReply reply;
  reply.Kind = ReplyKind::Refused;
  std::string reason = "HTTP " + std::to_string(status);
  if (body.is_object() && body.contains("error") && body["error"].is_string()) {
    reason = body["error"].get<std::string>();
    if (body.contains("field") && body["field"].is_string()) reason += " [" + body["field"].get<std::string>() + "]";
  }
  reply.StatusSjis = platform::Translated(kRefusalPrefix) + platform::Utf8ToShiftJis(Cut(reason));
  return reply;
}

}  // namespace league
