// The configurator's editing session frame by frame, as the screen drives it: figures
// and the test flight follow the values, the sweep flies one setting a frame, and a
// design opened from a file drops the results of the values it replaced.
#include "config/editing_session.h"

#include <gtest/gtest.h>

#include "fakes/temp_dir.h"

namespace {

using config::EditingSession;

struct ConfigSessionTest : ::testing::Test {
  fakes::TempWorkingDir dir;
  EditingSession s;

  void SetUp() override {
    const std::filesystem::path data = VELKARO_DATA_DIR;
    fakes::WriteText("temp.txt", fakes::ReadText(data / "temp.txt"));
    fakes::WriteText("other.txt", fakes::ReadText(data / "rank/rank0.txt"));
    config::StartSession(s);
  }
  flight::AircraftSpec& Spec() { return s.Document.Editor.Spec; }
  std::string Frame() { return config::UpdateSession(s, false); }
};

TEST_F(ConfigSessionTest, FiguresAndTheTestFlightFollowTheValues) {
  std::string text = Frame();
  ASSERT_TRUE(s.Flight);
  EXPECT_EQ(s.FlightFor, text);
  Spec().WingSpan *= 1.5;
  text = Frame();
  EXPECT_EQ(s.Figures.WingArea, config::ComputeFigures(Spec()).WingArea);
  EXPECT_EQ(s.Warnings.size(), config::ValidateDesign(Spec()).size());
  EXPECT_EQ(s.FlightFor, text) << "flown again for the new values";

  s.AutoFly = false;
  Spec().Mass += 10;
  text = Frame();
  EXPECT_NE(text, s.FlightFor) << "the old flight stays, marked as of other values";
  EXPECT_TRUE(s.Flight);

  s.AutoFly = true;
  Spec().StartSpeed = 0;  // the run never reaches the platform's edge
  Frame();
  EXPECT_FALSE(s.Flight) << "not flown: the warning says why";
}

TEST_F(ConfigSessionTest, SweepFliesOneSettingAFrameAndItsBestCanBeApplied) {
  s.SweepFrom = 1, s.SweepTo = 0;
  config::RequestSweep(s, Frame());
  EXPECT_FALSE(s.Sweep);
  EXPECT_FALSE(config::SessionBusy(s));
  EXPECT_FALSE(s.Document.Status.empty()) << "an empty range is told, not swept";

  s.SweepFrom = 0, s.SweepTo = 1, s.SweepStep = 0.5;
  config::RequestSweep(s, Frame());
  Spec().Mass += 10;  // while the sweep runs, the test flight waits
  int frames = 0;
  for (; config::SessionBusy(s) && frames < 10; ++frames) {
    const std::string text = Frame();
    EXPECT_NE(text, s.FlightFor);
  }
  EXPECT_EQ(frames, 3);
  ASSERT_EQ(s.Sweep->Points.size(), 3u);
  const std::string text = Frame();
  EXPECT_EQ(text, s.FlightFor) << "flown once the sweep is done";

  const auto best = config::BestTrim(*s.Sweep);
  ASSERT_TRUE(best);
  config::ApplyBestTrim(s);
  EXPECT_EQ(Spec().TailIncidence, best->TrimDeg);
  EXPECT_TRUE(config::IsDirty(s.Document.Editor));
}

TEST_F(ConfigSessionTest, OpeningAnotherDesignDropsTheOldValuesResults) {
  Frame();
  config::RequestSweep(s, Frame());
  config::RequestOpen(s, "missing.txt");
  EXPECT_TRUE(s.Flight && s.Sweep) << "a file that cannot be read replaces nothing";

  Spec().Mass += 10;
  Frame();
  config::RequestOpen(s, "other.txt");
  EXPECT_TRUE(s.Document.AskUnsaved);
  EXPECT_TRUE(s.Flight && s.Sweep && s.History.CanUndo()) << "kept while the question is open";
  config::Follow(s, config::ContinueWithoutSaving(s.Document));
  EXPECT_FALSE(s.Flight || s.Sweep || config::SessionBusy(s) || s.History.CanUndo());
}

TEST_F(ConfigSessionTest, UndoAndRedoOfAValueChange) {
  const double mass = Spec().Mass;
  Spec().Mass = mass + 10;
  Frame();
  config::UndoChange(s);
  EXPECT_EQ(Spec().Mass, mass);
  config::RedoChange(s);
  EXPECT_EQ(Spec().Mass, mass + 10);
  s.Document.Status.clear();
  config::RedoChange(s);
  EXPECT_TRUE(s.Document.Status.empty()) << "nothing to redo, nothing said";
}

}  // namespace
