#include "platform/text/text_fields.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

namespace platform {
namespace {

// strtod and strtol need a terminated string; numbers never need more than this.
constexpr size_t kMaxNumberText = 512;

std::string Terminated(std::string_view text) { return std::string(text.substr(0, kMaxNumberText)); }

}  // namespace

std::string FieldReader::Read(char delimiter) {
  if (failed_) return {};
  if (pos_ >= text_.size()) {
    failed_ = true;  // nothing left to extract
    return {};
  }
  std::string field;
  while (pos_ < text_.size()) {
    const char c = text_[pos_];
    if (c == delimiter) {
      ++pos_;
      return field;
    }
    if (field.size() == kMaxField) {
      failed_ = true;  // the buffer is full and the delimiter has not come
      return field;
    }
    field.push_back(c);
    ++pos_;
  }
  return field;  // the text ended before the delimiter
}

std::string FieldReader::ReadCutCr(char delimiter) {
  std::string field = Read(delimiter);
  if (!field.empty() && field.back() == '\r') field.pop_back();
  return field;
}

double ParseDouble(std::string_view text) {
  const std::string s = Terminated(text);
  return std::strtod(s.c_str(), nullptr);
}

int32_t ParseInt(std::string_view text) {
  const std::string s = Terminated(text);
  errno = 0;
  const long value = std::strtol(s.c_str(), nullptr, 10);
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(value);
}

}  // namespace platform

namespace platform {

std::vector<std::string> SplitLines(std::string_view text, size_t maxLines, size_t maxLineBytes) {
  std::vector<std::string> lines;
  size_t pos = 0;
  while (pos < text.size() && lines.size() < maxLines) {
    size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    lines.emplace_back(CutCr(text.substr(pos, end - pos)).substr(0, maxLineBytes));
    pos = end + 1;
  }
  return lines;
}

std::string TwoDecimalText(double value) {
  char text[512];  // "%f" of the largest double has over 300 digits
  std::snprintf(text, sizeof text, "%f", value);
  std::string s = text;
  const size_t point = s.find('.');
  if (point != std::string::npos && point + 3 < s.size()) s.resize(point + 3);
  return s;
}

bool HasControlCharacter(std::string_view text) {
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) return true;
  }
  return false;
}

}  // namespace platform
