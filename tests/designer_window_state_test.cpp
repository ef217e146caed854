// What the configurator's window tells about the design besides its values: the title
// names the file and marks unsaved changes, and a status about a change of the values
// lasts only until the next edit.
#include <gtest/gtest.h>

#include "config/editing_session.h"
#include "fakes/temp_dir.h"

namespace {

struct WindowStateTest : ::testing::Test {
  fakes::TempWorkingDir dir;
  config::EditingSession s;

  void SetUp() override {
    const std::filesystem::path data = VELKARO_DATA_DIR;
    fakes::WriteText("temp.txt", fakes::ReadText(data / "temp.txt"));
    fakes::WriteText("rank/rank2.txt", fakes::ReadText(data / "rank/rank2.txt"));
    config::StartSession(s);
    Frame();
  }
  std::string Frame() { return config::UpdateSession(s, false); }
};

TEST_F(WindowStateTest, UndoStatusClearsOnTheNextEditOnly) {
  s.Document.Editor.Spec.Mass += 5;
  Frame();
  config::UndoChange(s);
  Frame();
  Frame();
  EXPECT_FALSE(s.Document.Status.empty()) << "frames without an edit keep the word on the undo";
  s.Document.Editor.Spec.Mass += 1;
  Frame();
  EXPECT_TRUE(s.Document.Status.empty()) << "a new edit makes the undo old news";

  config::UndoChange(s);
  Frame();
  s.Document.Status = "temp.txt に保存しました。";  // another message replaced the undo's
  s.Document.Editor.Spec.Mass += 1;
  Frame();
  EXPECT_EQ(s.Document.Status, "temp.txt に保存しました。") << "only the change's own status is cleared";
}

TEST_F(WindowStateTest, TitleNamesTheFileAndMarksUnsavedChanges) {
  const std::string saved = config::WindowTitle(s.Document);
  EXPECT_NE(saved.find("temp.txt"), std::string::npos);
  EXPECT_EQ(saved.find('*'), std::string::npos);

  s.Document.Editor.Spec.Mass += 5;
  EXPECT_NE(config::WindowTitle(s.Document).find('*'), std::string::npos);

  config::RequestOpen(s, "rank\\rank2.txt");
  config::Follow(s, config::ContinueWithoutSaving(s.Document));
  const std::string entry = config::WindowTitle(s.Document);
  EXPECT_NE(entry.find("rank/rank2.txt"), std::string::npos) << "the file the values came from";
  EXPECT_NE(entry.find("temp.txt"), std::string::npos) << "and the file a save writes";
}

// The trimmed glide's figures follow the values like the other figures, and are not
// flown at all for a design whose launch run never ends (that would take the whole
// launch allowance at every keystroke).
TEST_F(WindowStateTest, TrimFiguresFollowTheValues) {
  ASSERT_TRUE(s.Trim.Flown);
  s.Document.Editor.Spec.TailIncidence += 0.5;
  Frame();
  EXPECT_EQ(s.Trim.TailSettingDeg, s.Document.Editor.Spec.TailIncidence);
  s.Document.Editor.Spec.StartSpeed = 0;
  Frame();
  EXPECT_FALSE(s.Trim.Flown);
}

}  // namespace
