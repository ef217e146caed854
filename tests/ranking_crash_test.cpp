// The ranking survives any crash: a registration is killed just before each of its
// file operations and at random times, made to fail at each operation (a full disk),
// and run by two games at once; the next start must see the whole old ranking or the
// whole new one, nothing lost, nothing out of step, no temporary files left.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <set>

#include "fakes/fake_platform.h"
#include "fakes/temp_dir.h"
#include "platform/io/file_ops.h"
#include "platform/io/file_transaction.h"
#include "ranking/control_log.h"
#include "ranking/ranking_files.h"
#include "ranking/registration.h"

namespace {

using platform::fileops::Op;
namespace fs = std::filesystem;

constexpr int kRandomKills = 80;
constexpr int kTwoGameRounds = 100;

// The eleven files' bytes, and what else the folder holds.
struct FolderView {
  std::string Table;
  std::array<std::string, ranking::kEntryCount> Entries;
  std::set<std::string> Names;
  bool operator==(const FolderView& other) const { return Table == other.Table && Entries == other.Entries; }
};

FolderView ReadFolder() {
  FolderView view;
  view.Table = fakes::ReadText("rank/Ranking.txt");
  for (int i = 0; i < ranking::kEntryCount; ++i)
    view.Entries[i] = fakes::ReadText("rank/rank" + std::to_string(i) + ".txt");
  for (const auto& e : fs::directory_iterator("rank")) view.Names.insert(e.path().filename().string());
  return view;
}

// Entry i: "E<i>", 100 - 10 i metres, a one-value log holding i, aircraft lines "e<i>".
void WriteStartingRanking() {
  fs::remove_all("rank");
  fs::create_directory("rank");
  ranking::RankingTable table;
  for (int i = 0; i < ranking::kEntryCount; ++i) {
    table.Entries[i] = {"E" + std::to_string(i), 100.0f - 10 * i};
    table.EntryLogs[i].Values[0] = i;
    table.EntryLogs[i].Count = 1;
    table.EntryLines[i].fill("e" + std::to_string(i));
  }
  ASSERT_TRUE(platform::ReplaceFilesTogether(ranking::kRankingFolder, ranking::RankingFileChanges(table)));
  std::string temp;
  for (int i = 1; i <= 49; ++i) temp += "spec" + std::to_string(i) + "\r\n";
  fakes::WriteText("temp.txt", temp);
}

// A game that starts, flies (its log starts with `tail`) and registers `distance`.
void StartFlyAndRegister(fakes::FakePlatform& os, float distance, double tail, const std::string& name,
                         const std::function<void()>& beforeRegistering = {}) {
  auto table = ranking::LoadRanking();
  ranking::ResetControlLog(*table, tail);
  ranking::LogTailSetting(*table, tail + 0.05);
  os.Dialogs.Names.push_back(name);
  if (beforeRegistering) beforeRegistering();
  ranking::RegisterDistance(*table, distance, 2);
}

// How a folder seen at the next start compares with the ranking before and after.
struct Damage {
  int Lost = 0;       // an entry of the table before or after is in neither view
  int OutOfStep = 0;  // the table is of one generation, some entry file of the other
  int Torn = 0;       // a file holds bytes of no generation
  int Stray = 0;      // anything in the folder besides the eleven files and the lock
  int Checked = 0;
  int SawOld = 0, SawNew = 0;
  void Add(const FolderView& seen, const FolderView& before, const FolderView& after) {
    ++Checked;
    const bool oldTable = seen.Table == before.Table, newTable = seen.Table == after.Table;
    if (!oldTable && !newTable) ++Torn;
    for (int i = 0; i < ranking::kEntryCount; ++i) {
      const bool oldEntry = seen.Entries[i] == before.Entries[i], newEntry = seen.Entries[i] == after.Entries[i];
      if (!oldEntry && !newEntry) ++Torn;
      if ((oldTable && !oldEntry) || (newTable && !newEntry)) ++OutOfStep;
    }
    if (!(seen == before) && !(seen == after)) ++Lost;
    if (seen == before) ++SawOld;
    if (seen == after) ++SawNew;
    std::set<std::string> expected = after.Names;
    if (seen.Names != expected) ++Stray;
  }
  void ExpectNone(const std::string& what) const {
    std::printf("%s: %d starts checked (%d old, %d new): lost %d, out of step %d, torn %d, stray %d\n", what.c_str(),
                Checked, SawOld, SawNew, Lost, OutOfStep, Torn, Stray);
    EXPECT_EQ(Lost + OutOfStep + Torn + Stray, 0) << what;
  }
};

struct RankingCrash : ::testing::Test {
  fakes::FakePlatform os;
  fakes::TempWorkingDir dir;
  // A kill or a failed call does not depend on the disk having flushed: the syncs still
  // happen in order (and can be killed or failed), only without waiting for the disk.
  void SetUp() override { platform::fileops::testing::SkipDiskFlushes(true); }
  void TearDown() override { platform::fileops::testing::SkipDiskFlushes(false); }

