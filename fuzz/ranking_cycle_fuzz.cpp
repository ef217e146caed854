// A whole load, register and save cycle of the ranking from fuzzed files. The input is
// a header (the flight's distance as a raw float, its step count, how many tail
// settings to log) and then, separated by NUL bytes, the table file, the ten entry
// files and the pilot's typed name; a part that is not there is a missing file (or a
// cancelled name dialog). Whatever the files held, the table read back after saving
// must be the table that was saved.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fakes/fake_platform.h"
#include "fakes/temp_dir.h"
#include "platform/io/file_ops.h"
#include "ranking/control_log.h"
#include "ranking/ranking_files.h"
#include "ranking/registration.h"

namespace {

constexpr size_t kHeaderBytes = sizeof(float) + sizeof(uint16_t) + 1;
constexpr char kPartSeparator = '\0';
constexpr int kNamePart = 1 + ranking::kEntryCount;  // after the table and the entry files
constexpr double kStartTail = -0.5;                  // deg
constexpr double kTailStep = 0.05;                   // deg between logged settings

struct Flight {
  float Distance = 0;
  int Steps = 0;
  int TailSettings = 0;
};

Flight ReadHeader(const uint8_t* data) {
  Flight flight;
  std::memcpy(&flight.Distance, data, sizeof flight.Distance);
  uint16_t steps = 0;
  std::memcpy(&steps, data + sizeof flight.Distance, sizeof steps);
  flight.Steps = steps;
  flight.TailSettings = data[kHeaderBytes - 1];
  return flight;
}

std::vector<std::string_view> SplitParts(std::string_view rest) {
  std::vector<std::string_view> parts;
  while (static_cast<int>(parts.size()) <= kNamePart) {
    const size_t end = rest.find(kPartSeparator);
    parts.push_back(rest.substr(0, end));
    if (end == std::string_view::npos) break;
    rest.remove_prefix(end + 1);
  }
  return parts;
}

// The files of the parts present, in a fresh "rank" folder.
void WriteRankFolder(const std::vector<std::string_view>& parts) {
  std::filesystem::remove_all(ranking::kRankingFolder);
  std::filesystem::create_directory(ranking::kRankingFolder);
  const std::filesystem::path folder(ranking::kRankingFolder);
  for (int i = 0; i < static_cast<int>(parts.size()) && i < kNamePart; ++i) {
    const std::string name = i == 0 ? ranking::kTableFileBaseName : ranking::EntryFileBaseName(i - 1);
    fakes::WriteText(folder / name, parts[i]);
  }
}

// The working folder with the shipped aircraft file, and doubles of the services whose
// name dialog answers what the input says.
struct Setup {
  fakes::FakePlatform Os;
  fakes::TempWorkingDir Dir;
  Setup() {
    platform::fileops::testing::SkipDiskFlushes(true);
    std::filesystem::copy_file(VELKARO_DATA_DIR "/temp.txt", ranking::kWorkingAircraftFile);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Setup setup;
  if (size < kHeaderBytes) return 0;
  const Flight flight = ReadHeader(data);
  const std::vector<std::string_view> parts =
      SplitParts(std::string_view(reinterpret_cast<const char*>(data) + kHeaderBytes, size - kHeaderBytes));
  WriteRankFolder(parts);
  setup.Os.Dialogs.Warnings.clear();
  setup.Os.Dialogs.Names.clear();
  setup.Os.Dialogs.Names.push_back(static_cast<int>(parts.size()) > kNamePart
                                       ? std::optional<std::string>(parts[kNamePart])
                                       : std::nullopt);

  auto table = ranking::LoadRanking();
  ranking::ResetControlLog(*table, kStartTail);
  for (int k = 1; k <= flight.TailSettings; ++k) ranking::LogTailSetting(*table, kStartTail + k * kTailStep);
  ranking::RegisterDistance(*table, flight.Distance, flight.Steps);
  ranking::SaveRanking(*table);
  const std::string saved = ranking::FormatTableFile(*table);

  const auto reloaded = ranking::LoadRanking();
  if (ranking::FormatTableFile(*reloaded) != saved) std::abort();
  return 0;
}
