#include "app/saved_options.h"

#include <array>
#include <charconv>
#include <string_view>

#include "platform/io/settings_file.h"
#include "platform/text/language.h"

namespace app {
namespace {

constexpr const char* kGhostKey = "ghost";
constexpr const char* kCoachLineKey = "coach-line";
constexpr const char* kSoundKey = "sound";
constexpr const char* kVolumeKey = "sound.volume";
constexpr const char* kVariometerKey = "sound.variometer";
constexpr const char* kLanguageKey = "language";
constexpr const char* kOn = "on";
constexpr const char* kOff = "off";

struct GhostName {
  game::GhostChoice Choice;
  const char* Name;
};
// The ghosts one can choose at the start; a league's flight is handed over afresh.
constexpr std::array<GhostName, 3> kGhostNames{{
    {game::GhostChoice::None, "none"},
    {game::GhostChoice::RankingBest, "ranking-best"},
    {game::GhostChoice::CoachBest, "coach-best"},
}};

const char* OnOff(bool on) { return on ? kOn : kOff; }

void ReadSwitch(const platform::SettingsValues& values, const char* key, bool& option) {
  const auto it = values.find(key);
  if (it == values.end()) return;
  if (it->second == kOn) option = true;
  if (it->second == kOff) option = false;
}

void ReadVolume(const platform::SettingsValues& values, int& step) {
  const auto it = values.find(kVolumeKey);
  if (it == values.end()) return;
  const std::string& text = it->second;
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error == std::errc() && end == text.data() + text.size() && value >= 1 &&
      value <= game::SoundOptions::kVolumeSteps) {
    step = value;
  }
}

// The options as the settings file writes them.
platform::SettingsValues OptionValues(const game::Game& g) {
  platform::SettingsValues values;
  for (const GhostName& ghost : kGhostNames) {
    if (ghost.Choice == g.Ghost.Choice) values[kGhostKey] = ghost.Name;
  }
  values[kCoachLineKey] = OnOff(g.ShowCoach);
  values[kSoundKey] = OnOff(g.SoundChoice.On);
  values[kVolumeKey] = std::to_string(g.SoundChoice.VolumeStep);
  values[kVariometerKey] = OnOff(g.SoundChoice.Variometer);
  values[kLanguageKey] = platform::LanguageChoiceName(platform::CurrentLanguageChoice());
  return values;
}

std::string Fingerprint(const platform::SettingsValues& values) {
  std::string text;
  for (const auto& [key, value] : values) text += key + '=' + value + '\n';
  return text;
}

}  // namespace

void LoadSavedOptions(game::Game& g) {
  const platform::SettingsValues values = platform::ReadSettings();
  if (const auto it = values.find(kGhostKey); it != values.end()) {
    for (const GhostName& ghost : kGhostNames) {
      if (it->second == ghost.Name) g.Ghost.Choice = ghost.Choice;
    }
  }
  ReadSwitch(values, kCoachLineKey, g.ShowCoach);
  ReadSwitch(values, kSoundKey, g.SoundChoice.On);
  ReadVolume(values, g.SoundChoice.VolumeStep);
  ReadSwitch(values, kVariometerKey, g.SoundChoice.Variometer);
  const auto language = values.find(kLanguageKey);
  platform::UseLanguage(platform::ParseLanguageChoice(language == values.end() ? "" : language->second));
  g.KeptOptions = Fingerprint(OptionValues(g));
}

void KeepChangedOptions(game::Game& g) {
  if (!g.KeptOptions) return;  // the options were never read: nothing to keep them beside
  const platform::SettingsValues options = OptionValues(g);
  std::string now = Fingerprint(options);
  if (now == *g.KeptOptions) return;
  // Tried once per change: a folder that cannot be written costs no write every tick.
  g.KeptOptions = now;
  platform::SettingsValues values = platform::ReadSettings();
  // A league's ghost has no name here: the ghost chosen before it stays in the file.
  for (const auto& [key, value] : options) values[key] = value;
  platform::WriteSettings(values);
}

}  // namespace app
