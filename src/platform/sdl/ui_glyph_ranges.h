#pragma once
// The characters the UI's font is built with: ImGui draws only these, any other as "?".
#include <imgui.h>

#include <vector>

namespace platform {

// Japanese (kana, the common kanji, full-width forms), Latin-1, and the punctuation,
// arrows and mathematical signs the texts of both languages use ("…", "−", "≤", "→").
// Zero-terminated pairs of first and last character, as ImGui takes them.
const std::vector<ImWchar>& UiGlyphRanges();

}  // namespace platform
