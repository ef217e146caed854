// The league's bounds on work: the verification gate and the rate limits.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "league/rate_limiter.h"
#include "league/verification_gate.h"

namespace {

TEST(VerificationGate, TurnsAwayWhatTheQueueCannotHoldAndLetsTheWaitingInWhenATurnEnds) {
  league::VerificationGate full(1, 0);
  {
    const auto flying = full.Enter();
    ASSERT_TRUE(flying.Admitted());
    EXPECT_FALSE(full.Enter().Admitted());
  }
  EXPECT_TRUE(full.Enter().Admitted());

  league::VerificationGate queued(1, 1);
  auto flying = std::make_optional(queued.Enter());
  std::atomic<bool> waiterFlew = false;
  std::thread waiter([&] { waiterFlew = queued.Enter().Admitted(); });
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_FALSE(waiterFlew);
  flying.reset();
  waiter.join();
  EXPECT_TRUE(waiterFlew);
}

TEST(RateLimiter, EachKeyHasItsOwnMinuteAndItRefillsWithTime) {
  league::RateLimiter limiter(2);
  const auto start = league::RateLimiter::Clock::now();
  int retryAfter = 0;
  EXPECT_TRUE(limiter.Allow("a", start, retryAfter));
  EXPECT_TRUE(limiter.Allow("a", start, retryAfter));
  EXPECT_FALSE(limiter.Allow("a", start, retryAfter));
  EXPECT_GT(retryAfter, 0);
  EXPECT_LE(retryAfter, 30);
  EXPECT_TRUE(limiter.Allow("b", start, retryAfter));
  EXPECT_TRUE(limiter.Allow("a", start + std::chrono::seconds(31), retryAfter));
}

}  // namespace
