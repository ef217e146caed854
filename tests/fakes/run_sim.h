#pragma once
// Runs the built velkaro-sim with arguments (its standard error into sim-stderr.txt in
// the working directory) and returns its exit code and standard output.
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>
#include <utility>

namespace fakes {

inline std::pair<int, std::string> RunSim(const std::string& args) {
  const std::string command = std::string(VELKARO_SIM_PATH) + " " + args + " 2>sim-stderr.txt";
  FILE* pipe = popen(command.c_str(), "r");
  std::string out;
  std::array<char, 4096> buffer;
  while (size_t n = fread(buffer.data(), 1, buffer.size(), pipe)) out.append(buffer.data(), n);
  const int status = pclose(pipe);
  return {WEXITSTATUS(status), out};
}

}  // namespace fakes
