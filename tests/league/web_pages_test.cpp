#include "league/web/web_pages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

namespace league {
namespace {

constexpr const char* kYamadaShiftJis = "\x8e\x52\x93\x63";  // 山田
constexpr const char* kScriptName = "<script>alert(1)</script>";
constexpr const char* kQuotedName = "Bob \"the\" O'Neil";

TableRow Row(int place, std::string pilot, float distance, std::string figures = "{}") {
  return {place, std::move(pilot), distance, "0123456789abcdef0123456789abcdef", std::move(figures)};
}

ContestTable OpenTable(std::vector<TableRow> rows) {
  const Contest* open = FindContest("open");
  return {open, "", {open->LaunchHeight, open->StartSpeed, open->StartPitch, open->Wind}, std::move(rows)};
}

StoredFlight Flight(std::string pilot, float distance) {
  StoredFlight f;
  f.Id = "00112233445566778899aabbccddeeff";
  f.Contest = "open";
  f.Pilot = std::move(pilot);
  f.Distance = distance;
  f.Claimed = distance;
  f.Physics = "p1";
  f.RulesVersion = 1;
  f.Figures = R"({"span_m": 1.5, "aspect_ratio": 9.0, "mass_kg": 0.25})";
  f.SubmittedAt = 1'700'000'000;
  return f;
}

bool Contains(const std::string& page, std::string_view text) { return page.find(text) != std::string::npos; }

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

// What the Content-Security-Policy would block, or a player's text turned into markup.
void ExpectNoActiveMarkup(const std::string& page) {
  const std::string lower = Lower(page);
  EXPECT_FALSE(Contains(lower, "<script")) << page;
  EXPECT_FALSE(Contains(lower, " style=")) << page;
  EXPECT_FALSE(std::regex_search(lower, std::regex("<[^>]*\\son[a-z]+\\s*="))) << "an event handler:\n" << page;
}

TEST(WebPages, PlayersTextIsEscapedInEveryPage) {
  auto table = OpenTable({Row(1, kScriptName, 300), Row(2, kQuotedName, 200)});
  table.Rows[1].FlightId = "x\" onmouseover=\"alert(2)";  // an id that tries to leave its attribute
  const std::string index = IndexPage({table}, "p1");
  const std::string flight = FlightPage(Flight(kScriptName, 300), {{0, 10}, {50, 0}});
  for (const std::string& page : {index, ContestPage(table, "p1"), flight}) {
    ExpectNoActiveMarkup(page);
    EXPECT_TRUE(Contains(page, "&lt;script&gt;alert(1)&lt;/script&gt;"));
  }
  EXPECT_FALSE(Contains(index, kQuotedName));
  EXPECT_TRUE(Contains(index, "Bob &quot;the&quot; O&#39;Neil"));
}

TEST(WebPages, ShiftJisNamesAreShownAsUtf8) {
  const std::string index = IndexPage({OpenTable({Row(1, kYamadaShiftJis, 300)})}, "p1");
  const std::string flight = FlightPage(Flight(kYamadaShiftJis, 300), {});
  for (const std::string& page : {index, flight}) {
    EXPECT_TRUE(Contains(page, "山田"));
    EXPECT_FALSE(Contains(page, kYamadaShiftJis));
  }
}

TEST(WebPages, DistancesAreCutAfterTheSecondDecimalNotRounded) {
  // 404.8287 would round up to .83; 98.7f is 98.6999969... and shows as 98.69 in the game.
  const std::string index = IndexPage({OpenTable({Row(1, "a", 404.8287f), Row(2, "b", 98.7f)})}, "p1");
  EXPECT_TRUE(Contains(index, "404.82"));
  EXPECT_TRUE(Contains(index, "98.69"));
  EXPECT_FALSE(Contains(index, "404.83"));
  EXPECT_FALSE(Contains(index, "98.70"));
  const std::string flight = FlightPage(Flight("a", 98.7f), {});
  EXPECT_TRUE(Contains(flight, "98.69"));
  EXPECT_FALSE(Contains(flight, "98.70"));
}

size_t Dashes(const std::string& page) {
  size_t count = 0;
  for (size_t at = page.find("–"); at != std::string::npos; at = page.find("–", at + 1)) ++count;
  return count;
}

TEST(WebPages, FiguresThatAreMissingOrUnreadableShowADash) {
  const std::string whole = R"({"span_m": 1.5, "wing_area_m2": 0.25, "aspect_ratio": 9, "mass_kg": 0.25,
                               "tail_volume": 0.5, "strip_model": true})";
  const auto index = [](std::string figures) { return IndexPage({OpenTable({Row(1, "a", 300, figures)})}, "p1"); };
  const auto flight = [](std::string figures) {
    StoredFlight f = Flight("a", 300);
    f.Figures = std::move(figures);
    return FlightPage(f, {});
  };
  for (const char* broken : {R"({"span_m": null, "mass_kg": "heavy"})", "not json", "[1,", "[]"}) {
    EXPECT_GT(Dashes(index(broken)), Dashes(index(whole))) << broken;
    EXPECT_GT(Dashes(flight(broken)), Dashes(flight(whole))) << broken;
  }
}

