// Any bytes as a flight CSV for the configurator's flights window: either a table whose
// columns all hold the same number of rows (at least one), or a reason.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "config/flights/flight_table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const config::FlightLoad load = config::ParseFlightCsv(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!load.Table) {
    if (load.Error.empty()) std::abort();
    return 0;
  }
  const config::FlightTable& t = *load.Table;
  if (t.RowCount() == 0 || t.Values.size() != t.Columns.size() || t.RowCount() > config::kMaxFlightRows) std::abort();
  for (const auto& column : t.Values) {
    if (column.size() != t.RowCount()) std::abort();
  }
  return 0;
}
