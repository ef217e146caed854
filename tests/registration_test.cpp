#include "ranking/registration.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "fakes/fake_platform.h"
#include "fakes/temp_dir.h"
#include "platform/io/file_ops.h"
#include "platform/text/shift_jis.h"
#include "ranking/control_log.h"
#include "ranking/ranking_files.h"

namespace {

using ranking::RankingTable;

// A table whose entry i is named "E<i>" with distance 100 - 10 i, a one-value log
// holding i, and entry lines "e<i>".
std::unique_ptr<RankingTable> TenEntries() {
  auto table = std::make_unique<RankingTable>();
  for (int i = 0; i < 10; ++i) {
    table->Entries[i] = {"E" + std::to_string(i), 100.0f - 10 * i};
    table->EntryLogs[i].Values[0] = i;
    table->EntryLogs[i].Count = 1;
    table->EntryLines[i].fill("e" + std::to_string(i));
  }
  return table;
}

struct Registration : ::testing::Test {
  fakes::FakePlatform os;
  fakes::TempWorkingDir dir;
  void SetUp() override {
    std::filesystem::create_directory("rank");
    std::string temp;
    for (int i = 1; i <= 49; ++i) temp += "spec" + std::to_string(i) + "\r\n";
    fakes::WriteText("temp.txt", temp);
  }
};

TEST_F(Registration, EqualDistanceGoesBehindAndTheLastEntryDrops) {
  auto table = TenEntries();
  ranking::ResetControlLog(*table, 1.5);
  ranking::LogTailSetting(*table, 1.55);
  ranking::LogTailSetting(*table, 1.6);
  os.Dialogs.Names.push_back(std::string("Pilot"));
  ranking::RegisterDistance(*table, 70.0f, 2);  // equal to entry 3

  EXPECT_EQ(table->NewEntryIndex, 4);
  EXPECT_EQ(table->Entries[3].Name, "E3");
  EXPECT_EQ(table->Entries[4].Name, "Pilot");
  EXPECT_EQ(table->Entries[4].Distance, 70.0f);
  EXPECT_EQ(table->Entries[5].Name, "E4");
  EXPECT_EQ(table->Entries[9].Name, "E8");
  EXPECT_EQ(table->EntryLogs[9].Values[0], 8);
  EXPECT_EQ(table->EntryLines[9][0], "e8");
  EXPECT_EQ(table->FlightCount, 1);

  // The new entry file: the first 50 lines of temp.txt (the 50th empty), the
  // separator, and the control log's first Step values.
  std::string expected;
  for (int i = 1; i <= 49; ++i) expected += "spec" + std::to_string(i) + "\r\n";
  expected += "\r\n--------vvv--------\r\n1.5\r\n1.55\r\n";
  EXPECT_EQ(fakes::ReadText("rank/rank4.txt"), expected);
  EXPECT_EQ(table->EntryLogs[4].Values[2], 1.6);  // kept in memory, not counted
  EXPECT_EQ(table->EntryLogs[4].Values[3], -1.0);
  EXPECT_EQ(fakes::ReadText("rank/Ranking.txt"), ranking::FormatTableFile(*table));
}

TEST_F(Registration, DistanceThatDoesNotRankStillCountsAndRewritesTheFiles) {
  auto table = TenEntries();
  table->NewEntryIndex = 3;
  for (float d : {10.0f, 5.0f, std::nanf("")}) ranking::RegisterDistance(*table, d, 10);
  EXPECT_EQ(table->NewEntryIndex, 100);
  EXPECT_EQ(table->FlightCount, 3);
  EXPECT_EQ(os.Dialogs.NameDialogs, 0);
  EXPECT_EQ(table->Entries[9].Name, "E9");
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(fakes::ReadText("rank/rank" + std::to_string(i) + ".txt"),
              ranking::FormatEntryFile(table->EntryLines[i], table->EntryLogs[i]));
  }
}

TEST_F(Registration, EmptyTableTakesAnyPositiveDistanceFirst) {
  auto table = std::make_unique<RankingTable>();
  ranking::RegisterDistance(*table, 0.0f, 0);
  EXPECT_EQ(table->NewEntryIndex, 100);
  ranking::RegisterDistance(*table, 0.5f, 3);
  EXPECT_EQ(table->NewEntryIndex, 0);
  EXPECT_EQ(table->Entries[0].Name, "No Name");  // OK pressed on an empty box
}

TEST_F(Registration, MissingWorkingAircraftFileChangesNothing) {
  std::filesystem::remove("temp.txt");
  auto table = TenEntries();
  const auto before = ranking::FormatTableFile(*table);
  ranking::RegisterDistance(*table, 95.0f, 10);
  EXPECT_EQ(table->NewEntryIndex, 100);
  EXPECT_EQ(table->Entries[1].Name, "E1");
  EXPECT_EQ(table->Entries[2].Name, "E2");
  EXPECT_EQ(os.Dialogs.NameDialogs, 0);
  EXPECT_FALSE(std::filesystem::exists("rank/rank0.txt"));
  ASSERT_EQ(os.Dialogs.Warnings.size(), 1u);
  EXPECT_EQ(platform::ShiftJisToUtf8(os.Dialogs.Warnings[0]), "rank in 時の機体データの取得に失敗");
}

