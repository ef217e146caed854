#include "config/language/language_setting.h"

#include "platform/io/settings_file.h"

namespace config {
namespace {

constexpr const char* kLanguageKey = "language";

}  // namespace

void UseSavedLanguage() {
  const platform::SettingsValues values = platform::ReadSettings();
  const auto saved = values.find(kLanguageKey);
  platform::UseLanguage(platform::ParseLanguageChoice(saved == values.end() ? "" : saved->second));
}

bool ChooseLanguage(platform::LanguageChoice choice) {
  platform::UseLanguage(choice);
  platform::SettingsValues values = platform::ReadSettings();
  values[kLanguageKey] = platform::LanguageChoiceName(choice);
  return platform::WriteSettings(values);
}

}  // namespace config
