#pragma once
// The coach line after a touchdown (an option, off by default): the longest flight the
// coach finds for the player's design, searched on threads of its own so no tick
// waits for it, and the player's distance as a share of it.
#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "sim/coach.h"

namespace game {

class CoachLine {
public:
  CoachLine();
  explicit CoachLine(sim::CoachOptions options);
  ~CoachLine();  // cancels the searches and waits for their threads
  CoachLine(const CoachLine&) = delete;
  CoachLine& operator=(const CoachLine&) = delete;

  // The options of the searches started from now on (tests use short ones).
  void UseOptions(sim::CoachOptions options) { Options_ = std::move(options); }

  // Searches the design's file text unless it is the one followed already. A search of
  // an earlier design is cancelled and left to end on its own thread; threads whose
  // searches have ended are joined here, so they do not pile up over a long session.
  void Follow(const std::string& designText);
  // Search threads not yet joined (the current one and cancelled ones still ending).
  size_t ThreadsKept() const { return Threads_.size(); }
  // Whether the followed design's search has ended.
  bool Ready() const;
  // The best distance (m) once that search has ended with a flight (nothing when the
  // design cannot launch or its flights are not finite).
  std::optional<float> Best() const;
  // The ranking entry file's text that flies that best flight again (the design's
  // lines and the found tail settings), under the same condition as Best.
  std::optional<std::string> BestEntry() const;

private:
  struct Search {
    std::atomic<bool> Cancel{false};
    std::atomic<bool> Done{false};
    std::optional<float> Best;  // written before Done
    std::string BestEntry;      // written before Done, with Best
  };
  sim::CoachOptions Options_;
  std::string Following_;
  struct SearchThread {
    std::shared_ptr<Search> Of;
    std::thread Thread;
  };
  void JoinEndedSearches();

  std::shared_ptr<Search> Current_;
  std::vector<SearchThread> Threads_;
};

// The line shown beside the result digits, Shift-JIS: the coach's best and, in
// brackets, the player's share of it (short enough for a 1024 px window); "…" while
// the search runs, "-" when it found no flight.
std::string CoachLineText(bool ready, std::optional<float> best, float playerDistance);

}  // namespace game
