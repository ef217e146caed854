#pragma once
// What the configurator's league window shows, without its screen: every contest's
// verdict on the design being edited (the league's own checks, so a design that meets
// them here is not refused there for its values), the league's top as rows (fetched in
// a thread of its own), and those flights flown into the flights window's set.
#include <chrono>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "config/figures/game_figures.h"
#include "config/flights/flight_set.h"
#include "flight/aircraft.h"
#include "league/client/league_settings.h"
#include "league/client/league_top.h"
#include "platform/net/http_client.h"

namespace config {

// The contests' rules.

struct ContestVerdict {
  std::string ContestId;  // as in the settings, "open"
  std::string Rules;      // the contest's rules in one sentence (English, the league's)
  bool Chosen = false;    // the contest of the player's league settings
  bool Meets = false;
  std::string Breach;  // UTF-8, when it does not meet them: the file's label, then the rule
  int Line = 0;        // the aircraft file's line at fault, 0 when none
};

// The day the league counts in: today in UTC.
std::chrono::sys_days TodayUtc();

// Every contest's verdict on the design on `day`, the chosen contest first.
std::vector<ContestVerdict> CheckContests(const flight::AircraftSpec& spec, const GameFigures& figures,
                                          std::string_view chosenContest, std::chrono::sys_days day);

// The league's top.

struct TopRow {
  int Place = 0;
  std::string Pilot;       // UTF-8
  std::string Distance;    // m, as the game shows a distance
  std::string Label;       // the flights window's legend: place and pilot
  std::string Source;      // what names the flight in the flights window's set
  std::string Entry;       // the entry file's text
  bool Flyable = false;    // flown here as the league flew it
  std::string NotFlyable;  // UTF-8: why not, when not
};

// The top's rows. A flight of another physics than `ownPhysics` (league::PhysicsVersion()
// in the program) would fly another distance here, and one whose entry file did not
// come cannot be flown: both are listed, not flyable.
std::vector<TopRow> TopRows(const league::LeagueTop& top, const std::string& ownPhysics);

// The chosen contest's top as the window keeps it between frames.
struct LeagueTopView {
  std::unique_ptr<league::LeagueTopFetch> Fetch;  // running, or ended and not yet taken in
  std::string Address, Contest;                   // of the last fetch started
  bool Fetched = false;                           // a fetch ended: Rows or Error hold what it gave
  std::vector<TopRow> Rows;
  std::string Error;  // UTF-8: why there are no rows
};

// Starts fetching the settings' contest's top in the background; nothing while a fetch
// runs (it cannot be stopped, and waiting for it would hold the frame).
void StartTopFetch(LeagueTopView& view, const league::LeagueSettings& settings,
                   std::unique_ptr<platform::HttpClient> client);
bool TopFetching(const LeagueTopView& view);
// Takes in the fetch once it has ended, its rows judged against this program's physics;
// call once a frame.
void TakeFetchedTop(LeagueTopView& view);

// Flights overlaid.

// Flies the design (its file text) and then the flyable rows into the flights window's
// set, while it has room (a flight already there is flown again in its place). Says
// what happened (UTF-8, for the window and the status line).
std::string OverlayFlights(FlightSet& set, const std::string& designText, std::span<const TopRow> rows);

}  // namespace config
