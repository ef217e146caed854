// The ghost's flight: a ranking entry flown again one tick per call is the headless
// flight of the same entry, pose for pose and record for record, and it stays put
// after its touchdown; texts that hold no recorded flight give no ghost.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <vector>

#include "fakes/fake_platform.h"
#include "fakes/headless_poses.h"
#include "fakes/temp_dir.h"
#include "sim/headless_flight.h"
#include "sim/ghost_flight.h"

namespace {

using fakes::HeadlessPoses;
using fakes::Pose;
using fakes::PoseOf;

std::string EntryText(int index) {
  return fakes::ReadText(std::filesystem::path(VELKARO_DATA_DIR) / "rank" / ("rank" + std::to_string(index) + ".txt"));
}

class GhostFlightOfEntry : public ::testing::TestWithParam<int> {};

TEST_P(GhostFlightOfEntry, FliesTheHeadlessFlightTickByTickAndStopsAtTouchdown) {
  const std::string text = EntryText(GetParam());
  const std::vector<Pose> headless = HeadlessPoses(text);
  fakes::RecordingModel* model = nullptr;
  auto ghost = sim::GhostFlight::FromEntryText(text, [&model](const flight::Aircraft&) {
    auto built = std::make_unique<fakes::RecordingModel>();
    model = built.get();
    return built;
  });
  ASSERT_TRUE(ghost);
  ASSERT_TRUE(model);
  EXPECT_EQ(ghost->Aircraft().DisplayX, flight::kPlatformStartX);  // waiting at the top of the platform
  EXPECT_EQ(ghost->Phase(), sim::FlightPhase::OnPlatform);

  for (size_t tick = 0; tick < headless.size(); ++tick) {
    const sim::FlightPhase phase = ghost->Tick();
    ASSERT_TRUE(PoseOf(ghost->Aircraft()) == headless[tick]) << "tick " << tick;
    ASSERT_EQ(phase == sim::FlightPhase::Touchdown, tick + 1 == headless.size()) << "tick " << tick;
  }
  EXPECT_EQ(ghost->Ticks(), static_cast<int>(headless.size()));
  EXPECT_GT(model->Writes[4], 0);  // its own model's tail is turned as the flight goes

  // The whole record, and the distance, are those of the demo's headless flight.
  const auto flown = sim::FlyAircraftFile((std::filesystem::path(VELKARO_DATA_DIR) / "rank" /
                                           ("rank" + std::to_string(GetParam()) + ".txt"))
                                              .string());
  ASSERT_TRUE(flown);
  EXPECT_EQ(ghost->Aircraft().DisplayX, flown->Distance);
  EXPECT_EQ(ghost->Aircraft().LastStep, flown->LastStep);
  EXPECT_EQ(std::memcmp(ghost->Aircraft().Records.data(), flown->Aircraft->Records.data(),
                        sizeof(flight::FlightRecord) * (flown->LastStep + 1)),
            0);

  // After its touchdown it stays where it came down.
  const Pose landed = PoseOf(ghost->Aircraft());
  for (int i = 0; i < 50; ++i) EXPECT_EQ(ghost->Tick(), sim::FlightPhase::Touchdown);
  EXPECT_TRUE(PoseOf(ghost->Aircraft()) == landed);
  EXPECT_EQ(ghost->Ticks(), static_cast<int>(headless.size()));
}

// The longest shipped flight and a short one of another design.
INSTANTIATE_TEST_SUITE_P(ShippedEntries, GhostFlightOfEntry, ::testing::Values(0, 9));

TEST(GhostFlight, TextsWithoutARecordedFlightGiveNoGhost) {
  const std::string entry = EntryText(0);
  const std::string design = fakes::ReadText(std::filesystem::path(VELKARO_DATA_DIR) / "temp.txt");
  // The first 51 lines: the aircraft lines and the separator, and no value after them.
  size_t end = 0;
  for (int line = 0; line < 51; ++line) end = entry.find('\n', end) + 1;
  const std::string separatorOnly = entry.substr(0, end);

  EXPECT_FALSE(sim::GhostFlight::FromEntryText(""));
  EXPECT_FALSE(sim::GhostFlight::FromEntryText(design)) << "an aircraft file has no control log";
  EXPECT_FALSE(sim::GhostFlight::FromEntryText(separatorOnly)) << "no recorded value";
  auto oneValue = sim::GhostFlight::FromEntryText(separatorOnly + "0.5\r\n");
  ASSERT_TRUE(oneValue);
  EXPECT_FALSE(oneValue->Aircraft().Model) << "no model unless one is asked for";
  EXPECT_FALSE(oneValue->Aircraft().CoordinateLog) << "a ghost never writes the player's coordinate log";
}

}  // namespace
