// Every character of the message catalogs (the Japanese originals and their
// translations) can be drawn: the UI's font is built with it, and the faces the game
// and the configurator load have a glyph for it (no "?" and no empty box).
#include <ft2build.h>
#include FT_FREETYPE_H
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "platform/gl/font_match.h"
#include "platform/sdl/ui_glyph_ranges.h"

namespace {

// The code points of a UTF-8 text.
std::set<char32_t> CodePoints(const std::string& utf8) {
  std::set<char32_t> points;
  for (size_t i = 0; i < utf8.size();) {
    const unsigned char lead = static_cast<unsigned char>(utf8[i]);
    const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t cp = length == 1 ? lead : lead & (0x3F >> (length - 1));
    for (int k = 1; k < length && i + k < utf8.size(); ++k) cp = (cp << 6) | (utf8[i + k] & 0x3F);
    points.insert(cp);
    i += length;
  }
  return points;
}

// Every character of the quoted strings of every catalog in po/.
std::set<char32_t> CatalogCharacters() {
  std::set<char32_t> all;
  for (const auto& file : std::filesystem::directory_iterator(VELKARO_PO_DIR)) {
    if (file.path().extension() != ".po") continue;
    std::ifstream in(file.path());
    for (std::string line; std::getline(in, line);) {
      if (line.empty() || line[0] == '#') continue;
      const size_t open = line.find('"'), close = line.rfind('"');
      if (open == std::string::npos || close <= open) continue;
      const auto points = CodePoints(line.substr(open + 1, close - open - 1));
      all.insert(points.begin(), points.end());
    }
  }
  return all;
}

bool InUiRanges(char32_t cp) {
  const std::vector<ImWchar>& ranges = platform::UiGlyphRanges();
  for (size_t i = 0; i + 1 < ranges.size() && ranges[i] != 0; i += 2) {
    if (cp >= ranges[i] && cp <= ranges[i + 1]) return true;
  }
  return false;
}

std::string Hex(char32_t cp) {
  std::ostringstream out;
  out << "U+" << std::hex << std::uppercase << static_cast<unsigned>(cp);
  return out.str();
}

TEST(CatalogGlyphs, EveryCharacterOfEveryCatalogHasAGlyphInTheFontsTheProgramsLoad) {
  const std::set<char32_t> characters = CatalogCharacters();
  ASSERT_GT(characters.size(), 100u) << "the catalogs were read";
  FT_Library library = nullptr;
  ASSERT_EQ(FT_Init_FreeType(&library), 0);
  for (const bool fixedPitch : {false, true}) {  // the UI and HUD's face, the ranking list's
    const auto face = platform::gl::FindJapaneseFont(fixedPitch);
    ASSERT_TRUE(face && !face->File.empty()) << "a Japanese font is installed";
    FT_Face loaded = nullptr;
    ASSERT_EQ(FT_New_Face(library, face->File.c_str(), face->Index, &loaded), 0) << face->File;
    for (char32_t cp : characters) {
      if (cp < 0x20) continue;
      EXPECT_NE(FT_Get_Char_Index(loaded, cp), 0u) << Hex(cp) << " has no glyph in " << face->File;
      EXPECT_TRUE(InUiRanges(cp)) << Hex(cp) << " is not among the UI font's characters";
    }
    FT_Done_Face(loaded);
  }
  FT_Done_FreeType(library);
}

}  // namespace
