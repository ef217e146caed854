#include "league_view_model.h"

#include <algorithm>

#include "config/flights/flight_table.h"
#include "config/status_text.h"
#include "league/contest_rules.h"
#include "league/contests.h"
#include "league/field_labels.h"
#include "league/physics_version.h"
#include "platform/text/language.h"
#include "platform/text/text_fields.h"

namespace config {
namespace {

using platform::TranslatedUtf8;

constexpr int kTopCount = 10;                             // flights of the top listed
constexpr size_t kShownPhysicsDigits = 8;                 // of a physics version's hash: enough to tell two apart
constexpr const char* kDesignLabel = N_("編集中の設計");  // also its source: no file holds it

std::string BreachText(const league::RuleBreach& breach) {
  const std::string label = league::FieldLabel(breach.Line);
  return label.empty() ? breach.Reason : label + ": " + breach.Reason;
}

std::string WhyNotFlyable(const league::LeagueTop& top, const league::LeagueTopEntry& entry,
                          const std::string& ownPhysics) {
  if (top.Physics != ownPhysics) {
    const std::string shown =
        top.Physics.empty() ? TranslatedUtf8(N_("不明")) : top.Physics.substr(0, kShownPhysicsDigits);
    return Format(TranslatedUtf8(N_("ほかの版の物理 (%s) で飛んだ飛行です。ここでは飛ばせません。")), shown.c_str());
  }
  if (entry.Entry.empty()) return TranslatedUtf8(N_("機体ファイルが届かなかったため、ここでは飛ばせません。"));
  return "";
}

// The set takes a flight while it has room, and in the place of one of the same source.
bool SetTakes(const FlightSet& set, const std::string& source) {
  return set.Flights.size() < kMaxFlights ||
         std::ranges::any_of(set.Flights, [&](const FlightTable& f) { return f.Source == source; });
}

}  // namespace

std::chrono::sys_days TodayUtc() { return std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now()); }

std::vector<ContestVerdict> CheckContests(const flight::AircraftSpec& spec, const GameFigures& figures,
                                          std::string_view chosenContest, std::chrono::sys_days day) {
  std::vector<ContestVerdict> verdicts;
  for (const league::Contest& contest : league::Contests()) {
    ContestVerdict v;
    v.ContestId = contest.Id;
    v.Rules = contest.Rules;
    v.Chosen = contest.Id == chosenContest;
    const auto breach = league::CheckContestRules(contest, spec, figures, day);
    v.Meets = !breach;
    if (breach) {
      v.Breach = BreachText(*breach);
      v.Line = breach->Line;
    }
    verdicts.push_back(std::move(v));
  }
  std::ranges::stable_partition(verdicts, &ContestVerdict::Chosen);
  return verdicts;
}

std::vector<TopRow> TopRows(const league::LeagueTop& top, const std::string& ownPhysics) {
  std::vector<TopRow> rows;
  for (const league::LeagueTopEntry& entry : top.Entries) {
    TopRow row;
    row.Place = entry.Place;
    row.Pilot = entry.PilotUtf8.empty() ? TranslatedUtf8(N_("(名前なし)")) : entry.PilotUtf8;
    row.Distance = platform::TwoDecimalText(entry.Distance);
    row.Label = Format(TranslatedUtf8(N_("%d位 %s (リーグ)")), entry.Place, row.Pilot.c_str());
    row.Source = Format(TranslatedUtf8(N_("リーグ %s の飛行 %s")), top.Contest.c_str(), entry.FlightId.c_str());
    row.Entry = entry.Entry;
    row.NotFlyable = WhyNotFlyable(top, entry, ownPhysics);
    row.Flyable = row.NotFlyable.empty();
    rows.push_back(std::move(row));
  }
  return rows;
}

void StartTopFetch(LeagueTopView& view, const league::LeagueSettings& settings,
                   std::unique_ptr<platform::HttpClient> client) {
  if (TopFetching(view)) return;
  view.Address = settings.Address;
  view.Contest = settings.Contest;
  view.Fetch =
      std::make_unique<league::LeagueTopFetch>(settings.Address, settings.Contest, kTopCount, std::move(client));
}

bool TopFetching(const LeagueTopView& view) { return view.Fetch && !view.Fetch->Done(); }

void TakeFetchedTop(LeagueTopView& view) {
  if (!view.Fetch || !view.Fetch->Done()) return;
  const league::LeagueTop& top = view.Fetch->Result();
  view.Fetched = true;
  view.Error = top.Error.empty() ? "" : TranslatedUtf8(N_("リーグから上位を受け取れません: ")) + top.Error;
  // The physics version flies two reference flights the first time: only once a top came.
  view.Rows = top.Error.empty() ? TopRows(top, league::PhysicsVersion()) : std::vector<TopRow>{};
  view.Fetch.reset();  // its thread has ended: nothing to wait for
}

std::string OverlayFlights(FlightSet& set, const std::string& designText, std::span<const TopRow> rows) {
  std::string problems;  // what the set said of the flights it did not take
  // Adds a flight; true when the set took it.
  const auto add = [&](FlightLoad load) {
    const unsigned before = set.Revision;
    const std::string said = AddFlight(set, std::move(load));
    if (set.Revision == before) problems += " " + said;
    return set.Revision != before;
  };
  const char* designLabel = TranslatedUtf8(kDesignLabel);
  const bool design = add(LoadFlightText(designText, designLabel, designLabel));
  int added = 0;
  for (const TopRow& row : rows) {
    if (!row.Flyable) continue;
    if (!SetTakes(set, row.Source)) {
      problems += TranslatedUtf8(N_(" 飛行の比較がいっぱいのため、ほかは重ねていません。"));
      break;
    }
    added += add(LoadFlightText(row.Entry, row.Source, row.Label)) ? 1 : 0;
  }
  return Format(TranslatedUtf8(design ? N_("編集中の設計とリーグの飛行 %d 件を飛行の比較に重ねました。")
                                      : N_("リーグの飛行 %d 件を飛行の比較に重ねました。")),
                added) +
         problems;
}

}  // namespace config
