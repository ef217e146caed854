#pragma once
// The programs' own settings beside the game's files: one text file of "key=value"
// lines (UTF-8) in the player's folder, read at start and replaced as a whole. Keys a
// program does not know are kept when it writes, so the game, the configurator and
// velkaro-sim each change only their own.
#include <map>
#include <string>
#include <string_view>

namespace platform {

inline constexpr const char* kSettingsFileName = "velkaro-settings.txt";
inline constexpr size_t kSettingsReadLimit = 64 * 1024;  // bytes; a settings file is a few lines

using SettingsValues = std::map<std::string, std::string>;

// The file's settings; none when it is missing or unreadable. A line without "=" or
// with a control character is skipped, so a damaged line costs only itself.
SettingsValues ReadSettings(std::string_view gameName = kSettingsFileName);

// Replaces the file with these settings (sorted, one per line). Keys and values with a
// line break or "=" in a key are left out. False when it cannot be written.
bool WriteSettings(const SettingsValues& values, std::string_view gameName = kSettingsFileName);

}  // namespace platform
