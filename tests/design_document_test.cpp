// The configurator's file commands without its screen: starting, opening, saving and
// quitting, the question before unsaved changes are lost, and the notices and status
// line that report each outcome; and the files the open dialog offers.
#include "config/design/design_document.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "aircraft/aircraft_file.h"
#include "config/files/open_choices.h"
#include "fakes/temp_dir.h"
#include "platform/io/files.h"

namespace {

namespace fs = std::filesystem;
using config::DesignChange;
using config::DesignDocument;

const fs::path kData = VELKARO_DATA_DIR;

std::string Shipped(const fs::path& relative) { return fakes::ReadText(kData / relative); }

// A working directory holding the shipped design file and the ranking's files.
struct DesignDocumentTest : ::testing::Test {
  fakes::TempWorkingDir dir;
  const std::string designFile = Shipped("temp.txt");
  const std::string champion = Shipped("rank/rank0.txt");

  void SetUp() override {
    fakes::WriteText("temp.txt", designFile);
    fakes::WriteText("rank/rank0.txt", champion);
    fakes::WriteText("rank/Ranking.txt", Shipped("rank/Ranking.txt"));
  }
  void TearDown() override { platform::testing::SetWriteFunction(nullptr); }

  // An edit that no shipped file holds.
  static void Edit(DesignDocument& d) { d.Editor.Spec.WindSpeed = 2.5; }
  static bool Edited(const DesignDocument& d) { return d.Editor.Spec.WindSpeed == 2.5; }
  static void FailWrites() {
    platform::testing::SetWriteFunction([](int, const void*, size_t) -> long { return -1; });
  }
};

// No warnings: the design saves without a question.
const std::vector<config::DesignWarning> kNoWarnings;

// =====================================================================================
// Starting

TEST_F(DesignDocumentTest, StartsFromTheDesignFileQuietly) {
  const DesignDocument d = config::StartDocument();
  EXPECT_EQ(d.Status, "temp.txt を開きました");
  EXPECT_EQ(config::SourceDescription(d), "temp.txt");
  EXPECT_FALSE(d.ShowNotice);
  EXPECT_FALSE(d.ShowFileProblems);
  EXPECT_FALSE(config::IsDirty(d.Editor));
}

TEST(DesignDocumentStart, WithoutADesignFileStartsFromTheDefaultAndSaysSo) {
  fakes::TempWorkingDir dir;
  const DesignDocument d = config::StartDocument();
  EXPECT_EQ(d.Status, "既定の設計で始めました");
  EXPECT_TRUE(d.ShowNotice);
  EXPECT_EQ(d.Notice,
            "temp.txt がありません (または読めません)。既定の設計で始めます。\n保存するまで temp.txt は作られません。");
  EXPECT_EQ(config::SourceDescription(d), "既定の設計");
  EXPECT_FALSE(d.ShowFileProblems) << "the missing file is told by the notice alone";
  EXPECT_TRUE(config::IsDirty(d.Editor));
  EXPECT_FALSE(fs::exists("temp.txt"));
}

TEST(DesignDocumentStart, ABadDesignFileShowsItsProblems) {
  fakes::TempWorkingDir dir;
  const std::string design = Shipped("temp.txt");
  fakes::WriteText("temp.txt", design.substr(0, design.size() / 2));  // cut short
  const DesignDocument d = config::StartDocument();
  EXPECT_EQ(d.Status, "temp.txt を開きました");
  EXPECT_TRUE(d.ShowFileProblems);
  EXPECT_FALSE(d.ShowNotice);
}

// =====================================================================================
// Opening another design

TEST_F(DesignDocumentTest, OpensAtOnceWhenNothingIsUnsaved) {
  DesignDocument d = config::StartDocument();
  EXPECT_EQ(config::RequestOpen(d, "rank\\rank0.txt"), DesignChange::Replaced);
  EXPECT_FALSE(d.AskUnsaved);
  EXPECT_EQ(d.Status, "rank/rank0.txt を開きました (保存先は temp.txt)");
  EXPECT_EQ(config::SourceDescription(d), "rank/rank0.txt");
  EXPECT_TRUE(config::IsDirty(d.Editor)) << "the champion's design is not in temp.txt yet";
  EXPECT_EQ(d.PendingAction, DesignDocument::AfterPrompt::Nothing);

  // Reading temp.txt again says so without naming where it will be saved.
  EXPECT_EQ(config::RequestOpen(d, "rank\\rank0.txt"), DesignChange::Kept) << "unsaved now: asks first";
  config::ContinueWithoutSaving(d);
  EXPECT_EQ(config::RequestOpen(d, config::kDesignFileName), DesignChange::Kept);
  EXPECT_EQ(config::ContinueWithoutSaving(d), DesignChange::Replaced);
  EXPECT_EQ(d.Status, "temp.txt を開きました");
  EXPECT_FALSE(config::IsDirty(d.Editor));
}

TEST_F(DesignDocumentTest, AMissingFileKeepsTheValuesAndSaysSo) {
  DesignDocument d = config::StartDocument();
  Edit(d);
  config::RequestOpen(d, "rank\\rank9.txt");
  EXPECT_EQ(config::ContinueWithoutSaving(d), DesignChange::Kept);
  EXPECT_TRUE(Edited(d));
  EXPECT_EQ(d.Status, "rank/rank9.txt を開けませんでした");
  EXPECT_TRUE(d.ShowNotice);
  EXPECT_EQ(d.Notice, config::DescribeFileProblem({config::FileProblemKind::Missing}, "rank/rank9.txt") +
                          "\n値は変えていません。");
  EXPECT_EQ(config::SourceDescription(d), "temp.txt") << "still the design it was";
}

TEST_F(DesignDocumentTest, UnsavedChangesAreAskedAboutBeforeOpening) {
  DesignDocument d = config::StartDocument();
  Edit(d);
  EXPECT_TRUE(config::IsDirty(d.Editor));
  EXPECT_EQ(config::RequestOpen(d, "rank\\rank0.txt"), DesignChange::Kept);
  EXPECT_TRUE(d.AskUnsaved);
  EXPECT_FALSE(config::QuitPending(d));
  EXPECT_TRUE(Edited(d)) << "nothing opened while asking";

  // A second command while the question is open is ignored.
  config::RequestQuit(d);
  EXPECT_EQ(d.PendingAction, DesignDocument::AfterPrompt::Open);
  EXPECT_EQ(d.PendingOpen, "rank\\rank0.txt");

  // Cancel: the changes stay, nothing is pending.
  config::CancelPending(d);
  EXPECT_FALSE(d.AskUnsaved);
  EXPECT_EQ(d.PendingAction, DesignDocument::AfterPrompt::Nothing);
  EXPECT_TRUE(Edited(d));
  EXPECT_TRUE(config::IsDirty(d.Editor));

  // Discard: the file's values replace the changes; temp.txt is not touched.
  config::RequestOpen(d, "rank\\rank0.txt");
  EXPECT_EQ(config::ContinueWithoutSaving(d), DesignChange::Replaced);
  EXPECT_FALSE(d.AskUnsaved);
  EXPECT_FALSE(Edited(d));
  EXPECT_EQ(config::SourceDescription(d), "rank/rank0.txt");
  EXPECT_EQ(fakes::ReadText("temp.txt"), designFile);
}

TEST_F(DesignDocumentTest, SavingFirstWritesTheChangesThenOpens) {
  DesignDocument d = config::StartDocument();
  Edit(d);
  config::RequestOpen(d, "rank\\rank0.txt");
  EXPECT_EQ(config::SaveThenContinue(d), DesignChange::Replaced);
  EXPECT_FALSE(d.AskUnsaved);
  EXPECT_EQ(aircraft::ParseAircraftSpecText(fakes::ReadText("temp.txt")).WindSpeed, 2.5);
  EXPECT_EQ(config::SourceDescription(d), "rank/rank0.txt");
  EXPECT_EQ(d.Status, "rank/rank0.txt を開きました (保存先は temp.txt)") << "the last action is the open";
  EXPECT_FALSE(d.ShowNotice);
}

// =====================================================================================
// Saving

TEST_F(DesignDocumentTest, EditMakesUnsavedAndSaveMakesClean) {
  DesignDocument d = config::StartDocument();
  Edit(d);
  EXPECT_TRUE(config::IsDirty(d.Editor));
  config::RequestSave(d, kNoWarnings);
  EXPECT_EQ(d.Status, "temp.txt に保存しました。");
  EXPECT_FALSE(d.ShowNotice);
  EXPECT_FALSE(d.AskSaveWithWarnings);
  EXPECT_FALSE(config::IsDirty(d.Editor));
  EXPECT_EQ(fakes::ReadText("temp.txt"), aircraft::FormatAircraftSpec(d.Editor.Spec));

  // Clean now: opening asks nothing.
  EXPECT_EQ(config::RequestOpen(d, "rank\\rank0.txt"), DesignChange::Replaced);
}

TEST_F(DesignDocumentTest, AFailedSaveKeepsTheChangesAndSaysSo) {
  DesignDocument d = config::StartDocument();
  Edit(d);
  FailWrites();
  config::RequestSave(d, kNoWarnings);
  const std::string failed = config::DescribeSaveResult(config::SaveResult::WriteFailed);
  EXPECT_EQ(d.Status, failed);
  EXPECT_TRUE(d.ShowNotice);
  EXPECT_EQ(d.Notice, failed);
  EXPECT_TRUE(config::IsDirty(d.Editor));
  EXPECT_TRUE(Edited(d));
  EXPECT_EQ(fakes::ReadText("temp.txt"), designFile);
}

TEST_F(DesignDocumentTest, AFailedSaveBeforeOpeningOpensNothing) {
  DesignDocument d = config::StartDocument();
  Edit(d);
  config::RequestOpen(d, "rank\\rank0.txt");
  FailWrites();
  EXPECT_EQ(config::SaveThenContinue(d), DesignChange::Kept);
  EXPECT_FALSE(d.AskUnsaved);
  EXPECT_EQ(d.PendingAction, DesignDocument::AfterPrompt::Nothing) << "the open is dropped, not kept for later";
  EXPECT_TRUE(Edited(d));
  EXPECT_TRUE(d.ShowNotice);
  EXPECT_EQ(d.Status, config::DescribeSaveResult(config::SaveResult::WriteFailed));
  EXPECT_EQ(config::SourceDescription(d), "temp.txt");
  EXPECT_EQ(fakes::ReadText("temp.txt"), designFile);
}

TEST_F(DesignDocumentTest, ARefusedDesignIsNotSavedAndTheNoticeListsWhy) {
  DesignDocument d = config::StartDocument();
  d.Editor.Spec.SectionSpan = {10, 10, 10, 1};  // more strips than the game holds
  const auto warnings = config::ValidateDesign(d.Editor.Spec);
  ASSERT_TRUE(config::AnyRefusal(warnings));
  config::RequestSave(d, warnings);
  EXPECT_TRUE(d.ShowNotice);
  EXPECT_FALSE(d.AskSaveWithWarnings);
  std::string expected = "この設計は保存できません:\n";
  for (const auto& w : warnings) {
    if (config::RefusesSave(w.Kind)) expected += "・" + config::DescribeWarning(w) + "\n";
  }
  EXPECT_EQ(d.Notice, expected);
  EXPECT_EQ(d.Status, "temp.txt を開きました") << "no save was attempted";
  EXPECT_EQ(fakes::ReadText("temp.txt"), designFile);
}

TEST_F(DesignDocumentTest, WarningsAskBeforeSaving) {
  DesignDocument d = config::StartDocument();
  d.Editor.Spec.Mass = 0;
  const auto warnings = config::ValidateDesign(d.Editor.Spec);
  ASSERT_FALSE(warnings.empty());
  ASSERT_FALSE(config::AnyRefusal(warnings));

  config::RequestSave(d, warnings);
  EXPECT_TRUE(d.AskSaveWithWarnings);
  EXPECT_FALSE(d.ShowNotice);
  config::CancelSaveWithWarnings(d);
  EXPECT_FALSE(d.AskSaveWithWarnings);
  EXPECT_EQ(fakes::ReadText("temp.txt"), designFile);
  EXPECT_TRUE(config::IsDirty(d.Editor));

  config::RequestSave(d, warnings);
  config::SaveDespiteWarnings(d);
  EXPECT_FALSE(d.AskSaveWithWarnings);
  EXPECT_EQ(d.Status, "temp.txt に保存しました。");
  EXPECT_EQ(aircraft::ParseAircraftSpecText(fakes::ReadText("temp.txt")).Mass, 0);
}

// =====================================================================================
// Quitting

TEST_F(DesignDocumentTest, QuitsAtOnceWhenNothingIsUnsaved) {
  DesignDocument d = config::StartDocument();
  config::RequestQuit(d);
  EXPECT_TRUE(d.Quit);
  EXPECT_FALSE(d.AskUnsaved);
}

TEST_F(DesignDocumentTest, QuittingWithUnsavedChangesAsksFirst) {
  DesignDocument d = config::StartDocument();
  Edit(d);
  config::RequestQuit(d);
  EXPECT_FALSE(d.Quit);
  EXPECT_TRUE(d.AskUnsaved);
  EXPECT_TRUE(config::QuitPending(d));

  config::CancelPending(d);
  EXPECT_FALSE(d.Quit);

  config::RequestQuit(d);
  FailWrites();
  EXPECT_EQ(config::SaveThenContinue(d), DesignChange::Kept);
  EXPECT_FALSE(d.Quit) << "a failed save does not lose the changes by quitting";
  platform::testing::SetWriteFunction(nullptr);

  config::RequestQuit(d);
  config::SaveThenContinue(d);
  EXPECT_TRUE(d.Quit);
  EXPECT_FALSE(config::IsDirty(d.Editor));
}

TEST_F(DesignDocumentTest, QuittingWithoutSavingLeavesTheFileAlone) {
  DesignDocument d = config::StartDocument();
  Edit(d);
  config::RequestQuit(d);
  EXPECT_EQ(config::ContinueWithoutSaving(d), DesignChange::Kept);
  EXPECT_TRUE(d.Quit);
  EXPECT_EQ(fakes::ReadText("temp.txt"), designFile);
}

// =====================================================================================
// What the open dialog offers

TEST_F(DesignDocumentTest, RankingChoicesNameEachPlaceAndItsEntry) {
  const auto choices = config::RankingChoices();
  ASSERT_EQ(choices.size(), 10u);
  EXPECT_EQ(choices[0].GameFileName, "rank\\rank0.txt");
  EXPECT_EQ(choices[0].Label, " 1位  rank/rank0.txt  ひばり  404.82 m");
  EXPECT_TRUE(choices[0].Exists);
  EXPECT_EQ(choices[9].Label, "10位  rank/rank9.txt  Glider Club  157.83 m");
  EXPECT_FALSE(choices[9].Exists) << "only rank0 is in this folder";
}

TEST(DesignDocumentChoices, WithoutATableTheLabelsNameOnlyTheFiles) {
  fakes::TempWorkingDir dir;
  const auto choices = config::RankingChoices();
  ASSERT_EQ(choices.size(), 10u);
  EXPECT_EQ(choices[2].Label, " 3位  rank/rank2.txt");
  EXPECT_FALSE(choices[2].Exists);
}

TEST(DesignDocumentChoices, OtherTextFilesLeaveOutTheGamesOwnFiles) {
  fakes::TempWorkingDir dir;
  for (const char* name :
       {"temp.txt", "BootConfig.txt", "plane.txt", "zahyou.txt", "zeta.txt", "alpha.txt", "notes.csv"}) {
    fakes::WriteText(name, "x");
  }
  fs::create_directory("folder.txt");
  EXPECT_EQ(config::OtherTextFiles(), (std::vector<std::string>{"alpha.txt", "zeta.txt"}));
}

}  // namespace
