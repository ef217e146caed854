#include "league/verification_gate.h"

namespace league {

VerificationGate::Turn::~Turn() {
  if (Gate_) Gate_->Leave();
}

VerificationGate::Turn VerificationGate::Enter() {
  std::unique_lock lock(Mutex_);
  if (Flying_ >= Workers_) {
    if (Waiting_ >= QueueLength_) return Turn(nullptr);
    ++Waiting_;
    Freed_.wait(lock, [&] { return Flying_ < Workers_; });
    --Waiting_;
  }
  ++Flying_;
  return Turn(this);
}

void VerificationGate::Leave() {
  {
    std::lock_guard lock(Mutex_);
    --Flying_;
  }
  Freed_.notify_one();
}

}  // namespace league
