// Two league servers on one database, as behind a load balancer: flights added at the
// same moment keep every pilot's best, and a name claimed by two tokens at once goes
// to exactly one.
#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <thread>

#include "league_under_test.h"

namespace {

using fakes::StoreKind;

constexpr int kFlightsPerServer = 30;
constexpr int kPilots = 3;

league::StoredFlight Flight(int server, int k) {
  league::StoredFlight f;
  f.Id = "s" + std::to_string(server) + "-" + std::to_string(k);
  f.Contest = "open";
  f.Pilot = "pilot" + std::to_string(k % kPilots);
  // Distances interleave between the servers, so the best moves back and forth.
  f.Distance = static_cast<float>(100 + (k * 37 + server * 11) % 300) + 0.25f;
  f.Physics = "physics";
  f.RulesVersion = 1;
  f.Entry = "entry";
  f.Figures = "{}";
  return f;
}

class LeagueStoreShared : public testing::TestWithParam<StoreKind> {
protected:
  void SetUp() override {
    if (GetParam() == StoreKind::Postgres && !fakes::TestPostgres())
      GTEST_SKIP() << "no test PostgreSQL server (VELKARO_TEST_POSTGRES_FILE)";
  }
};

TEST_P(LeagueStoreShared, TwoServersAddingAtOnceKeepEachPilotsBestAndOneOwnerPerName) {
  fakes::LeagueUnderTest first(GetParam(), {});
  auto second = first.Open(GetParam());  // the other server's own connections
  std::array<league::LeagueStore*, 2> servers{first.Store.get(), second.get()};

  std::atomic<int> nameWins = 0, nameRefusals = 0;
  std::vector<std::thread> threads;
  for (int s = 0; s < 2; ++s) {
    threads.emplace_back([&, s] {
      const std::string token = "token" + std::to_string(s);
      league::StoredFlight contested = Flight(s, 0);
      contested.Id = "contested" + std::to_string(s);
      contested.Pilot = "contested";
      const auto claim = servers[s]->AddFlight(contested, token).Outcome;
      (claim == league::AddOutcome::NameTaken ? nameRefusals : nameWins)++;
      for (int k = 0; k < kFlightsPerServer; ++k) servers[s]->AddFlight(Flight(s, k), "shared-token");
    });
  }
  for (auto& t : threads) t.join();
  EXPECT_EQ(nameWins, 1);
  EXPECT_EQ(nameRefusals, 1);

  std::map<std::string, float> best;
  for (int s = 0; s < 2; ++s) {
    for (int k = 0; k < kFlightsPerServer; ++k) {
      const auto f = Flight(s, k);
      best[f.Pilot] = std::max(best[f.Pilot], f.Distance);
    }
  }
  const auto table = first.Store->Top("open", "physics", 10);
  ASSERT_EQ(table.size(), kPilots + 1u);  // the three pilots and the contested name
  for (const auto& row : table) {
    if (row.Pilot != "contested") {
      EXPECT_EQ(row.Distance, best[row.Pilot]) << row.Pilot;
    }
  }
  for (size_t i = 1; i < table.size(); ++i) EXPECT_GE(table[i - 1].Distance, table[i].Distance);
}

INSTANTIATE_TEST_SUITE_P(Stores, LeagueStoreShared, testing::Values(StoreKind::Sqlite, StoreKind::Postgres),
                         [](const testing::TestParamInfo<StoreKind>& store) {
                           return store.param == StoreKind::Sqlite ? "Sqlite" : "Postgres";
                         });

}  // namespace
