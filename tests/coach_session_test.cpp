// The configurator's coach session: one search at a time off the window's thread, its
// results kept per design text, a cancelled search leaving nothing behind, and the
// panel's two actions (tail incidence, entry file) doing what they promise.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "aircraft/aircraft_file.h"
#include "coach_session.h"
#include "fakes/temp_dir.h"
#include "fakes/test_aircraft.h"
#include "test_flight.h"

namespace {

// A short search on one thread: the sweep and a generation or two.
sim::CoachOptions Short() {
  sim::CoachOptions options;
  options.Seconds = 600;
  options.MaxEvaluations = 80;
  options.Threads = 1;
  return options;
}

std::string DesignText(const flight::AircraftSpec& spec) { return aircraft::FormatAircraftSpec(spec); }

TEST(CoachSession, ResultsAreKeptPerDesignText) {
  config::CoachSession session(Short());
  const std::string glider = DesignText(fakes::GliderSpec());
  flight::AircraftSpec faster = fakes::GliderSpec();
  faster.StartSpeed += 0.5;
  const std::string other = DesignText(faster);

  ASSERT_TRUE(session.Start(glider));
  EXPECT_TRUE(session.Running());
  EXPECT_EQ(session.RunningFor(), glider);
  EXPECT_FALSE(session.Start(other));  // one search at a time
  session.Wait();
  EXPECT_FALSE(session.Running());
  const sim::CoachResult* first = session.Result(glider);
  ASSERT_NE(first, nullptr);
  EXPECT_GE(first->BestDistance, first->ConstantDistance);
  EXPECT_EQ(session.Result(other), nullptr);
  EXPECT_FALSE(session.Start(glider));  // shown at once, never searched again

  ASSERT_TRUE(session.Start(other));
  session.Wait();
  ASSERT_NE(session.Result(other), nullptr);
  EXPECT_EQ(session.Result(glider), first);  // the earlier design's result stays
}

TEST(CoachSession, PollTakesAFinishedSearchWithoutWaiting) {
  config::CoachSession session(Short());
  const std::string glider = DesignText(fakes::GliderSpec());
  ASSERT_TRUE(session.Start(glider));
  while (session.Running()) {  // as the window does once a frame
    session.Poll();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  EXPECT_NE(session.Result(glider), nullptr);
  EXPECT_GT(session.ProgressShare(), 0);
}

TEST(CoachSession, CancelLeavesNothingCachedAndAllowsAnotherRun) {
  sim::CoachOptions endless = Short();
  endless.MaxEvaluations = 0;  // only the cancel ends it
  config::CoachSession session(endless);
  const std::string glider = DesignText(fakes::GliderSpec());
  ASSERT_TRUE(session.Start(glider));
  session.Cancel();
  session.Wait();
  EXPECT_TRUE(session.LastWasCancelled());
  EXPECT_EQ(session.Result(glider), nullptr);
  EXPECT_TRUE(session.Start(glider));
  // Destroying the session with a search running cancels it and waits for its thread.
}

TEST(CoachSession, AppliedTrimAndSavedEntryFlyAsTheCoachSaid) {
  config::CoachSession session(Short());
  flight::AircraftSpec spec = fakes::GliderSpec();
  ASSERT_TRUE(session.Start(DesignText(spec)));
  session.Wait();
  const sim::CoachResult result = *session.Result(DesignText(spec));

  config::ApplyConstantTrim(spec, result);
  EXPECT_EQ(spec.TailIncidence, result.ConstantTrim);
  EXPECT_EQ(config::FlyDesign(spec).Distance, result.ConstantDistance);  // the game's untouched flight
  EXPECT_EQ(session.Result(DesignText(spec)), nullptr);                  // a new design text

  fakes::TempWorkingDir dir;
  ASSERT_TRUE(config::SaveCoachEntry("best.txt", result));
  EXPECT_EQ(fakes::ReadText("best.txt"), result.EntryText);

  sim::CoachResult grounded;
  grounded.Launches = false;
  EXPECT_FALSE(config::SaveCoachEntry("grounded.txt", grounded));
  EXPECT_FALSE(std::filesystem::exists("grounded.txt"));
}

}  // namespace
