// The configurator's league window without its screen: each contest's verdict on a
// design, with the field at fault named, and the league's top as rows, of which only
// the flights of this program's physics are flown into the flights window.
#include <gtest/gtest.h>

#include <stdexcept>

#include "aircraft/aircraft_file.h"
#include "config/design/design_editor.h"
#include "config/design/design_fields.h"
#include "league/field_labels.h"
#include "league_view_model.h"

namespace {

const auto kDay = std::chrono::sys_days{std::chrono::year{2026} / 3 / 14};

std::vector<config::ContestVerdict> Verdicts(const flight::AircraftSpec& spec, std::string_view chosen) {
  return config::CheckContests(spec, config::ComputeFigures(spec), chosen, kDay);
}

const config::ContestVerdict& VerdictOf(const std::vector<config::ContestVerdict>& verdicts, std::string_view id) {
  for (const config::ContestVerdict& v : verdicts) {
    if (v.ContestId == id) return v;
  }
  throw std::runtime_error("no verdict for " + std::string(id));
}

// The aircraft file's line that holds this value of the design.
int LineOf(flight::AircraftSpec& spec, const double& value) {
  for (const config::FileLine& line : config::FileLines()) {
    if (line.Value && &line.Value(spec) == &value) return line.Number;
  }
  return 0;
}

TEST(ConfigLeague, TheDefaultDesignMeetsOpenWhichComesFirstWhenChosen) {
  const auto verdicts = Verdicts(config::DefaultDesign(), "open");
  ASSERT_FALSE(verdicts.empty());
  EXPECT_EQ(verdicts.front().ContestId, "open");
  EXPECT_TRUE(verdicts.front().Chosen);
  EXPECT_TRUE(verdicts.front().Meets);
  EXPECT_TRUE(verdicts.front().Breach.empty());
}

TEST(ConfigLeague, AWindOtherThanTheContestsIsRefusedWithTheWindFieldNamed) {
  flight::AircraftSpec spec = config::DefaultDesign();
  spec.WindSpeed = 1;
  const auto verdicts = Verdicts(spec, "open");
  const config::ContestVerdict& open = VerdictOf(verdicts, "open");
  EXPECT_FALSE(open.Meets);
  const int windLine = LineOf(spec, spec.WindSpeed);
  ASSERT_GT(windLine, 0);
  EXPECT_EQ(open.Line, windLine);
  const std::string label = league::FieldLabel(windLine);
  ASSERT_FALSE(label.empty());
  EXPECT_EQ(open.Breach.rfind(label, 0), 0u) << open.Breach;
}

TEST(ConfigLeague, AnImplausibleSpanPassesOpenAndIsRefusedInStandard) {
  flight::AircraftSpec spec = config::DefaultDesign();
  spec.WingSpan = 3000;  // m
  const auto verdicts = Verdicts(spec, "standard");
  EXPECT_EQ(verdicts.front().ContestId, "standard");
  EXPECT_TRUE(VerdictOf(verdicts, "open").Meets);
  EXPECT_FALSE(verdicts.front().Meets);
  EXPECT_EQ(verdicts.front().Line, LineOf(spec, spec.WingSpan));
  EXPECT_EQ(verdicts.front().Breach.rfind(league::FieldLabel(verdicts.front().Line), 0), 0u);
}

league::LeagueTop TopOfOne(const std::string& physics, const std::string& entry) {
  league::LeagueTop top;
  top.Contest = "open";
  top.Physics = physics;
  top.Entries.push_back({.Place = 1, .PilotUtf8 = "山田", .Distance = 98.7f, .FlightId = "ab12", .Entry = entry});
  return top;
}

TEST(ConfigLeague, OnlyFlightsOfThisPhysicsAreFlownIntoTheFlightsWindow) {
  const std::string design = aircraft::FormatAircraftSpec(config::DefaultDesign());
  const auto other = config::TopRows(TopOfOne("other-physics", design), "own-physics");
  ASSERT_EQ(other.size(), 1u);
  EXPECT_FALSE(other[0].Flyable);
  EXPECT_FALSE(other[0].NotFlyable.empty());
  EXPECT_EQ(other[0].Distance, "98.69");  // truncated as the game shows it, not rounded

  const auto own = config::TopRows(TopOfOne("own-physics", design), "own-physics");
  ASSERT_EQ(own.size(), 1u);
  EXPECT_TRUE(own[0].Flyable);

  // Listed, the other physics' flight is never flown: only the design is.
  config::FlightSet set;
  config::OverlayFlights(set, design, other);
  EXPECT_EQ(set.Flights.size(), 1u);

  // The same physics' flight is flown from its text, labelled with place and pilot.
  config::OverlayFlights(set, design, own);
  ASSERT_EQ(set.Flights.size(), 2u);  // the design flown again in its own place
  const config::FlightTable& league = set.Flights[1];
  EXPECT_TRUE(league.Flown);
  EXPECT_NE(league.Label.find("山田"), std::string::npos);
  EXPECT_NE(league.Label.find('1'), std::string::npos);
  EXPECT_EQ(league.Distance, set.Flights[0].Distance);  // the same aircraft, flown alike
}

}  // namespace
