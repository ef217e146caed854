#include "league/pilot_identity.h"

#include <openssl/evp.h>

#include <array>
#include <cctype>

#include "platform/text/shift_jis.h"
#include "platform/text/text_fields.h"
#include "ranking/ranking_table.h"
#include "ranking/registration.h"

namespace league {
std::variant<std::string, std::string> PilotNameFromUtf8(std::string_view utf8) {
  using Result = std::variant<std::string, std::string>;
  if (utf8.empty()) return Result(std::in_place_index<1>, "the pilot's name is empty");
  if (platform::HasControlCharacter(utf8)) return Result(std::in_place_index<1>, "the pilot's name holds a control character");
  const std::string sjis = platform::Utf8ToShiftJis(utf8);
  // A character Shift-JIS lacks comes back as '?', and invalid UTF-8 does not come back.
  if (platform::ShiftJisToUtf8(sjis) != utf8)
    return Result(std::in_place_index<1>, "the pilot's name holds a character the game cannot write");
  const std::string stored = ranking::StoredName(sjis);
  if (stored.size() > ranking::kMaxNameBytes || sjis.size() > ranking::kMaxNameBytes)
    return Result(std::in_place_index<1>, "the pilot's name is longer than the game's 255 bytes");
  return Result(std::in_place_index<0>, stored);
}

bool IsToken(std::string_view token) {
  if (token.size() != kTokenHexDigits) return false;
  for (const char c : token) {
    if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

std::string Sha256Hex(std::string_view bytes) {
  std::array<unsigned char, EVP_MAX_MD_SIZE> digest{};
  unsigned int length = 0;
  EVP_Digest(bytes.data(), bytes.size(), digest.data(), &length, EVP_sha256(), nullptr);
  static constexpr char kHex[] = "0123456789abcdef";
  std::string hex;
  for (unsigned int i = 0; i < length; ++i) {
    hex += kHex[digest[i] >> 4];
    hex += kHex[digest[i] & 0xF];
  }
  return hex;
}

std::string TokenHash(std::string_view token) {
  std::string lower(token);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return Sha256Hex(lower);
}

}  // namespace league