  // The folder after the registration ran to its end.
  FolderView Completed(float distance) {
    WriteStartingRanking();
    StartFlyAndRegister(os, distance, 1.5, "New");
    return ReadFolder();
  }

  // File operations of one whole registration (after the game's start).
  int CountOperations(float distance) {
    WriteStartingRanking();
    int count = 0;
    StartFlyAndRegister(os, distance, 1.5, "New", [&] {
      platform::fileops::testing::SetHook([&](Op, const std::string&) { return ++count, true; });
    });
    platform::fileops::testing::SetHook({});
    return count;
  }

  // Runs the registration in a child process that dies as `kill` decides; then starts
  // the ranking again here, as the next game would, and returns what it sees.
  FolderView KilledThenRestarted(float distance, const std::function<void(pid_t child)>& parentSide,
                                 int dieBeforeOperation = -1) {
    WriteStartingRanking();
    const pid_t child = fork();
    if (child == 0) {
      int count = 0;
      StartFlyAndRegister(os, distance, 1.5, "New", [&] {
        platform::fileops::testing::SetHook([&](Op, const std::string&) {
          if (count++ == dieBeforeOperation) _exit(0);
          return true;
        });
      });
      _exit(0);
    }
    if (parentSide) parentSide(child);
    int status = 0;
    waitpid(child, &status, 0);
    const auto table = ranking::LoadRanking();  // the next start: recovers, then reads
    EXPECT_TRUE(os.Dialogs.Warnings.empty());
    os.Dialogs.Warnings.clear();
    return ReadFolder();
  }
};

const std::vector<std::pair<std::string, float>> kScenarios = {
    {"new entry 0", 150.0f}, {"new entry 3", 75.0f}, {"new entry 9", 15.0f}, {"not ranked", 5.0f}};

TEST_F(RankingCrash, KilledBeforeEveryFileOperation) {
  for (const auto& [what, distance] : kScenarios) {
    WriteStartingRanking();
    const FolderView before = ReadFolder();
    const FolderView after = Completed(distance);
    ASSERT_FALSE(before == after) << what;
    const int operations = CountOperations(distance);
    ASSERT_GT(operations, 40) << what;
    Damage damage;
    for (int k = 0; k <= operations; ++k) damage.Add(KilledThenRestarted(distance, {}, k), before, after);
    damage.ExpectNone("killed before each of " + std::to_string(operations) + " operations, " + what);
    EXPECT_GT(damage.SawOld, 0);
    EXPECT_GT(damage.SawNew, 0);
  }
}

TEST_F(RankingCrash, KilledAtRandomTimes) {
  WriteStartingRanking();
  const FolderView before = ReadFolder();
  const FolderView after = Completed(75.0f);
  const auto start = std::chrono::steady_clock::now();
  Completed(75.0f);
  const auto registrationUs =
      std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start).count();
  std::mt19937 random(20261209);
  std::uniform_int_distribution<long> delayUs(0, 2 * registrationUs + 1);
  Damage damage;
  for (int i = 0; i < kRandomKills; ++i) {
    const long delay = delayUs(random);
    damage.Add(KilledThenRestarted(75.0f,
                                   [&](pid_t child) {
                                     usleep(static_cast<useconds_t>(delay));
                                     kill(child, SIGKILL);
                                   }),
               before, after);
  }
  damage.ExpectNone(std::to_string(kRandomKills) + " kills at random times");
}

TEST_F(RankingCrash, DiskFullAtEveryFileOperation) {
  WriteStartingRanking();
  const FolderView before = ReadFolder();
  const FolderView after = Completed(75.0f);
  const int operations = CountOperations(75.0f);
  Damage damage;
  int reported = 0;
  for (int k = 0; k < operations; ++k) {
    WriteStartingRanking();
    int count = 0;
    StartFlyAndRegister(os, 75.0f, 1.5, "New", [&] {
      platform::fileops::testing::SetHook([&, k](Op, const std::string&) { return count++ != k; }, ENOSPC);
    });
    platform::fileops::testing::SetHook({});
    const bool failed = !os.Dialogs.Warnings.empty();
    reported += failed;
    os.Dialogs.Warnings.clear();
    ranking::LoadRanking();
    const FolderView seen = ReadFolder();
    // A failure the game reported leaves the old ranking, a silent one the new.
    EXPECT_TRUE(seen == (failed ? before : after)) << "operation " << k;
    damage.Add(seen, before, after);
  }
  damage.ExpectNone("disk full at each of " + std::to_string(operations) + " operations");
  EXPECT_GT(reported, 0);
}

