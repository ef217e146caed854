// The exact bits of whole flights: every record field of every row, every strip array
// and the result, hashed and compared with stored hashes. Six printed digits would miss
// a last-bit drift; a ranked flight replays only if there is none. Set
// VELKARO_UPDATE_GOLDEN=1 to rewrite the stored hashes after a deliberate physics change.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "aircraft/aircraft_file.h"
#include "fakes/fake_platform.h"
#include "fakes/flight_hash.h"
#include "fakes/temp_dir.h"
#include "fakes/test_aircraft.h"
#include "flight/vector_copies.h"
#include "ranking/ranking_files.h"
#include "sim/headless_flight.h"
#include "sim/player_flight.h"

namespace {

const std::filesystem::path kData = VELKARO_DATA_DIR;
const std::filesystem::path kHashes = std::filesystem::path(VELKARO_GOLDEN_DIR) / "exact_bits.txt";

std::string HashOfFile(const std::string& name, const std::string& file, const sim::FlightOptions& options = {}) {
  const auto outcome = sim::FlyAircraftFile(file, options);
  if (!outcome) return name + " unreadable\n";
  return fakes::FlightHashLine(name, *outcome->Aircraft, outcome->Distance);
}

// A player's flight with every kind of input: keys on the platform, a mouse drag with
// the button held, a drag without it (ignored), and keys again late in the flight.
std::string HashOfScriptedPlayer() {
  fakes::FakePlatform os;
  fakes::TempWorkingDir dir;
  fakes::WriteText("temp.txt", fakes::ReadText(kData / "temp.txt"));
  auto table = std::make_unique<ranking::RankingTable>();
  sim::PlayerControls controls{&os.Input, &os.Random, [&](int tick) {
                                 os.Input.Release(platform::Key::Up);
                                 os.Input.Release(platform::Key::Down);
                                 os.Input.Release(platform::Key::LeftButton);
                                 if (tick < 40) os.Input.Press(platform::Key::Down);
                                 if (tick > 300 && tick < 320) {
                                   os.Input.Press(platform::Key::LeftButton);
                                   os.Input.CursorAt.Y -= 2;
                                 }
                                 if (tick > 400 && tick < 420) os.Input.CursorAt.Y += 5;
                                 if (tick > 1000 && tick % 40 == 0) os.Input.Press(platform::Key::Up);
                               }};
  os.Random.Values = {5, 77, 31, 64};
  sim::PlayerFlight flown;
  if (!sim::FlyAsPlayer(*table, controls, flown)) return "player launch-failed\n";
  fakes::BitHash logHash;
  for (int i = 0; i < table->InProgressLog.Count; ++i) logHash.Add(table->InProgressLog.Values[i]);
  return fakes::FlightHashLine("player", *flown.Aircraft, flown.Distance) +
         "player-log count=" + std::to_string(table->InProgressLog.Count) + " values=" + logHash.Hex() + '\n';
}

// The golden flight, every shipped ranking entry, a scripted player and a whole-wing
// flight, one hash line each.
std::string GoldenHashes() {
  fakes::FakePlatform os;
  fakes::TempWorkingDir dir;
  std::string actual;

  fakes::WriteText("golden.txt", fakes::GoldenEntryText(fakes::ReadText(kData / "temp.txt")));
  actual += HashOfFile("golden", "golden.txt");
  for (int i = 0; i < ranking::kEntryCount; ++i) {
    actual += HashOfFile("rank" + std::to_string(i), (kData / "rank" / ("rank" + std::to_string(i) + ".txt")).string());
  }
  actual += HashOfScriptedPlayer();

  flight::AircraftSpec wholeWing = fakes::GliderSpec();
  wholeWing.StripModel = 0;
  fakes::WriteText("whole.txt", aircraft::FormatAircraftSpec(wholeWing));
  actual += HashOfFile("whole-wing-trim-0.75", "whole.txt", {.TrimDeg = 0.75});
  return actual;
}

TEST(ExactBits, GoldenRankedPlayerAndWholeWingFlights) {
  const std::string actual = GoldenHashes();
  if (std::getenv("VELKARO_UPDATE_GOLDEN")) fakes::WriteText(kHashes, actual);
  EXPECT_EQ(actual, fakes::ReadText(kHashes));
}

// The flight code has a baseline copy and, on CPUs with AVX2, a wider one; whichever the
// CPU takes above, the baseline copy must give the same bits.
TEST(ExactBits, BaselineVectorCopiesGiveTheSameBits) {
  flight::AllowAvx2Copies(false);
  EXPECT_FALSE(flight::UsesAvx2Copies());
  const std::string actual = GoldenHashes();
  flight::AllowAvx2Copies(true);
  EXPECT_EQ(actual, fakes::ReadText(kHashes));
}

}  // namespace
