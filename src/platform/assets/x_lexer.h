#pragma once
// The tokens of a text X file, and the header that tells a text file from the others.
//
// Separators ("," and ";") carry no meaning once every list is read by its count, so
// they are skipped like white space; that makes doubled, missing and trailing
// separators harmless. GUIDs ("<...>") only matter to templates, which are skipped, so
// they are dropped too, as are comments ("//" and "#" to the end of the line).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform::xfile {

// Header: "xof " + 4-digit version + 4-character format + 4-digit float size.
inline constexpr size_t kHeaderSize = 16;
bool IsTextHeader(std::string_view text);

enum class TokenKind { End, Name, Number, String, Open, Close, Other };

struct Token {
  TokenKind kind = TokenKind::End;
  std::string_view text;  // for strings: what stands between the quotes
  int line = 1;           // where the token starts; the end of the text is on its last line
};

class Lexer {
public:
  // `text` starts on line `firstLine` of the file.
  explicit Lexer(std::string_view text, int firstLine = 1) : text_(text), line_(firstLine) {}

  Token Next() { return Scan(); }
  Token Peek();
  size_t Remaining() const { return text_.size() - pos_; }
  void Stop() { pos_ = text_.size(); }

private:
  char At(size_t i) const { return i < text_.size() ? text_[i] : '\0'; }
  void MoveTo(size_t pos);  // counts the lines passed on the way
  void SkipTo(char end);
  void SkipBlanks();
  size_t CharLength(size_t i) const;
  Token Take(TokenKind kind, size_t start, int line) const { return {kind, text_.substr(start, pos_ - start), line}; }
  Token ScanString(int line);
  Token ScanWord(size_t start, int line);
  Token Scan();

  std::string_view text_;
  size_t pos_ = 0;
  int line_;
};

// Keywords are matched without regard to case.
std::string Lower(std::string_view s);
// String contents stay as written, except that an escaped backslash ("\\") becomes one.
std::string Unescape(std::string_view raw);
// Number tokens as values; nothing when the whole token is not one (or out of range).
std::optional<uint32_t> ToUint(std::string_view s);
std::optional<float> ToFloat(std::string_view s);

}  // namespace platform::xfile
