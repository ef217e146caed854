// The configurator's "save as" and its file chooser's listing, without a screen: which
// names a design may be saved under, what is written and which file the design then
// belongs to; which files a folder lists, in which order, and what happens with files
// and folders that cannot be read; which texts count as aircraft files.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "aircraft/aircraft_file.h"
#include "config/design/design_document.h"
#include "config/files/aircraft_file_check.h"
#include "config/files/folder_listing.h"
#include "config/files/save_target.h"
#include "fakes/temp_dir.h"
#include "platform/io/files.h"

namespace {

namespace fs = std::filesystem;
using config::DesignDocument;
using config::ListedKind;
using config::SaveTargetCheck;

const fs::path kData = VELKARO_DATA_DIR;
const std::vector<config::DesignWarning> kNoWarnings;

std::string Shipped(const fs::path& relative) { return fakes::ReadText(kData / relative); }

// Files of the working directory whose names end in ".tmp" (left-overs of a write).
int TemporaryFiles() {
  int count = 0;
  for (const auto& e : fs::directory_iterator(".")) count += e.path().extension() == ".tmp" ? 1 : 0;
  return count;
}

struct SaveAsTest : ::testing::Test {
  fakes::TempWorkingDir dir;
  const std::string designFile = Shipped("temp.txt");

  void SetUp() override {
    fakes::WriteText("temp.txt", designFile);
    fakes::WriteText("rank/rank0.txt", Shipped("rank/rank0.txt"));
    fakes::WriteText("rank/Ranking.txt", Shipped("rank/Ranking.txt"));
  }
  void TearDown() override { platform::testing::SetWriteFunction(nullptr); }

