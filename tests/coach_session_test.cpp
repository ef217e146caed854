// The configurator's coach session: one search at a time off the window's thread, its
// results kept per design text, a cancelled search leaving nothing behind, and the
// panel's two actions (tail incidence, entry file) doing what they promise: the entry
// file never over the game's own files, an existing one only once confirmed.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "aircraft/aircraft_file.h"
#include "config/coach/coach_entry_save.h"
#include "config/coach/coach_session.h"
#include "config/flights/test_flight.h"
#include "fakes/temp_dir.h"
#include "fakes/test_aircraft.h"

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

// A result with a flight to save; its entry text stands for the real one.
sim::CoachResult Flown() {
  sim::CoachResult result;
  result.EntryText = "entry\r\n";
  return result;
}

TEST(CoachEntrySave, TheGamesFilesAndFoldersAreRefusedWithANotice) {
  fakes::TempWorkingDir dir;
  fakes::WriteText("rank/rank0.txt", "ranked");
  fakes::WriteText("BootConfig.txt", "boot");
  std::filesystem::create_directory_symlink("rank", "board");
  for (const char* name : {"rank/rank0.txt", "rank\\Ranking.txt", "board/rank1.txt", "BootConfig.txt", "rank", ""}) {
    SCOPED_TRACE(name);
    config::DesignDocument document;
    config::CoachEntrySave save;
    config::RequestCoachEntrySave(save, name, Flown(), document);
    EXPECT_TRUE(document.ShowNotice);
    EXPECT_FALSE(document.Status.empty());
    EXPECT_FALSE(save.AskOverwrite);
  }
  EXPECT_EQ(fakes::ReadText("rank/rank0.txt"), "ranked");
  EXPECT_FALSE(std::filesystem::exists("rank/rank1.txt"));
  EXPECT_FALSE(std::filesystem::exists("rank/Ranking.txt"));
  EXPECT_EQ(fakes::ReadText("BootConfig.txt"), "boot");
  EXPECT_FALSE(config::SaveCoachEntry("rank/rank0.txt", Flown())) << "nor when written directly";
  EXPECT_EQ(fakes::ReadText("rank/rank0.txt"), "ranked");
}

TEST(CoachEntrySave, AnExistingFileIsReplacedOnlyOnceConfirmed) {
  fakes::TempWorkingDir dir;
  config::DesignDocument document;
  config::CoachEntrySave save;
  config::RequestCoachEntrySave(save, "fresh", Flown(), document);
  EXPECT_EQ(fakes::ReadText("fresh.txt"), Flown().EntryText) << "a new name is written at once, as a .txt";

  fakes::WriteText("mine.txt", "mine");
  config::RequestCoachEntrySave(save, "mine.txt", Flown(), document);
  EXPECT_TRUE(save.AskOverwrite);
  EXPECT_EQ(fakes::ReadText("mine.txt"), "mine");
  config::CancelCoachEntryOverwrite(save);
  EXPECT_FALSE(save.AskOverwrite);
  EXPECT_EQ(fakes::ReadText("mine.txt"), "mine");

  config::RequestCoachEntrySave(save, "mine.txt", Flown(), document);
  sim::CoachResult later = Flown();
  later.EntryText = "another\r\n";
  config::RequestCoachEntrySave(save, "other.txt", later, document);  // ignored while asking
  save.AskOverwrite = false;  // as the popup leaves it once answered
  config::ConfirmCoachEntryOverwrite(save, document);
  EXPECT_FALSE(save.AskOverwrite);
  EXPECT_EQ(fakes::ReadText("mine.txt"), Flown().EntryText) << "the entry asked about";
  EXPECT_FALSE(std::filesystem::exists("other.txt"));
  EXPECT_FALSE(document.ShowNotice);
}

}  // namespace
