#include "league/client/outbox.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <random>

#include "platform/io/file_ops.h"
#include "platform/io/files.h"

namespace league {
namespace {

constexpr const char* kFlightSuffix = ".json";
constexpr const char* kDamagedSuffix = ".damaged";
constexpr size_t kMaxBodyBytes = 256 * 1024;  // what the league takes at most

std::string GameName(const std::string& name) { return std::string(kOutboxFolder) + "\\" + name; }

// "<UTC time in ms>-<random>.json": the names sort in the order the flights were put
// in, and two games never pick the same.
std::string NewFlightName() {
  const auto ms =
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::system_clock::now().time_since_epoch());
  std::random_device source;
  char name[64];
  std::snprintf(name, sizeof name, "%015lld-%08x%s", static_cast<long long>(ms.count()), source(), kFlightSuffix);
  return name;
}

}  // namespace

bool PutInOutbox(const std::string& body) {
  platform::fileops::MakeFolder(platform::NativePath(kOutboxFolder));
  return platform::WriteFileAtomically(GameName(NewFlightName()), body);
}

std::vector<std::string> OutboxFlights() {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(platform::NativePath(kOutboxFolder), error)) {
    const std::string name = entry.path().filename().string();
    if (name.size() > std::string(kFlightSuffix).size() && name.ends_with(kFlightSuffix) && name.front() != '.')
      names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::optional<std::string> ReadOutboxFlight(const std::string& name) {
  return platform::ReadFilePrefix(GameName(name), kMaxBodyBytes);
}

void TakeOutOfOutbox(const std::string& name, bool damaged) {
  const std::string path = platform::NativePath(GameName(name));
  if (damaged) {
    platform::fileops::Rename(path, path + kDamagedSuffix);
  } else {
    platform::fileops::Remove(path);
  }
}

}  // namespace league
