#pragma once
// A submitted ranking entry flown again with the game's own code: its rules checked
// against the contest, its distance the league's own.
#include <chrono>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "league/contest_rules.h"

namespace league {

struct VerifiedFlight {
  // The entry as the game would write it again (its parsed lines and tail settings):
  // the same for the same flight whatever bytes the game never reads.
  std::string Normalized;
  float Distance = 0;   // m, DisplayX at touchdown, as the game shows it
  int LastStep = 0;     // touchdown record
  std::string Figures;  // JSON object: the design's main figures
};

enum class RefusalKind {
  Unreadable,  // not a ranking entry file the game can read (400)
  RuleBroken,  // the contest's rules or the flight itself refuse it (422)
};

struct Refusal {
  RefusalKind Kind;
  std::string Reason;
  int Line = 0;      // aircraft file line at fault, 0 when none
  std::string Rule;  // short key for programs
};

// Parses the entry with the game's parsers, checks the contest's rules on `day` and
// flies it as the game's demo flies a ranked entry.
std::variant<VerifiedFlight, Refusal> VerifyEntry(const Contest& contest, std::string_view entry,
                                                  std::chrono::sys_days day);

// Height over distance of the entry's flight (m, m), at most `maxPoints` points, the
// first and the touchdown always among them. Empty when the entry cannot be flown.
struct ProfilePoint {
  double Distance, Height;
};
std::vector<ProfilePoint> FlightProfile(std::string_view entry, size_t maxPoints);

}  // namespace league
