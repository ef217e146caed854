// The coach: the same seed finds the same schedule on any number of threads, the entry
// it writes flies to the distance it promised, the time limit ends the search, and a
// design that cannot launch is reported as such (by the library and by velkaro-sim).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <sstream>

#include "aircraft/aircraft_file.h"
#include "fakes/fake_platform.h"
#include "fakes/temp_dir.h"
#include "fakes/test_aircraft.h"
#include "ranking/ranking_files.h"
#include "sim/coach.h"
#include "sim/headless_flight.h"

namespace {

const std::filesystem::path kData = VELKARO_DATA_DIR;

// Enough flights for the sweep and a few generations, far below the time limit.
sim::CoachOptions Budgeted(int threads, uint64_t seed) {
  sim::CoachOptions options;
  options.Seconds = 600;
  options.MaxEvaluations = 120;
  options.Threads = threads;
  options.Seed = seed;
  return options;
}

TEST(Coach, SameSeedSameScheduleOnAnyThreadCount) {
  const std::string text = fakes::ReadText(kData / "rank" / "rank3.txt");
  const sim::CoachResult one = sim::RunCoach(text, Budgeted(1, 7));
  const sim::CoachResult two = sim::RunCoach(text, Budgeted(2, 7));
  EXPECT_EQ(one.BestDistance, two.BestDistance);
  EXPECT_EQ(one.EntryText, two.EntryText);
  EXPECT_EQ(one.Evaluations, two.Evaluations);
  EXPECT_GE(one.BestDistance, one.ConstantDistance);  // the constant trim is a schedule too

  const sim::CoachResult other = sim::RunCoach(text, Budgeted(2, 8));
  EXPECT_NE(other.EntryText, one.EntryText);  // another seed searches elsewhere
}

TEST(Coach, WrittenEntryFliesToThePromisedDistance) {
  const std::string text = fakes::ReadText(kData / "temp.txt");
  const sim::CoachResult result = sim::RunCoach(text, Budgeted(2, 1));
  ASSERT_TRUE(result.Launches);
  // The default glider's best constant trim on the 0.05 degree grid.
  EXPECT_DOUBLE_EQ(result.ConstantTrim, 1.35);
  EXPECT_EQ(sim::FlyAircraftText(text, {.TrimDeg = 1.35}).Distance, result.ConstantDistance);

  // Flown again from its text, as velkaro-sim and the game's demo fly an entry.
  const sim::FlightOutcome again = sim::FlyAircraftText(result.EntryText);
  EXPECT_EQ(again.Distance, result.BestDistance);
  EXPECT_EQ(again.LastStep + 1, result.BestLog.Count);
  EXPECT_EQ(result.BestHeights.size(), static_cast<size_t>(result.BestLog.Count));
  // The aircraft lines are the design's own, then the separator.
  EXPECT_EQ(result.EntryText.substr(0, text.find("\r\n")), text.substr(0, text.find("\r\n")));
  EXPECT_NE(result.EntryText.find("--------vvv--------\r\n"), std::string::npos);
}

TEST(Coach, StoredValuesAreWhatTheEntryFileReadsBack) {
  EXPECT_EQ(sim::StoredTailValue(1.2345678), 1.23457);
  EXPECT_EQ(sim::StoredTailValue(-0.5), -0.5);
  EXPECT_EQ(sim::StoredTailValue(1e-7), 1e-7);
  EXPECT_EQ(sim::StoredTailValue(sim::StoredTailValue(2.0000001)), sim::StoredTailValue(2.0000001));

  // Every value of a log written by the entry-file writer and read back by its reader
  // is exactly the stored value: tail settings, halves and ties in the sixth digit, and
  // magnitudes from tiny to large.
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> trim(-10, 10), exponent(-12, 12);
  ranking::ControlLog log;
  log.Count = ranking::kControlLogCapacity;
  for (int k = 0; k < log.Count; ++k) {
    if (k % 3 == 0) log.Values[k] = trim(random);
    if (k % 3 == 1) log.Values[k] = std::pow(10.0, exponent(random)) * (k % 2 ? -1 : 1);
    if (k % 3 == 2) log.Values[k] = (k - 2500) * 0.000005 + 1.234565;  // sixth-digit halves
  }
  const auto read = ranking::ParseEntryFile(sim::CoachEntryText(fakes::ReadText(kData / "temp.txt"), log));
  ASSERT_TRUE(read);
  for (int k = 0; k < log.Count; ++k) {
    ASSERT_EQ(read->Log.Values[k], sim::StoredTailValue(log.Values[k])) << "value " << log.Values[k];
  }
}

TEST(Coach, TimeLimitAndCancelEndTheSearch) {
  const std::string text = fakes::ReadText(kData / "temp.txt");
  sim::CoachOptions limited;
  limited.Seconds = 0.3;
  double lastShare = -1;
  limited.Progress = [&](double share, float) { lastShare = share; };
  const sim::CoachResult result = sim::RunCoach(text, limited);
  // The search stops at the first whole generation past the limit: far below what the
  // default 10 s would fly, and the entry is still exact.
  EXPECT_LT(result.Evaluations, 400);
  EXPECT_EQ(sim::FlyAircraftText(result.EntryText).Distance, result.BestDistance);
  EXPECT_LE(lastShare, 1.0);

  std::atomic<bool> cancel{true};
  sim::CoachOptions cancelled = Budgeted(2, 1);
  cancelled.Cancel = &cancel;
  EXPECT_TRUE(sim::RunCoach(text, cancelled).Cancelled);
}

TEST(Coach, DesignThatCannotLaunch) {
  flight::AircraftSpec slow = fakes::GliderSpec();
  slow.StartSpeed = 3;
  const sim::CoachResult result = sim::RunCoach(aircraft::FormatAircraftSpec(slow), Budgeted(2, 1));
  EXPECT_FALSE(result.Launches);
  EXPECT_TRUE(result.EntryText.empty());
}

}  // namespace
