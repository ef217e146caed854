#pragma once
// The glide polar and the constant-trim sweep as CSV files, written like the figures'
// export (UTF-8 with a BOM or Shift-JIS, CR LF, numbers in their shortest exact form):
// a title line, a header and one row per tail setting flown. Distances are written as
// the game shows them (truncated to 0.01 m).
#include <optional>
#include <string>
#include <variant>

#include "config/figures/figures_export.h"
#include "config/figures/glide_polar.h"
#include "config/flights/test_flight.h"

namespace config {

std::string FormatPolarCsv(const GlidePolar& polar, CsvEncoding encoding);
std::string FormatSweepCsv(const TrimSweep& sweep, CsvEncoding encoding);

// Writes prepared CSV bytes as a whole, refusing the names the figures' export refuses.
ExportResult ExportCsvBytes(const std::string& bytes, const std::string& outFile);

// Tail settings From, From + Step, ... up to To (deg).
struct TrimRange {
  double From = 0, To = 0, Step = 0;
};

// The tail settings (deg) the window's polar fields start with, which the command
// line's polar export also flies.
inline constexpr TrimRange kPolarStartRange{-3, 3, 0.5};

// The polar and the sweep flown to the end at once, as the window flies them a setting
// a frame; nothing when the range cannot be flown (see StartPolar and StartSweep).
std::optional<GlidePolar> FlyWholePolar(const flight::AircraftSpec& spec, const TrimRange& range);
std::optional<TrimSweep> FlyWholeSweep(const flight::AircraftSpec& spec, const TrimRange& range);

// The design in a file (game or native name) as the game reads it, or why it cannot be
// exported from (CannotRead, NotADesign), as the figures' export reads it.
std::variant<flight::AircraftSpec, ExportResult> ReadDesignToExport(const std::string& designFile);

}  // namespace config
