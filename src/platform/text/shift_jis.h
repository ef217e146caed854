#pragma once
#include <string>
#include <string_view>

namespace platform {

// Conversions between the game's Shift-JIS texts (Windows code page 932, which keeps
// byte 0x5C a backslash) and UTF-8, for where text meets a terminal, a font renderer
// or an input method. Characters with no equivalent become '?'.
std::string ShiftJisToUtf8(std::string_view sjis);
std::string Utf8ToShiftJis(std::string_view utf8);

// Length of the Shift-JIS character that starts with this byte: 2 for a lead byte,
// else 1.
inline int ShiftJisCharLength(unsigned char lead) {
  return ((lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC)) ? 2 : 1;
}

}  // namespace platform
