#pragma once
// A design checked against a contest's rules: the environment the contest fixes and
// the limits on the design's own values, decided by the configurator's own checks.
#include <chrono>
#include <optional>
#include <string>

#include "config/figures/game_figures.h"
#include "flight/aircraft.h"
#include "league/contests.h"

namespace league {

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
