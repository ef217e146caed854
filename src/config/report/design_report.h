#pragma once
// The design report: one PDF that gathers a design to share or print. Its pages: the
// file's values and warnings; the wing from above and from the front with the figures
// (the game's, the designer's and those of the trimmed glide); the glide polar, the
// constant-trim sweep and the spanwise lift; the untouched flight beside the entry's
// own schedule and the coach's best flight when there are those.
#include <memory>
#include <string>

#include "config/flights/entry_flight.h"
#include "flight/aircraft.h"
#include "sim/coach.h"

namespace config {

struct ReportInput {
  std::string Title;  // UTF-8, the design's file as the window names it
  flight::AircraftSpec Spec;
  const sim::CoachResult* Coach = nullptr;             // the coach's search of these values, if any
  std::shared_ptr<const EntrySchedule> Schedule = {};  // the entry's recorded schedule, if any
};

// The polar and the sweep the report flies (deg of tail setting).
inline constexpr double kReportTrimFrom = -3, kReportTrimTo = 3;
inline constexpr double kReportPolarStep = 0.5, kReportSweepStep = 0.25;

enum class ReportResult {
  Written,
  Refused,      // the output is a folder, a design or one of the game's files
  CannotWrite,  // nothing was left half-written
};

// Writes the report as a whole (temporary file, then rename). Flies the polar, the
// sweep and the figures' glides first: a second or so.
ReportResult WriteDesignReport(const ReportInput& input, const std::string& pdfFile);
// Japanese (UTF-8) for the status line or a notice.
std::string DescribeReportResult(ReportResult result, const std::string& shownName);

// The colour (0xRRGGBB) the report draws a wing section in.
unsigned ReportSectionColour(int section);

}  // namespace config
