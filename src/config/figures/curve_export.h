#pragma once
// The glide polar and the constant-trim sweep as CSV files, written like the figures'
// export (UTF-8 with a BOM or Shift-JIS, CR LF, numbers in their shortest exact form):
// a title line, a header and one row per tail setting flown. Distances are written as
// the game shows them (truncated to 0.01 m).
#include <string>

#include "config/figures/figures_export.h"
#include "config/figures/glide_polar.h"
#include "config/flights/test_flight.h"

namespace config {

std::string FormatPolarCsv(const GlidePolar& polar, CsvEncoding encoding);
std::string FormatSweepCsv(const TrimSweep& sweep, CsvEncoding encoding);

// Writes prepared CSV bytes as a whole, refusing the names the figures' export refuses.
ExportResult ExportCsvBytes(const std::string& bytes, const std::string& outFile);

}  // namespace config
