#include "league/web/web_pages.h"

#include <chrono>
#include <cstdio>
#include <nlohmann/json.hpp>

#include "league/utc_time.h"
#include "league/web/html_text.h"
#include "league/web/profile_svg.h"
#include "platform/text/shift_jis.h"
#include "platform/text/text_fields.h"

namespace league {
namespace {

constexpr std::string_view kSiteName = "velkaro league";
constexpr const char* kMissing = "–";  // a figure or time the page cannot show

// The design figures a page shows, from the flight's Figures JSON object.
struct Figure {
  const char* Key;   // in the JSON object
  const char* Name;  // shown
  const char* Unit;  // "" for a ratio
  int Decimals;
  bool InTables;  // also a column of the contest tables, not only on the flight page
};
constexpr Figure kFigures[] = {
    {"span_m", "Span", "m", 2, true},
    {"wing_area_m2", "Wing area", "m²", 2, false},
    {"aspect_ratio", "Aspect ratio", "", 2, true},
    {"mass_kg", "Mass", "kg", 1, true},
    {"tail_volume", "Tail volume", "", 3, false},
};
constexpr const char* kStripModelKey = "strip_model";

std::string Printed(const char* format, auto... values) {
  char text[512];  // "%.3f" of the largest double is about 315 characters
  std::snprintf(text, sizeof text, format, values...);
  return text;
}

// [SECTION] Pieces of a page

std::string Page(std::string_view title, std::string_view body) {
  std::string html =
      "<!doctype html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>";
  html += EscapeHtml(title);
  html += "</title>\n<link rel=\"stylesheet\" href=\"/style.css\">\n</head>\n<body>\n";
  html += body;
  html += "</body>\n</html>\n";
  return html;
}

std::string TitleOf(std::string_view what) { return std::string(what) + " – " + std::string(kSiteName); }

// The bar above a page other than the index, leading back to it.
std::string SiteBar() { return "<header class=\"site\"><a href=\"/\">" + std::string(kSiteName) + "</a></header>\n"; }

std::string Link(std::string_view href, std::string_view text) {
  return "<a href=\"" + EscapeHtml(href) + "\">" + EscapeHtml(text) + "</a>";
}
std::string ContestHref(std::string_view id) { return "/contests/" + UrlPathSegment(id); }
std::string FlightHref(std::string_view id) { return "/flights/" + UrlPathSegment(id); }
std::string EntryHref(std::string_view id) { return "/api/v1/flights/" + UrlPathSegment(id); }

// A pilot's name as the game stores it (Shift-JIS), as page text.
std::string PilotName(std::string_view shiftJis) { return platform::ShiftJisToUtf8(shiftJis); }

// A distance (m) as the game shows it: cut, not rounded, after the second decimal.
std::string Metres(double distance) { return platform::TwoDecimalText(distance) + " m"; }

std::string PhysicsLine(std::string_view physicsVersion) {
  return "<p class=\"physics\">Distances of physics version <code>" + EscapeHtml(physicsVersion) + "</code>.</p>\n";
}

// [SECTION] Design figures

nlohmann::json ParseFigures(std::string_view json) {
  nlohmann::json figures = nlohmann::json::parse(json, nullptr, /*allow_exceptions=*/false);
  return figures.is_object() ? figures : nlohmann::json::object();
}

// The figure's number without its unit, or kMissing when the flight has none.
std::string FigureValue(const nlohmann::json& figures, const Figure& figure) {
  const auto found = figures.find(figure.Key);
  if (found == figures.end() || !found->is_number()) return kMissing;
  return Printed("%.*f", figure.Decimals, found->get<double>());
}

std::string FigureHeading(const Figure& figure) {
  std::string heading = figure.Name;
  if (*figure.Unit) heading += std::string(" (") + figure.Unit + ")";
  return heading;
}

// The flight page's table of every figure.
std::string FiguresTable(std::string_view json) {
  const nlohmann::json figures = ParseFigures(json);
  std::string html = "<div class=\"table-scroll\">\n<table class=\"figures\">\n<tbody>\n";
  for (const Figure& figure : kFigures) {
    html += "<tr><th scope=\"row\">" + EscapeHtml(FigureHeading(figure)) + "</th><td class=\"num\">" +
            FigureValue(figures, figure) + "</td></tr>\n";
  }
  const auto strips = figures.find(kStripModelKey);
  const std::string stripText = strips == figures.end() || !strips->is_boolean() ? kMissing
                                : strips->get<bool>()                            ? "on"
                                                                                 : "off";
  html += "<tr><th scope=\"row\">Strip wing model</th><td class=\"num\">" + stripText + "</td></tr>\n";
  html += "</tbody>\n</table>\n</div>\n";
  return html;
}

// [SECTION] Contests

std::string Conditions(const ContestTable& table) {
  const ContestConditions& c = table.Conditions;
  std::string html = "<ul class=\"conditions\">\n";
  html += Printed("<li>Launch height %g m</li>\n<li>Start speed %g m/s</li>\n<li>Pitch %g°</li>\n", c.LaunchHeight,
                  c.StartSpeed, c.StartPitch);
  if (table.Rules->DailyWind)
    html += "<li>Wind on " + EscapeHtml(table.Day) + Printed(": %g m/s</li>\n", c.Wind);
  else
    html += Printed("<li>Wind %g m/s</li>\n", c.Wind);
  html += "</ul>\n";
  return html;
}

std::string RowsTable(const std::vector<TableRow>& rows) {
  if (rows.empty()) return "<p class=\"empty\">No flights yet.</p>\n";
  std::string html = "<div class=\"table-scroll\">\n<table class=\"standings\">\n<thead>\n<tr>";
  html += "<th scope=\"col\" class=\"num\">Place</th><th scope=\"col\">Pilot</th>";
  html += "<th scope=\"col\" class=\"num\">Distance (m)</th>";
  for (const Figure& figure : kFigures) {
    if (figure.InTables) html += "<th scope=\"col\" class=\"num\">" + EscapeHtml(FigureHeading(figure)) + "</th>";
  }
  html += "</tr>\n</thead>\n<tbody>\n";
  for (const TableRow& row : rows) {
    const nlohmann::json figures = ParseFigures(row.Figures);
    html += "<tr><td class=\"num\">" + std::to_string(row.Place) + "</td><td class=\"pilot\">" +
            Link(FlightHref(row.FlightId), PilotName(row.Pilot)) + "</td><td class=\"num\">" +
            platform::TwoDecimalText(row.Distance) + "</td>";
    for (const Figure& figure : kFigures) {
      if (figure.InTables) html += "<td class=\"num\">" + FigureValue(figures, figure) + "</td>";
    }
    html += "</tr>\n";
  }
  html += "</tbody>\n</table>\n</div>\n";
  return html;
}

// The contest's rules, conditions and table, under whatever heading the page gives it.
std::string ContestBody(const ContestTable& table) {
  return "<p class=\"rules\">" + EscapeHtml(table.Rules->Rules) + "</p>\n" + Conditions(table) + RowsTable(table.Rows);
}

// [SECTION] Time

// `unixSeconds` as a <time> element in UTC ("2026-12-10 07:16:25 UTC"), or kMissing for a
// time before 1970 or beyond what the system clock holds.
std::string UtcTime(int64_t unixSeconds) {
  using namespace std::chrono;
  const auto latest = duration_cast<seconds>(system_clock::duration::max()).count();
  if (unixSeconds < 0 || unixSeconds > latest) return kMissing;
  const std::string stamp = UtcTimestamp(system_clock::time_point{seconds{unixSeconds}});  // "...T07:16:25Z"
  std::string shown = stamp;
  shown[stamp.find('T')] = ' ';
  shown.pop_back();  // the 'Z'
  return "<time datetime=\"" + stamp + "\">" + shown + " UTC</time>";
}

}  // namespace

// [SECTION] Pages

std::string IndexPage(const std::vector<ContestTable>& tables, std::string_view physicsVersion) {
  std::string body = "<h1>" + std::string(kSiteName) + "</h1>\n";
  body +=
      "<p class=\"intro\">The online league of velkaro. The server flies every submitted flight again with the "
      "game's own flight code; the distances shown here are the league's, not the ones the players sent.</p>\n";
  body += PhysicsLine(physicsVersion);
  for (const ContestTable& table : tables) {
    if (!table.Rules) continue;
    body += "<section class=\"contest\">\n<h2>" + Link(ContestHref(table.Rules->Id), table.Rules->Name) + "</h2>\n";
    body += ContestBody(table);
    body += "<p class=\"more\">" + Link(ContestHref(table.Rules->Id), "The whole table") + "</p>\n</section>\n";
  }
  return Page(kSiteName, body);
}

std::string ContestPage(const ContestTable& table, std::string_view physicsVersion) {
  if (!table.Rules) return NotFoundPage("contest");
  std::string body = SiteBar() + "<h1>" + EscapeHtml(table.Rules->Name) + "</h1>\n";
  body += PhysicsLine(physicsVersion);
  body += ContestBody(table);
  return Page(TitleOf(table.Rules->Name), body);
}

std::string FlightPage(const StoredFlight& flight, const std::vector<ProfilePoint>& profile) {
  const std::string pilot = PilotName(flight.Pilot);
  const Contest* contest = FindContest(flight.Contest);
  const std::string contestName = contest ? std::string(contest->Name) : flight.Contest;

  std::string body = SiteBar() + "<h1>Flight of " + EscapeHtml(pilot) + "</h1>\n<dl class=\"facts\">\n";
  body += "<dt>Pilot</dt><dd>" + EscapeHtml(pilot) + "</dd>\n";
  body += "<dt>Contest</dt><dd>" + Link(ContestHref(flight.Contest), contestName) + "</dd>\n";
  body += "<dt>Distance</dt><dd>" + Metres(flight.Distance) + " (flown again by the league)</dd>\n";
  body += "<dt>Claimed distance</dt><dd>" + Metres(flight.Claimed) + "</dd>\n";
  body += "<dt>Rules version</dt><dd>" + std::to_string(flight.RulesVersion) + "</dd>\n";
  body += "<dt>Physics version</dt><dd><code>" + EscapeHtml(flight.Physics) + "</code></dd>\n";
  body += "<dt>Submitted</dt><dd>" + UtcTime(flight.SubmittedAt) + "</dd>\n</dl>\n";

  body += "<h2>Height over distance</h2>\n";
  body += ProfileSvg(profile, "Height over distance of the flight of " + pilot + ", " +
                                  platform::TwoDecimalText(flight.Distance) + " m");
  body += "<h2>Design</h2>\n" + FiguresTable(flight.Figures);
  body += "<p class=\"download\"><a href=\"" + EscapeHtml(EntryHref(flight.Id)) + "\" download=\"" +
          EscapeHtml(flight.Id + ".txt") + "\">Download the entry file</a></p>\n";
  return Page(TitleOf("Flight of " + pilot), body);
}

std::string NotFoundPage(std::string_view what) {
  const std::string body = SiteBar() + "<h1>Not found</h1>\n<p>The league has no such " + EscapeHtml(what) +
                           ".</p>\n<p>" + Link("/", "All contests") + "</p>\n";
  return Page(TitleOf("Not found"), body);
}

}  // namespace league

