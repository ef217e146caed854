#pragma once
#include <array>
#include <ctime>
#include <span>
#include <string>
#include <string_view>

#include "flight/aircraft.h"

namespace flight {

// The columns of the CSV flight record, in the order they are written.
enum FlightCsvColumn {
  kCsvTime,            // s
  kCsvX,               // m, forward
  kCsvHeight,          // m, -z
  kCsvPitch,           // deg
  kCsvU,               // m/s, body axes
  kCsvW,               // m/s
  kCsvPitchRate,       // deg/s
  kCsvDuDt,            // m/s^2
  kCsvDwDt,            // m/s^2
  kCsvPitchAccel,      // deg/s^2
  kCsvResultantSpeed,  // m/s
  kCsvBodyAlpha,       // deg
  kCsvWingAlpha,       // deg
  kCsvWingCl,
  kCsvTailAlpha,  // deg
  kCsvTailCl,
  kCsvTailSetting,  // deg
  kCsvWingCdi,
  kCsvTailCdi,
  kCsvColumnCount
};

// The header line's column names in Shift-JIS, comma-separated, without the line end.
std::string_view FlightCsvHeader();

// The values of record row `step` as the CSV writes them (angles in degrees, the
// height upward, the time rounded to float).
std::array<double, kCsvColumnCount> FlightCsvValues(const FlightRecord& row, int step);

// The CSV flight record: the Shift-JIS header line and rows 0 .. Step of RecordCopy,
// 19 values each in the standard stream's default number format.
std::string FormatFlightCsv(const Aircraft& a);

// The CSV flight record of given rows: the header and one line per row, row i at the
// time i * 0.02 s.
std::string FormatFlightCsvRows(std::span<const FlightRecord> rows);

// The export's file name for a local time: "20100305-140709.txt".
std::string FlightCsvFileName(const std::tm& localTime);

// Writes the CSV flight record to a file named after the local time. On failure the
// game's warning is shown and nothing is written. Returns the file name, or an empty
// string on failure.
std::string ExportFlightCsv(const Aircraft& a, const std::tm& localTime);
std::string ExportFlightCsvRows(std::span<const FlightRecord> rows, const std::tm& localTime);

// Writes the CSV flight record to a given file; false when it cannot be written.
bool WriteFlightCsv(const Aircraft& a, const std::string& path);

}  // namespace flight
