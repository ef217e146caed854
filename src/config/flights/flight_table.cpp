#include "config/flights/flight_table.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "config/files/aircraft_file_check.h"
#include "flight/flight_csv.h"
#include "platform/io/files.h"
#include "platform/text/language.h"
#include "platform/text/shift_jis.h"
#include "ranking/ranking_files.h"
#include "sim/headless_flight.h"

namespace config {
namespace {

constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";  // in every language
constexpr size_t kMinCsvHeaderFields = 3;

std::string Format(const char* format, auto... args) {
  char text[256];
  std::snprintf(text, sizeof text, format, args...);
  return text;
}

std::vector<std::string_view> SplitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  size_t start = 0;
  for (;;) {
    const size_t comma = line.find(',', start);
    fields.push_back(line.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
    if (comma == std::string_view::npos) return fields;
    start = comma + 1;
  }
}

// A field as a number: blanks around it and a leading '+' are allowed; "nan" and
// "inf" (what the game writes for a flight whose numbers overflowed) are numbers.
std::optional<double> ParseNumber(std::string_view field) {
  while (!field.empty() && (field.front() == ' ' || field.front() == '\t')) field.remove_prefix(1);
  while (!field.empty() && (field.back() == ' ' || field.back() == '\t')) field.remove_suffix(1);
  if (!field.empty() && field.front() == '+') field.remove_prefix(1);
  double value = 0;
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
  if (field.empty() || error != std::errc() || end != field.data() + field.size()) return std::nullopt;
  return value;
}

// The next line from `pos` without its line end; pos moves past it.
std::string_view NextLine(std::string_view text, size_t& pos) {
  const size_t end = text.find('\n', pos);
  std::string_view line = text.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
  pos = end == std::string_view::npos ? text.size() : end + 1;
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

double LastOf(const FlightTable& table, int column) {
  return column >= 0 && table.RowCount() > 0 ? table.Values[column].back() : kNoValue;
}

// The game's distance and duration from the x and time columns, when the table has them.
void SetDistanceAndDuration(FlightTable& table) {
  const auto& game = GameFlightColumns();
  table.Distance = LastOf(table, table.ColumnIndex(game[flight::kCsvX]));
  table.Duration = LastOf(table, table.ColumnIndex(game[flight::kCsvTime]));
}

std::string ShownFileName(const std::string& gameFileName) {
  const std::string native = platform::NativePath(gameFileName);
  const size_t slash = native.rfind('/');
  return slash == std::string::npos ? native : native.substr(slash + 1);
}

// What keeps an aircraft or entry file's text from being flown, naming it as `shown`;
// nothing when it is a design. Flown as velkaro-sim flies it, a text that is not a
// design (empty, or lines out of step) would only give numbers that mean nothing.
std::optional<std::string> NotADesign(const std::string& design, const std::string& shown) {
  const std::vector<FileProblem> problems = CheckAircraftFileText(design);
  if (KeepsLinesInStep(problems)) return std::nullopt;
  return DescribeFileProblem(problems.front(), shown);
}

}  // namespace

int FlightTable::ColumnIndex(std::string_view name) const {
  for (size_t i = 0; i < Columns.size(); ++i) {
    if (Columns[i] == name) return static_cast<int>(i);
  }
  return -1;
}

const std::vector<std::string>& GameFlightColumns() {
  static const std::vector<std::string> columns = [] {
    std::vector<std::string> names;
    for (std::string_view field : SplitFields(flight::FlightCsvHeader())) {
      names.push_back(platform::ShiftJisToUtf8(field));
    }
    return names;
  }();
  return columns;
}

ColumnName SplitColumnName(std::string_view column) {
  const size_t open = column.rfind('[');
  if (open == std::string_view::npos || column.empty() || column.back() != ']' || open == 0) {
    return {std::string(column), ""};
  }
  return {std::string(column.substr(0, open)), std::string(column.substr(open + 1, column.size() - open - 2))};
}

FlightLoad ParseFlightCsv(std::string_view text) {
  const bool utf8 = text.starts_with(kUtf8ByteOrderMark);
  if (utf8) text.remove_prefix(kUtf8ByteOrderMark.size());
  size_t pos = 0;
  const std::string_view header = NextLine(text, pos);
  if (header.empty())
    return {std::nullopt, platform::TranslatedUtf8(N_("空のファイルです (見出しの行がありません)。"))};

  FlightTable table;
  for (std::string_view field : SplitFields(header)) {
    table.Columns.push_back(utf8 ? std::string(field) : platform::ShiftJisToUtf8(field));
  }
  table.Values.resize(table.Columns.size());
  int lineNumber = 1;
  while (pos < text.size()) {
    const std::string_view line = NextLine(text, pos);
    ++lineNumber;
    if (line.empty()) continue;
    if (table.RowCount() >= kMaxFlightRows) {
      table.Note =
          Format(platform::TranslatedUtf8(N_("行が多すぎるため、先頭の %zu 行だけ読みました。")), kMaxFlightRows);
      break;
    }
    const auto fields = SplitFields(line);
    std::string problem;
    std::vector<double> row;
    if (fields.size() != table.Columns.size()) {
      problem = Format(platform::TranslatedUtf8(N_("値が %zu 個あります (見出しは %zu 列)")), fields.size(),
                       table.Columns.size());
    }
    for (size_t c = 0; c < fields.size() && problem.empty(); ++c) {
      const auto value = ParseNumber(fields[c]);
      if (!value) problem = Format(platform::TranslatedUtf8(N_("%zu 列目が数値ではありません")), c + 1);
      row.push_back(value.value_or(0));
    }
    if (!problem.empty()) {
      if (table.RowCount() == 0)
        return {std::nullopt, Format(platform::TranslatedUtf8(N_("%d 行目: %s。")), lineNumber, problem.c_str())};
      table.Note =
          Format(platform::TranslatedUtf8(N_("%d 行目で読むのをやめました: %s。それより前の %zu 行を表示しています。")),
                 lineNumber, problem.c_str(), table.RowCount());
      break;
    }
    for (size_t c = 0; c < row.size(); ++c) table.Values[c].push_back(row[c]);
  }
  if (table.RowCount() == 0)
    return {std::nullopt, platform::TranslatedUtf8(N_("見出しの行だけで、データの行がありません。"))};
  SetDistanceAndDuration(table);
  return {std::move(table), ""};
}

FlightTable TableFromRecords(std::span<const flight::FlightRecord> rows) {
  FlightTable table;
  table.Columns = GameFlightColumns();
  table.Values.assign(table.Columns.size(), {});
  for (auto& column : table.Values) column.reserve(rows.size());
  for (size_t i = 0; i < rows.size(); ++i) {
    const auto values = flight::FlightCsvValues(rows[i], static_cast<int>(i));
    for (size_t c = 0; c < values.size(); ++c) table.Values[c].push_back(values[c]);
  }
  SetDistanceAndDuration(table);
  return table;
}

FlightLoad FlyFlightText(const std::string& fileText) {
  const sim::FlightOutcome outcome = sim::FlyAircraftText(fileText);
  if (!outcome.LaunchEnded)
    return {std::nullopt, platform::TranslatedUtf8(N_("発進台の端に届きません (初速が低すぎます)。"))};
  if (!std::isfinite(outcome.Distance)) {
    return {std::nullopt,
            platform::TranslatedUtf8(N_("飛行が数値になりません (質量・面積・剛性を確認してください)。"))};
  }
  // The rows velkaro-sim's --csv writes.
  const flight::Aircraft& a = *outcome.Aircraft;
  FlightTable table = TableFromRecords(std::span(a.RecordCopy.data(), size_t{a.Step} + 1));
  table.Distance = outcome.Distance;
  table.Flown = true;
  return {std::move(table), ""};
}

bool LooksLikeCsv(std::string_view text) {
  size_t pos = 0;
  return SplitFields(NextLine(text, pos)).size() >= kMinCsvHeaderFields;
}

FlightLoad LoadFlightFile(const std::string& gameFileName) {
  const std::string shown = ShownFileName(gameFileName);
  const auto text = platform::ReadFilePrefix(gameFileName, kFlightFileReadLimit + 1);
  if (!text) return {std::nullopt, Format(platform::TranslatedUtf8(N_("「%s」を開けません。")), shown.c_str())};
  FlightLoad load;
  if (LooksLikeCsv(*text)) {
    std::string_view csv = *text;
    const bool cut = csv.size() > kFlightFileReadLimit;
    // A file cut at the limit ends in a partial line, which must not pass for a row.
    if (cut) csv = csv.substr(0, csv.rfind('\n', kFlightFileReadLimit) + 1);
    load = ParseFlightCsv(csv);
    if (cut && load.Table) {
      std::string& note = load.Table->Note;
      note = Format(platform::TranslatedUtf8(N_("ファイルが大きいため、先頭 %zu MB だけ読みました。")),
                    kFlightFileReadLimit >> 20) +
             (note.empty() ? "" : " " + note);
    }
  } else {
    const std::string design = text->substr(0, ranking::kRankingReadLimit);
    if (const auto problem = NotADesign(design, shown)) {
      return {std::nullopt,
              platform::Formatted(platform::TranslatedUtf8(N_("%s: CSV の飛行記録でも機体ファイルでもありません (%s)")),
                                  shown.c_str(), problem->c_str())};
    }
    load = FlyFlightText(design);
  }
  if (!load.Table) {
    load.Error = shown + ": " + load.Error;
    return load;
  }
  load.Table->Source = gameFileName;
  load.Table->Label = FlightLabel(gameFileName);
  return load;
}

FlightLoad LoadFlightText(std::string_view text, const std::string& source, const std::string& label) {
  const std::string design(text.substr(0, ranking::kRankingReadLimit));
  if (const auto problem = NotADesign(design, label)) {
    return {std::nullopt, platform::Formatted(platform::TranslatedUtf8(N_("%s: 機体ファイルではありません (%s)")),
                                              label.c_str(), problem->c_str())};
  }
  FlightLoad load = FlyFlightText(design);
  if (!load.Table) {
    load.Error = label + ": " + load.Error;
    return load;
  }
  load.Table->Source = source;
  load.Table->Label = label;
  return load;
}

std::string FlightLabel(const std::string& gameFileName) {
  const std::string native = platform::NativePath(gameFileName);
  for (int i = 0; i < ranking::kEntryCount; ++i) {
    if (platform::NativePath(ranking::EntryFileName(i)) != native) continue;
    const auto tableText = platform::ReadFilePrefix(ranking::kTableFileName, ranking::kRankingReadLimit);
    if (!tableText) break;
    const std::string name = platform::ShiftJisToUtf8(ranking::ParseTableFile(*tableText).Entries[i].Name);
    return Format(platform::TranslatedUtf8(N_("%d位 %s")), i + 1,
                  name.empty() ? ShownFileName(gameFileName).c_str() : name.c_str());
  }
  return ShownFileName(gameFileName);
}

}  // namespace config