namespace league {

std::string_view StyleSheet() {
  // Phones first: tables scroll sideways inside their own box instead of widening the
  // page, the flight's facts stack in one column on a narrow screen, the drawing's
  // labels are drawn for a phone and made smaller on a wide screen.
  return R"css(:root { color-scheme: light; --line: #d5dbe2; --muted: #56606b; --link: #0b57d0; }
* { box-sizing: border-box; }
body {
  margin: 0 auto; max-width: 62rem; padding: 0.75rem 1rem 2rem;
  font-family: system-ui, "Noto Sans", "Noto Sans CJK JP", sans-serif; line-height: 1.5;
  color: #1b1f24; background: #fff;
}
h1 { font-size: 1.75rem; line-height: 1.2; margin: 0.5rem 0 0.75rem; overflow-wrap: anywhere; }
h2 { font-size: 1.3rem; margin: 2rem 0 0.5rem; padding-bottom: 0.2rem; border-bottom: 1px solid var(--line); }
a { color: var(--link); }
code { font-size: 0.9em; overflow-wrap: anywhere; }
header.site { font-weight: 600; }
.intro { max-width: 42rem; }
.physics, .empty { color: var(--muted); }
.conditions { list-style: none; padding: 0; margin: 0.5rem 0; display: flex; flex-wrap: wrap; gap: 0.25rem 1.25rem; }
.table-scroll { overflow-x: auto; max-width: 100%; }
table { border-collapse: collapse; }
table.standings { width: 100%; }
th, td { padding: 0.35rem 0.6rem; border-bottom: 1px solid var(--line); text-align: left; white-space: nowrap; }
thead th { border-bottom: 2px solid #8a96a3; }
tbody tr:nth-child(even) { background: #f5f7fa; }
.num { text-align: right; font-variant-numeric: tabular-nums; }
td.pilot { white-space: normal; overflow-wrap: anywhere; min-width: 8rem; }
dl.facts { display: grid; grid-template-columns: max-content 1fr; gap: 0.25rem 1rem; margin: 0.5rem 0; }
dl.facts dt { font-weight: 600; }
dl.facts dd { margin: 0; min-width: 0; overflow-wrap: anywhere; }
figure.profile { margin: 0.5rem 0; max-width: 44rem; }
figure.profile svg { display: block; width: 100%; height: auto; }
@media (min-width: 40rem) {
  figure.profile svg { font-size: 11px; } /* of the drawing's units, which a wide screen enlarges */
}
.download a {
  display: inline-block; padding: 0.5rem 0.9rem; border: 1px solid var(--link); border-radius: 0.3rem;
  text-decoration: none;
}
@media (max-width: 30rem) {
  body { padding: 0.5rem 0.6rem 1.5rem; }
  h1 { font-size: 1.4rem; }
  th, td { padding: 0.3rem 0.4rem; }
  dl.facts { grid-template-columns: 1fr; gap: 0; }
  dl.facts dd { margin-bottom: 0.4rem; }
}
)css";
}

}  // namespace league
