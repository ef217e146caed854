// The league option in the game: a registered flight handed to the league as the
// entry file the ranking writes, the league's answer on the screen, and, with the
// option off, not one socket opened.
#include <gtest/gtest.h>
#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/syscall.h>

#include <csignal>
#include <cstddef>

#include "app/league_menu.h"
#include "app/league_option.h"
#include "game/ghost_game.h"
#include "fakes/game_fixture.h"
#include "league/client/outbox.h"
#include "platform/io/settings_file.h"
#include "sim/headless_flight.h"

namespace {

using platform::Key;

class FakeLeague : public game::LeagueLink {
public:
  std::vector<std::pair<std::string, float>> Sent;
  std::vector<std::string> News;
  void SendFlight(const std::string& entryText, float distance) override { Sent.emplace_back(entryText, distance); }
  std::vector<std::string> TakeNews() override { return std::exchange(News, {}); }
  std::vector<TopFlight> Top;
  const std::vector<TopFlight>& TopFlights() const override { return Top; }
};

struct LeagueGame : fakes::GameFixture {
  LeagueGame() { ClearAfterTick = true; }
  void FlyToReplay() {
    Tick();
    os.Input.Press(Key::Space);
    TickUntil(game::Flight);
    os.Input.Release(Key::Space);
    TickUntil(game::Replay);
  }
};

TEST_F(LeagueGame, ARegisteredFlightGoesAsItsEntryFileAndTheLeaguesAnswerShows) {
  auto link = std::make_unique<FakeLeague>();
  FakeLeague& league = *link;
  g.League = std::move(link);
  FlyToReplay();

  ASSERT_EQ(league.Sent.size(), 1u);
  const auto& [entry, distance] = league.Sent[0];
  const int index = g.Ranking->NewEntryIndex;
  ASSERT_LT(index, 10);
  // Byte for byte the file the ranking wrote, and it flies to the distance shown.
  EXPECT_TRUE(entry == fakes::ReadText("rank/rank" + std::to_string(index) + ".txt"));
  EXPECT_EQ(distance, g.Ranking->Entries[index].Distance);
  EXPECT_EQ(sim::FlyAircraftText(entry).Distance, distance);

  const std::string answer = "\x83\x8a\x81\x5b\x83\x4f 3\x88\xca (open)";  // リーグ 3位 (open)
  league.News.push_back(answer);
  ClearAfterTick = false;
  Tick();
  // In the status line and under the replay's distance.
  int shown = 0;
  for (const auto& call : device.Calls) shown += call.find(answer) != std::string::npos;
  EXPECT_GE(shown, 2);
}

TEST_F(LeagueGame, TheLeaguesBestRacesAsANamedGhostAndAFlightOfOtherPhysicsDoesNot) {
  auto link = std::make_unique<FakeLeague>();
  const std::string pilot = "\x8e\x52\x93\x63 1\x88\xca";  // 山田 1位
  link->Top.push_back({"1.", "", "other physics"});
  link->Top.push_back({"2.", fakes::ReadText("rank/rank3.txt"), pilot});
  g.League = std::move(link);
  Tick();
  app::RaceLeagueFlight(g, 0);
  EXPECT_EQ(g.Ghost.Choice, game::GhostChoice::None);
  app::RaceLeagueFlight(g, 1);
  ASSERT_EQ(g.Ghost.Choice, game::GhostChoice::Given);
  ASSERT_TRUE(g.Ghost.Flight);
  EXPECT_NE(game::GhostLineText(g.Ghost, false, 0).find(pilot), std::string::npos);
  // The ghost flies the league's entry to its own distance.
  while (g.Ghost.Flight->Phase() != sim::FlightPhase::Touchdown) g.Ghost.Flight->Tick();
  EXPECT_EQ(g.Ghost.Flight->Aircraft().DisplayX, sim::FlyAircraftText(fakes::ReadText("rank/rank3.txt")).Distance);
}

TEST_F(LeagueGame, ALeagueFlightIsWatchedAsARankedFlightIsAndLandsAtItsDistance) {
  auto link = std::make_unique<FakeLeague>();
  const std::string entry = fakes::ReadText("rank/rank3.txt");
  link->Top.push_back({"1.", entry, "pilot"});
  g.League = std::move(link);
  Tick();
  app::WatchLeagueFlight(g, 0);
  ASSERT_EQ(g.State, game::Demo);
  TickUntil(game::Restart);
  EXPECT_EQ(g.Aircraft->DisplayX, sim::FlyAircraftText(entry).Distance);
  Tick();
  EXPECT_EQ(g.State, game::Ready);
  EXPECT_FALSE(g.WatchedLog);
}

TEST_F(LeagueGame, ARankedFlightIsSentOnRequestAsItsEntryFile) {
  auto link = std::make_unique<FakeLeague>();
  FakeLeague& league = *link;
  g.League = std::move(link);
  Tick();
  app::HandleMenuCommand(g, app::kSendEntryFirst + 2);
  ASSERT_EQ(league.Sent.size(), 1u);
  EXPECT_TRUE(league.Sent[0].first == fakes::ReadText("rank/rank2.txt"));
  EXPECT_EQ(league.Sent[0].second, g.Ranking->Entries[2].Distance);
}

#if defined(__x86_64__)
// From here on, creating a socket kills the process: whatever would talk to a network
// (the HTTP library, a resolver) cannot do it unnoticed.
void ForbidSockets() {
  sock_filter filter[] = {
      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, arch)),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, AUDIT_ARCH_X86_64, 1, 0),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_KILL_PROCESS),
      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_socket, 0, 1),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_KILL_PROCESS),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
  };
  sock_fprog program{static_cast<unsigned short>(std::size(filter)), filter};
  if (prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0 || prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) != 0)
    std::_Exit(2);
}

TEST_F(LeagueGame, WithTheOptionOffNoSocketIsEverOpened) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  // A whole session with a flight ranked and replayed, the settings file missing.
  EXPECT_EXIT(
      {
        ForbidSockets();
        app::StartLeague(g);
        FlyToReplay();
        std::_Exit(g.League ? 3 : 0);
      },
      testing::ExitedWithCode(0), "");
  // The same with a league named and a flight waiting to go: the filter catches it.
  platform::WriteSettings({{"league.address", "127.0.0.1:9"}});
  ASSERT_TRUE(league::PutInOutbox("{\"entry\": \"\"}"));
  EXPECT_EXIT(
      {
        ForbidSockets();
        app::StartLeague(g);
        for (;;) Tick();
      },
      testing::KilledBySignal(SIGSYS), "");
}
#endif

}  // namespace
