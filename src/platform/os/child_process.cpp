#include "platform/os/child_process.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "platform/text/language.h"

namespace platform {
namespace {

constexpr const char* kConfiguratorCommand = "config.exe";
constexpr const char* kConfiguratorProgram = "velkaro-config";

bool IsExecutableFile(const std::filesystem::path& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

std::filesystem::path OwnFolder() {
  std::error_code error;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::path() : self.parent_path();
}

}  // namespace

std::string FindProgram(const std::string& command) {
  const std::string program = command == kConfiguratorCommand ? kConfiguratorProgram : command;
  if (program.find('/') != std::string::npos) return IsExecutableFile(program) ? program : "";
  // The game's own folder, then PATH; never the working directory, which may be a
  // data folder someone downloaded, nor a relative PATH entry (which names it too).
  std::vector<std::filesystem::path> folders{OwnFolder()};
  if (const char* path = std::getenv("PATH")) {
    std::stringstream list(path);
    for (std::string folder; std::getline(list, folder, ':');) folders.emplace_back(folder);
  }
  for (const auto& folder : folders) {
    if (folder.empty() || !folder.is_absolute()) continue;
    const auto candidate = folder / program;
    if (IsExecutableFile(candidate)) return candidate.string();
  }
  return {};
}

bool ChildProcesses::RunAndWait(const std::string& command) {
  const std::string path = FindProgram(command);
  if (path.empty()) return false;
  char* argv[] = {const_cast<char*>(path.c_str()), nullptr};
  // The program speaks the language this one speaks now.
  std::vector<std::string> environment = EnvironmentForChild();
  std::vector<char*> envp;
  for (std::string& entry : environment) envp.push_back(entry.data());
  envp.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv, envp.data()) != 0) return false;
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  return true;
}

}  // namespace platform
