#pragma once
#include <cstdint>
#include <string_view>

namespace app {

// "BootConfig.txt": window width, window height and the full-screen flag, one integer
// per line (LF or CR LF). A missing file or line gives 0 for the values concerned.
struct BootConfig {
  int32_t WindowWidth = 0;   // px, outer width
  int32_t WindowHeight = 0;  // px, outer height
  int32_t FullScreen = 0;    // 1 = full screen at that size; anything else windowed
};

BootConfig ParseBootConfig(std::string_view text);
BootConfig ReadBootConfig();  // from the working directory

inline constexpr const char* kBootConfigFileName = "BootConfig.txt";

}  // namespace app
