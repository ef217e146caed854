#pragma once
// Texts of the window in the language in use. A title or label that is also an ImGui
// ID keeps the original text as its ID, so a window, a popup or a tree node stays the
// same one when the language changes.
#include <string>

#include "platform/text/language.h"

namespace config {

// `marked` (an N_ text) shown in the current language, identified by the original.
inline std::string StableLabel(const char* marked) {
  return std::string(platform::TranslatedUtf8(marked)) + "###" + marked;
}

// `marked` shown in the current language, identified by `id` ("##id" as ImGui writes it).
inline std::string LabelWithId(const char* marked, const char* id) {
  return std::string(platform::TranslatedUtf8(marked)) + "##" + id;
}

}  // namespace config