// Two games in one folder register at the same moment: both entries survive, in the
// order of their distances, each with its own control log. A third game, started
// before them with the table as `prepare` left it, quits after them.
struct TwoGames {
  int Lost = 0, OutOfStep = 0;
};
TwoGames TwoGamesRegisteringAtOnce(fakes::FakePlatform& os, int rounds, const std::function<void()>& prepare) {
  TwoGames result;
  for (int round = 0; round < rounds; ++round) {
    WriteStartingRanking();
    const std::string startingTable = fakes::ReadText("rank/Ranking.txt");
    if (prepare) prepare();
    auto third = ranking::LoadRanking();
    fakes::WriteText("rank/Ranking.txt", startingTable);  // the two games start from the whole ranking
    pid_t games[2];
    for (int g = 0; g < 2; ++g) {
      games[g] = fork();
      if (games[g] == 0) {
        StartFlyAndRegister(os, g == 0 ? 85.0f : 65.0f, g + 1, g == 0 ? "A" : "B");
        _exit(0);
      }
    }
    for (pid_t game : games) waitpid(game, nullptr, 0);
    ranking::SaveRanking(*third);
    platform::fileops::testing::SetHook({});  // the next start in a plain folder
    fs::remove_all("rank/.velkaro.lock");
    const auto table = ranking::LoadRanking();
    const bool bothThere = table->Entries[1].Name == "E1" && table->Entries[2].Name == "A" &&
                           table->Entries[5].Name == "B" && table->Entries[9].Name == "E7";
    if (!bothThere) ++result.Lost;
    if (table->EntryLogs[2].Values[0] != 1 || table->EntryLogs[5].Values[0] != 2 || table->FlightCount != 2) {
      ++result.OutOfStep;
    }
    if (ReadFolder().Names.size() != 12) ++result.OutOfStep;
  }
  return result;
}

TEST_F(RankingCrash, TwoGamesRegisteringAtOnce) {
  const std::vector<std::pair<std::string, std::function<void()>>> folders = {
      {"a plain folder", {}},
      {"a folder by the lock's name", [] { fs::create_directory("rank/.velkaro.lock"); }},
      // Another user's lock file, which this one may only read (root may write any file,
      // so the refusal is made here).
      {"a lock file it may not write",
       [] {
         fakes::WriteText("rank/.velkaro.lock", "");
         // Each lock first tries to open the file for writing: that open is refused.
         platform::fileops::testing::SetHook(
             [refuseNext = true](Op op, const std::string& path) mutable {
               if (op != Op::Open || !path.ends_with(".velkaro.lock")) return true;
               refuseNext = !refuseNext;
               return refuseNext;
             },
             EACCES);
       }},
      // The third game started with no table, then with an empty one.
      {"a game that started with no table", [] { fs::remove("rank/Ranking.txt"); }},
      {"a game that started with an empty table", [] { fakes::WriteText("rank/Ranking.txt", ""); }},
  };
  for (const auto& [what, prepare] : folders) {
    const bool plain = !prepare;
    const TwoGames result = TwoGamesRegisteringAtOnce(os, plain ? kTwoGameRounds : kTwoGameRounds / 4, prepare);
    std::printf("two games at once in %s: lost %d, out of step %d\n", what.c_str(), result.Lost, result.OutOfStep);
    EXPECT_EQ(result.Lost, 0) << what;
    EXPECT_EQ(result.OutOfStep, 0) << what;
  }
}

// With a link in the lock's place neither game writes: the ranking stays whole, and
// each game says so instead of reporting success.
TEST_F(RankingCrash, TwoGamesWithALinkForALockChangeNothing) {
  for (int round = 0; round < kTwoGameRounds / 4; ++round) {
    WriteStartingRanking();
    fakes::WriteText("elsewhere", "");
    fs::create_symlink(fs::absolute("elsewhere"), "rank/.velkaro.lock");
    const FolderView before = ReadFolder();
    pid_t games[2];
    for (int g = 0; g < 2; ++g) {
      games[g] = fork();
      if (games[g] == 0) {
        StartFlyAndRegister(os, g == 0 ? 85.0f : 65.0f, g + 1, g == 0 ? "A" : "B");
        _exit(os.Dialogs.Warnings.size() == 1 ? 0 : 1);
      }
    }
    for (pid_t game : games) {
      int status = -1;
      waitpid(game, &status, 0);
      EXPECT_EQ(status, 0) << "each game reports the refusal";
    }
    EXPECT_TRUE(ReadFolder() == before);
  }
}

}  // namespace
