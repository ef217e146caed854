#pragma once
// The league's contests: each fixes the environment a design cannot choose (launch
// height, start speed, initial pitch and wind) and how far a design's own values may
// go, under a rules version that changes whenever those rules do.
#include <chrono>
#include <span>
#include <string>
#include <string_view>

namespace league {

enum class DesignLimit {
  Flyable,    // anything the game can fly to a touchdown
  Plausible,  // also free of the configurator's warnings, plausibility ranges included
};

struct Contest {
  std::string_view Id;    // as in the API's URLs
  std::string_view Name;  // shown on the web page
  int RulesVersion;
  double LaunchHeight;  // m
  double StartSpeed;    // m/s
  double StartPitch;    // deg
  double Wind;          // m/s head wind; unused for a daily contest
  bool DailyWind;       // the wind is the day's, and entries count on that UTC day only
  DesignLimit Limit;
  std::string_view Rules;  // one sentence for people
};

std::span<const Contest> Contests();
const Contest* FindContest(std::string_view id);

// The wind (m/s) a daily contest flies on the UTC day of `day`: from 0 to 2 m/s in
// steps of 0.1, the same on every server, different from day to day.
double DailyWind(std::chrono::sys_days day);
std::string DayText(std::chrono::sys_days day);  // "YYYY-MM-DD"

// The environment the contest fixes for a flight submitted on `day`.
struct ContestConditions {
  double LaunchHeight, StartSpeed, StartPitch, Wind;
};
ContestConditions ConditionsOn(const Contest& contest, std::chrono::sys_days day);

}  // namespace league
