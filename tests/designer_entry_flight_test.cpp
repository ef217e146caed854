// A ranked entry opened in the configurator flies as velkaro-sim flies it: with the
// tail schedule recorded in the entry, beside the untouched flight; and every window
// shows a distance the way the game does.
#include <gtest/gtest.h>

#include <cmath>

#include "config/editing_session.h"
#include "config/figures/design_comparison.h"
#include "config/status_text.h"
#include "fakes/temp_dir.h"
#include "ranking/ranking_files.h"
#include "sim/headless_flight.h"

namespace {

struct EntryFlightTest : ::testing::Test {
  fakes::TempWorkingDir dir;
  config::EditingSession s;

  void SetUp() override {
    const std::filesystem::path data = VELKARO_DATA_DIR;
    fakes::WriteText("temp.txt", fakes::ReadText(data / "temp.txt"));
    std::filesystem::copy(data / "rank", "rank");
    config::StartSession(s);
  }
  std::string Frame() { return config::UpdateSession(s, false); }
};

TEST_F(EntryFlightTest, RankedEntryFliesItsScheduleAsTheSimDoes) {
  Frame();
  EXPECT_FALSE(s.Schedule) << "the game's design file is flown untouched only";
  EXPECT_FALSE(s.ScheduleFlight);

  config::RequestOpen(s, "rank\\rank0.txt");
  Frame();
  ASSERT_TRUE(s.Schedule);
  ASSERT_TRUE(s.ScheduleFlight);
  ASSERT_TRUE(s.Flight);
  const auto sim = sim::FlyAircraftFile("rank\\rank0.txt");
  ASSERT_TRUE(sim);
  EXPECT_EQ(s.ScheduleFlight->Distance, sim->Distance) << "the same flight as velkaro-sim's";
  EXPECT_EQ(s.ScheduleFlight->LastStep, sim->LastStep);

  // The ranking lists the distance the flight made; shown alike, they are the same text.
  const auto table = ranking::ParseTableFile(fakes::ReadText("rank/Ranking.txt"));
  EXPECT_EQ(config::DistanceText(s.ScheduleFlight->Distance), config::DistanceText(table.Entries[0].Distance));
  EXPECT_NE(s.Flight->Distance, s.ScheduleFlight->Distance) << "the untouched flight keeps the file's tail incidence";
  EXPECT_TRUE(config::ScheduleFitsDesign(s, s.FlightFor));
}

TEST_F(EntryFlightTest, ChangedValuesFlyTheSameScheduleAndSaySo) {
  config::RequestOpen(s, "rank\\rank0.txt");
  Frame();
  const float entryDistance = s.ScheduleFlight->Distance;
  s.Document.Editor.Spec.Mass += 20;
  const std::string text = Frame();
  ASSERT_TRUE(s.ScheduleFlight);
  EXPECT_EQ(s.FlightFor, text);
  EXPECT_FALSE(config::ScheduleFitsDesign(s, text));
  EXPECT_NE(s.ScheduleFlight->Distance, entryDistance);

  config::RequestOpen(s, "temp.txt");  // unsaved changes: the question comes first
  ASSERT_TRUE(s.Document.AskUnsaved);
  config::Follow(s, config::ContinueWithoutSaving(s.Document));
  Frame();
  EXPECT_FALSE(s.Schedule) << "a plain aircraft file has no schedule";
  EXPECT_FALSE(s.ScheduleFlight);
}

TEST(ShownDistance, TruncatesAsTheGameDoesEverywhere) {
  EXPECT_EQ(config::DistanceText(319.609f), "319.60") << "truncated, not rounded";
  EXPECT_EQ(config::DistanceText(404.828), "404.82");
  EXPECT_EQ(config::DistanceText(0), "0.00");
  EXPECT_EQ(config::DistanceText(std::nan("")), "-");

  // The comparison of two designs shows its distance row by the same rule.
  const auto rows = config::CompareDesigns(config::DefaultDesign(), config::DefaultDesign());
  int distanceRows = 0;
  for (const config::ComparisonRow& row : rows) {
    if (!row.Distance) continue;
    ++distanceRows;
    EXPECT_EQ(config::FormatComparedValue(row, 319.609), "319.60");
  }
  EXPECT_EQ(distanceRows, 1);
}

}  // namespace
