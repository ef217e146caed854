#pragma once
// Two designs side by side: the file's values, the figures the game derives and the
// designer's figures of each, with the rows that differ, the difference and its share.
// No screen here; the comparison window draws these rows.
#include <optional>
#include <string>
#include <vector>

#include "flight/aircraft.h"

namespace config {

enum class ComparisonGroup { Values, GameFigures, AeroFigures, Flight };

struct ComparisonRow {
  ComparisonGroup Group = ComparisonGroup::Values;
  std::string Name, Unit;         // UTF-8
  double A = 0, B = 0;            // first and second design
  bool Exact = false;             // a file value, shown as the file writes it
  bool Distance = false;          // a flight's distance, shown as the game shows it
  bool Differs = false;           // A and B are not the same number (two NaN are the same)
  double Difference = 0;          // B - A
  std::optional<double> Percent;  // Difference as a share of |A| (%), when A is finite and not 0
};

// Every value of the file and every figure, in the screen's order, and the flight each
// design makes untouched (as the configurator's test flight flies it).
std::vector<ComparisonRow> CompareDesigns(const flight::AircraftSpec& a, const flight::AircraftSpec& b);

int CountDifferences(const std::vector<ComparisonRow>& rows);

// A value as the comparison shows it: exact file values as the file writes them,
// figures to four significant digits, the flight's time to 0.01 s and its distance as
// the game shows it (truncated to 0.01 m).
std::string FormatComparedValue(const ComparisonRow& row, double value);
// "+0.5 (+1.7 %)", or "" when the row does not differ.
std::string FormatDifference(const ComparisonRow& row);

const char* ComparisonGroupTitle(ComparisonGroup group);  // an N_ text

// The design of a file (game file name) read with the game's parser, or why not.
struct ComparedDesign {
  std::optional<flight::AircraftSpec> Spec;
  std::string Error;  // UTF-8
};
ComparedDesign ReadComparedDesign(const std::string& gameFileName);

}  // namespace config
