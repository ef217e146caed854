#include "config/files/aircraft_file_check.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>

#include "aircraft/aircraft_file.h"
#include "config/design/design_fields.h"
#include "platform/text/language.h"
#include "platform/text/shift_jis.h"
#include "platform/text/text_fields.h"

namespace config {
namespace {

using platform::Formatted;
using platform::TranslatedUtf8;

// A field the game reads keeps at most this many characters; one more ends the reading.
constexpr size_t kMaxFieldChars = platform::FieldReader::kMaxField;
// Characters of an offending value quoted in a message.
constexpr size_t kQuotedChars = 40;

std::string_view TrimLeft(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  return text;
}

std::string_view TrimRight(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  return text;
}

// The value is a number and nothing else (blanks around it aside).
bool IsWholeNumber(std::string_view value, bool integer) {
  const std::string text(TrimRight(TrimLeft(value)));
  if (text.empty()) return false;
  char* end = nullptr;
  errno = 0;
  if (integer) {
    std::strtol(text.c_str(), &end, 10);
  } else {
    std::strtod(text.c_str(), &end);
  }
  return end == text.c_str() + text.size();
}

std::string Quote(std::string_view sjis) {
  return platform::ShiftJisToUtf8(sjis.substr(0, kQuotedChars)) + (sjis.size() > kQuotedChars ? "..." : "");
}

// Checks one value for text that the conversion skips; adds a problem if there is any.
void CheckValue(std::string_view value, bool integer, int line, std::vector<FileProblem>& problems) {
  if (TrimLeft(value).empty()) {
    problems.push_back({FileProblemKind::EmptyValue, line, "", 0, 0});
  } else if (!IsWholeNumber(value, integer)) {
    const double readAs = integer ? platform::ParseInt(value) : platform::ParseDouble(value);
    problems.push_back(
        {integer ? FileProblemKind::NotAnInteger : FileProblemKind::NotANumber, line, Quote(value), 0, readAs});
  }
}

std::vector<std::string_view> SplitAt(std::string_view text, char delimiter) {
  std::vector<std::string_view> parts;
  size_t pos = 0;
  for (;;) {
    const size_t end = text.find(delimiter, pos);
    parts.push_back(text.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos));
    if (end == std::string_view::npos) return parts;
    pos = end + 1;
  }
}

// Checks one line; false when the game reads the following lines out of step.
bool CheckLine(const FileLine& layout, std::string_view raw, std::vector<FileProblem>& problems) {
  const int n = layout.Number;
  if (layout.Kind == LineKind::Heading) {
    if (raw.size() > kMaxFieldChars) {
      problems.push_back({FileProblemKind::FieldTooLong, n});
      return false;
    }
    return true;
  }
  const size_t comma = raw.find(',');
  if (comma == std::string_view::npos) {
    problems.push_back({FileProblemKind::NoComma, n, Quote(platform::CutCr(raw))});
    return false;
  }
  const std::string_view rest = raw.substr(comma + 1);  // with the CR, as the game reads it
  if (comma > kMaxFieldChars) {
    problems.push_back({FileProblemKind::FieldTooLong, n});
    return false;
  }

  const int listCount = ListValueCount(layout.Kind);
  if (listCount == 0) {
    if (rest.size() > kMaxFieldChars) {
      problems.push_back({FileProblemKind::FieldTooLong, n});
      return false;
    }
    if (layout.Kind != LineKind::Ignored)
      CheckValue(platform::CutCr(rest), layout.Kind == LineKind::Integer, n, problems);
    return true;
  }

  const std::string_view values = platform::CutCr(rest);
  const bool endsWithComma = !values.empty() && values.back() == ',';
  std::vector<std::string_view> items = SplitAt(endsWithComma ? values.substr(0, values.size() - 1) : values, ',');
  if (values.empty()) items.clear();
  for (std::string_view item : items) {
    if (item.size() > kMaxFieldChars) {
      problems.push_back({FileProblemKind::FieldTooLong, n});
      return false;
    }
  }
  if (static_cast<int>(items.size()) != listCount) {
    problems.push_back({FileProblemKind::WrongValueCount, n, Quote(values), static_cast<int>(items.size())});
    return false;
  }
  if (!endsWithComma) {
    problems.push_back({FileProblemKind::MissingLastComma, n, Quote(values)});
    return false;
  }
  for (std::string_view item : items) CheckValue(item, layout.Kind == LineKind::EnabledList, n, problems);
  return true;
}

std::string LineName(int line) {
  if (line < 1 || line > kFileLineCount) return {};
  return Formatted(TranslatedUtf8(N_("%d 行目 (%s)")), line, TranslatedUtf8(FileLines()[line - 1].Name));
}

}  // namespace

