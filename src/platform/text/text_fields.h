#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Reads delimited fields from text held in memory, the way the game's files have
// always been read: a read takes characters up to its delimiter (consumed) or the end
// of the text, into a buffer of 255 characters. A field of 256 or more characters, or a
// read at the end of the text, puts the reader into the failed state, and every later
// read gives an empty field.
class FieldReader {
public:
  static constexpr size_t kMaxField = 255;  // characters a field buffer holds

  explicit FieldReader(std::string_view text) : text_(text) {}

  // The field up to the delimiter; on an over-long field its first 255 characters.
  std::string Read(char delimiter);
  // Like Read, then cuts one CR that ends the field.
  std::string ReadCutCr(char delimiter);
  bool Failed() const { return failed_; }
  bool AtEnd() const { return pos_ >= text_.size(); }

private:
  std::string_view text_;
  size_t pos_ = 0;
  bool failed_ = false;
};

// Number conversion with the C library's atof/atoi meaning: leading white space
// skipped, the longest numeric prefix taken, 0 when there is none. Integers out of
// range are clamped instead of being undefined.
double ParseDouble(std::string_view text);
int32_t ParseInt(std::string_view text);

// Cuts one CR at the end of a line.
inline std::string_view CutCr(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

}  // namespace platform

namespace platform {

// Splits text into at most maxLines lines (LF or CR LF), each cut to maxLineBytes. The
// empty rest after a final line break is not a line.
// Whether the text holds a byte below 0x20 or DEL (a line break, a tab, NUL ...).
bool HasControlCharacter(std::string_view text);

std::vector<std::string> SplitLines(std::string_view text, size_t maxLines, size_t maxLineBytes = 255);

// A distance as the game shows it: printed with six decimals ("%f"), then cut right
// after the second decimal, not rounded again (98.7f shows as 98.69).
std::string TwoDecimalText(double value);

}  // namespace platform
