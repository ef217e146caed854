#include "app/boot_config.h"

#include <gtest/gtest.h>

#include "fakes/temp_dir.h"

namespace {

using app::ParseBootConfig;

TEST(BootConfig, CrLfAndLfGiveTheSameValues) {
  for (const char* text : {"1024\r\n768\r\n1\r\n", "1024\n768\n1\n", "1024\n768\n1"}) {
    const app::BootConfig c = ParseBootConfig(text);
    EXPECT_EQ(c.WindowWidth, 1024) << text;
    EXPECT_EQ(c.WindowHeight, 768) << text;
    EXPECT_EQ(c.FullScreen, 1) << text;
  }
}

TEST(BootConfig, MissingLinesAndFileGiveZeros) {
  const app::BootConfig c = ParseBootConfig("800\n");
  EXPECT_EQ(c.WindowWidth, 800);
  EXPECT_EQ(c.WindowHeight, 0);
  EXPECT_EQ(c.FullScreen, 0);

  fakes::TempWorkingDir dir;
  const app::BootConfig none = app::ReadBootConfig();
  EXPECT_EQ(none.WindowWidth, 0);
  fakes::WriteText("BootConfig.txt", "640\r\n480\r\n0\r\nignored\r\n");
  EXPECT_EQ(app::ReadBootConfig().WindowHeight, 480);
}

}  // namespace
