// Where the programs keep the game's files, and how a player's folder is filled from
// the shipped copy without ever replacing anything of the player's.
#include "platform/os/data_folder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "fakes/temp_dir.h"
#include "platform/io/file_ops.h"

namespace {

namespace fs = std::filesystem;
using fakes::ReadText;
using fakes::WriteText;

constexpr platform::DataFolderMarkers kGame{"BootConfig.txt"};
constexpr platform::DataFolderMarkers kConfig{"BootConfig.txt", "temp.txt"};

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) previous_ = old;
    value ? setenv(name, value, 1) : unsetenv(name);
  }
  ~ScopedEnv() { previous_ ? setenv(name_, previous_->c_str(), 1) : unsetenv(name_); }

private:
  const char* name_;
  std::optional<std::string> previous_;
};

// A shipped folder in miniature: the player's files, art and a two-entry ranking.
void MakeShipped(const fs::path& root) {
  WriteText(root / "BootConfig.txt", "1024\r\n768\r\n0\r\n");
  WriteText(root / "temp.txt", "shipped design");
  WriteText(root / "image/wave.bmp", "wave");
  WriteText(root / "image/new-art.bmp", "new art");
  WriteText(root / "rank/Ranking.txt", "shipped ranking");
  WriteText(root / "rank/rank0.txt", "shipped entry 0");
  WriteText(root / "rank/rank1.txt", "shipped entry 1");
}

TEST(CopyMissingFiles, FillsAnEmptyFolderWithEverything) {
  fakes::TempWorkingDir dir;
  MakeShipped(dir.Path() / "shipped");
  std::string error;
  ASSERT_TRUE(platform::CopyMissingFiles((dir.Path() / "shipped").string(), (dir.Path() / "a/b").string(), error))
      << error;
  EXPECT_EQ(ReadText(dir.Path() / "a/b/temp.txt"), "shipped design");
  EXPECT_EQ(ReadText(dir.Path() / "a/b/image/wave.bmp"), "wave");
  EXPECT_EQ(ReadText(dir.Path() / "a/b/rank/rank1.txt"), "shipped entry 1");
  for (const auto& entry : fs::recursive_directory_iterator(dir.Path() / "a"))
    EXPECT_EQ(entry.path().filename().string().find(".velkaro-seed"), std::string::npos) << entry.path();
}

// The ranking folder listed last used to leave a check's "no such file" behind, taken
// for a listing error after everything was copied. Every copied file is flushed to
// disk before it gets its name, so a power cut cannot leave it empty.
TEST(CopyMissingFiles, ARankingListedLastSeedsCleanlyAndEveryFileIsFlushed) {
  fakes::TempWorkingDir dir;
  WriteText(dir.Path() / "shipped/rank/Ranking.txt", "shipped ranking");
  WriteText(dir.Path() / "shipped/rank/rank0.txt", "shipped entry 0");
  int fileFlushes = 0;
  platform::fileops::testing::SetHook([&](platform::fileops::Op op, const std::string&) {
    fileFlushes += op == platform::fileops::Op::Sync;
    return true;
  });
  std::string error;
  const bool copied = platform::CopyMissingFiles((dir.Path() / "shipped").string(), (dir.Path() / "play").string(), error);
  platform::fileops::testing::SetHook({});
  EXPECT_TRUE(copied) << error;
  EXPECT_EQ(ReadText(dir.Path() / "play/rank/rank0.txt"), "shipped entry 0");
  EXPECT_GE(fileFlushes, 2);
}

TEST(CopyMissingFiles, NeverReplacesThePlayersFilesAndKeepsTheirRankingWhole) {
  fakes::TempWorkingDir dir;
  MakeShipped(dir.Path() / "shipped");
  const fs::path play = dir.Path() / "play";
  WriteText(play / "BootConfig.txt", "1280\r\n960\r\n1\r\n");
  WriteText(play / "temp.txt", "the player's design");
  WriteText(play / "image/wave.bmp", "the player's wave");
  WriteText(play / "rank/Ranking.txt", "the player's ranking");           // an entry file of theirs is missing
  fs::create_symlink("/nonexistent-target", play / "image/new-art.bmp");  // a dangling link of theirs

  std::string error;
  ASSERT_TRUE(platform::CopyMissingFiles((dir.Path() / "shipped").string(), play.string(), error)) << error;
  EXPECT_EQ(ReadText(play / "BootConfig.txt"), "1280\r\n960\r\n1\r\n");
  EXPECT_EQ(ReadText(play / "temp.txt"), "the player's design");
  EXPECT_EQ(ReadText(play / "image/wave.bmp"), "the player's wave");
  EXPECT_TRUE(fs::is_symlink(play / "image/new-art.bmp"));
  EXPECT_EQ(ReadText(play / "rank/Ranking.txt"), "the player's ranking");
  EXPECT_FALSE(fs::exists(play / "rank/rank0.txt")) << "shipped entries must not mix into a player's ranking";

  // Art shipped later is added; a missing design is put back.
  fs::remove(play / "temp.txt");
  WriteText(dir.Path() / "shipped/image/newer.bmp", "newer");
  ASSERT_TRUE(platform::CopyMissingFiles((dir.Path() / "shipped").string(), play.string(), error)) << error;
  EXPECT_EQ(ReadText(play / "image/newer.bmp"), "newer");
  EXPECT_EQ(ReadText(play / "temp.txt"), "shipped design");
}