  static void Edit(DesignDocument& d, double wind = 2.5) { d.Editor.Spec.WindSpeed = wind; }
};

// =====================================================================================
// Save as

TEST_F(SaveAsTest, WritesWhatSaveWritesAndTheDesignThenBelongsToTheNewFile) {
  DesignDocument d = config::StartDocument();
  // An unchanged design is written byte for byte as the shipped file holds it.
  config::RequestSaveAs(d, "copy", kNoWarnings);
  EXPECT_EQ(fakes::ReadText("copy.txt"), designFile) << "a missing extension becomes .txt";

  Edit(d);
  config::RequestSaveAs(d, "mine.txt", kNoWarnings);
  EXPECT_FALSE(d.ShowNotice);
  EXPECT_EQ(fakes::ReadText("mine.txt"), aircraft::FormatAircraftSpec(d.Editor.Spec));
  EXPECT_EQ(fakes::ReadText("temp.txt"), designFile) << "the game's design is not touched";
  EXPECT_EQ(d.Status, "mine.txt に保存しました (ゲームが読む temp.txt は元のまま)。");
  EXPECT_EQ(config::SourceDescription(d), "mine.txt");
  EXPECT_EQ(d.Editor.TargetName, "mine.txt");
  EXPECT_FALSE(config::IsDirty(d.Editor)) << "compared with mine.txt now";
  EXPECT_EQ(TemporaryFiles(), 0);

  // Later saves write the new file, never temp.txt.
  Edit(d, 4);
  EXPECT_TRUE(config::IsDirty(d.Editor));
  config::RequestSave(d, kNoWarnings);
  EXPECT_EQ(aircraft::ParseAircraftSpecText(fakes::ReadText("mine.txt")).WindSpeed, 4);
  EXPECT_EQ(fakes::ReadText("temp.txt"), designFile);
  EXPECT_FALSE(config::IsDirty(d.Editor));

  // The same design saved to temp.txt by a plain save has the same bytes.
  DesignDocument other = config::StartDocument();
  Edit(other, 4);
  config::RequestSave(other, kNoWarnings);
  EXPECT_EQ(fakes::ReadText("temp.txt"), fakes::ReadText("mine.txt"));
  EXPECT_EQ(other.Status, "temp.txt に保存しました。");
}

TEST_F(SaveAsTest, OpeningAnotherDesignSavesToTemptxtAgain) {
  DesignDocument d = config::StartDocument();
  Edit(d);
  config::RequestSaveAs(d, "mine.txt", kNoWarnings);
  ASSERT_EQ(d.Editor.TargetName, "mine.txt");

  // The champion's design differs from temp.txt: unsaved against temp.txt.
  EXPECT_EQ(config::RequestOpen(d, "rank\\rank0.txt"), config::DesignChange::Replaced);
  EXPECT_EQ(d.Editor.TargetName, "temp.txt");
  EXPECT_TRUE(config::IsDirty(d.Editor));
  EXPECT_EQ(d.Status, "rank/rank0.txt を開きました (保存先は temp.txt)");

  // The file saved as is opened like any design, and saves go to temp.txt.
  config::ContinueWithoutSaving(d);
  config::RequestOpen(d, "mine.txt");
  config::ContinueWithoutSaving(d);
  EXPECT_EQ(d.Status, "mine.txt を開きました (保存先は temp.txt)");
  EXPECT_EQ(d.Editor.Spec.WindSpeed, 2.5);
  config::RequestSave(d, kNoWarnings);
  EXPECT_EQ(fakes::ReadText("temp.txt"), fakes::ReadText("mine.txt"));
  EXPECT_FALSE(config::IsDirty(d.Editor));
}

TEST_F(SaveAsTest, AnExistingFileIsReplacedOnlyWhenConfirmed) {
  fakes::WriteText("other.txt", "keep me");
  DesignDocument d = config::StartDocument();
  Edit(d);
  config::RequestSaveAs(d, "other.txt", kNoWarnings);
  EXPECT_TRUE(d.AskOverwrite);
  EXPECT_EQ(fakes::ReadText("other.txt"), "keep me");

  // A second save as while the question is open is ignored.
  config::RequestSaveAs(d, "third.txt", kNoWarnings);
  EXPECT_EQ(d.PendingSaveAs, "other.txt");

  config::CancelOverwrite(d);
  EXPECT_FALSE(d.AskOverwrite);
  EXPECT_TRUE(d.PendingSaveAs.empty());
  EXPECT_EQ(fakes::ReadText("other.txt"), "keep me");
  EXPECT_EQ(d.Editor.TargetName, "temp.txt");

  config::RequestSaveAs(d, "other.txt", kNoWarnings);
  config::ConfirmOverwrite(d, kNoWarnings);
  EXPECT_FALSE(d.AskOverwrite);
  EXPECT_EQ(fakes::ReadText("other.txt"), aircraft::FormatAircraftSpec(d.Editor.Spec));
  EXPECT_EQ(d.Editor.TargetName, "other.txt");

  // A link in the way is replaced, never written through.
  fakes::WriteText("target.txt", "linked");
  fs::create_symlink("target.txt", "link.txt");
  config::RequestSaveAs(d, "link.txt", kNoWarnings);
  ASSERT_TRUE(d.AskOverwrite);
  config::ConfirmOverwrite(d, kNoWarnings);
  EXPECT_FALSE(fs::is_symlink("link.txt"));
  EXPECT_EQ(fakes::ReadText("target.txt"), "linked");
}

TEST_F(SaveAsTest, FoldersAndTheGamesOwnFilesAreRefused) {
  fakes::WriteText("BootConfig.txt", "boot");
  fs::create_directory("designs.txt");
  const std::string rankingTable = fakes::ReadText("rank/Ranking.txt");
  for (const char* name : {"rank", "rank/", "designs.txt", "", "BootConfig.txt", "rank/rank0.txt", "rank\\rank3.txt",
                           "rank/Ranking.txt", "no-such-folder/mine.txt"}) {
    SCOPED_TRACE(name);
    DesignDocument d = config::StartDocument();
    Edit(d);
    config::RequestSaveAs(d, name, kNoWarnings);
    EXPECT_TRUE(d.ShowNotice);
    const std::string written = config::SaveAsFileName(name);
    EXPECT_EQ(d.Notice, config::DescribeSaveTarget(config::CheckSaveTarget(written), written));
    EXPECT_FALSE(d.AskOverwrite);
    EXPECT_TRUE(d.PendingSaveAs.empty());
    EXPECT_EQ(d.Editor.TargetName, "temp.txt");
  }
  EXPECT_EQ(fakes::ReadText("BootConfig.txt"), "boot");
  EXPECT_EQ(fakes::ReadText("rank/Ranking.txt"), rankingTable);
  EXPECT_FALSE(fs::exists("rank/rank3.txt"));
  EXPECT_FALSE(fs::exists("no-such-folder"));
  EXPECT_EQ(fakes::ReadText("temp.txt"), designFile);
}

TEST(SaveTarget, NamesAndWhatStandsInTheirWay) {
  fakes::TempWorkingDir dir;
  EXPECT_EQ(config::SaveAsFileName("mine"), "mine.txt");
  EXPECT_EQ(config::SaveAsFileName("designs\\mine"), "designs/mine.txt");
  EXPECT_EQ(config::SaveAsFileName("export.csv"), "export.csv");
  EXPECT_EQ(config::SaveAsFileName("designs/"), "designs/");
  EXPECT_EQ(config::SaveAsFileName(".."), "..");
  fs::create_directory("designs");
  EXPECT_EQ(config::SaveAsFileName("designs"), "designs") << "a folder's name is refused, not made a file";

  fakes::WriteText("designs/a.txt", "x");
  fakes::WriteText("old/rank/rank9.txt", "x");
  EXPECT_EQ(config::CheckSaveTarget("designs/b.txt"), SaveTargetCheck::Free);
  EXPECT_EQ(config::CheckSaveTarget("designs/a.txt"), SaveTargetCheck::Exists);
  EXPECT_EQ(config::CheckSaveTarget("designs"), SaveTargetCheck::Folder);
  EXPECT_EQ(config::CheckSaveTarget(".."), SaveTargetCheck::Folder);
  EXPECT_EQ(config::CheckSaveTarget("old/rank/rank9.txt"), SaveTargetCheck::RankingFile)
      << "any ranking folder's entries";
  EXPECT_EQ(config::CheckSaveTarget("old/rank/mine.txt"), SaveTargetCheck::Free) << "other names in it are not";
  EXPECT_EQ(config::CheckSaveTarget("old/rank10.txt"), SaveTargetCheck::Free) << "only inside a ranking folder";
  EXPECT_EQ(config::CheckSaveTarget("designs/plane.txt"), SaveTargetCheck::GameFile);
  EXPECT_EQ(config::CheckSaveTarget("nowhere/a.txt"), SaveTargetCheck::NoFolder);
  EXPECT_EQ(config::CheckSaveTarget(config::SaveAsFileName("")), SaveTargetCheck::Empty);
  EXPECT_EQ(config::CheckSaveTarget(fs::absolute("designs/b.txt").string()), SaveTargetCheck::Free);
}

// The ranking's files are known by the folder they are really in, not only by the
// name as typed: through "..", a link to the folder, or from inside it.
TEST(SaveTarget, RankingFilesByTheirRealFolder) {
  fakes::TempWorkingDir dir;
  fakes::WriteText("rank/rank0.txt", "entry");
  fs::create_directory("designs");
  fs::create_directory_symlink("rank", "board");
  EXPECT_EQ(config::CheckSaveTarget("designs/../rank/rank0.txt"), SaveTargetCheck::RankingFile);
  EXPECT_EQ(config::CheckSaveTarget("board/rank0.txt"), SaveTargetCheck::RankingFile);
  EXPECT_EQ(config::CheckSaveTarget("board/Ranking.txt"), SaveTargetCheck::RankingFile);
  EXPECT_EQ(config::CheckSaveTarget("board/../designs/rank0.txt"), SaveTargetCheck::Free)
      << "the link's \"..\" leads out of the ranking's folder";
  EXPECT_EQ(config::CheckSaveTarget("board/mine.txt"), SaveTargetCheck::Free);
  fs::current_path("rank");
  EXPECT_EQ(config::CheckSaveTarget("rank0.txt"), SaveTargetCheck::RankingFile);
  EXPECT_EQ(config::CheckSaveTarget("rank5.txt"), SaveTargetCheck::RankingFile);
  EXPECT_EQ(config::CheckSaveTarget("mine.txt"), SaveTargetCheck::Free);
}

// The aircraft file's layout as the game's reader knows it (which velkaro-sim and the
// output checks go by) and the configurator's line-by-line check agree on every damage.
TEST(AircraftFileLayout, AgreesWithTheConfiguratorsFileCheck) {
  const std::string design = Shipped("temp.txt");
  std::vector<std::string> lines;
  for (size_t pos = 0; pos < design.size();) {
    const size_t end = design.find('\n', pos);
    lines.push_back(design.substr(pos, end - pos + 1));  // with its CR LF
    pos = end + 1;
  }
  ASSERT_EQ(lines.size(), size_t{aircraft::kAircraftFileLines});
  const auto join = [&](size_t changed, const std::string& line, size_t keep) {
    std::string text;
    for (size_t i = 0; i < keep; ++i) text += i == changed ? line : lines[i];
    return text;
  };
  const std::string tooLong(300, '7');
  std::vector<std::string> texts = {design, "", Shipped("BootConfig.txt"), Shipped("rank/rank0.txt"), "a,1\n"};
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    const size_t comma = line.find(',');
    const size_t cr = line.find('\r');
    texts.push_back(join(i, line, i));                                        // ends before the line
    texts.push_back(join(i, line.substr(0, cr) + "\n", lines.size()));        // LF only
    texts.push_back(join(i, line.substr(0, cr - 1) + "\r\n", lines.size()));  // last character lost
    texts.push_back(join(i, line.substr(0, cr) + ",9\r\n", lines.size()));    // one more value
    texts.push_back(join(i, line.substr(0, cr) + tooLong + "\r\n", lines.size()));
    texts.push_back(join(i, tooLong + line, lines.size()));
    if (comma != std::string::npos) {
      texts.push_back(join(i, line.substr(0, comma) + line.substr(comma + 1), lines.size()));  // no first comma
      texts.push_back(join(i, line.substr(0, comma + 1) + "\r\n", lines.size()));              // no values
    }
  }
  for (const std::string& text : texts) {
    EXPECT_EQ(aircraft::HasAircraftFileLayout(text), config::KeepsLinesInStep(config::CheckAircraftFileText(text)))
        << text.substr(0, 200);
  }
  EXPECT_TRUE(aircraft::HasAircraftFileLayout(design));
  EXPECT_FALSE(aircraft::HasAircraftFileLayout(Shipped("BootConfig.txt")));
}

