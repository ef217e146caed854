#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "flight/aircraft.h"

namespace aircraft {

// Builds the 3D model of a freshly parsed aircraft (none when nothing can be built).
using ModelBuilder = std::function<std::unique_ptr<flight::AircraftModel>(const flight::Aircraft&)>;

struct LoadOptions {
  // Open "zahyou.txt" for the aircraft's coordinate log (the game does; headless tools
  // need not).
  bool CoordinateLog = true;
  ModelBuilder BuildModel = nullptr;
};

// A new aircraft with zeroed fields and, if asked, its coordinate log opened (created
// or truncated). A log that cannot be opened is reported and the aircraft goes on
// without one.
std::unique_ptr<flight::Aircraft> CreateAircraft(bool openCoordinateLog);

// Replaces the aircraft in `slot` by one built from an aircraft file: the old one is
// destroyed first (closing its log before the new one truncates the file), then the
// new one is created, parsed, given its model, shows record 0, and is put at the start
// of the platform (x = -10 m, height 11.5 m). Returns the file's text that was flown
// (nothing when it could not be read, after the game's warning).
std::optional<std::string> LoadAircraft(std::unique_ptr<flight::Aircraft>& slot, std::string_view gameFileName,
                                        const LoadOptions& options = {});

// The same from an aircraft file's text held in memory (a ranked entry's lines).
void LoadAircraftFromText(std::unique_ptr<flight::Aircraft>& slot, std::string_view fileText,
                          const LoadOptions& options = {});

// The same from the text of an aircraft file held in memory (the part the game would
// read of it), for tools that fly what is being edited.
std::unique_ptr<flight::Aircraft> LoadAircraftText(std::string_view fileText, const LoadOptions& options = {});

}  // namespace aircraft