TEST(WebPages, AContestWithoutFlightsSaysSoInsteadOfAnEmptyTable) {
  const std::string index = IndexPage({OpenTable({})}, "p1");
  EXPECT_FALSE(Contains(index, "<table"));
  EXPECT_TRUE(Contains(Lower(index), "no flights"));
}

double Attribute(const std::string& element, const std::string& name) {
  std::smatch m;
  EXPECT_TRUE(std::regex_search(element, m, std::regex(" " + name + "=\"([-0-9.]+)\""))) << name << " in " << element;
  return m.empty() ? 0 : std::stod(m[1]);
}

TEST(ProfilePlot, EveryPointOfTheFlightLiesInThePlotAreaTheHighestOnTop) {
  const std::vector<ProfilePoint> profile{{0, 10.5}, {40, 14}, {120, 7}, {250, -0.3}, {404.8, 0.1}};
  const std::string page = FlightPage(Flight("a", 404.8f), profile);
  ExpectNoActiveMarkup(page);

  std::smatch rect, line;
  ASSERT_TRUE(std::regex_search(page, rect, std::regex("<rect class=\"plot-area\"[^>]*>")));
  ASSERT_TRUE(std::regex_search(page, line, std::regex("<polyline[^>]* points=\"([^\"]*)\"")));
  const std::string area = rect[0];
  const double left = Attribute(area, "x"), top = Attribute(area, "y");
  const double right = left + Attribute(area, "width"), bottom = top + Attribute(area, "height");

  std::vector<std::pair<double, double>> points;
  const std::string pairs = line[1];
  const std::regex pair("(-?[0-9.]+),(-?[0-9.]+)");
  for (auto it = std::sregex_iterator(pairs.begin(), pairs.end(), pair); it != std::sregex_iterator(); ++it)
    points.emplace_back(std::stod((*it)[1]), std::stod((*it)[2]));
  ASSERT_EQ(points.size(), profile.size());
  for (const auto& [x, y] : points) {
    EXPECT_GE(x, left);
    EXPECT_LE(x, right);
    EXPECT_GE(y, top);
    EXPECT_LE(y, bottom);
  }
  for (size_t i = 1; i < points.size(); ++i) EXPECT_GT(points[i].first, points[i - 1].first) << "point " << i;
  EXPECT_EQ(std::min_element(points.begin(), points.end(), [](auto a, auto b) { return a.second < b.second; }) -
                points.begin(),
            1)
      << "the highest point (14 m) is drawn topmost";
}

TEST(ProfilePlot, AFlightWithoutProfileHasNoDrawing) {
  const std::string page = FlightPage(Flight("a", 300), {});
  EXPECT_FALSE(Contains(page, "<svg"));
  EXPECT_TRUE(Contains(page, "/api/v1/flights/00112233445566778899aabbccddeeff"));
}

}  // namespace
}  // namespace league