bool KeepsLinesInStep(const std::vector<FileProblem>& problems) {
  for (const FileProblem& p : problems) {
    if (ShiftsLaterLines(p.Kind) || p.Kind == FileProblemKind::Truncated || p.Kind == FileProblemKind::Missing)
      return false;
  }
  return true;
}

bool ShiftsLaterLines(FileProblemKind kind) {
  switch (kind) {
    case FileProblemKind::NoComma:
    case FileProblemKind::FieldTooLong:
    case FileProblemKind::MissingLastComma:
    case FileProblemKind::WrongValueCount: return true;
    default: return false;
  }
}

std::vector<FileProblem> CheckAircraftFileText(std::string_view text) {
  text = text.substr(0, aircraft::kAircraftFileReadLimit);
  std::vector<FileProblem> problems;
  size_t pos = 0;
  for (const FileLine& layout : FileLines()) {
    if (pos >= text.size()) {
      problems.push_back({FileProblemKind::Truncated, 0, "", layout.Number - 1});
      break;
    }
    size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view raw = text.substr(pos, end - pos);
    pos = end + 1;
    if (!CheckLine(layout, raw, problems)) break;
  }
  return problems;
}

std::string DescribeFileProblem(const FileProblem& p, std::string_view fileName) {
  const std::string file(fileName);
  const std::string where = LineName(p.Line);
  const std::string shifted = TranslatedUtf8(N_("ゲームは以降の値をずらして読みます (表の値はゲームが読む値です)。"));
  const std::string readAs = aircraft::FormatExactNumber(p.ReadAs);
  switch (p.Kind) {
    case FileProblemKind::Missing:
      return Formatted(TranslatedUtf8(N_("「%s」を開けません。ゲームも読めず「%s」と警告します。")), file.c_str(),
                       TranslatedUtf8(N_("機体データの取得に失敗")));
    case FileProblemKind::Truncated:
      return Formatted(
          TranslatedUtf8(N_("「%s」は %d 行で終わっています (49 行必要)。%d 行目以降の値はゲームでも 0 になります。")),
          file.c_str(), p.Count, p.Count + 1);
    case FileProblemKind::NoComma:
      return Formatted(TranslatedUtf8(N_("%sにカンマがありません。")), where.c_str()) + shifted;
    case FileProblemKind::FieldTooLong:
      return Formatted(
          TranslatedUtf8(
              N_("%sに 256 文字以上の項目があります。ゲームはそこで読むのをやめ、以降の値はすべて 0 になります。")),
          where.c_str());
    case FileProblemKind::NotANumber:
      return Formatted(TranslatedUtf8(N_("%sの値「%s」に数値以外の文字があります。ゲームは %s と読みます。")),
                       where.c_str(), p.Text.c_str(), readAs.c_str());
    case FileProblemKind::NotAnInteger:
      return Formatted(TranslatedUtf8(N_("%sの値「%s」は整数ではありません。ゲームは %s と読みます。")), where.c_str(),
                       p.Text.c_str(), readAs.c_str());
    case FileProblemKind::EmptyValue:
      return Formatted(TranslatedUtf8(N_("%sに値がありません。ゲームは 0 と読みます。")), where.c_str());
    case FileProblemKind::MissingLastComma:
      if (p.Line == kFileLineCount)
        return Formatted(TranslatedUtf8(N_("%sの最後のカンマがありません。最後の行なので値はそのまま読まれます。")),
                         where.c_str());
      return Formatted(TranslatedUtf8(N_("%sの最後のカンマがありません。")), where.c_str()) + shifted;
    case FileProblemKind::WrongValueCount:
      return Formatted(TranslatedUtf8(N_("%sの値が %d 個です (%d 個必要)。")), where.c_str(), p.Count,
                       ListValueCount(FileLines()[p.Line - 1].Kind)) +
             shifted;
  }
  return {};
}

}  // namespace config
