#include "config/coach/coach_session.h"

#include "config/files/save_target.h"
#include "platform/io/files.h"

namespace config {

CoachSession::CoachSession(sim::CoachOptions options) : Options_(std::move(options)) {}

CoachSession::~CoachSession() {
  Cancel();
  if (Worker_.joinable()) Worker_.join();
}

bool CoachSession::Start(const std::string& designText) {
  Poll();
  if (Running() || Cache_.count(designText) != 0) return false;
  RunningFor_ = designText;
  Cancel_ = false;
  Finished_ = false;
  Share_ = 0;
  BestSoFar_ = 0;
  sim::CoachOptions options = Options_;
  options.Cancel = &Cancel_;
  options.Progress = [this](double share, float best) {
    Share_ = share;
    BestSoFar_ = best;
  };
  Worker_ = std::thread([this, options, designText] {
    Pending_ = std::make_unique<sim::CoachResult>(sim::RunCoach(designText, options));
    Finished_ = true;
  });
  return true;
}

void CoachSession::Cancel() { Cancel_ = true; }

void CoachSession::Poll() {
  if (Worker_.joinable() && Finished_) Collect();
}

void CoachSession::Wait() {
  if (Worker_.joinable()) Collect();
}

void CoachSession::Collect() {
  Worker_.join();
  LastCancelled_ = Pending_->Cancelled;
  if (!LastCancelled_) Cache_[RunningFor_] = std::move(*Pending_);
  Pending_.reset();
  RunningFor_.clear();
}

const sim::CoachResult* CoachSession::Result(const std::string& designText) const {
  const auto found = Cache_.find(designText);
  return found == Cache_.end() ? nullptr : &found->second;
}

void ApplyConstantTrim(flight::AircraftSpec& spec, const sim::CoachResult& result) {
  spec.TailIncidence = result.ConstantTrim;
}

const std::string& CoachEntryText(const sim::CoachResult& result) {
  static const std::string kNoEntry;
  return result.Launches && result.Finite ? result.EntryText : kNoEntry;
}

bool WriteCoachEntry(const std::string& gameName, const std::string& entryText) {
  if (entryText.empty() || RefusesSaveTarget(CheckSaveTarget(platform::NativePath(gameName)))) return false;
  return platform::WriteFileAtomically(gameName, entryText);
}

bool SaveCoachEntry(const std::string& gameName, const sim::CoachResult& result) {
  return WriteCoachEntry(gameName, CoachEntryText(result));
}

}  // namespace config
