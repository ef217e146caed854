#pragma once
// A sweep of constant tail settings FROM, FROM + STEP, ... up to TO, as velkaro-sim's
// --sweep and the configurator's sweep both fly it: the same count, the same cap and
// the same settings, each the decimal the user would type (so a setting found by a
// sweep flies exactly as that setting given alone does).
#include <optional>

namespace sim {

// Far beyond any useful sweep (-5° to 5° in steps of 0.001° is 10,001 flights), yet
// short enough to finish: a flight takes a few milliseconds.
inline constexpr int kMaxTrimSweepFlights = 20001;

struct TrimSweepRange {
  double From = 0, To = 0, Step = 0;  // deg
  int Count = 0;                      // flights, FROM and (allowing for rounding) TO included
};

// Nothing when the range is not finite with FROM <= TO and STEP > 0, or asks for more
// than kMaxTrimSweepFlights flights.
std::optional<TrimSweepRange> MakeTrimSweepRange(double from, double to, double step);

// Setting k (0 .. Count - 1), on a grid of 1e-9° so rounding never shows: with FROM
// -0.5 and STEP 0.05, setting 13 is 0.15 itself, not 0.15000000000000002.
double TrimSweepSetting(const TrimSweepRange& range, int k);

}  // namespace sim
