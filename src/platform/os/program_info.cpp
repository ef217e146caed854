#include "platform/os/program_info.h"

#include <cstdio>
#include <string_view>

#ifndef VELKARO_VERSION
#error "the build sets VELKARO_VERSION"
#endif

namespace platform {

const char* ProjectVersion() { return VELKARO_VERSION; }

std::optional<int> AnswerInfoOption(int argc, const char* const* argv, const ProgramHelp& help) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::fputs(help.Text.c_str(), stdout);
      return 0;
    }
    if (arg == "--version") {
      std::printf("%s %s\n", help.Name, ProjectVersion());
      return 0;
    }
  }
  return std::nullopt;
}

}  // namespace platform
