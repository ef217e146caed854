// Files that are not what they seem: a FIFO, a folder or a link in place of a data
// file. Reading refuses anything but a regular file at once (a FIFO would block the
// game for ever), and no write follows a link to overwrite what it points at.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "aircraft/load_aircraft.h"
#include "fakes/fake_platform.h"
#include "fakes/temp_dir.h"
#include "fakes/test_aircraft.h"
#include "flight/flight_csv.h"
#include "platform/files.h"
#include "ranking/control_log.h"
#include "ranking/ranking_files.h"
#include "ranking/registration.h"

namespace {

namespace fs = std::filesystem;

constexpr unsigned kGiveUpSeconds = 20;  // a read that blocks fails the test instead of hanging it

struct HostileFiles : ::testing::Test {
  fakes::FakePlatform os;
  fakes::TempWorkingDir dir;
  void SetUp() override { alarm(kGiveUpSeconds); }
  void TearDown() override { alarm(0); }
  static void MakeFifo(const char* path) { ASSERT_EQ(mkfifo(path, 0644), 0); }
};

TEST_F(HostileFiles, FifoOrFolderIsRefusedAtOnce) {
  MakeFifo("BootConfig.txt");
  EXPECT_FALSE(platform::ReadFilePrefix("BootConfig.txt", 100));
  fs::create_directory("temp.txt");
  EXPECT_FALSE(platform::ReadFilePrefix("temp.txt", 100));
  fs::create_directory("rank");
  MakeFifo("rank/Ranking.txt");
  ranking::LoadRanking();
  ASSERT_EQ(os.Dialogs.Warnings.size(), 1u);                   // the table's own message, no hang
  EXPECT_FALSE(platform::WriteFile("rank/Ranking.txt", "x"));  // nor does a write block on it
}

TEST_F(HostileFiles, WritesReplaceLinksInsteadOfFollowingThem) {
  fakes::WriteText("victim.txt", "keep me");
  const auto linkTo = [](const char* name) { fs::create_symlink(fs::absolute("victim.txt"), name); };

  // The coordinate log is not opened through a link (reported as unopenable).
  linkTo("zahyou.txt");
  const auto a = aircraft::CreateAircraft(true);
  EXPECT_FALSE(a->CoordinateLog);
  EXPECT_EQ(os.Dialogs.Warnings.size(), 1u);

  // A CSV export under a linked name is refused.
  linkTo("flight.csv");
  EXPECT_FALSE(flight::WriteFlightCsv(*fakes::MakeAircraft(), "flight.csv"));

  // A save replaces the link with the new file.
  linkTo("temp.txt");
  EXPECT_TRUE(platform::WriteFileAtomically("temp.txt", "new design"));
  EXPECT_FALSE(fs::is_symlink("temp.txt"));
  EXPECT_EQ(fakes::ReadText("temp.txt"), "new design");

  // A registration replaces linked entry files and ignores a planted temporary link.
  fs::create_directory("rank");
  fs::create_symlink(fs::absolute("victim.txt"), "rank/rank0.txt");
  fs::create_symlink(fs::absolute("victim.txt"), "rank/rank1.txt.tmp");
  auto table = std::make_unique<ranking::RankingTable>();
  ranking::ResetControlLog(*table, 0);
  os.Dialogs.Names.push_back(std::string("Pilot"));
  ranking::RegisterDistance(*table, 10.0f, 1);
  EXPECT_FALSE(fs::is_symlink("rank/rank0.txt"));
  EXPECT_FALSE(fs::exists(fs::symlink_status("rank/rank1.txt.tmp")));
  EXPECT_EQ(table->Entries[0].Name, "Pilot");

  EXPECT_EQ(fakes::ReadText("victim.txt"), "keep me");
}

}  // namespace
