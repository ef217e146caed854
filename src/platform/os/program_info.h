#pragma once
// The answers every program gives to --help and --version, without opening a window.
#include <optional>
#include <string>

namespace platform {

// The version of the whole project, set in one place by the build.
const char* ProjectVersion();

struct ProgramHelp {
  const char* Name;  // "velkaro"
  std::string Text;  // the usage, the options and where the program keeps its files
};

// When an argument is --help (or -h) or --version, prints the answer on standard output
// and returns the exit code (0); otherwise nothing, and the program goes on.
std::optional<int> AnswerInfoOption(int argc, const char* const* argv, const ProgramHelp& help);

}  // namespace platform
