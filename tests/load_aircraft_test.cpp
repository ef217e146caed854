#include "aircraft/load_aircraft.h"

#include <gtest/gtest.h>

#include "aircraft/aircraft_file.h"
#include "fakes/fake_platform.h"
#include "fakes/temp_dir.h"
#include "fakes/test_aircraft.h"
#include "platform/text/shift_jis.h"

namespace {

struct LoadAircraftTest : ::testing::Test {
  fakes::FakePlatform os;
  fakes::TempWorkingDir dir;
  std::unique_ptr<flight::Aircraft> current;
  void SetUp() override { fakes::WriteText("temp.txt", aircraft::FormatAircraftSpec(fakes::GliderSpec())); }
};

TEST_F(LoadAircraftTest, PutsTheAircraftOnThePlatformAndLogsRecordZero) {
  aircraft::LoadAircraft(current, "temp.txt");
  EXPECT_EQ(current->DisplayX, -10);
  EXPECT_EQ(current->DisplayHeight, 11.5f);
  EXPECT_EQ(current->Step, 0);
  EXPECT_EQ(current->Mass, 100);
  current.reset();  // closes the log
  EXPECT_EQ(fakes::ReadText("zahyou.txt"), "0,0,10.5,0,8,0,0,");
}

TEST_F(LoadAircraftTest, EverySecondLoadStartsAFreshLog) {
  aircraft::LoadAircraft(current, "temp.txt");
  *current->CoordinateLog << "first aircraft\n";
  aircraft::LoadAircraft(current, "temp.txt");
  current.reset();
  EXPECT_EQ(fakes::ReadText("zahyou.txt"), "0,0,10.5,0,8,0,0,");
}

TEST_F(LoadAircraftTest, MissingFileKeepsAZeroAircraftOnThePlatform) {
  aircraft::LoadAircraft(current, "rank\\rank4.txt");
  ASSERT_EQ(os.Dialogs.Warnings.size(), 1u);
  EXPECT_EQ(current->Mass, 0);
  EXPECT_EQ(current->StripCount, 0);
  EXPECT_EQ(current->DisplayX, -10);
}

TEST_F(LoadAircraftTest, UnwritableLogIsReportedAndTheLoadGoesOn) {
  std::filesystem::create_directory("zahyou.txt");
  aircraft::LoadAircraft(current, "temp.txt");
  ASSERT_EQ(os.Dialogs.Warnings.size(), 1u);
  EXPECT_EQ(platform::ShiftJisToUtf8(os.Dialogs.Warnings[0]), "座標バックアップファイル生成に失敗");
  EXPECT_FALSE(current->CoordinateLog);
  EXPECT_EQ(current->Mass, 100);
}

TEST_F(LoadAircraftTest, ModelBuilderRunsAfterParsing) {
  aircraft::LoadOptions options;
  options.BuildModel = [](const flight::Aircraft& a) -> std::unique_ptr<flight::AircraftModel> {
    EXPECT_EQ(a.StripCount, 14);
    return std::make_unique<fakes::RecordingModel>();
  };
  aircraft::LoadAircraft(current, "temp.txt", options);
  EXPECT_NE(current->Model, nullptr);
}

}  // namespace
