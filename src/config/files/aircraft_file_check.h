#pragma once
// Finding what is wrong with an aircraft file's text, line by line, so the player can
// be told. The values themselves are always those the game reads
// (aircraft::ParseAircraftSpecText); this only explains where a file departs from the
// 49-line layout and what the game makes of it.
#include <string>
#include <string_view>
#include <vector>

namespace config {

enum class FileProblemKind {
  Missing,           // the file cannot be opened
  Truncated,         // fewer than 49 lines; Count = lines present
  NoComma,           // a value line without a comma: later fields shift
  FieldTooLong,      // 256 or more characters in one field: reading stops there
  NotANumber,        // text in a value (or nothing numeric at all)
  NotAnInteger,      // a fraction or text in an integer value
  EmptyValue,        // nothing after the comma
  MissingLastComma,  // a list line without its final comma: later lists shift
  WrongValueCount,   // a list line with more or fewer values: later fields shift
};

struct FileProblem {
  FileProblemKind Kind;
  int Line = 0;           // 1-based file line; 0 for the whole file
  std::string Text = {};  // the offending value, UTF-8
  int Count = 0;          // Truncated: lines present; WrongValueCount: values present
  double ReadAs = 0;      // NotANumber, NotAnInteger, EmptyValue: what this line's value reads as
};

// Problems of an aircraft file's text (the prefix the game reads), in line order.
// After the first problem that makes the game read later lines shifted or not at all,
// later lines are not examined: their values mean something else by then.
std::vector<FileProblem> CheckAircraftFileText(std::string_view text);

// Whether the game reads the lines after this problem out of step (or not at all).
bool ShiftsLaterLines(FileProblemKind kind);

// The file holds all 49 lines and the game reads each in its place: it is a design,
// whatever its values are.
bool KeepsLinesInStep(const std::vector<FileProblem>& problems);

// One line of Japanese (UTF-8) saying what is wrong and what the game does with it.
std::string DescribeFileProblem(const FileProblem& problem, std::string_view fileName);

}  // namespace config
