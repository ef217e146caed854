// Files that are not what they seem: a FIFO, a folder or a link in place of a data
// file. Reading refuses anything but a regular file at once (a FIFO would block the
// game for ever), and no write follows a link to overwrite what it points at.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <map>

#include "aircraft/load_aircraft.h"
#include "fakes/fake_platform.h"
#include "fakes/temp_dir.h"
#include "fakes/test_aircraft.h"
#include "flight/flight_csv.h"
#include "platform/io/file_ops.h"
#include "platform/io/file_transaction.h"
#include "platform/io/files.h"
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

// A ranking whose entry i is "E<i>", 100 - 10 i metres, written as the game writes it.
void WriteRanking() {
  fs::create_directories("rank");
  auto table = std::make_unique<ranking::RankingTable>();
  for (int i = 0; i < ranking::kEntryCount; ++i) table->Entries[i] = {"E" + std::to_string(i), 100.0f - 10 * i};
  ASSERT_TRUE(platform::ReplaceFilesTogether(ranking::kRankingFolder, ranking::RankingFileChanges(*table)));
  fakes::WriteText("temp.txt", "design\r\n");
}

std::map<std::string, std::string> FilesIn(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& e : fs::directory_iterator(folder)) {
    if (e.is_regular_file()) files[e.path().filename().string()] = fakes::ReadText(e.path());
  }
  return files;
}

// Whether another process could take the folder's lock now.
bool LockIsFree() {
  const int fd = open("rank/.velkaro.lock", O_RDONLY);
  const bool free = fd >= 0 && flock(fd, LOCK_EX | LOCK_NB) == 0;
  if (fd >= 0) close(fd);
  return free;
}

// A game that starts and registers a flight of 500 m.
std::unique_ptr<ranking::RankingTable> StartAndRegister() {
  auto table = ranking::LoadRanking();
  ranking::ResetControlLog(*table, 0);
  ranking::RegisterDistance(*table, 500.0f, 1, std::string("flown\r\n"));
  return table;
}

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

// Crash recovery removes only what the game made: never through a link, never a file
// that is not one of its temporaries; what it leaves alone it reports once per start.
TEST_F(HostileFiles, RecoveryNeverReachesThroughLinks) {
  fakes::WriteText("victim/data.txt", "keep");
  fakes::WriteText("victim/.hidden", "keep");
  fakes::WriteText("elsewhere/notes.tmp", "keep");
  fakes::WriteText("elsewhere/Ranking.txt.tmp", "old temporary");
  fakes::WriteText("elsewhere/rank3.txt.77.0.tmp", "old temporary");
  fs::create_directory_symlink(fs::absolute("elsewhere"), "rank");  // the player keeps the ranking elsewhere
  WriteRanking();
  fs::create_directory_symlink(fs::absolute("victim"), "rank/.velkaro-new-x");
  fs::create_directory_symlink(fs::absolute("victim"), "rank/.velkaro-commit");
  const auto victim = FilesIn("victim");

  auto table = ranking::LoadRanking();
  EXPECT_EQ(FilesIn("victim"), victim);
  EXPECT_TRUE(fs::exists("elsewhere/notes.tmp"));
  EXPECT_FALSE(fs::exists("elsewhere/Ranking.txt.tmp"));
  EXPECT_FALSE(fs::exists("elsewhere/rank3.txt.77.0.tmp"));
  EXPECT_TRUE(fs::is_symlink("rank/.velkaro-new-x"));
  EXPECT_EQ(os.Dialogs.Warnings.size(), 1u) << "the links are reported";

  // A registration does not report them again; it cannot commit past the foreign
  // commit link, says so and leaves the files.
  fs::remove("rank/.velkaro-commit");
  ranking::RegisterDistance(*table, 500.0f, 1, std::string("flown\r\n"));
  EXPECT_EQ(os.Dialogs.Warnings.size(), 1u);
  EXPECT_EQ(ranking::LoadRanking()->Entries[0].Distance, 500.0f);
  EXPECT_EQ(FilesIn("victim"), victim);
}

