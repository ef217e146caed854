#include "league/client/league_sender.h"

#include <algorithm>
#include <nlohmann/json.hpp>

#include "league/client/league_settings.h"
#include "league/client/outbox.h"
#include "platform/io/file_transaction.h"

namespace league {
namespace {

constexpr const char* kFlightsPath = "/api/v1/flights";
constexpr std::chrono::milliseconds kIdle{60 * 1000};  // with nothing to send, look again now and then
constexpr std::chrono::milliseconds kNothingToWait{0};

bool LooksLikeSubmission(const std::string& body) {
  const auto json = nlohmann::json::parse(body, nullptr, false);
  return json.is_object() && json.contains("entry");
}

}  // namespace

LeagueSender::LeagueSender(const std::string& address, std::unique_ptr<platform::HttpClient> client,
                           const SenderTiming& timing)
    : Url_(LeagueBaseUrl(address) + kFlightsPath), Client_(std::move(client)), Timing_(timing) {
  Thread_ = std::thread([this] { Run(); });
}

LeagueSender::~LeagueSender() {
  {
    std::lock_guard lock(Mutex_);
    Stopping_ = true;
  }
  Wakeup_.notify_all();
  Thread_.join();
}

void LeagueSender::Wake() {
  {
    std::lock_guard lock(Mutex_);
    Woken_ = true;
  }
  Wakeup_.notify_all();
}

std::deque<LeagueReply> LeagueSender::TakeReplies() {
  std::lock_guard lock(Mutex_);
  return std::exchange(Replies_, {});
}

int LeagueSender::Answered() const {
  std::lock_guard lock(Mutex_);
  return Answered_;
}

void LeagueSender::Run() {
  std::unique_lock lock(Mutex_);
  std::chrono::milliseconds wait = kNothingToWait;
  while (!Stopping_) {
    Wakeup_.wait_for(lock, wait, [&] { return Stopping_ || Woken_; });
    if (Stopping_) break;
    if (Woken_) Backoff_ = std::chrono::milliseconds(0);  // a new flight: try at once
    Woken_ = false;
    lock.unlock();
    wait = SendOne();
    lock.lock();
  }
}

std::chrono::milliseconds LeagueSender::SendOne() {
  // The outbox's lock is held while one flight goes out, so that a second game in the
  // folder never sends it too; it waits and finds the flight gone.
  platform::FolderLock outboxLock(kOutboxFolder, platform::FolderLock::Wait::No);
  if (!outboxLock.Held()) return OutboxFlights().empty() ? kIdle : Timing_.LockRetry;
  const std::vector<std::string> flights = OutboxFlights();
  if (flights.empty()) return kIdle;
  const std::string& name = flights.front();
  const auto body = ReadOutboxFlight(name);
  if (!body || !LooksLikeSubmission(*body)) {
    TakeOutOfOutbox(name, /*damaged=*/true);
    return kNothingToWait;
  }
  const platform::HttpAnswer answer =
      Client_->Send({"POST", Url_, *body, "application/json", Timing_.RequestTimeoutSeconds});
  LeagueReply reply = ReadLeagueReply(answer);
  if (reply.Kind == ReplyKind::Retry) {
    Backoff_ = std::clamp(Backoff_ * 2, Timing_.FirstRetry, Timing_.LongestRetry);
    const auto delay = reply.RetryAfterSeconds > 0
                           ? std::max(Backoff_, std::chrono::milliseconds(reply.RetryAfterSeconds * 1000))
                           : Backoff_;
    std::lock_guard lock(Mutex_);
    if (!ReportedFailure_) Replies_.push_back(std::move(reply));
    ReportedFailure_ = true;
    return std::min(delay, Timing_.LongestRetry);
  }
  TakeOutOfOutbox(name);
  Backoff_ = std::chrono::milliseconds(0);
  std::lock_guard lock(Mutex_);
  ReportedFailure_ = false;
  ++Answered_;
  Replies_.push_back(std::move(reply));
  return kNothingToWait;
}

}  // namespace league
