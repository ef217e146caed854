#include "submit_flight.h"

#include <cstdio>

#include "league/client/league_reply.h"
#include "league/client/league_settings.h"
#include "league/submission.h"
#include "platform/io/settings_file.h"
#include "platform/net/http_client.h"
#include "platform/text/shift_jis.h"
#include "sim/headless_flight.h"

namespace {

constexpr int kExitRefused = 1;
constexpr int kExitNotSent = 4;  // no answer from the league

// The player's token from the settings file, made and kept there on first use.
std::string PlayerToken() {
  platform::SettingsValues values = platform::ReadSettings();
  league::LeagueSettings settings = league::LeagueSettingsFrom(values);
  if (settings.Token.empty()) {
    settings.Token = league::NewToken();
    league::StoreLeagueSettings(settings, values);
    if (!platform::WriteSettings(values))
      std::fprintf(stderr, "velkaro-sim: cannot keep the league token in %s\n", platform::kSettingsFileName);
  }
  return settings.Token;
}

}  // namespace

int SubmitFlight(const std::string& entryText, const SubmitOptions& options) {
  const sim::FlightOutcome flown = sim::FlyAircraftText(entryText);
  league::Submission submission{options.Contest, options.PilotUtf8, PlayerToken(), entryText,
                                flown.LaunchEnded ? double{flown.Distance} : 0.0};
  const std::string url = league::LeagueBaseUrl(options.Url) + "/api/v1/flights";
  const platform::HttpAnswer answer =
      platform::MakeHttpClient()->Send({"POST", url, league::FormatSubmission(submission), "application/json"});
  if (answer.Status == 0) {
    std::fprintf(stderr, "velkaro-sim: the league at %s did not answer: %s\n", url.c_str(), answer.Error.c_str());
    return kExitNotSent;
  }
  std::printf("league: HTTP %ld %s\n", answer.Status, answer.Body.c_str());
  const league::LeagueReply reply = league::ReadLeagueReply(answer);
  std::printf("%s\n", platform::ShiftJisToUtf8(reply.StatusSjis).c_str());
  if (reply.Kind == league::ReplyKind::Placed) return 0;
  return reply.Kind == league::ReplyKind::Refused ? kExitRefused : kExitNotSent;
}
