// Watching a ranked flight chosen from the menu: the demo's flight of that entry
// without the fly-by, with its row highlighted; Space leaves it for Ready once
// released; entries without a flight are greyed and refused; nothing starts while the
// player's own flight is under way.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/menu_commands.h"
#include "app/watch_menu.h"
#include "fakes/flight_hash.h"
#include "fakes/game_fixture.h"
#include "game/watch_flight.h"
#include "fakes/recording_device.h"
#include "platform/text/shift_jis.h"
#include "platform/text/text_fields.h"
#include "ranking/ranking_files.h"
#include "sim/headless_flight.h"

namespace {

using platform::Key;

constexpr const char* kHighlight = "FFFF6400";  // the ranking list's orange row

struct WatchFlight : fakes::GameFixture {
  // Chooses the entry's menu item; true when its flight is being watched now.
  bool Choose(int entry) {
    app::HandleMenuCommand(g, app::kWatchEntryFirst + entry);
    return g.State == game::Demo && g.WatchingEntry && g.DemoEntry == entry;
  }
  // The ranking rows drawn in the highlight colour in the last tick.
  std::vector<std::string> HighlightedRows() const {
    std::vector<std::string> rows;
    for (const std::string& call : device.CallsStartingWith("DrawText 10,")) {
      if (call.find(kHighlight) != std::string::npos) rows.push_back(call);
    }
    return rows;
  }
  fakes::FakeMenu::Item MenuItemOf(int entry) {
    app::UpdateWatchMenu(g, os.Menu);
    return os.Menu.Items[app::kWatchEntryFirst + entry];
  }
};

TEST_F(WatchFlight, ChosenEntryFliesExactlyItsHeadlessFlightWithItsRowHighlighted) {
  Tick();
  ASSERT_TRUE(Choose(3));
  EXPECT_EQ(g.State, game::Demo);
  EXPECT_EQ(g.DemoEntry, 3);
  EXPECT_EQ(g.Phase, game::DemoLaunch) << "no fly-by";
  EXPECT_EQ(g.Result.Cell.X, 1024 - 350) << "the distance small, as in the demo";

  int flightTicks = 0;
  bool launchShowedTheList = false;
  while (g.State == game::Demo) {
    ASSERT_LT(flightTicks, 10000);
    ASSERT_NE(g.Phase, game::FlyBy);
    Tick();
    if (g.State != game::Demo) break;
    if (g.Phase == game::DemoLaunch) {
      launchShowedTheList = launchShowedTheList || !device.CallsStartingWith("DrawText 10,").empty();
      continue;
    }
    ++flightTicks;
    const auto rows = HighlightedRows();
    ASSERT_EQ(rows.size(), 1u) << "flight tick " << flightTicks;
    EXPECT_EQ(rows[0].rfind("DrawText 10,128,522,160 ", 0), 0u) << rows[0];  // row 3 of 0..9
  }
  EXPECT_FALSE(launchShowedTheList) << "the launch run is drawn as the demo's, without the list";
  EXPECT_GT(flightTicks, 1000);
  ASSERT_EQ(g.State, game::Restart) << "its touchdown ends it, as the demo's does";

  const auto expected = sim::FlyAircraftFile("rank\\rank3.txt");
  ASSERT_TRUE(expected);
  EXPECT_EQ(fakes::FlightHashLine("watched", *g.Aircraft, g.Aircraft->DisplayX),
            fakes::FlightHashLine("watched", *expected->Aircraft, expected->Distance));
  Tick();
  EXPECT_EQ(g.State, game::Ready);
  EXPECT_EQ(g.Aircraft->Mass, 100) << "the working aircraft again";
}

TEST_F(WatchFlight, SpaceLeavesForReadyOnlyOnceReleasedAndDoesNotLaunch) {
  Tick();
  ASSERT_TRUE(Choose(0));
  Tick(300);  // into the flight
  ASSERT_EQ(g.Phase, game::DemoFlight);
  os.Input.Press(Key::Space);
  Tick();
  EXPECT_EQ(g.State, game::WaitRelease);
  Tick(20);
  EXPECT_EQ(g.State, game::WaitRelease) << "held: still waiting";
  os.Input.Release(Key::Space);
  Tick(2);
  EXPECT_EQ(g.State, game::Ready);
  EXPECT_EQ(g.Aircraft->Mass, 100) << "temp.txt loaded again";
  EXPECT_EQ(g.Aircraft->DisplayX, -10);
  EXPECT_EQ(g.Ranking->InProgressLog.Count, 1);

  // The idle demo ends the same way: the start waits for the release.
  os.Random.Values = {5};
  while (g.State != game::Demo) Tick();
  EXPECT_FALSE(g.WatchingEntry);
  os.Input.Press(Key::Space);
  Tick();
  EXPECT_EQ(g.State, game::WaitRelease);
}

TEST_F(WatchFlight, ChoosingDuringTheIdleDemoOrAReplaySwitchesToTheChosenEntry) {
  Tick();
  os.Random.Values = {7};
  while (g.State != game::Demo) Tick();
  Tick(1200);  // the fly-by and into the demo's launch
  ASSERT_TRUE(Choose(3));
  EXPECT_EQ(g.DemoEntry, 3);
  EXPECT_EQ(g.Phase, game::DemoLaunch);
  while (g.State == game::Demo) Tick();
  const auto expected = sim::FlyAircraftFile("rank\\rank3.txt");
  EXPECT_EQ(fakes::FlightHashLine("switched", *g.Aircraft, g.Aircraft->DisplayX),
            fakes::FlightHashLine("switched", *expected->Aircraft, expected->Distance));
}

TEST_F(WatchFlight, RefusedFromTheLaunchToTheRegistrationWithTheItemsGreyed) {
  Tick();
  EXPECT_TRUE(MenuItemOf(3).Enabled);
  os.Input.Press(Key::Space);
  Tick();
  os.Input.Release(Key::Space);
  ASSERT_EQ(g.State, game::Launch);
  EXPECT_FALSE(Choose(3));
  EXPECT_EQ(g.State, game::Launch);
  EXPECT_FALSE(MenuItemOf(3).Enabled);
  while (g.State == game::Launch) Tick();
  ASSERT_EQ(g.State, game::Flight);
  EXPECT_FALSE(Choose(3));
  EXPECT_EQ(g.State, game::Flight);
  while (g.State == game::Flight) Tick();
  ASSERT_EQ(g.State, game::Landed);
  EXPECT_FALSE(Choose(3));
  EXPECT_FALSE(MenuItemOf(3).Enabled);

  // Registered and replaying: watching ends the replay, as a restart would.
  os.Dialogs.Names.push_back(std::string("me"));
  while (g.State == game::Landed) Tick();
  ASSERT_EQ(g.State, game::Replay);
  EXPECT_TRUE(MenuItemOf(3).Enabled);
  ASSERT_TRUE(Choose(3));
  EXPECT_EQ(g.State, game::Demo);
  EXPECT_EQ(g.Ranking->InProgressLog.Count, 1) << "restarted first";
}

TEST_F(WatchFlight, ItemsShowEachEntryAndGreyThoseWithoutAFlight) {
  // Entry 5 is empty in the table; entry 7's file cannot be read.
  auto table = ranking::ParseTableFile(fakes::ReadText("rank/Ranking.txt"));
  table.Entries[5] = {};
  ranking::RankingTable written;
  written.Entries = table.Entries;
  written.FlightCount = table.FlightCount;
  fakes::WriteText("rank/Ranking.txt", ranking::FormatTableFile(written));
  std::filesystem::remove("rank/rank7.txt");
  Tick();

  const ranking::RankingEntry& first = g.Ranking->Entries[0];
  EXPECT_EQ(MenuItemOf(0).Text,
            platform::Utf8ToShiftJis("1. ひばり  ") + platform::TwoDecimalText(first.Distance) + "m");
  EXPECT_TRUE(MenuItemOf(0).Enabled);
  for (int entry : {5, 7}) {
    EXPECT_EQ(MenuItemOf(entry).Text, platform::Utf8ToShiftJis(std::to_string(entry + 1) + ". (空き)"));
    EXPECT_FALSE(MenuItemOf(entry).Enabled);
    const size_t warnings = os.Dialogs.Warnings.size();
    EXPECT_FALSE(Choose(entry)) << entry;
    EXPECT_EQ(g.State, game::Ready);
    EXPECT_EQ(os.Dialogs.Warnings.size(), warnings) << "refused quietly";
  }
  EXPECT_FALSE(Choose(-1));
  EXPECT_FALSE(Choose(10));
  EXPECT_EQ(g.State, game::Ready);
}

// The row chosen and the flight shown come from one table: an entry file that another
// program replaced since start-up does not put another aircraft under the row's log.
TEST_F(WatchFlight, AnEntryFileReplacedSinceStartUpStillFliesTheListedFlight) {
  Tick();
  const auto listed = sim::FlyAircraftFile("rank\\rank2.txt");
  ASSERT_TRUE(listed);
  std::filesystem::copy_file("temp.txt", "rank/rank2.txt", std::filesystem::copy_options::overwrite_existing);
  ASSERT_TRUE(Choose(2));
  EXPECT_TRUE(os.Dialogs.Warnings.empty());
  TickUntil(game::Restart);
  EXPECT_EQ(fakes::FlightHashLine("watched", *g.Aircraft, g.Aircraft->DisplayX),
            fakes::FlightHashLine("watched", *listed->Aircraft, listed->Distance));
  Tick();
  EXPECT_EQ(g.State, game::Ready);
  EXPECT_EQ(g.Aircraft->Mass, 100);
}

}  // namespace
