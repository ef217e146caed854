#pragma once
// The coach run for the configurator: one search at a time on a thread of its own, so
// the window keeps drawing, and the finished results kept per design text (the file
// text the design would be saved as), so a design opened again shows its result at
// once. No ImGui here; the panel reads this state and the tests drive it.
#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "flight/aircraft.h"
#include "sim/coach.h"

namespace config {

class CoachSession {
public:
  // Options of every search (the Cancel and Progress fields are set by the session).
  explicit CoachSession(sim::CoachOptions options = {});
  ~CoachSession();  // cancels a running search and waits for it
  CoachSession(const CoachSession&) = delete;
  CoachSession& operator=(const CoachSession&) = delete;

  // Starts searching the design text. Nothing happens when its result is cached already
  // or a search is running (for this design or another); returns whether one started.
  bool Start(const std::string& designText);
  // Asks the running search to stop after its current generation; a cancelled search
  // leaves nothing in the cache.
  void Cancel();
  // Takes a finished search's result into the cache; call once a frame.
  void Poll();
  // Waits for the running search to end and takes its result (for tests and quitting).
  void Wait();

  bool Running() const { return Worker_.joinable(); }
  const std::string& RunningFor() const { return RunningFor_; }
  double ProgressShare() const { return Share_.load(); }    // 0..1 of the time limit
  float BestSoFar() const { return BestSoFar_.load(); }     // m
  bool LastWasCancelled() const { return LastCancelled_; }  // the last search to end was cancelled
  // The finished result for the design text, or null.
  const sim::CoachResult* Result(const std::string& designText) const;

private:
  void Collect();

  sim::CoachOptions Options_;
  std::map<std::string, sim::CoachResult> Cache_;
  std::thread Worker_;
  std::string RunningFor_;
  std::atomic<bool> Cancel_{false};
  std::atomic<bool> Finished_{false};
  std::atomic<double> Share_{0};
  std::atomic<float> BestSoFar_{0};
  std::unique_ptr<sim::CoachResult> Pending_;  // written by the worker before Finished_
  bool LastCancelled_ = false;
};

// Sets the design's tail incidence to the result's best constant trim (deg).
void ApplyConstantTrim(flight::AircraftSpec& spec, const sim::CoachResult& result);

// Writes the result's ranking entry (the design and the best schedule) to the file as a
// whole; false when there is no flight to write, the name is one no entry may be
// written to (a folder, the ranking's files, the game's settings) or the file cannot
// be written. An existing file is replaced: ask first (RequestCoachEntrySave).
bool SaveCoachEntry(const std::string& gameName, const sim::CoachResult& result);

// The entry text of a result that has a flight to save, or empty.
const std::string& CoachEntryText(const sim::CoachResult& result);

// Writes an entry's text to the file as a whole, unless the name is refused.
bool WriteCoachEntry(const std::string& gameName, const std::string& entryText);

}  // namespace config
