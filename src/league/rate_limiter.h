#pragma once
// Submissions allowed per key (a token, a client address) and minute: a bucket per
// key that holds `perMinute` submissions and refills steadily.
#include <chrono>
#include <mutex>
#include <string>
#include <unordered_map>

namespace league {

class RateLimiter {
public:
  using Clock = std::chrono::steady_clock;
  explicit RateLimiter(int perMinute) : PerMinute_(perMinute) {}
  // Takes one submission from the key's bucket; false (and nothing taken) when empty.
  // Seconds until the next one is allowed in `retryAfter`.
  bool Allow(const std::string& key, Clock::time_point now, int& retryAfterSeconds);

private:
  struct Bucket {
    double Tokens;
    Clock::time_point Updated;
  };
  void ForgetFullBuckets(Clock::time_point now);

  int PerMinute_;
  std::mutex Mutex_;
  std::unordered_map<std::string, Bucket> Buckets_;
};

}  // namespace league
