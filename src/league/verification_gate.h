#pragma once
// Bounds the verification work: at most `workers` flights are flown at once and at
// most `queueLength` more wait for their turn; a submission beyond that is turned
// away at once (503), so a burst never grows memory or latency without end.
#include <condition_variable>
#include <mutex>

namespace league {

class VerificationGate {
public:
  VerificationGate(int workers, int queueLength) : Workers_(workers), QueueLength_(queueLength) {}

  // A turn to fly; released by its destructor. Not Admitted() when the queue is full.
  class Turn {
  public:
    Turn(Turn&& other) noexcept : Gate_(other.Gate_) { other.Gate_ = nullptr; }
    Turn& operator=(Turn&&) = delete;
    ~Turn();
    bool Admitted() const { return Gate_ != nullptr; }

  private:
    friend class VerificationGate;
    explicit Turn(VerificationGate* gate) : Gate_(gate) {}
    VerificationGate* Gate_;
  };
  Turn Enter();

private:
  void Leave();

  int Workers_, QueueLength_;
  std::mutex Mutex_;
  std::condition_variable Freed_;
  int Flying_ = 0, Waiting_ = 0;
};

}  // namespace league
