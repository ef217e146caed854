#pragma once
// [SECTION] The coach: the longest flight a design can fly, found by searching tail
// schedules, and the ranking entry that flies it again exactly.
//
// A schedule is a few dozen knots (tail settings in degrees) spread over the flight,
// joined by straight lines; each flight step's value is rounded to what a ranking entry
// file stores (six significant digits), so the entry written from the best schedule
// flies to exactly the distance the search found. The search is an evolution strategy
// over the knots: every generation's candidates are drawn on one thread from the seed,
// flown on all threads, and collected by their index, so the result depends on the
// seed alone, never on the number of threads or on which thread flew what. A time
// limit can only end it earlier, after a whole generation.
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ranking/ranking_table.h"

namespace sim {

struct CoachOptions {
  double Seconds = 10;                        // wall-clock limit of the search, s
  uint64_t Seed = 1;                          // the search's random numbers
  int Threads = 0;                            // flights flown at once; 0: one per core
  long MaxEvaluations = 0;                    // flights at most (0: no limit besides time and convergence)
  const std::atomic<bool>* Cancel = nullptr;  // set to stop the search after the current generation
  // Called after every generation on the calling thread: the share of the time limit
  // used (0..1) and the best distance so far (m).
  std::function<void(double share, float bestDistance)> Progress;
};

struct CoachResult {
  bool Launches = true;        // false: the launch run never reaches the platform's edge
  bool Finite = true;          // false: no flight of the design stays finite
  float BestDistance = 0;      // m, the flight of BestLog
  double ConstantTrim = 0;     // deg, the best constant tail setting
  float ConstantDistance = 0;  // m, its flight
  long Evaluations = 0;        // flights flown
  double Seconds = 0;          // wall-clock time used
  bool Cancelled = false;
  ranking::ControlLog BestLog;         // as an entry file stores it; Count = steps flown
  ranking::ControlLog ConstantLog;     // the best constant trim, the same way
  std::vector<float> BestHeights;      // m, per flight step, of the best flight
  std::vector<float> BestX;            // m, per flight step
  std::vector<float> ConstantHeights;  // m, per flight step, of the constant-trim flight
  std::vector<float> ConstantX;        // m
  std::string EntryText;               // a ranking entry file: the design's 50 lines, the separator, BestLog
};

// A tail setting as a ranking entry file stores it and reads it back.
double StoredTailValue(double deg);

// Searches the design (an aircraft file or a ranking entry file's text).
CoachResult RunCoach(const std::string& fileText, const CoachOptions& options = {});

// The ranking entry file of a design's text (its first 50 lines, the separator) with
// a control log.
std::string CoachEntryText(const std::string& fileText, const ranking::ControlLog& log);

}  // namespace sim
