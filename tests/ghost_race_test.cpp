// The ghost race in the game, driven tick by tick with the platform doubles: off by
// default and then invisible; chosen in the menu (one check mark), it flies its entry
// in lock-step with the player's ticks exactly as the headless flight does, drawn
// translucent after the player's aircraft, with the lead or lag under the coach line;
// "race the best" from the key or the menu; a missing entry and a coach still
// searching give no ghost and a line that says so; the demo flies alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

#include "app/menu_commands.h"
#include "fakes/game_fixture.h"
#include "fakes/headless_poses.h"
#include "fakes/temp_dir.h"
#include "game/ghost_game.h"
#include "platform/text/shift_jis.h"
#include "sim/headless_flight.h"

namespace {

using game::GhostAbsence;
using game::GhostChoice;
using platform::Key;
using platform::Utf8ToShiftJis;

constexpr const char* kLinePrefix = "DrawText 610,124,1024,148 FFFFFFFF ";  // under the coach line

struct GhostRace : fakes::GameFixture {
  void PressSpaceOnce() {
    os.Input.Press(Key::Space);
    Tick();
    os.Input.Release(Key::Space);
  }
  // The player's design comes down within a second: launched 1.5 m above the water
  // with a heavy pilot (as the end-to-end runs make it).
  static void MakeQuickDesign() { WriteQuickDesign(); }
  // The ghost line drawn in the last tick ("" when none).
  std::string GhostLine() const {
    const auto lines = device.CallsStartingWith(kLinePrefix);
    return lines.empty() ? "" : lines.back().substr(std::strlen(kLinePrefix));
  }
  size_t Position(const std::string& prefix, size_t from = 0) const {
    for (size_t i = from; i < device.Calls.size(); ++i) {
      if (device.Calls[i].rfind(prefix, 0) == 0) return i;
    }
    return device.Calls.size();
  }
  bool GhostDrawn() const { return !device.CallsStartingWith("SetStageState 0 AlphaOp").empty(); }
  void Choose(int item) { ASSERT_EQ(app::HandleMenuCommand(g, item), app::AfterCommand::KeepRunning); }

