#pragma once
// Runs a test in a fresh, empty working directory that is removed afterwards.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace fakes {

class TempWorkingDir {
public:
  TempWorkingDir() : previous_(std::filesystem::current_path()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "velkaro-test-XXXXXX").string();
    dir_ = mkdtemp(pattern.data());
    std::filesystem::current_path(dir_);
  }
  ~TempWorkingDir() {
    std::filesystem::current_path(previous_);
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }
  TempWorkingDir(const TempWorkingDir&) = delete;
  TempWorkingDir& operator=(const TempWorkingDir&) = delete;

  const std::filesystem::path& Path() const { return dir_; }

private:
  std::filesystem::path previous_;
  std::filesystem::path dir_;
};

inline void WriteText(const std::filesystem::path& path, std::string_view bytes) {
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace fakes
