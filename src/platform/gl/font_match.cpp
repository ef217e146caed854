#include "platform/gl/font_match.h"

#include <fontconfig/fontconfig.h>

namespace platform::gl {

std::optional<FontFace> FindJapaneseFont(bool fixedPitch) {
  if (!FcInit()) return std::nullopt;
  const char* query = fixedPitch ? ":lang=ja:spacing=mono" : ":lang=ja";
  FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(query));
  if (pattern == nullptr) return std::nullopt;
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  if (match == nullptr) return std::nullopt;

  std::optional<FontFace> face;
  FcChar8* file = nullptr;
  if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file != nullptr) {
    face = FontFace{reinterpret_cast<const char*>(file), 0};
    int index = 0;
    if (FcPatternGetInteger(match, FC_INDEX, 0, &index) == FcResultMatch) face->Index = index;
  }
  FcPatternDestroy(match);
  return face;
}

}  // namespace platform::gl
