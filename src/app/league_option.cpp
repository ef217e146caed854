#include "app/league_option.h"

#include <utility>

#include "league/client/league_sender.h"
#include "league/client/league_top.h"
#include "league/client/outbox.h"
#include "league/contests.h"
#include "league/physics_version.h"
#include "league/submission.h"
#include "platform/services.h"
#include "platform/text/language.h"
#include "platform/text/shift_jis.h"
#include "platform/text/text_fields.h"

namespace app {
namespace {

// "リーグへ送る飛行を保存できません"
constexpr const char* kOutboxWriteFailed =
    N_("\x83\x8a\x81\x5b\x83\x4f\x82\xd6\x91\x97\x82\xe9\x94\xf2\x8d\x73\x82\xf0\x95\xdb\x91\xb6\x82\xc5\x82\xab\x82"
       "\xdc\x82\xb9\x82\xf1");

// "リーグの上位を読めません: " before the reason
constexpr const char* kTopFailed =
    N_("\x83\x8a\x81\x5b\x83\x4f\x82\xcc\x8f\xe3\x88\xca\x82\xf0\x93\xc7\x82\xdf\x82\xdc\x82\xb9\x82\xf1: ");
// "%s %d位": the pilot and the place, as the ghost's line names a league's flight
constexpr const char* kPilotAndPlace = N_("%s %d\x88\xca");
// " (物理が違うため飛べません)": a flight of another physics version is not flown here
constexpr const char* kOtherPhysics =
    N_(" (\x95\xa8\x97\x9d\x82\xaa\x88\xe1\x82\xa4\x82\xbd\x82\xdf\x94\xf2\x82\xd7\x82\xdc\x82\xb9\x82\xf1)");
constexpr int kTopCount = 10;

// The top as the menu lists it: a flight of another physics, or whose entry file did
// not come, has no entry to fly.
std::vector<game::LeagueLink::TopFlight> MenuRows(const league::LeagueTop& top) {
  std::vector<game::LeagueLink::TopFlight> rows;
  const bool samePhysics = top.Physics == league::PhysicsVersion();
  for (const league::LeagueTopEntry& e : top.Entries) {
    game::LeagueLink::TopFlight row;
    const std::string pilot = platform::Utf8ToShiftJis(e.PilotUtf8);
    row.LabelSjis = std::to_string(e.Place) + ". " + pilot + "  " + platform::TwoDecimalText(e.Distance) + "m";
    if (!samePhysics) row.LabelSjis += platform::Translated(kOtherPhysics);
    if (samePhysics) row.Entry = e.Entry;
    row.NameSjis = platform::FormatTextAndNumber(kPilotAndPlace, pilot, e.Place);
    rows.push_back(std::move(row));
  }
  return rows;
}

class LeagueConnection final : public game::LeagueLink {
public:
  LeagueConnection(const league::LeagueSettings& settings, HttpClientFactory makeClient)
      : Settings_(settings), MakeClient_(makeClient), Sender_(settings.Address, makeClient()) {}

  void SendFlight(const std::string& entryText, float distance) override {
    const league::Submission submission{Settings_.Contest, Settings_.PilotUtf8, Settings_.Token, entryText,
                                        double{distance}};
    // Into the outbox first: from there it is sent until the league has answered.
    if (!league::PutInOutbox(league::FormatSubmission(submission))) {
      Local_.push_back(platform::Translated(kOutboxWriteFailed));
      return;
    }
    Sender_.Wake();
  }

  void RequestTop() override {
    if (Fetch_ && !Fetch_->Done()) return;  // one at a time
    Fetch_ = std::make_unique<league::LeagueTopFetch>(Settings_.Address, Settings_.Contest, kTopCount, MakeClient_());
  }

  const std::vector<TopFlight>& TopFlights() const override { return Top_; }

  std::vector<std::string> TakeNews() override {
    if (Fetch_ && Fetch_->Done()) {
      if (Fetch_->Result().Error.empty()) {
        Top_ = MenuRows(Fetch_->Result());
      } else {
        Local_.push_back(platform::Translated(kTopFailed) + platform::Utf8ToShiftJis(Fetch_->Result().Error));
      }
      Fetch_.reset();
    }
    std::vector<std::string> news = std::exchange(Local_, {});
    for (league::LeagueReply& reply : Sender_.TakeReplies()) news.push_back(std::move(reply.StatusSjis));
    return news;
  }

private:
  league::LeagueSettings Settings_;
  HttpClientFactory MakeClient_;
  league::LeagueSender Sender_;
  std::vector<std::string> Local_;  // what the game itself has to say about the league
  std::unique_ptr<league::LeagueTopFetch> Fetch_;
  std::vector<TopFlight> Top_;
};

// The settings with a token, made and kept the first time a league is named.
league::LeagueSettings WithToken(league::LeagueSettings settings, platform::SettingsValues& values) {
  if (settings.On() && settings.Token.empty()) {
    settings.Token = league::NewToken();
    league::StoreLeagueSettings(settings, values);
    platform::WriteSettings(values);
  }
  return settings;
}

void Connect(game::Game& g, const league::LeagueSettings& settings, HttpClientFactory makeClient) {
  g.League.reset();  // the old link's sender stops before a new one takes the outbox
  if (settings.On()) g.League = MakeLeagueLink(settings, makeClient);
}

platform::LeagueFields FieldsOf(const league::LeagueSettings& s) {
  platform::LeagueFields fields;
  fields.Address = s.Address;
  for (const league::Contest& c : league::Contests()) {
    if (c.Id == s.Contest) fields.Contest = static_cast<int>(fields.ContestNames.size());
    fields.ContestNames.emplace_back(c.Id);
  }
  fields.PilotSjis = platform::Utf8ToShiftJis(s.PilotUtf8);
  fields.ShownToken = league::ShownToken(s.Token);
  return fields;
}

}  // namespace

std::unique_ptr<game::LeagueLink> MakeLeagueLink(const league::LeagueSettings& settings, HttpClientFactory makeClient) {
  return std::make_unique<LeagueConnection>(settings, makeClient);
}

void StartLeague(game::Game& g, HttpClientFactory makeClient) {
  platform::SettingsValues values = platform::ReadSettings();
  Connect(g, WithToken(league::LeagueSettingsFrom(values), values), makeClient);
}

void EditLeagueSettings(game::Game& g, HttpClientFactory makeClient) {
  platform::Dialogs* dialogs = platform::Os().dialogs;
  if (!dialogs) return;
  platform::SettingsValues values = platform::ReadSettings();
  league::LeagueSettings settings = league::LeagueSettingsFrom(values);
  const auto answer = dialogs->AskLeagueSettings(FieldsOf(settings));
  if (!answer) return;
  settings.Address = answer->Address;
  if (answer->Contest >= 0 && answer->Contest < static_cast<int>(answer->ContestNames.size()))
    settings.Contest = answer->ContestNames[answer->Contest];
  settings.PilotUtf8 = platform::ShiftJisToUtf8(answer->PilotSjis);
  league::StoreLeagueSettings(settings, values);
  platform::WriteSettings(values);
  Connect(g, WithToken(settings, values), makeClient);
}

}  // namespace app