TEST_F(SaveAsTest, AFailedWriteLeavesNothingAndKeepsTheDesignsFile) {
  DesignDocument d = config::StartDocument();
  Edit(d);
  platform::testing::SetWriteFunction([](int, const void*, size_t) -> long { return -1; });
  config::RequestSaveAs(d, "mine.txt", kNoWarnings);
  EXPECT_TRUE(d.ShowNotice);
  EXPECT_EQ(d.Status,
            "mine.txt に書き込めません (書き込み権限か空き容量を確認してください)。ファイルは作っていません。");
  EXPECT_FALSE(fs::exists("mine.txt"));
  EXPECT_EQ(TemporaryFiles(), 0);
  EXPECT_EQ(d.Editor.TargetName, "temp.txt");
  EXPECT_EQ(config::SourceDescription(d), "temp.txt");
  EXPECT_TRUE(config::IsDirty(d.Editor));

  // Over an existing file, the message says the old one is kept.
  fakes::WriteText("old.txt", "old");
  config::RequestSaveAs(d, "old.txt", kNoWarnings);
  config::ConfirmOverwrite(d, kNoWarnings);
  EXPECT_EQ(d.Status,
            "old.txt に書き込めません (書き込み権限か空き容量を確認してください)。元の old.txt はそのままです。");
  EXPECT_EQ(fakes::ReadText("old.txt"), "old");
}

