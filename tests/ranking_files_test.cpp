#include "ranking/ranking_files.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>

#include "fakes/fake_platform.h"
#include "fakes/temp_dir.h"
#include "platform/io/files.h"
#include "platform/text/shift_jis.h"

namespace {

using ranking::ParseEntryFile;
using ranking::ParseTableFile;

std::string SpecLines(int count) {
  std::string text;
  for (int i = 1; i <= count; ++i) text += "line" + std::to_string(i) + "\r\n";
  return text;
}

TEST(TableFile, FormatMatchesTheGamesOneLineLayout) {
  auto table = std::make_unique<ranking::RankingTable>();
  table->Entries[0] = {"A", 152.3f};
  table->Entries[1] = {"B", 98.75f};
  table->FlightCount = 17;
  EXPECT_EQ(ranking::FormatTableFile(*table), "A,152.3,B,98.75,,0,,0,,0,,0,,0,,0,,0,,0,17");
}

TEST(TableFile, RoundTripKeepsSixSignificantDigits) {
  auto table = std::make_unique<ranking::RankingTable>();
  table->Entries[0] = {"\x83\x65\x83\x58\x83\x67", 1234.5678f};  // テスト
  table->Entries[1] = {"", 152.3456f};
  table->FlightCount = 123456;
  const std::string text = ranking::FormatTableFile(*table);
  EXPECT_NE(text.find("1234.57,"), std::string::npos);
  const ranking::TableFile back = ParseTableFile(text);
  EXPECT_EQ(back.Entries[0].Name, table->Entries[0].Name);
  EXPECT_EQ(back.Entries[0].Distance, 1234.57f);
  EXPECT_EQ(back.Entries[1].Name, "");
  EXPECT_EQ(back.Entries[1].Distance, 152.346f);
  EXPECT_EQ(back.FlightCount, 123456);
}

TEST(TableFile, MissingFieldsGiveEmptyNamesAndZero) {
  for (const char* text : {"", "A,12.5", "A,12.5,B"}) {
    const ranking::TableFile t = ParseTableFile(text);
    EXPECT_EQ(t.Entries[9].Name, "") << text;
    EXPECT_EQ(t.Entries[9].Distance, 0) << text;
    EXPECT_EQ(t.FlightCount, 0) << text;
  }
  EXPECT_EQ(ParseTableFile("A,12.5,B").Entries[1].Name, "B");
  EXPECT_EQ(ParseTableFile("A, 12.5m,").Entries[0].Distance, 12.5f);
}

TEST(EntryFile, ValuesAfterLine51WithAnyLineEnd) {
  const std::string head = SpecLines(50) + "--------vvv--------\r\n";
  for (const std::string& values :
       {std::string("1.5\r\n-0.25\r\n2\r\n"), std::string("1.5\n-0.25\n2\n"), std::string("1.5\n-0.25\n2")}) {
    const auto entry = ParseEntryFile(head + values);
    EXPECT_EQ(entry->Log.Count, 3);
    EXPECT_EQ(entry->Log.Values[1], -0.25);
    EXPECT_EQ(entry->Log.Values[3], 0.0);  // past the recorded values
    EXPECT_EQ(entry->Lines[0], "line1");
    EXPECT_EQ(entry->Lines[50], "--------vvv--------");
  }
}

TEST(EntryFile, SeparatorLineIsTakenWhateverItHolds) {
  const auto entry = ParseEntryFile(SpecLines(50) + "something else\r\n7\r\n");
  EXPECT_EQ(entry->Lines[50], "something else");
  EXPECT_EQ(entry->Log.Count, 1);
  EXPECT_EQ(entry->Log.Values[0], 7);
}

TEST(EntryFile, ShortFilesAndOverlongLines) {
  const auto shortEntry = ParseEntryFile(SpecLines(20));
  EXPECT_EQ(shortEntry->Log.Count, 0);
  EXPECT_EQ(shortEntry->Lines[19], "line20");
  EXPECT_EQ(shortEntry->Lines[20], "");

  const auto longLine = ParseEntryFile(std::string(300, 'x') + "\nnext\n");
  EXPECT_EQ(longLine->Lines[0].size(), 255u);
  EXPECT_EQ(longLine->Lines[1], "next");
}

TEST(EntryFile, AtMostFiveThousandValuesAreKept) {
  std::string text = SpecLines(51);
  for (int i = 0; i < 5003; ++i) text += "1\n";
  EXPECT_EQ(ParseEntryFile(text)->Log.Count, 5000);
}

TEST(EntryFile, WrittenBackWithCrLfAndSixDigits) {
  const auto entry = ParseEntryFile(SpecLines(50) + "--------vvv--------\n2.8500000000000014\n-1\n");
  const std::string text = ranking::FormatEntryFile(entry->Lines, entry->Log);
  EXPECT_EQ(text, SpecLines(50) + "--------vvv--------\r\n2.85\r\n-1\r\n");
}

TEST(LoadRanking, ReadsTheTableAndEveryEntryFile) {
  fakes::FakePlatform os;
  fakes::TempWorkingDir dir;
  fakes::WriteText("rank/Ranking.txt", "Ann,300.5,Bob,200,,0,,0,,0,,0,,0,,0,,0,,0,4");
  for (int i = 0; i < 10; ++i) {
    fakes::WriteText("rank/rank" + std::to_string(i) + ".txt",
                     SpecLines(50) + "--------vvv--------\r\n" + std::to_string(i) + "\r\n");
  }
  const auto table = ranking::LoadRanking();
  EXPECT_TRUE(os.Dialogs.Warnings.empty());
  EXPECT_EQ(table->Entries[0].Name, "Ann");
  EXPECT_EQ(table->Entries[1].Distance, 200);
  EXPECT_EQ(table->FlightCount, 4);
  EXPECT_EQ(table->EntryLogs[7].Count, 1);
  EXPECT_EQ(table->EntryLogs[7].Values[0], 7);
  EXPECT_EQ(table->NewEntryIndex, 100);
}

TEST(LoadRanking, MissingFilesAreReportedAndLeaveEmptyEntries) {
  fakes::FakePlatform os;
  fakes::TempWorkingDir dir;
  auto table = ranking::LoadRanking();
  ASSERT_EQ(os.Dialogs.Warnings.size(), 1u);  // no entry file is tried without a table
  EXPECT_EQ(platform::ShiftJisToUtf8(os.Dialogs.Warnings[0]), "ランキングファイル生成に失敗");
  EXPECT_EQ(table->Entries[0].Name, "");

  os.Dialogs.Warnings.clear();
  fakes::WriteText("rank/Ranking.txt", "A,1,");
  fakes::WriteText("rank/rank0.txt", SpecLines(51) + "5\n");
  table = ranking::LoadRanking();
  ASSERT_EQ(os.Dialogs.Warnings.size(), 18u);  // two messages for each of nine files
  EXPECT_EQ(platform::ShiftJisToUtf8(os.Dialogs.Warnings[0]), "コンストラクタlink");
  EXPECT_EQ(platform::ShiftJisToUtf8(os.Dialogs.Warnings[1]), "コンストラクタランキング");
  EXPECT_EQ(table->EntryLogs[0].Count, 1);
  EXPECT_EQ(table->EntryLogs[1].Count, 0);
  EXPECT_EQ(table->EntryLines[1][0], "");
}

TEST(SaveRanking, WritesTheTableAndKeepsTheOldFileWhenAWriteFails) {
  fakes::FakePlatform os;
  fakes::TempWorkingDir dir;
  fakes::WriteText("rank/Ranking.txt", "old,1,,0,,0,,0,,0,,0,,0,,0,,0,,0,1");
  auto table = std::make_unique<ranking::RankingTable>();
  table->SyncedTableText = fakes::ReadText("rank/Ranking.txt");  // the table this game read at start
  table->Entries[0] = {"new", 2};
  ASSERT_TRUE(ranking::SaveRanking(*table));
  EXPECT_EQ(fakes::ReadText("rank/Ranking.txt"), ranking::FormatTableFile(*table));

  table->Entries[0] = {"newer", 3};
  platform::testing::SetWriteFunction([](int fd, const void* data, size_t size) -> long {
    if (size > 4) return ::write(fd, data, 4);  // the first bytes land, then the disk is full
    errno = ENOSPC;
    return -1;
  });
  EXPECT_FALSE(ranking::SaveRanking(*table));
  platform::testing::SetWriteFunction(nullptr);
  EXPECT_EQ(fakes::ReadText("rank/Ranking.txt"), "new,2,,0,,0,,0,,0,,0,,0,,0,,0,,0,0");
  EXPECT_FALSE(std::filesystem::exists("rank/Ranking.txt.tmp"));
  ASSERT_EQ(os.Dialogs.Warnings.size(), 1u);
}

}  // namespace