  // In the last frame: the ghost's parts come right after the player's aircraft (the
  // scene's last object) and before the tail gauge, blended, with a stage that takes
  // the texture's alpha times the lit diffuse alpha, and every part see-through.
  void ExpectGhostDrawnAfterThePlayer() {
    const size_t ghostStage = Position("SetStageState 0 AlphaOp 4");
    const size_t backToTexture = Position("SetStageState 0 AlphaOp 2", ghostStage);
    const size_t gauge = Position("SetTexture 0 image\\tailgraph.bmp");
    EXPECT_LT(ghostStage, backToTexture);
    EXPECT_LT(backToTexture, gauge);
    size_t lastPlayerPart = 0;
    for (size_t i = 0; i < ghostStage; ++i) {
      if (device.Calls[i].rfind("DrawSubset", 0) == 0) lastPlayerPart = i;
    }
    EXPECT_LT(Position("SetLight 0"), lastPlayerPart);
    EXPECT_LT(Position("SetRenderState AlphaBlendEnable 1", lastPlayerPart), ghostStage);

    std::vector<platform::RecordingDevice::Draw> subsets;
    for (const auto& draw : device.Draws) {
      if (draw.Kind == "DrawSubset") subsets.push_back(draw);
    }
    const auto ghostParts = static_cast<size_t>(std::count_if(
        device.Calls.begin() + ghostStage, device.Calls.begin() + backToTexture,
        [](const std::string& c) { return c.rfind("DrawSubset", 0) == 0; }));
    ASSERT_GT(ghostParts, 20u);
    ASSERT_GT(subsets.size(), ghostParts);
    const size_t ghostFirst = subsets.size() - ghostParts;
    EXPECT_EQ(subsets[ghostFirst - 1].MaterialAlpha, 1.0f) << "the player's last wing strip is opaque";
    for (size_t k = ghostFirst; k < subsets.size(); ++k) {
      EXPECT_GT(subsets[k].MaterialAlpha, 0.0f) << "part " << k - ghostFirst;
      EXPECT_LE(subsets[k].MaterialAlpha, game::kGhostAlpha) << "part " << k - ghostFirst;
    }
  }
};

using fakes::PoseOf;

TEST_F(GhostRace, OffByDefaultAFlightDrawsAndWritesAsBefore) {
  MakeQuickDesign();
  g.DesignMode = true;
  Tick();
  EXPECT_EQ(g.Ghost.Choice, GhostChoice::None);
  EXPECT_TRUE(os.Menu.Checks[app::kGhostNone]);
  EXPECT_FALSE(os.Menu.Checks[app::kGhostRankingBest]);
  EXPECT_FALSE(os.Menu.Checks[app::kGhostCoachBest]);
  PressSpaceOnce();
  for (int tick = 0; tick < 200; ++tick) {
    Tick();
    ASSERT_FALSE(GhostDrawn()) << "tick " << tick;
    ASSERT_TRUE(device.CallsStartingWith("CreateFont").empty());
    ASSERT_EQ(GhostLine(), "");
  }
  EXPECT_EQ(g.State, game::Landed);
  EXPECT_FALSE(g.Ghost.Flight);
}

TEST_F(GhostRace, MenuChoosesOneGhostWithOneCheckMark) {
  Tick();
  Choose(app::kGhostRankingBest);
  EXPECT_FALSE(os.Menu.Checks[app::kGhostNone]);
  EXPECT_TRUE(os.Menu.Checks[app::kGhostRankingBest]);
  EXPECT_FALSE(os.Menu.Checks[app::kGhostCoachBest]);
  ASSERT_TRUE(g.Ghost.Flight);  // waiting at the start at once
  EXPECT_EQ(g.Ghost.Flight->Aircraft().DisplayX, -10);
  EXPECT_EQ(g.Ghost.Flight->Aircraft().DisplayHeight, 11.5f);
  Tick();
  EXPECT_TRUE(GhostDrawn());
  EXPECT_EQ(GhostLine(), Utf8ToShiftJis("ゴースト: ランキング1位"));
  EXPECT_EQ(device.CallsStartingWith("CreateFont 24").size(), 1u);  // its line's font, made once
  Tick();
  EXPECT_TRUE(device.CallsStartingWith("CreateFont").empty());

  Choose(app::kGhostNone);
  EXPECT_TRUE(os.Menu.Checks[app::kGhostNone]);
  EXPECT_FALSE(os.Menu.Checks[app::kGhostRankingBest]);
  EXPECT_FALSE(g.Ghost.Flight);
  Tick();
  EXPECT_FALSE(GhostDrawn());
  EXPECT_EQ(GhostLine(), "");

  // Chosen during a flight, the ghost joins at the next start, not in mid-air.
  PressSpaceOnce();
  Tick(10);
  Choose(app::kGhostRankingBest);
  EXPECT_FALSE(g.Ghost.Flight);
  EXPECT_TRUE(os.Menu.Checks[app::kGhostRankingBest]);
}

TEST_F(GhostRace, GhostFliesItsEntryInLockStepDrawnTranslucentAfterThePlayer) {
  MakeQuickDesign();
  g.DesignMode = true;  // the result stays: the ghost flies on to its own touchdown
  Tick();
  Choose(app::kGhostRankingBest);
  Tick();

  // The reference: entry 0 flown headless, its pose after every tick.
  const std::vector<fakes::Pose> headless = fakes::HeadlessPoses(fakes::ReadText("rank/rank0.txt"));

  PressSpaceOnce();  // the player's launch starts with the next tick, and so does the ghost's
  bool checkedAFlightFrame = false;
  for (size_t tick = 0; tick < headless.size(); ++tick) {
    Tick();
    ASSERT_TRUE(g.State == game::Launch || g.State == game::Flight || g.State == game::Landed);
    ASSERT_EQ(g.Ghost.Flight->Ticks(), static_cast<int>(tick + 1));
    ASSERT_TRUE(PoseOf(g.Ghost.Flight->Aircraft()) == headless[tick]) << "tick " << tick;

    // The line: the player's x minus the ghost's, with its sign and one decimal.
    char lead[32];
    std::snprintf(lead, sizeof lead, " %+.1fm",
                  static_cast<double>(g.Aircraft->DisplayX) - g.Ghost.Flight->Aircraft().DisplayX);
    const std::string expected = std::string(lead) == " -0.0m" ? " +0.0m" : lead;
    ASSERT_EQ(GhostLine(), Utf8ToShiftJis("ゴースト: ランキング1位") + expected) << "tick " << tick;

    if (g.State == game::Flight && !checkedAFlightFrame) {
      checkedAFlightFrame = true;
      ExpectGhostDrawnAfterThePlayer();
    }
  }
  EXPECT_TRUE(checkedAFlightFrame);
  EXPECT_EQ(g.State, game::Landed);
  EXPECT_EQ(g.Ghost.Flight->Phase(), sim::FlightPhase::Touchdown);
  const float ghostDistance = g.Ghost.Flight->Aircraft().DisplayX;
  EXPECT_EQ(ghostDistance, sim::FlyAircraftFile("rank\\rank0.txt")->Distance);
  Tick(5);  // landed, the ghost stays where it came down
  EXPECT_EQ(g.Ghost.Flight->Aircraft().DisplayX, ghostDistance);
}

TEST_F(GhostRace, ThePlayersFlightIsTheSameWithAndWithoutTheGhost) {
  MakeQuickDesign();
  g.DesignMode = true;
  Tick();
  auto flyOnce = [&] {
    PressSpaceOnce();
    TickUntil(game::Landed);
    const float distance = g.Aircraft->DisplayX;
    std::vector<flight::FlightRecord> records(g.Aircraft->Records.begin(),
                                              g.Aircraft->Records.begin() + g.Aircraft->LastStep + 1);
    g.Aircraft->CoordinateLog->flush();
    const std::string log = fakes::ReadText("zahyou.txt");
    PressSpaceOnce();  // back to the start
    TickUntil(game::Ready);
    return std::make_tuple(distance, records, log);
  };
  PressSpaceOnce();  // a first flight, so both compared flights start from a restart
  TickUntil(game::Landed);
  PressSpaceOnce();
  TickUntil(game::Ready);
  const auto alone = flyOnce();
  Choose(app::kGhostRankingBest);
  const auto raced = flyOnce();
  EXPECT_EQ(std::get<0>(raced), std::get<0>(alone));
  ASSERT_EQ(std::get<1>(raced).size(), std::get<1>(alone).size());
  EXPECT_EQ(std::memcmp(std::get<1>(raced).data(), std::get<1>(alone).data(),
                        sizeof(flight::FlightRecord) * std::get<1>(alone).size()),
            0);
  EXPECT_EQ(std::get<2>(raced), std::get<2>(alone)) << "the coordinate log is the player's alone";
  EXPECT_TRUE(os.Dialogs.Warnings.empty());
}

TEST(GhostLineText, NamesTheGhostThenTellsTheLeadOrLagOrWhyThereIsNone) {
  game::GhostRace race;
  race.Choice = GhostChoice::RankingBest;
  race.Flight = sim::GhostFlight::FromEntryText(
      fakes::ReadText(std::filesystem::path(VELKARO_DATA_DIR) / "rank" / "rank0.txt"));
  ASSERT_TRUE(race.Flight);
  race.Name = Utf8ToShiftJis("ランキング1位");
  const float ghostX = race.Flight->Aircraft().DisplayX;  // -10, at the start
  EXPECT_EQ(game::GhostLineText(race, false, -10), Utf8ToShiftJis("ゴースト: ランキング1位"));
  EXPECT_EQ(game::GhostLineText(race, true, ghostX + 12.34f), Utf8ToShiftJis("ゴースト: ランキング1位 +12.3m"));
  EXPECT_EQ(game::GhostLineText(race, true, ghostX - 4.0f), Utf8ToShiftJis("ゴースト: ランキング1位 -4.0m"));
  EXPECT_EQ(game::GhostLineText(race, true, ghostX - 0.04f), Utf8ToShiftJis("ゴースト: ランキング1位 +0.0m"));
  // Whatever name the ghost was placed with, whichever ghost the menu now has chosen.
  race.Name = Utf8ToShiftJis("佐藤・札幌");
  race.Choice = GhostChoice::CoachBest;
  EXPECT_EQ(game::GhostLineText(race, false, -10), Utf8ToShiftJis("ゴースト: 佐藤・札幌"));
  EXPECT_EQ(game::GhostLineText(race, true, ghostX + 1), Utf8ToShiftJis("ゴースト: 佐藤・札幌 +1.0m"));

  race.Flight.reset();
  race.Absence = GhostAbsence::NoRankedFlight;
  EXPECT_EQ(game::GhostLineText(race, true, 5), Utf8ToShiftJis("ゴースト: 1位の記録がありません"));
  race.Absence = GhostAbsence::CoachSearching;
  EXPECT_EQ(game::GhostLineText(race, false, 5), Utf8ToShiftJis("ゴースト: コーチが探索中…"));
  race.Absence = GhostAbsence::CoachNoFlight;
  EXPECT_EQ(game::GhostLineText(race, false, 5), Utf8ToShiftJis("ゴースト: コーチの記録がありません"));
}

TEST_F(GhostRace, PlayerDownFirstTheResultWaitsWhileTheGhostFliesOnToTheFinalDifference) {
  MakeQuickDesign();
  fakes::WriteText("rank/Ranking.txt", ",0,,0,,0,,0,,0,,0,,0,,0,,0,,0,0");  // any distance ranks first
  const float ghostDistance = sim::FlyAircraftFile("rank\\rank0.txt")->Distance;
  Tick();
  Choose(app::kGhostRankingBest);
  PressSpaceOnce();
  TickUntil(game::Landed);
  const float playerDistance = g.Aircraft->DisplayX;
  ASSERT_LT(playerDistance, ghostDistance);
  ASSERT_EQ(g.Ghost.Flight->Phase(), sim::FlightPhase::Airborne);

  // The ghost flies on one tick per tick, drawn, the line following the gap, while the
  // result stays up and nothing is registered yet.
  std::string line = GhostLine();
  int lineChanges = 0;
  while (g.Ghost.Flight->Phase() != sim::FlightPhase::Touchdown) {
    const int ghostTicks = g.Ghost.Flight->Ticks();
    Tick();
    ASSERT_EQ(g.State, game::Landed) << "ghost tick " << ghostTicks;
    ASSERT_EQ(g.Ghost.Flight->Ticks(), ghostTicks + 1);
    ASSERT_TRUE(GhostDrawn());
    ASSERT_EQ(os.Dialogs.NameDialogs, 0);
    lineChanges += GhostLine() != line;
    line = GhostLine();
  }
  EXPECT_GT(lineChanges, 50) << "the gap moves as the ghost flies on";
  EXPECT_EQ(g.Ghost.Flight->Aircraft().DisplayX, ghostDistance);
  char finalGap[32];
  std::snprintf(finalGap, sizeof finalGap, " %+.1fm", static_cast<double>(playerDistance) - ghostDistance);
  const std::string finalLine = Utf8ToShiftJis("ゴースト: ランキング1位") + finalGap;
  EXPECT_EQ(line, finalLine);
  size_t outlineDraws = 0;  // the line's text in another colour, drawn before it
  for (size_t i = 0; i < Position(kLinePrefix); ++i) {
    const std::string& call = device.Calls[i];
    outlineDraws += call.rfind("DrawText", 0) == 0 && call.find(" FFFFFFFF ") == std::string::npos &&
                    call.ends_with(finalLine);
  }
  EXPECT_GT(outlineDraws, 0u) << "the line is drawn over an outline that reads against white clouds";

  // The final difference stays with the result; then the flight is registered and
  // replayed as ever, and the ghost waits at the start again.
  Tick();
  EXPECT_EQ(GhostLine(), finalLine);
  os.Dialogs.Names.push_back("me");
  TickUntil(game::Replay);
  EXPECT_EQ(os.Dialogs.NameDialogs, 1);
  EXPECT_EQ(g.Ranking->Entries[0].Name, "me");
  EXPECT_EQ(g.Ranking->Entries[0].Distance, playerDistance);
  TickUntil(game::Ready);
  EXPECT_EQ(g.Ghost.Flight->Phase(), sim::FlightPhase::OnPlatform);
  EXPECT_EQ(g.Ghost.Flight->Ticks(), 0);
}

TEST_F(GhostRace, ANewPressOfSpaceAfterThePlayersTouchdownBringsTheGhostDownAtOnce) {
  MakeQuickDesign();
  Tick();
  Choose(app::kGhostRankingBest);
  os.Input.Press(Key::Space);  // held from the launch on, through the touchdown
  TickUntil(game::Landed);
  Tick(5);
  EXPECT_EQ(g.Ghost.Flight->Phase(), sim::FlightPhase::Airborne) << "a held key does not skip";
  os.Input.Release(Key::Space);
  Tick();
  PressSpaceOnce();
  EXPECT_EQ(g.Ghost.Flight->Phase(), sim::FlightPhase::Touchdown);
  EXPECT_EQ(g.Ghost.Flight->Aircraft().DisplayX, sim::FlyAircraftFile("rank\\rank0.txt")->Distance);
  EXPECT_EQ(g.State, game::Landed) << "the final difference is shown with the result";
  TickUntil(game::Replay, 200);  // seconds, not the ghost's minute of flight
}

TEST_F(GhostRace, RaceKeyAtTheStartRestartsOnceWithTheBestRankedFlight) {
  Tick();
  Tick(3);
  const uint32_t idleSince = g.IdleSince;
  os.Input.Press(game::kRaceBestKey);
  Tick();  // the restart runs in the same tick
  EXPECT_EQ(g.State, game::Ready);
  EXPECT_NE(g.IdleSince, idleSince);
  EXPECT_EQ(g.Ghost.Choice, GhostChoice::RankingBest);
  EXPECT_TRUE(os.Menu.Checks[app::kGhostRankingBest]);
  EXPECT_FALSE(os.Menu.Checks[app::kGhostNone]);
  ASSERT_TRUE(g.Ghost.Flight);
  const uint32_t restartedAt = g.IdleSince;
  Tick(5);  // held: it acted once
  EXPECT_EQ(g.IdleSince, restartedAt);
  os.Input.Release(game::kRaceBestKey);

  // Asked for during a flight (key or menu), it is not kept for later.
  PressSpaceOnce();
  Tick(10);
  ASSERT_EQ(g.State, game::Launch);
  os.Input.Press(game::kRaceBestKey);
  Tick();
  os.Input.Release(game::kRaceBestKey);
  Choose(app::kRaceBest);
  EXPECT_FALSE(g.Ghost.RaceBestRequested);
  EXPECT_EQ(g.State, game::Launch);
}

TEST_F(GhostRace, RaceKeyAfterTouchdownRegistersFirstThenRacesTheNewBest) {
  MakeQuickDesign();
  fakes::WriteText("rank/Ranking.txt", ",0,,0,,0,,0,,0,,0,,0,,0,,0,,0,0");  // any distance ranks first
  Tick();
  PressSpaceOnce();
  TickUntil(game::Landed);
  const float distance = g.Aircraft->DisplayX;
  os.Input.Press(game::kRaceBestKey);
  Tick();
  os.Input.Release(game::kRaceBestKey);
  EXPECT_EQ(g.State, game::Landed) << "the flight is offered to the ranking first";
  os.Dialogs.Names.push_back("me");
  TickUntil(game::Ready, 200);
  EXPECT_EQ(os.Dialogs.NameDialogs, 1);
  EXPECT_EQ(g.Ranking->Entries[0].Name, "me");
  EXPECT_EQ(g.Ghost.Choice, GhostChoice::RankingBest);
  ASSERT_TRUE(g.Ghost.Flight);
  EXPECT_EQ(g.Ghost.Flight->Aircraft().Mass, 1000) << "the ghost is the flight just registered";

  // It flies the registered flight again to the same distance.
  while (g.Ghost.Flight->Phase() != sim::FlightPhase::Touchdown) {
    ASSERT_LT(g.Ghost.Flight->Ticks(), 1000);
    g.Ghost.Flight->Tick();
  }
  EXPECT_EQ(g.Ghost.Flight->Aircraft().DisplayX, distance);
}

TEST_F(GhostRace, RaceMenuItemDuringTheReplayRestarts) {
  MakeQuickDesign();
  Tick();
  PressSpaceOnce();
  TickUntil(game::Replay);
  Choose(app::kRaceBest);
  Tick();
  EXPECT_EQ(g.State, game::Ready);
  EXPECT_TRUE(g.Ghost.Flight);
}

TEST_F(GhostRace, MissingOrUnreadableEntryGivesNoGhostAndTheLineSaysSo) {
  Tick();
  const size_t warnings = os.Dialogs.Warnings.size();
  std::filesystem::remove("rank/rank0.txt");
  Choose(app::kGhostRankingBest);
  EXPECT_FALSE(g.Ghost.Flight);
  EXPECT_EQ(g.Ghost.Absence, GhostAbsence::NoRankedFlight);
  Tick();
  EXPECT_EQ(GhostLine(), Utf8ToShiftJis("ゴースト: 1位の記録がありません"));
  EXPECT_FALSE(GhostDrawn());

  std::filesystem::create_directory("rank/rank0.txt");  // there, but not a file that can be read
  PressSpaceOnce();
  Tick(20);  // the player flies alone
  EXPECT_EQ(GhostLine(), Utf8ToShiftJis("ゴースト: 1位の記録がありません"));
  EXPECT_FALSE(GhostDrawn());
  Choose(app::kEditAircraft);  // back to the start: the entry is looked for again
  EXPECT_FALSE(g.Ghost.Flight);
  EXPECT_EQ(os.Dialogs.Warnings.size(), warnings) << "no message box for a ghost";

  std::filesystem::remove("rank/rank0.txt");
  fakes::WriteText("rank/rank0.txt", fakes::ReadText("temp.txt"));  // an aircraft without a flight
  Choose(app::kEditAircraft);
  EXPECT_FALSE(g.Ghost.Flight);
  fakes::WriteText("rank/rank0.txt", fakes::ReadText("rank/rank4.txt"));
  Choose(app::kEditAircraft);
  EXPECT_TRUE(g.Ghost.Flight);
  EXPECT_EQ(g.Ghost.Absence, GhostAbsence::None);
}

TEST_F(GhostRace, CoachGhostJoinsOnceTheSearchHasFoundIt) {
  sim::CoachOptions quick;
  quick.Seconds = 600;
  quick.MaxEvaluations = 60;
  quick.Threads = 1;
  g.Coach.UseOptions(quick);
  Tick();
  Choose(app::kGhostCoachBest);
  EXPECT_TRUE(os.Menu.Checks[app::kGhostCoachBest]);
  EXPECT_FALSE(g.Ghost.Flight);
  EXPECT_EQ(g.Ghost.Absence, GhostAbsence::CoachSearching);
  Tick();
  EXPECT_EQ(GhostLine(), Utf8ToShiftJis("ゴースト: コーチが探索中…"));
  EXPECT_FALSE(GhostDrawn());

  for (int waited = 0; !g.Coach.Ready(); ++waited) {
    ASSERT_LT(waited, 12000) << "the coach's search did not end in a minute";
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  ASSERT_TRUE(g.Coach.Best());
  Tick();  // waiting at the start, the ghost takes the course as soon as it exists
  ASSERT_TRUE(g.Ghost.Flight);
  EXPECT_TRUE(GhostDrawn());
  EXPECT_EQ(GhostLine(), Utf8ToShiftJis("ゴースト: コーチの最良飛行"));
  while (g.Ghost.Flight->Phase() != sim::FlightPhase::Touchdown) g.Ghost.Flight->Tick();
  EXPECT_EQ(g.Ghost.Flight->Aircraft().DisplayX, *g.Coach.Best()) << "the coach's best, flown again exactly";
}

TEST_F(GhostRace, TheDemoFliesWithoutAGhost) {
  Tick();
  Choose(app::kGhostRankingBest);
  os.Random.Values = {2};
  TickUntil(game::Demo);
  EXPECT_FALSE(g.Ghost.Flight);
  for (int tick = 0; tick < 20; ++tick) {
    Tick();
    ASSERT_FALSE(GhostDrawn());
    ASSERT_EQ(GhostLine(), "");
  }
  PressSpaceOnce();
  Tick(2);  // the release, then the restart
  EXPECT_EQ(g.State, game::Ready);
  EXPECT_TRUE(g.Ghost.Flight);  // back with the player's design
}

}  // namespace
