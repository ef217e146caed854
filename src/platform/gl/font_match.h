#pragma once
// Finding an installed font face for the game's Japanese text.
#include <optional>
#include <string>

namespace platform::gl {

struct FontFace {
  std::string File;  // empty: none
  int Index = 0;     // face in a collection file
};

// The face fontconfig picks for Japanese (":lang=ja", with ":spacing=mono" for a fixed
// pitch). A face name alone would silently fall back to a font without Japanese, so
// the language is what is asked for. Nothing when fontconfig finds no font at all.
std::optional<FontFace> FindJapaneseFont(bool fixedPitch);

}  // namespace platform::gl
