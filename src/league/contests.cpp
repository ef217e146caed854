#include "league/contests.h"

#include <array>
#include <cstdio>

namespace league {
namespace {

// The shipped default design's environment, which the fixed contests keep.
constexpr double kLaunchHeight = 10.5;  // m
constexpr double kStartSpeed = 8;       // m/s
constexpr double kStartPitch = 0;       // deg
constexpr double kWind = 0.5;           // m/s

constexpr int kDailyWindSteps = 20;          // 0.0 .. 2.0 m/s
constexpr double kDailyWindStepsPerMs = 10;  // steps of 0.1 m/s

constexpr std::array kContests{
    Contest{"open", "Open", 1, kLaunchHeight, kStartSpeed, kStartPitch, kWind, false, DesignLimit::Flyable,
            "Any design the game can fly; launch height 10.5 m, start speed 8 m/s, pitch 0 deg, wind 0.5 m/s."},
    Contest{"standard", "Standard", 1, kLaunchHeight, kStartSpeed, kStartPitch, kWind, false, DesignLimit::Plausible,
            "As open, and every value within the configurator's plausible ranges, with no design warning."},
    Contest{"daily", "Daily", 1, kLaunchHeight, kStartSpeed, kStartPitch, 0, true, DesignLimit::Flyable,
            "As open, with the wind of the UTC day; entries count on that day only."},
};

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
  std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(ymd.year()), static_cast<unsigned>(ymd.month()),
                static_cast<unsigned>(ymd.day()));
  return text;
}

ContestConditions ConditionsOn(const Contest& contest, std::chrono::sys_days day) {
  return {contest.LaunchHeight, contest.StartSpeed, contest.StartPitch,
          contest.DailyWind ? DailyWind(day) : contest.Wind};
}

}  // namespace league
