#include "platform/sdl/ui_glyph_ranges.h"

namespace platform {

const std::vector<ImWchar>& UiGlyphRanges() {
  static const std::vector<ImWchar> ranges = [] {
    static const ImWchar kBeyondJapanese[] = {
        0x0370, 0x03FF,  // Greek (α, Δ in the designer's figures)
        0x2010, 0x205E,  // general punctuation: dashes, quotes, "…", "‰"
        0x2190, 0x21FF,  // arrows
        0x2200, 0x22FF,  // mathematical operators: "−", "±" beside it, "≤", "≈"
        0x25A0, 0x25FF,  // geometric shapes: "■", "▲", "●"
        0,
    };
    ImFontAtlas atlas;  // only to reach ImGui's table of Japanese; builds nothing
    ImFontGlyphRangesBuilder builder;
    builder.AddRanges(atlas.GetGlyphRangesJapanese());
    builder.AddRanges(kBeyondJapanese);
    ImVector<ImWchar> built;
    builder.BuildRanges(&built);
    return std::vector<ImWchar>(built.begin(), built.end());
  }();
  return ranges;
}

}  // namespace platform
