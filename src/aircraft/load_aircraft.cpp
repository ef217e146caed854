#include "aircraft/load_aircraft.h"

#include <memory>

#include "aircraft/aircraft_file.h"
#include "flight/flight_step.h"
#include "flight/set_spec.h"
#include "platform/io/files.h"
#include "platform/io/output_file.h"
#include "platform/services.h"
#include "platform/text/language.h"

namespace aircraft {
namespace {

constexpr const char* kCoordinateLogName = "zahyou.txt";
// "座標バックアップファイル生成に失敗"
constexpr const char* kLogOpenFailed = N_(
    "\x8d\xc0\x95\x57\x83\x6f\x83\x62\x83\x4e\x83\x41\x83\x62\x83\x76\x83\x74\x83\x40\x83\x43\x83\x8b\x90\xb6\x90\xac"
    "\x82\xc9\x8e\xb8\x94\x73");

// Every load ends the same way once the aircraft's values are set: its model is built,
// its first record is shown, and it stands at the start of the platform.
void FinishLoad(flight::Aircraft& a, const LoadOptions& options) {
  if (options.BuildModel) a.Model = options.BuildModel(a);
  flight::ShowRecord(a);
  a.DisplayX = flight::kPlatformStartX;
  a.DisplayHeight = flight::kPlatformStartHeight;
}

}  // namespace

std::unique_ptr<flight::Aircraft> CreateAircraft(bool openCoordinateLog) {
  auto a = std::make_unique<flight::Aircraft>();
  if (openCoordinateLog) {
    auto log = platform::OpenOutputFile(kCoordinateLogName);
    if (log) {
      a->CoordinateLog = std::move(log);
    } else {
      platform::ShowWarning(kLogOpenFailed);
    }
  }
  return a;
}

std::optional<std::string> LoadAircraft(std::unique_ptr<flight::Aircraft>& slot, std::string_view gameFileName,
                                        const LoadOptions& options) {
  slot.reset();
  slot = CreateAircraft(options.CoordinateLog);
  std::optional<std::string> text = ReadAircraftFile(gameFileName);
  if (text) flight::SetSpec(*slot, ParseAircraftSpecText(*text));
  FinishLoad(*slot, options);
  return text;
}

void LoadAircraftFromText(std::unique_ptr<flight::Aircraft>& slot, std::string_view fileText,
                          const LoadOptions& options) {
  slot.reset();
  slot = LoadAircraftText(fileText, options);
}

std::unique_ptr<flight::Aircraft> LoadAircraftText(std::string_view fileText, const LoadOptions& options) {
  std::unique_ptr<flight::Aircraft> a = CreateAircraft(options.CoordinateLog);
  flight::SetSpec(*a, ParseAircraftSpecText(fileText.substr(0, kAircraftFileReadLimit)));
  FinishLoad(*a, options);
  return a;
}

}  // namespace aircraft