TEST_F(SaveAsTest, WarningsAskFirstAndTheAnswerSavesToTheNewName) {
  DesignDocument d = config::StartDocument();
  d.Editor.Spec.Mass = 0;
  const auto warnings = config::ValidateDesign(d.Editor.Spec);
  ASSERT_FALSE(warnings.empty());
  ASSERT_FALSE(config::AnyRefusal(warnings));

  config::RequestSaveAs(d, "heavy.txt", warnings);
  EXPECT_TRUE(d.AskSaveWithWarnings);
  config::CancelSaveWithWarnings(d);
  EXPECT_FALSE(fs::exists("heavy.txt"));
  EXPECT_TRUE(d.PendingSaveAs.empty());

  // After a cancelled save as, a plain save goes to temp.txt as before.
  config::RequestSaveAs(d, "heavy.txt", warnings);
  config::SaveDespiteWarnings(d);
  EXPECT_EQ(aircraft::ParseAircraftSpecText(fakes::ReadText("heavy.txt")).Mass, 0);
  EXPECT_EQ(fakes::ReadText("temp.txt"), designFile);

  // A refused design is not saved under any name.
  d.Editor.Spec.SectionSpan = {10, 10, 10, 1};
  const auto refusals = config::ValidateDesign(d.Editor.Spec);
  ASSERT_TRUE(config::AnyRefusal(refusals));
  config::RequestSaveAs(d, "refused.txt", refusals);
  EXPECT_TRUE(d.ShowNotice);
  EXPECT_FALSE(fs::exists("refused.txt"));
  EXPECT_TRUE(d.PendingSaveAs.empty());
}

