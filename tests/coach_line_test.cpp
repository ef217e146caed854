// The coach line after a touchdown: off by default and then absent from the frame, once
// turned on drawn beside the result digits ("…" until the search in the background has
// ended), and the search follows the player's design, not the demo's.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "aircraft/aircraft_file.h"
#include "app/menu_commands.h"
#include "fakes/game_fixture.h"
#include "fakes/temp_dir.h"
#include "fakes/test_aircraft.h"
#include "game/coach_line.h"
#include "game/frame_drawing.h"
#include "platform/text/shift_jis.h"

namespace {

using platform::Utf8ToShiftJis;

struct CoachLineFrame : fakes::GameFixture {
  void SetUp() override {
    GameFixture::SetUp();
    game::IdleTick(g);  // Init
    device.Calls.clear();
  }
};

TEST_F(CoachLineFrame, OffByDefaultAndThenDrawsOnlyTheUsualTexts) {
  EXPECT_FALSE(g.ShowCoach);
  EXPECT_FALSE(g.Coach.Ready());  // nothing searched
  game::DrawScene(g, game::FrameKind::ResultFrame);
  EXPECT_EQ(device.CallsStartingWith("DrawText").size(), 2u);  // fps and wind
  EXPECT_TRUE(device.CallsStartingWith("CreateFont").empty());
}

TEST_F(CoachLineFrame, TurnedOnItShowsBesideTheDigitsOnResultFramesOnly) {
  EXPECT_EQ(app::HandleMenuCommand(g, app::kCoachLine), app::AfterCommand::KeepRunning);
  EXPECT_TRUE(g.ShowCoach);
  EXPECT_TRUE(os.Menu.Checks[app::kCoachLine]);

  game::DrawScene(g, game::FrameKind::Normal);
  EXPECT_EQ(device.CallsStartingWith("DrawText").size(), 2u);
  device.Calls.clear();
  game::DrawScene(g, game::FrameKind::ResultFrame);
  const auto digits = std::find_if(device.Calls.begin(), device.Calls.end(), [](const std::string& c) {
    return c.rfind("SetTexture 0 image\\resultnum", 0) == 0;
  });
  const auto line = std::find_if(device.Calls.begin(), device.Calls.end(),
                                 [](const std::string& c) { return c.rfind("DrawText 610,84,1024,116 ", 0) == 0; });
  ASSERT_NE(line, device.Calls.end());  // right of the six 100 px cells, clipped to the window
  EXPECT_LT(digits, line);
  EXPECT_NE(line->find(Utf8ToShiftJis("コーチ …")), std::string::npos);  // still searching

  EXPECT_EQ(app::HandleMenuCommand(g, app::kCoachLine), app::AfterCommand::KeepRunning);
  EXPECT_FALSE(os.Menu.Checks[app::kCoachLine]);
  device.Calls.clear();
  game::DrawScene(g, game::FrameKind::ResultFrame);
  EXPECT_EQ(device.CallsStartingWith("DrawText").size(), 2u);
}

TEST(CoachLineText, SearchingFoundAndNothingFound) {
  EXPECT_EQ(game::CoachLineText(false, std::nullopt, 300), Utf8ToShiftJis("コーチ …"));
  EXPECT_EQ(game::CoachLineText(true, 400.0f, 300), Utf8ToShiftJis("コーチ 400.00m (75.0%)"));
  EXPECT_EQ(game::CoachLineText(true, std::nullopt, 300), Utf8ToShiftJis("コーチ -"));
}

sim::CoachOptions Short() {
  sim::CoachOptions options;
  options.Seconds = 600;
  options.MaxEvaluations = 60;
  options.Threads = 1;
  return options;
}

void WaitReady(const game::CoachLine& line) {
  while (!line.Ready()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

TEST(CoachLine, FollowsTheLatestDesignAndFindsWhatTheCoachFinds) {
  const std::string rank3 = fakes::ReadText(std::filesystem::path(VELKARO_DATA_DIR) / "rank" / "rank3.txt");
  const std::string glider = fakes::ReadText(std::filesystem::path(VELKARO_DATA_DIR) / "temp.txt");
  game::CoachLine line(Short());
  line.Follow(rank3);
  line.Follow(glider);  // the first search is cancelled; the line shows the second
  EXPECT_FALSE(line.Ready());
  WaitReady(line);
  ASSERT_TRUE(line.Best());
  const sim::CoachResult direct = sim::RunCoach(glider, Short());
  EXPECT_EQ(*line.Best(), direct.BestDistance);
  EXPECT_EQ(line.BestEntry(), direct.EntryText);  // what the coach's ghost flies

  line.Follow(glider);  // the same design again: kept, not searched again
  EXPECT_TRUE(line.Ready());
}

// A player who changes the design all session long does not gather a thread (and its
// stack) for every design: the ended searches are joined.
TEST(CoachLine, EndedSearchesDoNotPileUp) {
  flight::AircraftSpec spec = fakes::GliderSpec();
  game::CoachLine line(Short());
  for (int design = 0; design < 6; ++design) {
    spec.StartSpeed = 3 + design * 0.01;  // cannot launch: each search ends at once
    line.Follow(aircraft::FormatAircraftSpec(spec));
    WaitReady(line);
  }
  EXPECT_LE(line.ThreadsKept(), 2u);
}

TEST(CoachLine, DesignThatCannotLaunchHasNoBest) {
  flight::AircraftSpec slow = fakes::GliderSpec();
  slow.StartSpeed = 3;
  game::CoachLine line(Short());
  line.Follow(aircraft::FormatAircraftSpec(slow));
  WaitReady(line);
  EXPECT_FALSE(line.Best());
  EXPECT_FALSE(line.BestEntry());
}

}  // namespace
