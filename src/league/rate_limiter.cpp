#include "league/rate_limiter.h"

#include <algorithm>
#include <cmath>

namespace league {
namespace {

constexpr double kSecondsPerMinute = 60;
// Keys remembered before full buckets (keys idle for a minute) are forgotten, so that
// many addresses cannot grow the table without end.
constexpr size_t kBucketsBeforeSweep = 10000;

}  // namespace

void RateLimiter::ForgetFullBuckets(Clock::time_point now) {
  std::erase_if(Buckets_, [&](const auto& item) {
    return std::chrono::duration<double>(now - item.second.Updated).count() >= kSecondsPerMinute;
  });
}

bool RateLimiter::Allow(const std::string& key, Clock::time_point now, int& retryAfterSeconds) {
  std::lock_guard lock(Mutex_);
  if (Buckets_.size() >= kBucketsBeforeSweep) ForgetFullBuckets(now);
  const double capacity = PerMinute_;
  auto [it, fresh] = Buckets_.try_emplace(key, Bucket{capacity, now});
  Bucket& bucket = it->second;
  if (!fresh) {
    const double elapsed = std::chrono::duration<double>(now - bucket.Updated).count();
    bucket.Tokens = std::min(capacity, bucket.Tokens + elapsed * capacity / kSecondsPerMinute);
    bucket.Updated = now;
  }
  if (bucket.Tokens >= 1) {
    bucket.Tokens -= 1;
    return true;
  }
  retryAfterSeconds = static_cast<int>(std::ceil((1 - bucket.Tokens) * kSecondsPerMinute / capacity));
  return false;
}

}  // namespace league