// =====================================================================================
// The file chooser's listing

std::vector<std::string> Paths(const config::FolderListing& listing) {
  std::vector<std::string> paths;
  for (const auto& item : listing.Items) paths.push_back(item.Path);
  return paths;
}

const config::ListedItem* Find(const config::FolderListing& listing, const std::string& path) {
  for (const auto& item : listing.Items) {
    if (item.Path == path) return &item;
  }
  return nullptr;
}

struct FileListingTest : ::testing::Test {
  fakes::TempWorkingDir dir;
  const std::string design = Shipped("temp.txt");

  void SetUp() override {
    fakes::WriteText("temp.txt", design);
    fakes::WriteText("rank/rank0.txt", Shipped("rank/rank0.txt"));
    fakes::WriteText("rank/rank3.txt", Shipped("rank/rank3.txt"));
    fakes::WriteText("rank/Ranking.txt", Shipped("rank/Ranking.txt"));
  }
};

TEST_F(FileListingTest, FoldersFirstThenTheDesignTheRankingAndOtherDesigns) {
  for (const char* name : {"zeta.txt", "alpha.txt", ".hidden.txt", "designs/inner.txt"}) fakes::WriteText(name, design);
  fakes::WriteText("BootConfig.txt", Shipped("BootConfig.txt"));
  fakes::WriteText("notes.txt", "a note\nwithout the layout\n");
  fakes::WriteText("20261209-070003.txt", "t,x,z\n0,0,10.5\n0.02,0.1,10.5\n");  // a flight export
  fakes::WriteText("short.txt", design.substr(0, design.size() / 2));
  fakes::WriteText("design.csv", design);
  fs::create_directory("b_folder");
  fs::create_directory(".git");

  const config::FolderListing listing = config::ListFolder(".");
  EXPECT_EQ(listing.Error, "");
  EXPECT_EQ(Paths(listing), (std::vector<std::string>{"b_folder", "designs", "rank", "temp.txt", "rank/rank0.txt",
                                                      "rank/rank3.txt", "alpha.txt", "zeta.txt"}));
  EXPECT_EQ(listing.Items[0].Kind, ListedKind::Folder);
  EXPECT_EQ(listing.Items[0].Shown, "b_folder/");
  EXPECT_EQ(listing.Items[3].Kind, ListedKind::DesignFile);
  EXPECT_EQ(listing.Items[4].Kind, ListedKind::RankingEntry);
  EXPECT_EQ(listing.Items[4].Shown, " 1位  rank/rank0.txt  ひばり  404.82 m");
  EXPECT_EQ(listing.Items[6].Kind, ListedKind::AircraftFile);
  for (const auto& item : listing.Items) EXPECT_TRUE(item.Openable) << item.Path;

  // Inside a folder the paths start with it.
  EXPECT_EQ(Paths(config::ListFolder("designs")), (std::vector<std::string>{"designs/inner.txt"}));
}

TEST_F(FileListingTest, TheRankingFolderListsItsEntriesWithTheirPilots) {
  fakes::WriteText("rank/mine.txt", design);
  const config::FolderListing listing = config::ListFolder("rank");
  EXPECT_EQ(Paths(listing), (std::vector<std::string>{"rank/rank0.txt", "rank/rank3.txt", "rank/mine.txt"}))
      << "Ranking.txt is no design";
  EXPECT_EQ(listing.Items[1].Kind, ListedKind::RankingEntry);
  EXPECT_EQ(listing.Items[1].Shown.rfind(" 4位  rank/rank3.txt  ", 0), 0u) << listing.Items[1].Shown;

  // Without the table, the entries are still there, named by place and file.
  fs::remove("rank/Ranking.txt");
  EXPECT_EQ(config::ListFolder(".").Items[2].Shown, " 1位  rank/rank0.txt");
}

TEST_F(FileListingTest, EntriesThatCannotBeReadAreLeftOutWithoutWaiting) {
  fs::create_symlink("nowhere.txt", "dangling.txt");
  fs::create_symlink("temp.txt", "linked.txt");
  ASSERT_EQ(::mkfifo("pipe.txt", 0644), 0);  // reading it would wait for a writer
  fs::create_directory("folder.txt");
  fakes::WriteText("locked.txt", design);
  fs::permissions("locked.txt", fs::perms::none);
  const bool rootReadsAnything = ::geteuid() == 0;

  const config::FolderListing listing = config::ListFolder(".");
  EXPECT_EQ(listing.Error, "");
  EXPECT_NE(Find(listing, "linked.txt"), nullptr) << "a link to a design is a design";
  EXPECT_EQ(Find(listing, "dangling.txt"), nullptr);
  EXPECT_EQ(Find(listing, "pipe.txt"), nullptr);
  ASSERT_NE(Find(listing, "folder.txt"), nullptr);
  EXPECT_EQ(Find(listing, "folder.txt")->Kind, ListedKind::Folder);
  if (!rootReadsAnything) {
    EXPECT_EQ(Find(listing, "locked.txt"), nullptr);
  }
}

