// Whole flights: the shipped ranking replays, a registered flight flown again from its
// entry file, the golden flight of the default glider, and the velkaro-sim tool.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "aircraft/aircraft_file.h"
#include "fakes/fake_platform.h"
#include "fakes/run_sim.h"
#include "fakes/temp_dir.h"
#include "fakes/test_aircraft.h"
#include "flight/flight_csv.h"
#include "ranking/ranking_files.h"
#include "ranking/registration.h"
#include "sim/headless_flight.h"
#include "sim/player_flight.h"
#include "sim/trim_sweep.h"

namespace {

const std::filesystem::path kData = VELKARO_DATA_DIR;

std::string FormatLikeTheTable(float distance) {
  std::ostringstream out;
  out << distance;
  return out.str();
}

TEST(ShippedRanking, EveryEntryFliesToItsRankedDistance) {
  fakes::FakePlatform os;
  const ranking::TableFile table = ranking::ParseTableFile(fakes::ReadText(kData / "rank" / "Ranking.txt"));
  for (int i = 0; i < ranking::kEntryCount; ++i) {
    const auto outcome = sim::FlyAircraftFile((kData / "rank" / ("rank" + std::to_string(i) + ".txt")).string());
    ASSERT_TRUE(outcome) << "entry " << i;
    EXPECT_EQ(FormatLikeTheTable(outcome->Distance), FormatLikeTheTable(table.Entries[i].Distance)) << "entry " << i;
    EXPECT_GT(outcome->Distance, 0);
    if (i > 0) {
      EXPECT_LE(table.Entries[i].Distance, table.Entries[i - 1].Distance);
    }
  }
  EXPECT_TRUE(os.Dialogs.Warnings.empty());
}

TEST(Replay, RegisteredFlightFliesAgainFromItsEntryFile) {
  fakes::FakePlatform os;
  fakes::TempWorkingDir dir;
  std::filesystem::create_directory("rank");
  fakes::WriteText("temp.txt", fakes::ReadText(kData / "temp.txt"));
  auto table = std::make_unique<ranking::RankingTable>();

  // The player trims nose-down on the platform, then pulls up in steps during the flight.
  sim::PlayerControls controls{&os.Input, &os.Random, [&](int tick) {
                                 os.Input.Release(platform::Key::Up);
                                 os.Input.Release(platform::Key::Down);
                                 if (tick < 30) os.Input.Press(platform::Key::Down);
                                 if (tick > 200 && tick < 260) os.Input.Press(platform::Key::Up);
                                 if (tick > 900 && tick % 50 == 0) os.Input.Press(platform::Key::Down);
                               }};
  os.Random.Values = {17, 42, 99};
  sim::PlayerFlight flown;
  ASSERT_TRUE(sim::FlyAsPlayer(*table, controls, flown));
  os.Dialogs.Names.push_back(std::string("replay"));
  ranking::RegisterDistance(*table, flown.Distance, flown.Aircraft->Step);
  ASSERT_EQ(table->NewEntryIndex, 0);

  const auto again = sim::FlyAircraftFile("rank\\rank0.txt");
  ASSERT_TRUE(again);
  EXPECT_NEAR(again->Distance, flown.Distance, 0.01);
  EXPECT_EQ(again->LastStep, flown.Aircraft->LastStep);
  EXPECT_GT(flown.Distance, 100);
}

// The shipped default glider flown with a fixed control log. Set VELKARO_UPDATE_GOLDEN=1
// to rewrite the stored values after a deliberate change of the physics.
TEST(Golden, DefaultGliderWithAFixedControlLog) {
  fakes::FakePlatform os;
  fakes::TempWorkingDir dir;
  fakes::WriteText("golden.txt", fakes::GoldenEntryText(fakes::ReadText(kData / "temp.txt")));
  const auto outcome = sim::FlyAircraftFile("golden.txt");
  ASSERT_TRUE(outcome);

  std::ostringstream actual;
  char line[64];
  std::snprintf(line, sizeof line, "distance=%.9g last_step=%d\n", outcome->Distance, outcome->LastStep);
  actual << line;
  std::istringstream csv(flight::FormatFlightCsv(*outcome->Aircraft));
  std::string row;
  for (int i = -1; std::getline(csv, row); ++i) {
    if (i == 0 || i == 1 || i == 100 || i == 500 || i == 1000 || i == outcome->LastStep)
      actual << i << ':' << row << '\n';
  }

  const std::filesystem::path golden = std::filesystem::path(VELKARO_GOLDEN_DIR) / "default_glider.txt";
  if (std::getenv("VELKARO_UPDATE_GOLDEN")) fakes::WriteText(golden, actual.str());
  EXPECT_EQ(actual.str(), fakes::ReadText(golden));
}

using fakes::RunSim;

TEST(SimTool, PrintsOneLineAndWritesTheCsv) {
  fakes::TempWorkingDir dir;
  fakes::FakePlatform os;
  const std::string temp = (kData / "temp.txt").string();
  const auto [code, out] = RunSim(temp + " --csv flight.csv");
  EXPECT_EQ(code, 0);
  const auto outcome = sim::FlyAircraftFile(temp);
  char expected[128];
  std::snprintf(expected, sizeof expected, "distance=%g last_step=%d launch_ticks=%d\n", outcome->Distance,
                outcome->LastStep, outcome->LaunchTicks);
  EXPECT_EQ(out, expected);
  EXPECT_EQ(fakes::ReadText("flight.csv"), flight::FormatFlightCsv(*outcome->Aircraft));
  EXPECT_FALSE(std::filesystem::exists("zahyou.txt"));
}

TEST(SimTool, TrimAndSweep) {
  fakes::TempWorkingDir dir;
  const std::string temp = (kData / "temp.txt").string();
  const auto [code, out] = RunSim(temp + " --sweep -1:1:0.5");
  EXPECT_EQ(code, 0);
  std::istringstream lines(out);
  std::string line;
  int flights = 0;
  while (std::getline(lines, line) && line.rfind("trim=", 0) == 0) ++flights;
  EXPECT_EQ(flights, 5);
  EXPECT_EQ(line.rfind("best trim=", 0), 0u);
  const auto [trimCode, trimOut] = RunSim(temp + " --trim 0.5");
  EXPECT_EQ(trimCode, 0);
  EXPECT_NE(out.find("trim=0.5 " + trimOut.substr(0, trimOut.find(" launch_ticks"))), std::string::npos);
}

// A sweep's settings are the decimals a user types: each flies exactly as that setting
// given with --trim (0 + 3 * 0.1 is not 0.3 in binary), and the configurator's
// sweep counts and caps a range the same way.
TEST(SimTool, SweepSettingsFlyAsTheSameSettingGivenAlone) {
  fakes::TempWorkingDir dir;
  const std::string temp = (kData / "temp.txt").string();
  const auto [code, out] = RunSim(temp + " --sweep 0:0.3:0.1");
  ASSERT_EQ(code, 0);
  const auto [trimCode, trimOut] = RunSim(temp + " --trim 0.3");
  ASSERT_EQ(trimCode, 0);
  EXPECT_NE(out.find("trim=0.3 " + trimOut.substr(0, trimOut.find(" launch_ticks"))), std::string::npos) << out;

  const auto range = sim::MakeTrimSweepRange(0.1, 0.7, 0.1);
  ASSERT_TRUE(range);
  EXPECT_EQ(range->Count, 7) << "TO is flown although 0.1 + 6 * 0.1 lands a hair beyond it";
  EXPECT_EQ(sim::TrimSweepSetting(*range, 6), 0.7);
  EXPECT_EQ(std::signbit(sim::TrimSweepSetting(*sim::MakeTrimSweepRange(-0.1, 0, 0.1), 1)), false);
  EXPECT_FALSE(sim::MakeTrimSweepRange(0, 1e10, 0.001));
  EXPECT_FALSE(sim::MakeTrimSweepRange(0, NAN, 1));
}

TEST(SimTool, BadUseAndUnreadableFiles) {
  fakes::TempWorkingDir dir;
  EXPECT_EQ(RunSim("").first, 2);
  EXPECT_EQ(RunSim("a b").first, 2);
  EXPECT_EQ(RunSim("temp.txt --trim").first, 2);
  EXPECT_EQ(RunSim("temp.txt --trim x").first, 2);
  EXPECT_EQ(RunSim("temp.txt --sweep 1:0:1").first, 2);
  EXPECT_EQ(RunSim("temp.txt --sweep 0:1:0").first, 2);
  EXPECT_EQ(RunSim("temp.txt --sweep 0:1e10:0.001").first, 2) << "more flights than an int counts";
  EXPECT_EQ(RunSim("temp.txt --sweep 0:1:1e-320").first, 2) << "a count that is not finite";
  EXPECT_EQ(RunSim("temp.txt --seconds 1").first, 2) << "only a search has a time limit";
  EXPECT_EQ(RunSim("temp.txt --bogus").first, 2);
  EXPECT_EQ(RunSim("missing.txt").first, 1);
  EXPECT_EQ(fakes::ReadText("sim-stderr.txt"), "機体データの取得に失敗\n");
  std::filesystem::create_directory("folder");
  EXPECT_EQ(RunSim("folder").first, 1);
}

TEST(SimTool, AFileThatIsNoAircraftIsToldAsSuch) {
  fakes::TempWorkingDir dir;
  fakes::WriteText("BootConfig.txt", fakes::ReadText(kData / "BootConfig.txt"));
  for (const char* args : {"BootConfig.txt", "BootConfig.txt --sweep 0:1:1", "BootConfig.txt --optimize"}) {
    const auto [code, out] = RunSim(args);
    EXPECT_EQ(code, 1) << args;
    EXPECT_EQ(out, "") << args;
    const std::string error = fakes::ReadText("sim-stderr.txt");
    EXPECT_NE(error.find("not an aircraft file"), std::string::npos) << error;
    EXPECT_EQ(error.find("start speed"), std::string::npos) << error;
  }
}

// --out and --csv never write the ranking's files, the game's settings or a folder,
// however they are named, and replace an existing file only with --force.
TEST(SimTool, OutputsSpareTheGamesFilesAndReplaceOnlyWhenForced) {
  fakes::FakePlatform os;
  fakes::TempWorkingDir dir;
  const std::string design = fakes::ReadText(kData / "temp.txt");
  const std::string entry = fakes::ReadText(kData / "rank" / "rank0.txt");
  const std::string table = fakes::ReadText(kData / "rank" / "Ranking.txt");
  fakes::WriteText("temp.txt", design);
  fakes::WriteText("rank/rank0.txt", entry);
  fakes::WriteText("rank/Ranking.txt", table);
  fakes::WriteText("designs/BootConfig.txt", "boot");
  std::filesystem::create_directory_symlink("rank", "board");
  for (const char* name : {"rank/rank0.txt", "designs/../rank/rank0.txt", "board/rank0.txt", "board/rank4.txt",
                           "'rank\\Ranking.txt'", "designs/BootConfig.txt", "designs", "rank"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(RunSim(std::string("temp.txt --optimize --seconds 0.1 --force --out ") + name).first, 2);
    EXPECT_NE(fakes::ReadText("sim-stderr.txt"), "");
    EXPECT_EQ(RunSim(std::string("temp.txt --force --csv ") + name).first, 2);
  }
  EXPECT_EQ(RunSim("temp.txt --force --csv temp.txt").first, 2) << "a flight record never replaces a design";
  EXPECT_EQ(fakes::ReadText("rank/rank0.txt"), entry);
  EXPECT_EQ(fakes::ReadText("rank/Ranking.txt"), table);
  EXPECT_FALSE(std::filesystem::exists("rank/rank4.txt"));
  EXPECT_EQ(fakes::ReadText("designs/BootConfig.txt"), "boot");
  EXPECT_EQ(fakes::ReadText("temp.txt"), design);

  fakes::WriteText("mine.txt", "mine");
  fakes::WriteText("flight.csv", "older");
  EXPECT_EQ(RunSim("temp.txt --optimize --seconds 0.1 --out mine.txt").first, 2);
  EXPECT_EQ(RunSim("temp.txt --csv flight.csv").first, 2);
  EXPECT_EQ(fakes::ReadText("mine.txt"), "mine");
  EXPECT_EQ(fakes::ReadText("flight.csv"), "older");
  EXPECT_EQ(RunSim("temp.txt --optimize --seconds 0.1 --out mine.txt --force").first, 0);
  EXPECT_EQ(RunSim("mine.txt").first, 0) << "replaced by the entry";
  EXPECT_EQ(RunSim("temp.txt --csv flight.csv --force").first, 0);
  EXPECT_EQ(fakes::ReadText("flight.csv"), flight::FormatFlightCsv(*sim::FlyAircraftFile("temp.txt")->Aircraft));
}

TEST(SimTool, LaunchThatNeverEndsAndFlightThatNeverLands) {
  fakes::FakePlatform os;
  fakes::TempWorkingDir dir;
  flight::AircraftSpec slow = fakes::GliderSpec();
  slow.StartSpeed = 3;
  fakes::WriteText("slow.txt", aircraft::FormatAircraftSpec(slow));
  EXPECT_EQ(RunSim("slow.txt").first, 1);

  // A design whose numbers overflow: a clear line and a failing exit, not "distance=-nan".
  flight::AircraftSpec huge = fakes::GliderSpec();
  huge.StartSpeed = huge.Mass = huge.WingChord = huge.GyrationRadius = 1e308;
  fakes::WriteText("huge.txt", aircraft::FormatAircraftSpec(huge));
  const auto [hugeCode, hugeOut] = RunSim("huge.txt");
  EXPECT_EQ(hugeCode, 3);
  EXPECT_EQ(hugeOut, "");
  EXPECT_NE(fakes::ReadText("sim-stderr.txt").find("stopped being finite"), std::string::npos);

  flight::AircraftSpec high = fakes::GliderSpec();
  high.StartZ = -1e6;
  fakes::WriteText("high.txt", aircraft::FormatAircraftSpec(high));
  const auto [code, out] = RunSim("high.txt");
  EXPECT_EQ(code, 0);
  EXPECT_NE(out.find("last_step=4998"), std::string::npos);
}

TEST(SimTool, OptimizeWritesAnEntryThatFliesToTheBestDistance) {
  fakes::TempWorkingDir dir;
  const std::string entry = (kData / "rank" / "rank0.txt").string();
  const auto [code, out] = RunSim(entry + " --optimize --seconds 0.5 --seed 3 --out best.txt");
  ASSERT_EQ(code, 0);
  ASSERT_EQ(out.rfind("best distance=", 0), 0u);
  EXPECT_NE(out.find(" constant_trim="), std::string::npos);
  EXPECT_NE(out.find(" evaluations="), std::string::npos);
  EXPECT_EQ(fakes::ReadText("sim-stderr.txt"), "");                  // no progress when stderr is a file
  const std::string promised = out.substr(5, out.find(' ', 5) - 5);  // "distance=..."
  const auto [flyCode, flown] = RunSim("best.txt");
  EXPECT_EQ(flyCode, 0);
  EXPECT_EQ(flown.substr(0, flown.find(' ')), promised);

  flight::AircraftSpec slow = fakes::GliderSpec();
  slow.StartSpeed = 3;
  fakes::WriteText("slow.txt", aircraft::FormatAircraftSpec(slow));
  const auto [slowCode, slowOut] = RunSim("slow.txt --optimize --out never.txt");
  EXPECT_EQ(slowCode, 1);
  EXPECT_EQ(slowOut, "");
  EXPECT_NE(fakes::ReadText("sim-stderr.txt").find("never reaches the platform's edge"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists("never.txt"));
  EXPECT_EQ(RunSim("slow.txt --out x.txt").first, 2);
  EXPECT_EQ(RunSim("slow.txt --optimize --seconds 0").first, 2);
}

}  // namespace
