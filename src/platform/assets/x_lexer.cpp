#include "platform/assets/x_lexer.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>

namespace platform::xfile {
namespace {

constexpr std::string_view kMagic = "xof ";
constexpr size_t kVersionOffset = 4;
constexpr size_t kFormatOffset = 8;
constexpr size_t kFloatSizeOffset = 12;
constexpr size_t kHeaderFieldSize = 4;
constexpr std::string_view kTextFormat = "txt ";  // others: "bin ", "tzip", "bzip"

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Names may hold non-ASCII text (Shift-JIS or UTF-8 object names).
bool IsNameStart(unsigned char c) { return IsLetter(c) || c == '_' || c >= 0x80; }
bool IsNameChar(unsigned char c) { return IsNameStart(c) || IsDigit(c) || c == '-' || c == '.'; }
bool IsNumberChar(char c) { return IsDigit(c) || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E'; }

// A Shift-JIS lead byte; its trail byte may look like '{', '}' or '\', so the two are
// read as one character.
bool IsShiftJisLead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v' || c == ',' || c == ';';
}

std::string_view WithoutPlus(std::string_view s) { return !s.empty() && s[0] == '+' ? s.substr(1) : s; }

}  // namespace

bool IsTextHeader(std::string_view text) {
  if (text.size() < kHeaderSize || text.substr(0, kMagic.size()) != kMagic) return false;
  const std::string_view version = text.substr(kVersionOffset, kHeaderFieldSize);
  if (!std::all_of(version.begin(), version.end(), IsDigit)) return false;
  if (text.substr(kFormatOffset, kHeaderFieldSize) != kTextFormat) return false;
  const std::string_view floatSize = text.substr(kFloatSizeOffset, kHeaderFieldSize);
  return floatSize == "0032" || floatSize == "0064";
}

Token Lexer::Peek() {
  const size_t savedPos = pos_;
  const int savedLine = line_;
  const Token token = Scan();
  pos_ = savedPos;
  line_ = savedLine;
  return token;
}

void Lexer::MoveTo(size_t pos) {
  line_ += static_cast<int>(std::count(text_.begin() + static_cast<std::ptrdiff_t>(pos_),
                                       text_.begin() + static_cast<std::ptrdiff_t>(pos), '\n'));
  pos_ = pos;
}

void Lexer::SkipTo(char end) {
  const size_t found = text_.find(end, pos_);
  MoveTo(found == std::string_view::npos ? text_.size() : found + 1);
}

void Lexer::SkipBlanks() {
  while (pos_ < text_.size()) {
    const char c = text_[pos_];
    if (IsBlank(c)) {
      MoveTo(pos_ + 1);
    } else if (c == '#' || (c == '/' && At(pos_ + 1) == '/')) {
      SkipTo('\n');
    } else if (c == '<') {
      SkipTo('>');
    } else {
      break;
    }
  }
}

size_t Lexer::CharLength(size_t i) const {
  return IsShiftJisLead(static_cast<unsigned char>(text_[i])) && i + 1 < text_.size() ? 2 : 1;
}

Token Lexer::ScanString(int line) {
  const size_t start = pos_ + 1;
  size_t end = start;
  while (end < text_.size() && text_[end] != '"') end += CharLength(end);
  if (end >= text_.size()) {  // unterminated: the text ends here
    MoveTo(text_.size());
    return {TokenKind::Other, {}, line};
  }
  MoveTo(end);
  const Token token = Take(TokenKind::String, start, line);
  MoveTo(end + 1);
  return token;
}

// A number, or a name; names may begin with digits ("01_Box"), so a word is a number
// only when it begins like one and holds nothing but number characters.
Token Lexer::ScanWord(size_t start, int line) {
  bool numeric = !IsNameStart(static_cast<unsigned char>(text_[start]));
  size_t end = pos_;
  while (end < text_.size()) {
    const auto c = static_cast<unsigned char>(text_[end]);
    if (!IsNameChar(c) && !IsNumberChar(static_cast<char>(c))) break;
    numeric = numeric && IsNumberChar(static_cast<char>(c));
    end += CharLength(end);
  }
  MoveTo(end);
  return Take(numeric ? TokenKind::Number : TokenKind::Name, start, line);
}

Token Lexer::Scan() {
  SkipBlanks();
  if (pos_ >= text_.size()) {
    const bool endsLine = !text_.empty() && text_.back() == '\n';
    return {TokenKind::End, {}, endsLine ? line_ - 1 : line_};
  }
  const size_t start = pos_;
  const int line = line_;
  const char c = text_[pos_];
  if (c == '{' || c == '}') {
    MoveTo(pos_ + 1);
    return Take(c == '{' ? TokenKind::Open : TokenKind::Close, start, line);
  }
  if (c == '"') return ScanString(line);
  const bool signedNumber = (c == '-' || c == '+' || c == '.') && (IsDigit(At(pos_ + 1)) || At(pos_ + 1) == '.');
  if (IsDigit(c) || signedNumber || IsNameStart(static_cast<unsigned char>(c))) return ScanWord(start, line);
  MoveTo(pos_ + 1);
  return Take(TokenKind::Other, start, line);
}

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

std::string Unescape(std::string_view raw) {
  std::string out;
  out.reserve(raw.size());
  for (size_t i = 0; i < raw.size();) {
    if (IsShiftJisLead(static_cast<unsigned char>(raw[i])) && i + 1 < raw.size()) {
      out.append(raw.substr(i, 2));
      i += 2;
    } else if (raw[i] == '\\' && i + 1 < raw.size() && raw[i + 1] == '\\') {
      out += '\\';
      i += 2;
    } else {
      out += raw[i++];
    }
  }
  return out;
}

std::optional<uint32_t> ToUint(std::string_view s) {
  s = WithoutPlus(s);
  uint32_t value = 0;
  const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (error != std::errc() || end != s.data() + s.size()) return std::nullopt;
  return value;
}

std::optional<float> ToFloat(std::string_view s) {
  s = WithoutPlus(s);
  const char* last = s.data() + s.size();
  float value = 0;
  const auto [end, error] = std::from_chars(s.data(), last, value);
  if (end != last) return std::nullopt;
  if (error == std::errc()) return value;
  if (error != std::errc::result_out_of_range) return std::nullopt;
  // Out of float range: a tiny value becomes its nearest float; a huge one is refused.
  double wide = 0;
  const auto [wideEnd, wideError] = std::from_chars(s.data(), last, wide);
  if (wideError != std::errc() || wideEnd != last || std::fabs(wide) > FLT_MAX) return std::nullopt;
  return static_cast<float>(wide);
}

}  // namespace platform::xfile
