// The game driven tick by tick with the platform doubles: start-up, the idle demo,
// a player's flight with trim, touchdown, registration, replay, restart, design mode,
// and the menu commands.
#include <gtest/gtest.h>

#include <algorithm>

#include "aircraft/aircraft_file.h"
#include "app/menu_commands.h"
#include "fakes/game_fixture.h"
#include "fakes/temp_dir.h"
#include "game/game.h"
#include "fakes/recording_device.h"
#include "platform/text/shift_jis.h"
#include "platform/text/text_fields.h"
#include "ranking/ranking_files.h"
#include "sim/headless_flight.h"

namespace {

using platform::Key;

struct GameSession : fakes::GameFixture {
  GameSession() { ClearAfterTick = true; }
  int Presents() const { return static_cast<int>(device.CallsStartingWith("Present").size()); }
  std::vector<std::string> WarningsUtf8() const {
    std::vector<std::string> texts;
    for (const auto& w : os.Dialogs.Warnings) texts.push_back(platform::ShiftJisToUtf8(w));
    return texts;
  }
};

TEST_F(GameSession, FirstTickInitialisesAndDrawsReady) {
  game::IdleTick(g);
  EXPECT_EQ(g.State, game::Ready);
  EXPECT_EQ(Presents(), 1);
  EXPECT_EQ(g.Aircraft->DisplayX, -10);
  EXPECT_EQ(g.Ranking->InProgressLog.Count, 1);
  EXPECT_EQ(g.Ranking->Entries[0].Name, platform::Utf8ToShiftJis("ひばり"));
  EXPECT_NE(os.Random.Seeded, 0u);
  EXPECT_TRUE(std::filesystem::exists("zahyou.txt"));
  EXPECT_EQ(device.CallsStartingWith("DrawText 0,0,200,16 FFFFFFFF fps0/50").size(), 1u);
}

TEST_F(GameSession, IdleStartsTheDemoAndSpaceEndsIt) {
  Tick();
  os.Random.Values = {7};  // the demo flies entry 7
  const int ticks = TickUntil(game::Demo);
  EXPECT_GT(ticks * 21, 10000);
  EXPECT_LT(ticks * 21, 10100);
  EXPECT_EQ(g.DemoEntry, 7);
  EXPECT_EQ(g.Result.Cell.X, 1024 - 350);
  const auto entry = ranking::ParseEntryFile(fakes::ReadText("rank/rank7.txt"));
  EXPECT_EQ(g.Aircraft->Mass, aircraft::ParseAircraftSpecText(fakes::ReadText("rank/rank7.txt")).Mass);

  Tick(5);  // the fly-by
  EXPECT_EQ(g.Phase, game::FlyBy);
  EXPECT_EQ(g.FlyByTick, 5);
  os.Input.Press(Key::Space);
  Tick(3);  // a short press: the start waits for its release
  EXPECT_EQ(g.State, game::WaitRelease);
  EXPECT_EQ(g.Phase, game::DemoLaunch);  // the next demo skips the fly-by
  os.Input.Release(Key::Space);
  Tick(3);
  EXPECT_EQ(g.State, game::Ready) << "the press that ended the demo launches nothing";
  EXPECT_EQ(g.Aircraft->Mass, 100);  // the working aircraft again
}

TEST_F(GameSession, DemoFliesTheRankedFlightToItsDistance) {
  Tick();
  os.Random.Values = {3};
  TickUntil(game::Demo);
  TickUntil(game::Restart, 10000);
  const auto expected = sim::FlyAircraftFile("rank\\rank3.txt");
  EXPECT_NEAR(g.Aircraft->DisplayX, expected->Distance, 0.01);
  EXPECT_EQ(g.Phase, game::FlyByStart);
}

TEST_F(GameSession, PlayerFlightRegistrationReplayAndRestart) {
  Tick();
  os.Input.Press(Key::Space);
  Tick();
  EXPECT_EQ(g.State, game::Launch);
  os.Input.Release(Key::Space);
  os.Input.Press(Key::Down);  // trim on the platform
  Tick(20);
  os.Input.Release(Key::Down);
  TickUntil(game::Flight);
  const double startTail = g.Aircraft->TailSetting;
  EXPECT_DOUBLE_EQ(startTail, -0.5 + 20 * 0.05);
  EXPECT_EQ(g.Ranking->InProgressLog.Values[0], startTail);
  std::vector<float> flownX;
  while (g.State == game::Flight) {
    flownX.push_back(g.Aircraft->DisplayX);
    os.Input.Down[static_cast<size_t>(Key::Up)] = flownX.size() > 300 && flownX.size() < 320;
    Tick();
  }
  ASSERT_EQ(g.State, game::Landed);
  const float distance = g.Aircraft->DisplayX;
  const int steps = g.Aircraft->Step;
  EXPECT_EQ(g.Ranking->InProgressLog.Count, steps + 2);  // value 0 and one per flight step

  game::IdleTick(g);  // the result frame: the tail gauge, its marker and the distance in digits
  const auto screenDraws = std::count_if(device.Draws.begin(), device.Draws.end(),
                                         [](const auto& d) { return d.Fvf == platform::Fvf::ScreenVertex; });
  EXPECT_EQ(static_cast<size_t>(screenDraws), 2u + platform::TwoDecimalText(distance).size());

  os.Dialogs.Names.push_back(platform::Utf8ToShiftJis("太郎"));
  const int wait = 1 + TickUntil(game::Replay);
  EXPECT_GE(wait * 21, 2000);
  EXPECT_EQ(os.Dialogs.NameDialogs, 1);
  const int index = g.Ranking->NewEntryIndex;
  ASSERT_LT(index, 10);
  EXPECT_EQ(g.Ranking->Entries[index].Name, platform::Utf8ToShiftJis("太郎"));
  EXPECT_EQ(g.Ranking->Entries[index].Distance, distance);
  EXPECT_NEAR(ranking::ParseTableFile(fakes::ReadText("rank/Ranking.txt")).Entries[index].Distance, distance, 0.01);
  const auto entry = ranking::ParseEntryFile(fakes::ReadText("rank/rank" + std::to_string(index) + ".txt"));
  EXPECT_EQ(entry->Log.Count, steps);
  EXPECT_DOUBLE_EQ(entry->Log.Values[0], startTail);

  // The replay shows the recorded flight step by step: its tick i shows record i - 1,
  // which the flight showed in its tick i - 2.
  EXPECT_EQ(g.Aircraft->Step, 0);
  Tick(2);
  for (size_t i = 0; i < 200; ++i) {
    ASSERT_EQ(g.Aircraft->DisplayX, flownX[i]) << "replay step " << i;
    Tick();
  }
  TickUntil(game::Restart);
  Tick();
  EXPECT_EQ(g.State, game::Ready);
  EXPECT_EQ(g.Aircraft->DisplayX, -10);
  EXPECT_EQ(g.Ranking->InProgressLog.Count, 1);

  const auto again = sim::FlyAircraftFile("rank\\rank" + std::to_string(index) + ".txt");
  EXPECT_NEAR(again->Distance, distance, 0.01);
}

// Another program saving a design during the flight does not change what the ranking
// stores: the entry holds the design that was flown, so it flies its distance again.
TEST_F(GameSession, ARankedFlightStoresTheDesignItFlew) {
  Tick();
  const std::string flown = fakes::ReadText("temp.txt");
  os.Input.Press(Key::Space);
  TickUntil(game::Flight);
  os.Input.Release(Key::Space);
  std::string saved = flown;
  const size_t mass = saved.find(",100\r\n");  // the total mass, kg
  ASSERT_NE(mass, std::string::npos);
  fakes::WriteText("temp.txt", saved.replace(mass, 4, ",130"));
  TickUntil(game::Replay);
  const int index = g.Ranking->NewEntryIndex;
  ASSERT_LT(index, 10);
  const std::string entry = fakes::ReadText("rank/rank" + std::to_string(index) + ".txt");
  EXPECT_EQ(entry.substr(0, flown.size()), flown);
  const auto again = sim::FlyAircraftFile("rank\\rank" + std::to_string(index) + ".txt");
  EXPECT_EQ(again->Distance, g.Ranking->Entries[index].Distance);
}

TEST_F(GameSession, SpaceHeldThroughTheReplayWaitsForRelease) {
  Tick();
  os.Input.Press(Key::Space);
  TickUntil(game::Replay, 20000);
  Tick();
  EXPECT_EQ(g.State, game::WaitRelease);
  Tick(10);
  EXPECT_EQ(g.State, game::WaitRelease);
  os.Input.Release(Key::Space);
  Tick();
  EXPECT_EQ(g.State, game::Restart);
}

TEST_F(GameSession, DesignModeSkipsDemoAndRanking) {
  g.DesignMode = true;
  Tick(600);  // over 12 s
  EXPECT_EQ(g.State, game::Ready);
  const int flights = g.Ranking->FlightCount;
  os.Input.Press(Key::Space);
  Tick();
  os.Input.Release(Key::Space);
  TickUntil(game::Landed);
  Tick(200);  // 4 s: still showing the result
  EXPECT_EQ(g.State, game::Landed);
  os.Input.Press(Key::Space);
  Tick();
  EXPECT_EQ(g.State, game::WaitRelease);
  os.Input.Release(Key::Space);
  Tick(2);
  EXPECT_EQ(g.State, game::Ready);
  EXPECT_EQ(g.Ranking->FlightCount, flights);
  EXPECT_EQ(os.Dialogs.NameDialogs, 0);
}

TEST_F(GameSession, MenuCommandsEditExportAndToggle) {
  Tick();
  os.Input.Press(Key::Space);
  Tick(200);  // into the flight
  os.Input.Release(Key::Space);
  ASSERT_EQ(g.State, game::Flight);
  os.Processes.Program = [] {
    fakes::WriteText("temp.txt", fakes::ReadText("rank/rank5.txt"));  // the player picked a champion
    return true;
  };
  EXPECT_EQ(app::HandleMenuCommand(g, app::kEditAircraft), app::AfterCommand::KeepRunning);
  EXPECT_EQ(os.Processes.Started, std::vector<std::string>{"config.exe"});
  EXPECT_EQ(g.State, game::Ready);
  EXPECT_EQ(g.Aircraft->DisplayX, -10);
  EXPECT_EQ(g.Aircraft->StartSpeed, 7.5);
  EXPECT_EQ(g.Ranking->InProgressLog.Count, 1);

  os.Processes.Program = [] { return false; };  // cannot be started: reload all the same
  EXPECT_EQ(app::HandleMenuCommand(g, app::kEditAircraft), app::AfterCommand::KeepRunning);
  EXPECT_EQ(g.State, game::Ready);

  EXPECT_EQ(app::HandleMenuCommand(g, app::kDesignMode), app::AfterCommand::KeepRunning);
  EXPECT_TRUE(g.DesignMode);
  EXPECT_TRUE(os.Menu.Checks[app::kDesignMode]);
  EXPECT_EQ(app::HandleMenuCommand(g, app::kDesignMode), app::AfterCommand::KeepRunning);
  EXPECT_FALSE(g.DesignMode);
  EXPECT_FALSE(os.Menu.Checks[app::kDesignMode]);

  const auto before = std::distance(std::filesystem::directory_iterator("."), {});
  EXPECT_EQ(app::HandleMenuCommand(g, app::kExportCsv), app::AfterCommand::KeepRunning);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), {}), before + 1);
  EXPECT_EQ(app::HandleMenuCommand(g, app::kQuit), app::AfterCommand::Quit);
}

TEST_F(GameSession, EmptyFolderStartsWithMessagesAndQuitsCleanly) {
  std::filesystem::current_path(std::filesystem::temp_directory_path());
  fakes::TempWorkingDir empty;
  Tick(3);
  EXPECT_EQ(g.State, game::Ready);
  const auto warnings = WarningsUtf8();
  ASSERT_FALSE(warnings.empty());
  EXPECT_EQ(warnings[0], "機体データの取得に失敗");
  EXPECT_NE(std::find(warnings.begin(), warnings.end(), "ランキングファイル生成に失敗"), warnings.end());
  game::Shutdown(g);
  EXPECT_TRUE(std::filesystem::exists("zahyou.txt"));
}

}  // namespace
