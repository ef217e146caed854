#include "league/client/league_settings.h"

#include <random>

#include "league/contests.h"
#include "league/pilot_identity.h"

namespace league {
namespace {

constexpr const char* kAddressKey = "league.address";
constexpr const char* kContestKey = "league.contest";
constexpr const char* kPilotKey = "league.pilot";
constexpr const char* kTokenKey = "league.token";
constexpr size_t kShownTokenDigits = 4;

std::string Value(const platform::SettingsValues& values, const char* key) {
  const auto it = values.find(key);
  return it == values.end() ? std::string() : it->second;
}

}  // namespace

LeagueSettings LeagueSettingsFrom(const platform::SettingsValues& values) {
  LeagueSettings s;
  s.Address = Value(values, kAddressKey);
  if (const std::string contest = Value(values, kContestKey); FindContest(contest)) s.Contest = contest;
  s.PilotUtf8 = Value(values, kPilotKey);
  if (const std::string token = Value(values, kTokenKey); IsToken(token)) s.Token = token;
  return s;
}

void StoreLeagueSettings(const LeagueSettings& s, platform::SettingsValues& values) {
  values[kAddressKey] = s.Address;
  values[kContestKey] = s.Contest;
  values[kPilotKey] = s.PilotUtf8;
  if (!s.Token.empty()) values[kTokenKey] = s.Token;
}

std::string NewToken() {
  std::random_device source;  // the system's random source, not a seeded generator
  static constexpr char kHex[] = "0123456789abcdef";
  std::string token;
  while (token.size() < kTokenHexDigits) {
    uint32_t bits = source();
    for (int nibble = 0; nibble < 8 && token.size() < kTokenHexDigits; ++nibble, bits >>= 4) token += kHex[bits & 0xF];
  }
  return token;
}

std::string ShownToken(const std::string& token) {
  return token.empty() ? std::string() : token.substr(0, kShownTokenDigits) + "…";  // in every language
}

std::string LeagueBaseUrl(const std::string& address) {
  std::string url = address;
  if (url.find("://") == std::string::npos) url = "http://" + url;
  while (!url.empty() && url.back() == '/') url.pop_back();
  return url;
}

}  // namespace league