// One file that cannot be written (a full disk, a broken sector) keeps the whole old
// ranking in force, files and table alike: the eleven files change together or not at
// all.
TEST_F(Registration, EntryFileThatCannotBeWrittenKeepsTheWholeOldRanking) {
  auto table = TenEntries();
  ASSERT_TRUE(platform::ReplaceFilesTogether(ranking::kRankingFolder, ranking::RankingFileChanges(*table)));
  table->SyncedTableText = ranking::FormatTableFile(*table);
  const std::string oldTable = fakes::ReadText("rank/Ranking.txt");
  const std::string oldFive = fakes::ReadText("rank/rank5.txt");
  platform::fileops::testing::SetHook(
      [](platform::fileops::Op op, const std::string& path) {
        return !(op == platform::fileops::Op::Open && path.find("rank5.txt") != std::string::npos);
      },
      ENOSPC);
  os.Dialogs.Names.push_back(std::string("Lost"));
  ranking::RegisterDistance(*table, 95.0f, 0);
  platform::fileops::testing::SetHook({});

  EXPECT_EQ(fakes::ReadText("rank/Ranking.txt"), oldTable);
  EXPECT_EQ(fakes::ReadText("rank/rank5.txt"), oldFive);
  EXPECT_EQ(fakes::ReadText("rank/rank1.txt"), ranking::FormatEntryFile(table->EntryLines[1], table->EntryLogs[1]));
  EXPECT_EQ(table->Entries[1].Name, "E1");  // the table in memory is the old one too
  EXPECT_EQ(table->NewEntryIndex, 100);
  EXPECT_EQ(table->FlightCount, 0);
  ASSERT_EQ(os.Dialogs.Warnings.size(), 1u);
  EXPECT_EQ(platform::ShiftJisToUtf8(os.Dialogs.Warnings[0]), "rank登録最終書き出し");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator("rank"), {}), 12);  // 11 files and the lock
}

TEST_F(Registration, DialogThatCannotBeShownNamesTheEntryNoName) {
  auto table = TenEntries();
  os.Dialogs.Names.push_back(std::nullopt);
  ranking::RegisterDistance(*table, 500.0f, 1);
  EXPECT_EQ(table->Entries[0].Name, "No Name");
}

TEST(StoredName, CommasLengthAndHalfCharacters) {
  EXPECT_EQ(ranking::StoredName(""), "No Name");
  EXPECT_EQ(ranking::StoredName("a,b"),
            "a\x81\x43"
            "b");
  EXPECT_EQ(ranking::StoredName(std::string(300, 'x')).size(), 255u);
  // 127 two-byte characters and one more: the last one would end at byte 256.
  std::string kanji;
  for (int i = 0; i < 128; ++i) kanji += "\x8a\xbf";
  EXPECT_EQ(ranking::StoredName(kanji).size(), 254u);
  EXPECT_EQ(ranking::StoredName("\x8a\xbf\x8e\x9a"), "\x8a\xbf\x8e\x9a");  // 漢字 unchanged
}

// Whatever bytes a player types, the stored name keeps the table file's one line of 21
// comma-separated fields: it reads back as it was written, every distance in place.
TEST(StoredName, HostileNamesCannotBreakTheTable) {
  using namespace std::string_literals;
  const std::vector<std::string> typed = {"a,b"s,    "\x81,"s,     "\x81,\x81,"s, "x\r\ny"s,        "\x81\r\n"s,
                                          "\x81\n"s, "nul\0name"s, "\x81\0"s,     "tail\x81"s,      ","s,
                                          "\r"s,     "\x9f\x7f"s,  "\xe0"s,       "\x81\x81\x81,"s, "tab\tbell\a"s};
  ranking::RankingTable table;
  for (int i = 0; i < ranking::kEntryCount; ++i) table.Entries[i].Distance = 100.0f - i;
  for (const std::string& name : typed) {
    const std::string stored = ranking::StoredName(name);
    EXPECT_EQ(stored.find_first_of(std::string(",\r\n\0", 4)), std::string::npos) << "typed: " << name;
    for (int i = 0; i < ranking::kEntryCount; ++i) table.Entries[i].Name = stored;
    const std::string text = ranking::FormatTableFile(table);
    EXPECT_EQ(std::count(text.begin(), text.end(), ','), 20) << "typed: " << name;
    const ranking::TableFile back = ranking::ParseTableFile(text);
    for (int i = 0; i < ranking::kEntryCount; ++i) {
      EXPECT_EQ(back.Entries[i].Name, stored) << "typed: " << name;
      EXPECT_EQ(back.Entries[i].Distance, 100.0f - i) << "typed: " << name;
    }
  }
  // A lead byte's own trail bytes stay: a Shift-JIS character that ends in 0x5C or 0x7C.
  EXPECT_EQ(ranking::StoredName("\x83\x5c\x83\x7c"), "\x83\x5c\x83\x7c");  // ソポ
  EXPECT_EQ(ranking::StoredName("\x81\x0a"), "No Name");
}

TEST_F(Registration, FlightCountStopsAtItsLargestValue) {
  auto table = TenEntries();
  table->FlightCount = std::numeric_limits<int32_t>::max();
  ranking::RegisterDistance(*table, 1.0f, 0);
  EXPECT_EQ(table->FlightCount, std::numeric_limits<int32_t>::max());
}

TEST(ControlLog, ResetAppendAndStopAtCapacity) {
  auto table = std::make_unique<RankingTable>();
  ranking::ResetControlLog(*table, 2.5);
  EXPECT_EQ(table->InProgressLog.Count, 1);
  EXPECT_EQ(table->InProgressLog.Values[0], 2.5);
  EXPECT_EQ(table->InProgressLog.Values[4999], -1.0);
  ranking::SetFlightStartTail(*table, 2.75);
  EXPECT_EQ(table->InProgressLog.Values[0], 2.75);
  for (int i = 0; i < 6000; ++i) ranking::LogTailSetting(*table, i);
  EXPECT_EQ(table->InProgressLog.Count, 5000);
  EXPECT_EQ(table->InProgressLog.Values[4999], 4998);
}

}  // namespace