TEST_F(FileListingTest, AFolderThatCannotBeReadGivesAMessage) {
  const config::FolderListing missing = config::ListFolder("no-such-folder");
  EXPECT_TRUE(missing.Items.empty());
  EXPECT_NE(missing.Error.find("フォルダ「no-such-folder」を読めません"), std::string::npos) << missing.Error;
  EXPECT_NE(config::ListFolder("temp.txt").Error, "") << "a file is no folder";
  if (::geteuid() != 0) {
    fs::create_directory("closed");
    fs::permissions("closed", fs::perms::none);
    EXPECT_NE(config::ListFolder("closed").Error, "");
    fs::permissions("closed", fs::perms::owner_all);
  }
}

TEST_F(FileListingTest, ShiftJisNamesAreShownInUtf8AndOpenedByTheirOwnBytes) {
  const std::string aircraftSjis = "\x8B\x40\x91\xCC.txt";  // 機体.txt in Shift-JIS
  const std::string tableSjis = "\x95\x5C.txt";             // 表.txt: its second byte is a backslash
  fakes::WriteText(aircraftSjis, design);
  fakes::WriteText(tableSjis, design);
  fakes::WriteText("設計.txt", design);
  const config::FolderListing listing = config::ListFolder(".");

  const config::ListedItem* aircraft = Find(listing, aircraftSjis);
  ASSERT_NE(aircraft, nullptr);
  EXPECT_EQ(aircraft->Shown, "機体.txt");
  EXPECT_TRUE(aircraft->Openable);
  config::DesignEditor editor;
  EXPECT_TRUE(config::OpenDesign(editor, aircraft->Path));
  EXPECT_EQ(editor.Spec.WingSpan, aircraft::ParseAircraftSpecText(design).WingSpan);

  // The status line names it readably too.
  DesignDocument d = config::StartDocument();
  config::RequestOpen(d, aircraft->Path);
  EXPECT_EQ(d.Status, "機体.txt を開きました (保存先は temp.txt)");
  EXPECT_EQ(config::SourceDescription(d), "機体.txt");

  const config::ListedItem* table = Find(listing, tableSjis);
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->Shown, "表.txt");
  EXPECT_FALSE(table->Openable) << "the game's names would read its 0x5C as a folder separator";
  ASSERT_NE(Find(listing, "設計.txt"), nullptr);
  EXPECT_EQ(Find(listing, "設計.txt")->Shown, "設計.txt");
}

TEST(FilePaths, JoiningAndGoingUp) {
  EXPECT_EQ(config::JoinPath(".", "temp.txt"), "temp.txt");
  EXPECT_EQ(config::JoinPath("rank", "rank0.txt"), "rank/rank0.txt");
  EXPECT_EQ(config::JoinPath("rank/", "../temp.txt"), "temp.txt");
  EXPECT_EQ(config::JoinPath("rank", "/tmp/x.txt"), "/tmp/x.txt");
  EXPECT_EQ(config::ParentFolder("rank"), ".");
  EXPECT_EQ(config::ParentFolder("rank/"), ".");
  EXPECT_EQ(config::ParentFolder("a/b"), "a");
  EXPECT_EQ(config::ParentFolder("."), "..");
  EXPECT_EQ(config::ParentFolder(".."), "../..");
  EXPECT_EQ(config::ParentFolder("/tmp"), "/");
  EXPECT_EQ(config::ParentFolder("/"), "/");

  fakes::TempWorkingDir dir;
  fs::create_directories("play/rank");
  EXPECT_EQ(config::TidyFolder("play/rank/.."), "play");
  EXPECT_EQ(config::TidyFolder("play/../play/rank"), "play/rank");
  EXPECT_EQ(config::TidyFolder(dir.Path().string()), ".");
  EXPECT_EQ(config::TidyFolder(".."), fs::canonical(dir.Path().parent_path()).string());
}

}  // namespace
