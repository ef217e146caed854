#include "league/contest_rules.h"

#include "aircraft/aircraft_file.h"
#include "config/design/design_fields.h"
#include "config/design/validation.h"

namespace league {
namespace {

// Aircraft file lines of the environment.
constexpr int kLaunchHeightLine = 3;
constexpr int kStartSpeedLine = 4;
constexpr int kStartPitchLine = 5;
constexpr int kWindLine = 6;

std::string Number(double value) { return aircraft::FormatExactNumber(value); }

std::optional<RuleBreach> FixedValue(double value, double fixed, int line, const char* what, const char* unit) {
  if (value == fixed) return std::nullopt;
  return RuleBreach{std::string(what) + " must be " + Number(fixed) + " " + unit + " in this contest (the file has " +
                        Number(value) + ")",
                    line, "fixed_environment"};
}

// The configurator's words for a warning are Japanese; the league answers in English
// and names the line, which the answer's field turns into the file's label.
std::string WarningReason(const config::DesignWarning& w, bool refused) {
  std::string reason = refused ? "the game cannot fly this design as written" : "the design has a warning";
  reason += " (" + config::DescribeWarning(w) + ")";
  return reason;
}

}  // namespace

std::optional<RuleBreach> CheckContestRules(const Contest& contest, const flight::AircraftSpec& spec,
                                            const config::GameFigures& figures, std::chrono::sys_days day) {
  const ContestConditions fixed = ConditionsOn(contest, day);
  if (auto b = FixedValue(config::LaunchHeight(spec), fixed.LaunchHeight, kLaunchHeightLine, "the launch height", "m"))
    return b;
  if (auto b = FixedValue(spec.StartSpeed, fixed.StartSpeed, kStartSpeedLine, "the start speed", "m/s")) return b;
  if (auto b = FixedValue(spec.StartPitch, fixed.StartPitch, kStartPitchLine, "the initial pitch", "deg")) return b;
  if (auto b = FixedValue(spec.WindSpeed, fixed.Wind, kWindLine, "the wind", "m/s")) {
    if (contest.DailyWind) b->Reason += "; the wind of " + DayText(day);
    return b;
  }
  for (const config::DesignWarning& w : config::ValidateDesign(spec, figures)) {
    const bool refused = config::RefusesSave(w.Kind);
    if (refused || contest.Limit == DesignLimit::Plausible) {
      return RuleBreach{WarningReason(w, refused), w.Line, refused ? "flyable" : "plausible"};
    }
  }
  return std::nullopt;
}

}  // namespace league
