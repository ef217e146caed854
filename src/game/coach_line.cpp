#include "game/coach_line.h"

#include <algorithm>
#include <cstdio>

#include "platform/text/language.h"
#include "platform/text/text_fields.h"

namespace game {
namespace {

constexpr double kSearchSeconds = 10;  // s, as long as velkaro-sim's search

// Leaves one core to the game's own ticks.
sim::CoachOptions GameOptions() {
  sim::CoachOptions options;
  options.Seconds = kSearchSeconds;
  options.Threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()) - 1);
  if (options.Threads < 1) options.Threads = 1;
  return options;
}

// "コーチ" in Shift-JIS.
constexpr const char* kCoachWord = N_("\x83\x52\x81\x5b\x83\x60");
constexpr const char* kEllipsis = "\x81\x63";  // in every language: "…"

}  // namespace

CoachLine::CoachLine() : CoachLine(GameOptions()) {}

CoachLine::CoachLine(sim::CoachOptions options) : Options_(std::move(options)) {}

CoachLine::~CoachLine() {
  if (Current_) Current_->Cancel = true;
  for (SearchThread& t : Threads_) t.Thread.join();
}

void CoachLine::JoinEndedSearches() {
  std::erase_if(Threads_, [](SearchThread& t) {
    if (!t.Of->Done) return false;
    t.Thread.join();  // its search has ended: the join returns at once
    return true;
  });
}

void CoachLine::Follow(const std::string& designText) {
  if (Current_ && designText == Following_) return;
  if (Current_) Current_->Cancel = true;
  JoinEndedSearches();
  Following_ = designText;
  Current_ = std::make_shared<Search>();
  sim::CoachOptions options = Options_;
  options.Cancel = &Current_->Cancel;
  Threads_.push_back({Current_, std::thread([search = Current_, options, designText] {
                        const sim::CoachResult result = sim::RunCoach(designText, options);
                        if (result.Launches && result.Finite && !result.Cancelled) {
                          search->Best = result.BestDistance;
                          search->BestEntry = result.EntryText;
                        }
                        search->Done = true;
                      })});
}

bool CoachLine::Ready() const { return Current_ && Current_->Done; }

std::optional<float> CoachLine::Best() const {
  if (!Current_ || !Current_->Done) return std::nullopt;
  return Current_->Best;
}

std::optional<std::string> CoachLine::BestEntry() const {
  if (!Best()) return std::nullopt;
  return Current_->BestEntry;
}

std::string CoachLineText(bool ready, std::optional<float> best, float playerDistance) {
  const std::string coach = platform::Translated(kCoachWord);
  if (!ready) return coach + " " + kEllipsis;
  if (!best || !(*best > 0)) return coach + " -";
  char share[32];
  std::snprintf(share, sizeof share, " (%.1f%%)", 100.0 * playerDistance / *best);
  return coach + " " + platform::TwoDecimalText(*best) + "m" + share;
}

}  // namespace game
