#include "platform/text/shift_jis.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>

namespace platform {
namespace {

// Converts with iconv; an unconvertible or truncated input character becomes '?'
// and the conversion goes on after it.
std::string Convert(std::string_view in, const char* from, const char* to, size_t skipOnError) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(in);
  std::string out;
  char buffer[256];
  char* src = const_cast<char*>(in.data());
  size_t srcLeft = in.size();
  while (srcLeft > 0) {
    char* dst = buffer;
    size_t dstLeft = sizeof buffer;
    size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    out.append(buffer, dst - buffer);
    if (rc == static_cast<size_t>(-1) && errno != E2BIG) {
      out.push_back('?');
      size_t skip = std::min(skipOnError, srcLeft);
      if (errno == EILSEQ && skipOnError > 1) {
        // Skip one whole UTF-8 sequence.
        unsigned char lead = static_cast<unsigned char>(*src);
        skip = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        skip = std::min(skip, srcLeft);
      }
      src += skip;
      srcLeft -= skip;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  iconv_close(cd);
  return out;
}

}  // namespace

std::string ShiftJisToUtf8(std::string_view sjis) { return Convert(sjis, "CP932", "UTF-8", 1); }

std::string Utf8ToShiftJis(std::string_view utf8) { return Convert(utf8, "UTF-8", "CP932", 4); }

}  // namespace platform
