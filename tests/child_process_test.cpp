// Where the game looks for the configurator: its own folder, then absolute PATH
// entries; never the working directory, however PATH names it.
#include "platform/os/child_process.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "fakes/temp_dir.h"

namespace {

namespace fs = std::filesystem;

void MakeProgram(const fs::path& path) {
  fakes::WriteText(path, "#!/bin/sh\nexit 0\n");
  fs::permissions(path, fs::perms::owner_all);
}

struct ScopedPath {
  std::string Saved = std::getenv("PATH") ? std::getenv("PATH") : "";
  explicit ScopedPath(const std::string& value) { setenv("PATH", value.c_str(), 1); }
  ~ScopedPath() { setenv("PATH", Saved.c_str(), 1); }
};

TEST(FindProgram, NeverTheWorkingDirectory) {
  fakes::TempWorkingDir dir;
  MakeProgram("velkaro-config");  // a downloaded data folder carrying a program
  MakeProgram("bin/velkaro-config");
  {
    const ScopedPath path(".::bin");  // ".", an empty entry and a relative one all name the working directory
    EXPECT_EQ(platform::FindProgram("config.exe"), "");
  }
  const ScopedPath path((dir.Path() / "bin").string());
  EXPECT_EQ(platform::FindProgram("config.exe"), (dir.Path() / "bin" / "velkaro-config").string());
}

}  // namespace
