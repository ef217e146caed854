// A player's side of the league against a scripted league over loopback HTTP: every
// kind of answer the sender may meet, a damaged outbox file, and two games sending from
// one folder. A flight leaves the outbox only once the league has answered it.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <map>
#include <mutex>
#include <thread>

#include "fakes/temp_dir.h"
#include "league/client/league_sender.h"
#include "league/client/outbox.h"

namespace {

using namespace std::chrono_literals;

// Short delays, so that a retry comes within the test's patience.
const league::SenderTiming kQuick{.FirstRetry = 50ms, .LongestRetry = 200ms, .LockRetry = 20ms,
                                  .RequestTimeoutSeconds = 1};

// A league whose answer to each POST the test decides; it counts what it received.
class ScriptedLeague {
public:
  using Answer = std::function<void(httplib::Response&)>;
  explicit ScriptedLeague(Answer answer) : Answer_(std::move(answer)) {
    Server_.Post("/api/v1/flights", [this](const httplib::Request& req, httplib::Response& res) {
      {
        std::lock_guard lock(Mutex_);
        ++Received_[req.body];
      }
      std::lock_guard lock(AnswerMutex_);
      Answer_(res);
    });
    Port_ = Server_.bind_to_any_port("127.0.0.1");
    Thread_ = std::thread([this] { Server_.listen_after_bind(); });
    while (!Server_.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ~ScriptedLeague() {
    Server_.stop();
    Thread_.join();
  }
  void SetAnswer(Answer answer) {
    std::lock_guard lock(AnswerMutex_);
    Answer_ = std::move(answer);
  }
  std::string Address() const { return "127.0.0.1:" + std::to_string(Port_); }
  std::map<std::string, int> Received() const {
    std::lock_guard lock(Mutex_);
    return Received_;
  }
  int Posts() const {
    int n = 0;
    for (const auto& [body, count] : Received()) n += count;
    return n;
  }

private:
  httplib::Server Server_;
  Answer Answer_;
  std::mutex AnswerMutex_;
  mutable std::mutex Mutex_;
  std::map<std::string, int> Received_;
  int Port_ = 0;
  std::thread Thread_;
};

ScriptedLeague::Answer Placed(int place) {
  return [place](httplib::Response& res) {
    res.status = 201;
    res.set_content(R"({"id":"x","contest":"open","distance":404.8,"place":)" + std::to_string(place) + "}",
                    "application/json");
  };
}

ScriptedLeague::Answer Status(int status, std::string body, int retryAfter = 0) {
  return [=](httplib::Response& res) {
    res.status = status;
    res.set_content(body, "application/json");
    if (retryAfter > 0) res.set_header("Retry-After", std::to_string(retryAfter));
  };
}

std::string Flight(int n) { return R"({"contest":"open","entry":"flight)" + std::to_string(n) + R"("})"; }

// Waits (bounded) until the condition holds.
bool Eventually(const std::function<bool()>& condition, std::chrono::milliseconds patience = 10s) {
  const auto until = std::chrono::steady_clock::now() + patience;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > until) return false;
    std::this_thread::sleep_for(5ms);
  }
  return true;
}

std::vector<league::LeagueReply> Replies(league::LeagueSender& sender) {
  auto taken = sender.TakeReplies();
  return {taken.begin(), taken.end()};
}

TEST(LeagueSender, AnsweredFlightsLeaveTheOutboxAndRefusalsAreFinal) {
  fakes::TempWorkingDir folder;
  ScriptedLeague league(Placed(12));
  ASSERT_TRUE(league::PutInOutbox(Flight(1)));
  league::LeagueSender sender(league.Address(), platform::MakeHttpClient(), kQuick);
  ASSERT_TRUE(Eventually([&] { return league::OutboxFlights().empty(); }));
  std::vector<league::LeagueReply> replies;
  ASSERT_TRUE(Eventually([&] {
    for (auto& r : Replies(sender)) replies.push_back(r);
    return !replies.empty();
  }));
  EXPECT_EQ(replies[0].Kind, league::ReplyKind::Placed);
  EXPECT_EQ(replies[0].Place, 12);

  // A refusal is the league's last word: the flight is not sent again.
  league.SetAnswer(Status(422, R"({"error":"the wind must be 0.5 m/s","field":"wind"})"));
  ASSERT_TRUE(league::PutInOutbox(Flight(2)));
  sender.Wake();
  ASSERT_TRUE(Eventually([&] { return league::OutboxFlights().empty(); }));
  std::this_thread::sleep_for(300ms);
  EXPECT_EQ(league.Received()[Flight(2)], 1);
}

TEST(LeagueSender, AFlightWaitsThroughFaultsUntilTheLeagueAnswersIt) {
  fakes::TempWorkingDir folder;
  // Busy, broken, garbage where an answer should be, too slow: none of them counts.
  ScriptedLeague league(Status(503, R"({"error":"busy"})", 1));
  ASSERT_TRUE(league::PutInOutbox(Flight(1)));
  league::LeagueSender sender(league.Address(), platform::MakeHttpClient(), kQuick);
  ASSERT_TRUE(Eventually([&] { return league.Posts() >= 1; }));
  league.SetAnswer(Status(500, "<html>proxy error</html>"));
  ASSERT_TRUE(Eventually([&] { return league.Posts() >= 2; }));
  league.SetAnswer(Status(200, "not json at all"));
  ASSERT_TRUE(Eventually([&] { return league.Posts() >= 3; }));
  league.SetAnswer([](httplib::Response& res) {
    std::this_thread::sleep_for(1500ms);  // past the request's timeout
    Placed(1)(res);
  });
  ASSERT_TRUE(Eventually([&] { return league.Posts() >= 4; }));
  EXPECT_EQ(league::OutboxFlights().size(), 1u);
  // The player heard once that the league is out of reach, not at every attempt.
  const auto heard = Replies(sender);
  ASSERT_EQ(heard.size(), 1u);
  EXPECT_EQ(heard[0].Kind, league::ReplyKind::Retry);

  league.SetAnswer(Placed(3));
  ASSERT_TRUE(Eventually([&] { return league::OutboxFlights().empty(); }));
  ASSERT_TRUE(Eventually([&] { return sender.Answered() == 1; }));
}

TEST(LeagueSender, AFlightWaitsWhileNoLeagueListensAndGoesWhenOneDoes) {
  fakes::TempWorkingDir folder;
  std::string address;
  {
    ScriptedLeague gone(Placed(1));
    address = gone.Address();
  }  // nothing listens on its port any more: connections are refused
  ASSERT_TRUE(league::PutInOutbox(Flight(1)));
  {
    league::LeagueSender sender(address, platform::MakeHttpClient(), kQuick);
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(league::OutboxFlights().size(), 1u);
  }  // the game ends with the flight unsent
  ScriptedLeague league(Placed(1));
  league::LeagueSender sender(league.Address(), platform::MakeHttpClient(), kQuick);  // the next start
  ASSERT_TRUE(Eventually([&] { return league::OutboxFlights().empty(); }));
  EXPECT_EQ(league.Received()[Flight(1)], 1);
}

// A server that takes each connection and closes it without a word, as a crashing
// league or a proxy cut off would.
class HangUpServer {
public:
  HangUpServer() {
    Socket_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    bind(Socket_, reinterpret_cast<sockaddr*>(&address), length);
    listen(Socket_, 8);
    getsockname(Socket_, reinterpret_cast<sockaddr*>(&address), &length);
    Port_ = ntohs(address.sin_port);
    Thread_ = std::thread([this] {
      for (int client; (client = accept(Socket_, nullptr, nullptr)) >= 0;) {
        ++Accepted;
        close(client);
      }
    });
  }
  ~HangUpServer() {
    shutdown(Socket_, SHUT_RDWR);  // ends the accept loop
    Thread_.join();
    close(Socket_);
  }
  std::string Address() const { return "127.0.0.1:" + std::to_string(Port_); }
  std::atomic<int> Accepted = 0;

private:
  int Socket_ = -1;
  int Port_ = 0;
  std::thread Thread_;
};

TEST(LeagueSender, AConnectionClosedWithoutAnAnswerKeepsTheFlight) {
  fakes::TempWorkingDir folder;
  ASSERT_TRUE(league::PutInOutbox(Flight(1)));
  HangUpServer server;
  {
    league::LeagueSender sender(server.Address(), platform::MakeHttpClient(), kQuick);
    ASSERT_TRUE(Eventually([&] { return server.Accepted >= 2; }));  // tried, and tried again
  }
  EXPECT_EQ(league::OutboxFlights().size(), 1u);
}

TEST(LeagueSender, ADamagedOutboxFileIsSetAsideAndNeverBlocksTheOthers) {
  fakes::TempWorkingDir folder;
  ScriptedLeague league(Placed(1));
  ASSERT_TRUE(league::PutInOutbox("{\"contest\": \"open\", \"ent"));  // cut short by a crash
  ASSERT_TRUE(league::PutInOutbox(Flight(2)));
  league::LeagueSender sender(league.Address(), platform::MakeHttpClient(), kQuick);
  ASSERT_TRUE(Eventually([&] { return league::OutboxFlights().empty(); }));
  EXPECT_EQ(league.Posts(), 1);
  EXPECT_EQ(league.Received()[Flight(2)], 1);
  bool setAside = false;
  for (const auto& entry : std::filesystem::directory_iterator(league::kOutboxFolder))
    setAside |= entry.path().extension() == ".damaged";
  EXPECT_TRUE(setAside);
}

TEST(LeagueSender, TwoGamesInOneFolderSendEachFlightOnce) {
  fakes::TempWorkingDir folder;
  ScriptedLeague league([](httplib::Response& res) {
    std::this_thread::sleep_for(10ms);  // long enough for the two to meet
    Placed(1)(res);
  });
  constexpr int kFlights = 12;
  for (int n = 0; n < kFlights; ++n) ASSERT_TRUE(league::PutInOutbox(Flight(n)));
  {
    league::LeagueSender first(league.Address(), platform::MakeHttpClient(), kQuick);
    league::LeagueSender second(league.Address(), platform::MakeHttpClient(), kQuick);
    ASSERT_TRUE(Eventually([&] { return league::OutboxFlights().empty(); }));
  }
  const auto received = league.Received();
  EXPECT_EQ(received.size(), static_cast<size_t>(kFlights));
  for (const auto& [body, count] : received) EXPECT_EQ(count, 1) << body;
}

}  // namespace
