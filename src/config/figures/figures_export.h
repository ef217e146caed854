#pragma once
// The strip table and the designer's figures of a design as a CSV file, for a
// spreadsheet: UTF-8 with a byte-order mark (spreadsheets then open it without an
// import dialog) or Shift-JIS (CP932) without one for older tools. Numbers are written
// in their shortest form that reads back to the same double, always with a decimal
// point, whatever the locale.
//
// Layout: a title line, the strip table's header and one row per strip of one wing
// half (inner to outer); an empty line; a title line, the header "項目,値,単位" and one
// row per figure. Lines end in CR LF, as the game's files do.
#include <string>
#include <vector>

#include "config/figures/aero_figures.h"
#include "config/figures/game_figures.h"

namespace config {

enum class CsvEncoding { Utf8WithBom, ShiftJis };

inline constexpr const char* kUtf8Bom = "\xEF\xBB\xBF";  // in every language

struct ExportedFigure {
  std::string Name;  // UTF-8, no comma
  double Value = 0;
  const char* Unit = "";  // ASCII, empty for a ratio
};

// The figures of the export's second table, in order: the game's derived values, each
// section's, then the designer's (stability only when it is known, stall speed only
// when it is defined).
std::vector<ExportedFigure> ExportedFigures(const GameFigures& figures, const AeroFigures& designer);

std::string FormatFiguresCsv(const flight::AircraftSpec& spec, CsvEncoding encoding);

enum class ExportResult {
  Written,
  CannotRead,   // the design file cannot be opened
  NotADesign,   // the game would read its lines out of step: the figures would mean nothing
  Refused,      // the output name is a folder, a design or one of the game's files
  CannotWrite,  // the output could not be written; nothing was left half-written
};

// Writes the figures CSV of a design as a whole (temporary file, then rename).
ExportResult ExportFigures(const flight::AircraftSpec& spec, const std::string& outFile, CsvEncoding encoding);
// The same for the design in a file (game or native name), as the game reads it.
ExportResult ExportFiguresOfFile(const std::string& designFile, const std::string& outFile, CsvEncoding encoding);

// Japanese (UTF-8) for the status line or a notice; shownName names the file the
// result is about (the design for CannotRead and NotADesign, else the output).
std::string DescribeExportResult(ExportResult result, const std::string& shownName, CsvEncoding encoding);

// What every export of a file says when its target is refused, or cannot be written.
std::string RefusedTargetMessage(const std::string& shownName);
std::string CannotWriteMessage(const std::string& shownName);

}  // namespace config
