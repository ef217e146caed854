#include "platform/io/settings_file.h"

#include "platform/io/files.h"
#include "platform/text/text_fields.h"

namespace platform {
SettingsValues ReadSettings(std::string_view gameName) {
  SettingsValues values;
  const auto text = ReadFilePrefix(gameName, kSettingsReadLimit);
  if (!text) return values;
  size_t start = 0;
  while (start < text->size()) {
    size_t end = text->find('\n', start);
    if (end == std::string::npos) end = text->size();
    std::string_view line(text->data() + start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos || equals == 0 || platform::HasControlCharacter(line)) continue;
    values[std::string(line.substr(0, equals))] = std::string(line.substr(equals + 1));
  }
  return values;
}

bool WriteSettings(const SettingsValues& values, std::string_view gameName) {
  std::string text;
  for (const auto& [key, value] : values) {
    if (key.empty() || key.find('=') != std::string::npos || platform::HasControlCharacter(key) || platform::HasControlCharacter(value))
      continue;
    text += key + '=' + value + '\n';
  }
  return WriteFileAtomically(gameName, text);
}

}  // namespace platform