TEST(CopyMissingFiles, ReportsAFolderItCannotCreate) {
  fakes::TempWorkingDir dir;
  MakeShipped(dir.Path() / "shipped");
  WriteText(dir.Path() / "file", "x");
  std::string error;
  EXPECT_FALSE(
      platform::CopyMissingFiles((dir.Path() / "shipped").string(), (dir.Path() / "file/sub").string(), error));
  EXPECT_NE(error.find("file/sub"), std::string::npos) << error;
}

TEST(ChooseDataFolder, TheWorkingDirectoryWhenItHoldsTheGamesFilesElseTheXdgFolder) {
  fakes::TempWorkingDir dir;
  ScopedEnv xdg("XDG_DATA_HOME", (dir.Path() / "xdg").c_str());
  platform::DataFolderChoice choice = platform::ChooseDataFolder(kGame);
  EXPECT_FALSE(choice.WorkingDirectory);
  EXPECT_EQ(choice.Folder, (dir.Path() / "xdg/velkaro").string());

  WriteText(dir.Path() / "temp.txt", "design");  // enough for the configurator, not the game
  EXPECT_FALSE(platform::ChooseDataFolder(kGame).WorkingDirectory);
  EXPECT_TRUE(platform::ChooseDataFolder(kConfig).WorkingDirectory);

  WriteText(dir.Path() / "BootConfig.txt", "640\r\n480\r\n0\r\n");
  choice = platform::ChooseDataFolder(kGame);
  EXPECT_TRUE(choice.WorkingDirectory);
  EXPECT_EQ(fs::path(choice.Folder), fs::current_path());
}

TEST(ChooseDataFolder, FallsBackToHomeWhenXdgDataHomeIsUnsetEmptyOrRelative) {
  fakes::TempWorkingDir dir;
  ScopedEnv home("HOME", (dir.Path() / "home").c_str());
  for (const char* value : {static_cast<const char*>(nullptr), "", "relative/data"}) {
    ScopedEnv xdg("XDG_DATA_HOME", value);
    EXPECT_EQ(platform::PlayerDataFolder(), (dir.Path() / "home/.local/share/velkaro").string());
  }
}

TEST(EnterDataFolder, SaysClearlyWhenNoFolderHoldsTheGamesFiles) {
  fakes::TempWorkingDir dir;
  ScopedEnv xdg("XDG_DATA_HOME", (dir.Path() / "xdg").c_str());
  std::string error;
  // The test program's installed copy would be beside its folder; make sure there is none
  // by asking for a marker no shipped folder has.
  constexpr platform::DataFolderMarkers kMissing{"no-such-marker.txt"};
  EXPECT_FALSE(platform::EnterDataFolder(kMissing, error));
  EXPECT_NE(error.find("were not found"), std::string::npos) << error;
  EXPECT_NE(error.find((dir.Path() / "xdg/velkaro").string()), std::string::npos) << error;
  EXPECT_EQ(fs::current_path(), dir.Path());
}

TEST(EnterDataFolder, FillsThePlayersFolderFromTheInstalledCopyAndRunsThere) {
  const std::string installed = platform::InstalledDataFolder();
  if (!fs::exists(fs::path(installed) / "BootConfig.txt")) GTEST_SKIP() << "no shipped copy beside " << installed;
  fakes::TempWorkingDir dir;
  ScopedEnv xdg("XDG_DATA_HOME", (dir.Path() / "xdg").c_str());
  WriteText(dir.Path() / "xdg/velkaro/temp.txt", "the player's design");
  std::string error;
  ASSERT_TRUE(platform::EnterDataFolder(kGame, error)) << error;
  EXPECT_EQ(fs::current_path(), dir.Path() / "xdg/velkaro");
  EXPECT_TRUE(fs::exists("BootConfig.txt"));
  EXPECT_TRUE(fs::exists("rank/Ranking.txt"));
  EXPECT_EQ(ReadText("temp.txt"), "the player's design");
}

}  // namespace
