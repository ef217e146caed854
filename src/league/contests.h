#pragma once
// The league's contests: each fixes the environment a design cannot choose (launch
// height, start speed, initial pitch and wind) and how far a design's own values may
// go, under a rules version that changes whenever those rules do.
#include <chrono>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "config/figures/game_figures.h"
#include "flight/aircraft.h"

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

// Why a design breaks a contest's rules: a sentence, the aircraft file's line at fault
// (0 when none) and a short key for programs.
struct RuleBreach {
  std::string Reason;
  int Line = 0;
  std::string Rule;
};

// The first rule of the contest the design breaks on `day`, or nothing. The flight
// itself is checked afterwards (it must leave the platform and touch down).
// `figures` are the design's (config::ComputeFigures).
std::optional<RuleBreach> CheckContestRules(const Contest& contest, const flight::AircraftSpec& spec,
                                            const config::GameFigures& figures, std::chrono::sys_days day);

}  // namespace league
