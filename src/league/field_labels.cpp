#include "league/field_labels.h"

#include <vector>

#include "aircraft/aircraft_file.h"
#include "config/design/design_fields.h"
#include "platform/text/text_fields.h"
#include "platform/text/shift_jis.h"

namespace league {

std::string FieldLabel(int line) {
  static const std::vector<std::string> labels = [] {
    // The game's own writer holds the labels; its lines are cut at their first comma.
    const std::string text = aircraft::FormatAircraftSpec({});
    std::vector<std::string> out;
    for (const std::string& l : platform::SplitLines(text, aircraft::kAircraftFileLines)) {
      const size_t comma = l.find(',');
      out.push_back(comma == std::string::npos ? std::string() : platform::ShiftJisToUtf8(l.substr(0, comma)));
    }
    return out;
  }();
  if (line < 1 || line > static_cast<int>(labels.size())) return "";
  return labels[line - 1];
}

}  // namespace league
