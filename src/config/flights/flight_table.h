#pragma once
// A flight as a table of named columns, whichever way it came: a CSV export of the
// game (Shift-JIS header, one row per 0.02 s) read back, or an aircraft or ranking
// entry file flown headless exactly as velkaro-sim flies it. No screen here, so the
// reading and its refusals are tested on their own.
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "flight/aircraft.h"

namespace config {

// Bounds on what a flight file may cost: the game's exports hold at most 5000 rows of
// about 250 bytes, so these leave ample room for other tools' tables and still keep a
// stray huge file from filling the memory.
inline constexpr size_t kFlightFileReadLimit = 32u << 20;  // bytes read of a file
inline constexpr size_t kMaxFlightRows = 100000;

struct FlightTable {
  std::string Label;                        // UTF-8, for the legend: entry name or file name
  std::string Source;                       // the file, as given
  std::vector<std::string> Columns;         // UTF-8 names with units, "x座標[m]"
  std::vector<std::vector<double>> Values;  // Values[column][row]
  // The game's distance (m) and the flight's duration (s); NaN when the table has no
  // such columns.
  double Distance = 0;
  double Duration = 0;
  bool Flown = false;  // flown headless from an aircraft or entry file
  std::string Note;    // UTF-8: what was left out, when anything was

  size_t RowCount() const { return Values.empty() ? 0 : Values[0].size(); }
  // Index of the column of that name, or -1.
  int ColumnIndex(std::string_view name) const;
};

// A table, or why there is none (UTF-8, for the screen).
struct FlightLoad {
  std::optional<FlightTable> Table;
  std::string Error;
};

// The game's column names in UTF-8, in the export's order.
const std::vector<std::string>& GameFlightColumns();

// "x座標[m]" -> name "x座標", unit "m"; a name without a bracketed unit has none.
struct ColumnName {
  std::string Name, Unit;
};
ColumnName SplitColumnName(std::string_view column);

// Reads CSV text: a header line of column names (Shift-JIS as the game writes it, or
// UTF-8 after a byte order mark), then rows of numbers with as many fields. Line ends
// LF or CR LF. Reading stops at the first row that is ragged or holds something other
// than a number (the rows before it are kept and Note says where and why); a file
// with no good row is refused.
FlightLoad ParseFlightCsv(std::string_view text);

// The table the CSV export of these rows would read back as, at full precision.
FlightTable TableFromRecords(std::span<const flight::FlightRecord> rows);

// Flies an aircraft file's or a ranking entry file's text as velkaro-sim flies it
// (an entry with its control log) and tables the whole flight.
FlightLoad FlyFlightText(const std::string& fileText);

// Whether a file's text is a CSV table rather than an aircraft file: its first line has
// at least three comma-separated fields (an aircraft file's first line has two).
bool LooksLikeCsv(std::string_view text);

// Reads a flight file (game file name): a CSV export, or an aircraft or entry file,
// which is flown. A ranking entry is labelled with its place and pilot's name. A file
// that is neither (empty, or an aircraft file whose lines are out of step) is refused.
FlightLoad LoadFlightFile(const std::string& gameFileName);

// Flies an aircraft or entry file's text that is not in a file (a league's entry) as
// LoadFlightFile flies a file's. `source` names it in a FlightSet (a flight of the same
// source replaces it there), `label` is its legend (UTF-8) and names it in an error.
FlightLoad LoadFlightText(std::string_view text, const std::string& source, const std::string& label);

// The legend label of a file: "3位 name" for a ranking entry the table names, else the
// file's name without folders.
std::string FlightLabel(const std::string& gameFileName);

}  // namespace config
