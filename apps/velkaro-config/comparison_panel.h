#pragma once
// The comparison window: the design being edited beside a design read from a file,
// their values and figures in two columns with the differences marked.
#include <optional>
#include <string>
#include <vector>

#include "config/figures/design_comparison.h"
#include "file_dropdown.h"
#include "flight/aircraft.h"

namespace config {

struct ComparisonPanel {
  bool Open = false;
  FileDropdown Pick;
  std::string OtherFile;                      // the game file name of the second design
  std::optional<flight::AircraftSpec> Other;  // its values, as read when chosen
  std::string Message;                        // UTF-8: why the file could not be read
  bool OnlyDifferences = false;
  std::string RowsFor;  // the design text and file the rows were computed for
  std::vector<ComparisonRow> Rows;
};

// Draws the window while it is open. `spec` is the design being edited, `designText`
// its file text and `sourceName` where it came from (UTF-8, the column's title).
void DrawComparisonPanel(ComparisonPanel& panel, const flight::AircraftSpec& spec, const std::string& designText,
                         const std::string& sourceName);

}  // namespace config
