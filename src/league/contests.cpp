#include "league/contests.h"

#include <array>
#include <cstdio>

#include "aircraft/aircraft_file.h"
#include "config/design/design_fields.h"
#include "config/design/validation.h"

namespace league {
namespace {

// The shipped default design's environment, which the fixed contests keep.
constexpr double kLaunchHeight = 10.5;  // m
constexpr double kStartSpeed = 8;       // m/s
constexpr double kStartPitch = 0;       // deg
constexpr double kWind = 0.5;           // m/s

// Aircraft file lines of the environment.
constexpr int kLaunchHeightLine = 3;
constexpr int kStartSpeedLine = 4;
constexpr int kStartPitchLine = 5;
constexpr int kWindLine = 6;

constexpr int kDailyWindSteps = 20;          // 0.0 .. 2.0 m/s
constexpr double kDailyWindStepsPerMs = 10;  // steps of 0.1 m/s

constexpr std::array kContests{
    Contest{"open", "Open", 1, kLaunchHeight, kStartSpeed, kStartPitch, kWind, false, DesignLimit::Flyable,
            "Any design the game can fly; launch height 10.5 m, start speed 8 m/s, pitch 0 deg, wind 0.5 m/s."},
    Contest{"standard", "Standard", 1, kLaunchHeight, kStartSpeed, kStartPitch, kWind, false,
            DesignLimit::Plausible,
            "As open, and every value within the configurator's plausible ranges, with no design warning."},
    Contest{"daily", "Daily", 1, kLaunchHeight, kStartSpeed, kStartPitch, 0, true, DesignLimit::Flyable,
            "As open, with the wind of the UTC day; entries count on that day only."},
};

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

std::span<const Contest> Contests() { return kContests; }

const Contest* FindContest(std::string_view id) {
  for (const Contest& c : kContests) {
    if (c.Id == id) return &c;
  }
  return nullptr;
}

double DailyWind(std::chrono::sys_days day) {
  // FNV-1a over the day's text: stable across servers and builds.
  uint64_t hash = 0xcbf29ce484222325ull;
  for (const char c : DayText(day)) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 0x100000001b3ull;
  }
  const auto steps = static_cast<int>(hash % (kDailyWindSteps + 1));
  return steps / kDailyWindStepsPerMs;  // the double a file's "0.3" reads as
}

std::string DayText(std::chrono::sys_days day) {
  const std::chrono::year_month_day ymd{day};
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(ymd.year()),
                static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()));
  return text;
}

ContestConditions ConditionsOn(const Contest& contest, std::chrono::sys_days day) {
  return {contest.LaunchHeight, contest.StartSpeed, contest.StartPitch,
          contest.DailyWind ? DailyWind(day) : contest.Wind};
}

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
