#pragma once
// Who submits: a pilot's name, kept as the game keeps names (Shift-JIS), and the
// random token a player's game made once, of which the league keeps only a hash.
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace league {

// The stored Shift-JIS name of a name sent in UTF-8, or why it cannot be one: it must
// not be empty, must hold no control characters, must be written in characters
// Shift-JIS has, and fit the game's 255 bytes. A comma becomes the full-width comma,
// as in the game's ranking.
std::variant<std::string, std::string> PilotNameFromUtf8(std::string_view utf8);

inline constexpr size_t kTokenHexDigits = 32;  // 128 bits

// True for 32 hexadecimal digits (either case).
bool IsToken(std::string_view token);

// The token's SHA-256 in lowercase hex, over its lowercase form: what the league
// stores in place of the token.
std::string TokenHash(std::string_view token);

// SHA-256 of bytes, lowercase hex.
std::string Sha256Hex(std::string_view bytes);

}  // namespace league