// Without the folder's lock nothing is written: the table shows the flight until the
// next registration, the shutdown save writes nothing, and neither claims success.
TEST_F(HostileFiles, RankingIsNotWrittenWithoutTheFolderLock) {
  WriteRanking();
  fakes::WriteText("elsewhere", "");
  fs::create_symlink(fs::absolute("elsewhere"), "rank/.velkaro.lock");
  const auto before = FilesIn("rank");
  auto table = StartAndRegister();
  EXPECT_EQ(table->Entries[0].Distance, 500.0f) << "shown from memory";
  EXPECT_EQ(os.Dialogs.Warnings.size(), 1u);
  EXPECT_FALSE(ranking::SaveRanking(*table));
  EXPECT_EQ(os.Dialogs.Warnings.size(), 2u);
  EXPECT_EQ(FilesIn("rank"), before);
  EXPECT_TRUE(fs::is_symlink("rank/.velkaro.lock"));

  // A lock file that cannot be opened for writing, or a folder by its name, still locks.
  fs::remove("rank/.velkaro.lock");
  fs::create_directory("rank/.velkaro.lock");
  EXPECT_TRUE(platform::FolderLock(ranking::kRankingFolder).Held());
  fs::remove("rank/.velkaro.lock");
  fakes::WriteText("rank/.velkaro.lock", "");
  bool refusedOnce = false;
  platform::fileops::testing::SetHook(
      [&](platform::fileops::Op op, const std::string& path) {
        const bool refuse = op == platform::fileops::Op::Open && path.ends_with(".velkaro.lock") && !refusedOnce;
        refusedOnce = refusedOnce || refuse;
        return !refuse;
      },
      EACCES);
  {
    const platform::FolderLock lock(ranking::kRankingFolder);
    EXPECT_TRUE(refusedOnce);
    EXPECT_TRUE(lock.Held());
    EXPECT_FALSE(LockIsFree());
  }
  platform::fileops::testing::SetHook({});
  EXPECT_TRUE(LockIsFree());
}

// A game that started with no table (or an empty one) does not overwrite, when it
// quits, the table another game wrote meanwhile.
TEST_F(HostileFiles, ShutdownKeepsAnotherGamesTableWhateverThisGameStartedWith) {
  for (const bool emptyFile : {false, true}) {
    fs::remove_all("rank");
    fs::create_directory("rank");
    if (emptyFile) fakes::WriteText("rank/Ranking.txt", "");
    auto gameA = ranking::LoadRanking();
    auto gameB = StartAndRegister();
    const std::string tableOfB = fakes::ReadText("rank/Ranking.txt");
    ASSERT_NE(tableOfB.find("500"), std::string::npos);
    EXPECT_TRUE(ranking::SaveRanking(*gameA));
    EXPECT_EQ(fakes::ReadText("rank/Ranking.txt"), tableOfB) << (emptyFile ? "empty" : "missing");
  }
}

// Messages wait for the folder's lock to be released: a player who leaves a message
// box open never holds up another game's registration.
TEST_F(HostileFiles, WarningsAreShownOnlyOnceTheFolderIsFree) {
  WriteRanking();
  fs::remove("rank/rank3.txt");
  int shownWhileLocked = 0;
  os.Dialogs.OnWarning = [&] { shownWhileLocked += !LockIsFree(); };
  auto table = ranking::LoadRanking();
  ASSERT_FALSE(os.Dialogs.Warnings.empty());
  platform::fileops::testing::SetHook([](platform::fileops::Op op, const std::string&) {
    return op != platform::fileops::Op::MakeFolder;
  }, ENOSPC);
  ranking::RegisterDistance(*table, 500.0f, 1, std::string("flown\r\n"));
  platform::fileops::testing::SetHook({});
  EXPECT_GT(os.Dialogs.Warnings.size(), 2u);
  EXPECT_EQ(shownWhileLocked, 0);
}

// A file that is there but cannot be read now is not taken for a short or missing
// one: its bytes are never replaced by what the game did not read.
TEST_F(HostileFiles, AnUnreadableEntryIsNeverRewritten) {
  WriteRanking();
  const std::string entry3 = "e3 lines\r\n";
  fakes::WriteText("rank/rank3.txt", entry3);
  int reads = 0;
  platform::fileops::testing::SetHook(
      [&](platform::fileops::Op op, const std::string& path) {
        if (op == platform::fileops::Op::Read) return ++reads != 2;  // the second read of the file fails
        return !(op == platform::fileops::Op::Open && path.ends_with("rank3.txt"));
      },
      EMFILE);
  fakes::WriteText("big.txt", std::string(200000, 'x'));
  EXPECT_FALSE(platform::ReadFilePrefix("big.txt", 1 << 20)) << "a read error is not the end of the file";
  auto table = ranking::LoadRanking();
  const auto before = FilesIn("rank");
  ranking::RegisterDistance(*table, 500.0f, 1, std::string("flown\r\n"));
  EXPECT_EQ(FilesIn("rank"), before) << "refused while rank3.txt cannot be read";

  platform::fileops::testing::SetHook({});
  os.Dialogs.Names.push_back(std::string("Later"));
  ranking::RegisterDistance(*table, 600.0f, 1, std::string("flown\r\n"));
  const auto after = ranking::LoadRanking();
  EXPECT_EQ(after->Entries[0].Name, "Later");
  EXPECT_EQ(fakes::ReadText("rank/rank4.txt").substr(0, entry3.size()), entry3) << "moved down whole";
}

}  // namespace
