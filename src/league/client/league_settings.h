#pragma once
// The player's league settings, kept in the programs' settings file: the league's
// address (none: the league is off and nothing is ever sent), the contest, the pilot's
// name, and the random token that proves the name is the player's.
#include <string>

#include "platform/io/settings_file.h"

namespace league {

struct LeagueSettings {
  std::string Address;  // "league.example.org", "http://127.0.0.1:8150"; "" = off
  std::string Contest = "open";
  std::string PilotUtf8;
  std::string Token;  // 32 hex digits, made on first use; "" until then
  bool On() const { return !Address.empty(); }
};

// Read from the settings; a damaged or unknown value gives its default.
LeagueSettings LeagueSettingsFrom(const platform::SettingsValues& values);
void StoreLeagueSettings(const LeagueSettings& settings, platform::SettingsValues& values);

// A new token: 128 random bits from the system's random source, in hex.
std::string NewToken();
// The token as it may be shown: its first four digits only.
std::string ShownToken(const std::string& token);

// The address as a URL base: "http://" when it names no scheme, no trailing "/".
std::string LeagueBaseUrl(const std::string& address);

}  // namespace league
