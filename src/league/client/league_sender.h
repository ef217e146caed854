#pragma once
// Sends the outbox's flights to the league from a thread of its own, oldest first, one
// at a time; a flight leaves the outbox only once the league has answered it. When the
// league cannot be reached, is busy or answers nonsense, the flight waits and is sent
// again after a delay that grows with each failure (or the league's Retry-After). The
// game never waits on it: it reads the answers when it likes.
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "league/client/league_reply.h"
#include "platform/net/http_client.h"

namespace league {

struct SenderTiming {
  std::chrono::milliseconds FirstRetry{1000};
  std::chrono::milliseconds LongestRetry{5 * 60 * 1000};
  std::chrono::milliseconds LockRetry{500};  // another game in the folder is sending
  long RequestTimeoutSeconds = 15;           // one request, connecting included
};

class LeagueSender {
public:
  // `address` as the player gave it. Starts sending at once (what an earlier run left
  // in the outbox goes first).
  LeagueSender(const std::string& address, std::unique_ptr<platform::HttpClient> client,
               const SenderTiming& timing = {});
  ~LeagueSender();  // stops after the request in progress, if any
  LeagueSender(const LeagueSender&) = delete;
  LeagueSender& operator=(const LeagueSender&) = delete;

  // A new flight is in the outbox: send it now, whatever delay a failure set.
  void Wake();
  // The answers since the last call, oldest first (Placed and Refused; a Retry only
  // when it is the first failure since the last success, so that the player hears of
  // the league being out of reach once).
  std::deque<LeagueReply> TakeReplies();
  // Flights sent and answered so far by this sender.
  int Answered() const;

private:
  void Run();
  // Sends the oldest flight; the delay before the next attempt.
  std::chrono::milliseconds SendOne();

  std::string Url_;
  std::unique_ptr<platform::HttpClient> Client_;
  SenderTiming Timing_;
  std::chrono::milliseconds Backoff_{0};
  bool ReportedFailure_ = false;

  mutable std::mutex Mutex_;
  std::condition_variable Wakeup_;
  bool Woken_ = true;
  bool Stopping_ = false;
  std::deque<LeagueReply> Replies_;
  int Answered_ = 0;
  std::thread Thread_;
};

}  // namespace league
