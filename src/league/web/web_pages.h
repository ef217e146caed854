#pragma once
// The league's web page: plain HTML and CSS that any browser reads without scripts,
// phones included. Every text that comes from a player (names) is escaped.
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "league/contests.h"
#include "league/store/league_store.h"
#include "league/verification.h"

namespace league {

// One contest's table as a page shows it.
struct ContestTable {
  const Contest* Rules = nullptr;
  std::string Day;  // "YYYY-MM-DD" for a daily contest, "" otherwise
  ContestConditions Conditions{};
  std::vector<TableRow> Rows;  // Pilot in Shift-JIS, as stored
};

// "/": every contest with the first rows of its table.
std::string IndexPage(const std::vector<ContestTable>& tables, std::string_view physicsVersion);
// "/contests/{id}": one contest's whole table.
std::string ContestPage(const ContestTable& table, std::string_view physicsVersion);
// "/flights/{id}": the flight's height over distance, its design's main figures and a
// link to its entry file ("/api/v1/flights/{id}").
std::string FlightPage(const StoredFlight& flight, const std::vector<ProfilePoint>& profile);
// A page for a flight or contest that does not exist.
std::string NotFoundPage(std::string_view what);
// "/style.css": the pages' one style sheet (the Content-Security-Policy allows no
// inline styles).
std::string_view StyleSheet();
// The header every page is sent with.
inline constexpr const char* kContentSecurityPolicy =
    "default-src 'none'; style-src 'self'; img-src 'self'; base-uri 'none'; form-action 'none'; "
    "frame-ancestors 'none'";

}  // namespace league
