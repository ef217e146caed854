// The league's API end to end over loopback HTTP, against SQLite and PostgreSQL alike:
// the shipped ranking submitted and flown again, names and tokens, the contests' rules,
// the tables and the limits.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "league/physics_version.h"
#include "league/submission.h"
#include "league_under_test.h"
#include "sim/headless_flight.h"

namespace {

using fakes::LeagueUnderTest;
using fakes::StoreKind;
using Json = nlohmann::json;

constexpr const char* kTokenA = "0123456789abcdef0123456789abcdef";
constexpr const char* kTokenB = "fedcba9876543210fedcba9876543210";

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::string ShippedEntry(int index) {
  return ReadFile(std::filesystem::path(VELKARO_DATA_DIR) / "rank" / ("rank" + std::to_string(index) + ".txt"));
}

// The entry with its line `number` (1-based) replaced.
std::string WithLine(const std::string& entry, int number, const std::string& line) {
  std::string out;
  std::istringstream in(entry);
  std::string l;
  for (int n = 1; std::getline(in, l); ++n) out += (n == number ? line + "\r" : l) + "\n";
  return out;
}

struct Answer {
  int Status = 0;
  Json Body;
  std::string RetryAfter;
};

Answer Post(httplib::Client& client, const std::string& body) {
  auto res = client.Post("/api/v1/flights", body, "application/json");
  if (!res) return {};
  return {res->status, Json::parse(res->body, nullptr, false), res->get_header_value("Retry-After")};
}

Answer Submit(httplib::Client& client, const std::string& entry, const std::string& pilot = "pilot",
              const std::string& token = kTokenA, const std::string& contest = "open", double claimed = 0) {
  const Json body = {{"contest", contest},
                     {"pilot", pilot},
                     {"token", token},
                     {"entry", league::EncodeBase64(entry)},
                     {"claimed", claimed}};
  return Post(client, body.dump());
}

Json GetJson(httplib::Client& client, const std::string& path) {
  auto res = client.Get(path);
  return res ? Json::parse(res->body, nullptr, false) : Json();
}

float GameDistance(const std::string& entry) { return sim::FlyAircraftText(entry).Distance; }

league::ServiceOptions Generous() { return {.Workers = 2, .QueueLength = 16, .SubmissionsPerMinute = 1000}; }

class LeagueApi : public testing::TestWithParam<StoreKind> {
protected:
  void SetUp() override {
    if (GetParam() == StoreKind::Postgres && !fakes::TestPostgres())
      GTEST_SKIP() << "no test PostgreSQL server (VELKARO_TEST_POSTGRES_FILE)";
  }
};

TEST_P(LeagueApi, TheShippedRankingIsFlownAgainAndTheTwoOtherEnvironmentsAreRefusedByField) {
  LeagueUnderTest league(GetParam(), Generous());
  int accepted = 0;
  for (int i = 0; i < 10; ++i) {
    const std::string entry = ShippedEntry(i);
    const Answer a = Submit(*league.Client, entry, "pilot" + std::to_string(i), kTokenA, "open", 123.0);
    if (a.Status == 422) {
      const std::string field = a.Body.value("field", "");
      EXPECT_TRUE(field == "風速[m/s]" || field == "初速[m/s]") << i << ": " << a.Body.dump();
      continue;
    }
    ASSERT_EQ(a.Status, 201) << i << ": " << a.Body.dump();
    ++accepted;
    // The league's distance is the game's, bit for bit, whatever was claimed.
    EXPECT_EQ(static_cast<float>(a.Body["distance"].get<double>()), GameDistance(entry)) << i;
    EXPECT_EQ(a.Body["claimed"].get<double>(), 123.0);
    EXPECT_TRUE(a.Body.value("claim_differs", false));
  }
  EXPECT_EQ(accepted, 8);

  // The same flight again is the same flight.
  const std::string entry = ShippedEntry(0);
  const Answer again = Submit(*league.Client, entry, "pilot0", kTokenA, "open", GameDistance(entry));
  EXPECT_EQ(again.Status, 200);
  EXPECT_FALSE(again.Body.value("claim_differs", false));
  const Json top = GetJson(*league.Client, "/api/v1/contests/open/top?n=100");
  ASSERT_EQ(top["entries"].size(), 8u);
  EXPECT_EQ(top["entries"][0]["flight"], again.Body["id"]);
  EXPECT_EQ(top["entries"][0]["place"], 1);

  // The entry file comes back as submitted; its profile ends at the distance.
  auto file = league.Client->Get("/api/v1/flights/" + again.Body["id"].get<std::string>());
  ASSERT_TRUE(file);
  EXPECT_TRUE(file->body == entry);  // (no print of a whole entry file on failure)
  const Json profile = GetJson(*league.Client, "/api/v1/flights/" + again.Body["id"].get<std::string>() + "/profile");
  ASSERT_GT(profile["points"].size(), 10u);
  EXPECT_NEAR(profile["points"].back()[0].get<double>(), GameDistance(entry), 1e-3);
  EXPECT_NEAR(profile["points"].front()[1].get<double>(), 10.5, 1.0);
}

TEST_P(LeagueApi, ANameBelongsToTheFirstTokenAndEachPilotHasOneRowAtTheirBest) {
  LeagueUnderTest league(GetParam(), Generous());
  ASSERT_EQ(Submit(*league.Client, ShippedEntry(7), "山田", kTokenA).Status, 201);
  EXPECT_EQ(Submit(*league.Client, ShippedEntry(6), "山田", kTokenB).Status, 409);
  // The token's case does not make it another token.
  std::string upper = kTokenA;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  ASSERT_EQ(Submit(*league.Client, ShippedEntry(0), "山田", upper).Status, 201);
  ASSERT_EQ(Submit(*league.Client, ShippedEntry(6), "other", kTokenB).Status, 201);

  const Json top = GetJson(*league.Client, "/api/v1/contests/open/top");
  ASSERT_EQ(top["entries"].size(), 2u);
  EXPECT_EQ(top["entries"][0]["pilot"], "山田");
  EXPECT_EQ(static_cast<float>(top["entries"][0]["distance"].get<double>()), GameDistance(ShippedEntry(0)));
  EXPECT_EQ(top["entries"][1]["pilot"], "other");
  EXPECT_TRUE(top["entries"][0]["design"].contains("span_m"));

  // Names the game cannot write, or that are not names, are refused before anything is kept.
  EXPECT_EQ(Submit(*league.Client, ShippedEntry(1), "pilot\x01", kTokenB).Status, 400);
  EXPECT_EQ(Submit(*league.Client, ShippedEntry(1), "\xF0\x9F\x9B\xA9", kTokenB).Status, 400);
  EXPECT_EQ(Submit(*league.Client, ShippedEntry(1), "", kTokenB).Status, 400);
  EXPECT_EQ(GetJson(*league.Client, "/api/v1/contests/open/top")["entries"].size(), 2u);
}

TEST_P(LeagueApi, ContestsRefuseWhatTheirRulesDoNotAllowAndNameTheField) {
  // A fixed day, so that the daily wind is known.
  const auto day = std::chrono::sys_days{std::chrono::year{2026} / 12 / 10};
  LeagueUnderTest league(GetParam(), Generous(), [day] { return std::chrono::system_clock::time_point{day}; });
  const Json contests = GetJson(*league.Client, "/api/v1/contests");
  ASSERT_EQ(contests["contests"].size(), 3u);
  double dailyWind = -1;
  for (const Json& c : contests["contests"]) {
    if (c["id"] == "daily") dailyWind = c["wind_m_s"].get<double>();
  }
  ASSERT_GE(dailyWind, 0);

  // A span nobody builds: fine in open, refused in standard with its line named.
  const std::string huge = WithLine(ShippedEntry(0), 14, "\x97\x83\x95\x9d[m],3000");
  EXPECT_EQ(Submit(*league.Client, huge, "a", kTokenA, "open").Status, 201);
  const Answer standard = Submit(*league.Client, huge, "a", kTokenA, "standard");
  EXPECT_EQ(standard.Status, 422);
  EXPECT_FALSE(standard.Body.value("field", "").empty());
  EXPECT_EQ(Submit(*league.Client, ShippedEntry(0), "a", kTokenA, "standard").Status, 201);

  // The daily contest flies the day's wind and nothing else.
  char windLine[64];
  std::snprintf(windLine, sizeof windLine, "\x95\x97\x91\xac[m/s],%.1f", dailyWind);
  const Answer daily = Submit(*league.Client, WithLine(ShippedEntry(0), 6, windLine), "a", kTokenA, "daily");
  EXPECT_EQ(daily.Status, 201) << daily.Body.dump();
  EXPECT_EQ(daily.Body["day"], "2026-12-10");
  std::snprintf(windLine, sizeof windLine, "\x95\x97\x91\xac[m/s],%.1f", dailyWind + 0.1);
  const Answer otherDay = Submit(*league.Client, WithLine(ShippedEntry(0), 6, windLine), "a", kTokenA, "daily");
  EXPECT_EQ(otherDay.Status, 422);
  EXPECT_EQ(otherDay.Body["field"], "風速[m/s]");

  // What is not an entry file, or not a contest, cannot be read.
  EXPECT_EQ(Submit(*league.Client, "not an entry", "a", kTokenA).Status, 400);
  EXPECT_EQ(Submit(*league.Client, ShippedEntry(0), "a", kTokenA, "closed").Status, 400);
  EXPECT_EQ(Post(*league.Client, "{\"contest\": \"open\"").Status, 400);
  EXPECT_EQ(Submit(*league.Client, ShippedEntry(0), "a", "not-a-token").Status, 400);
}

TEST_P(LeagueApi, BodiesAndRatesAreBoundedAndTheStoreKeepsItsFlightsAcrossRestarts) {
  {
    LeagueUnderTest league(GetParam(), {.Workers = 1, .QueueLength = 4, .SubmissionsPerMinute = 2});
    EXPECT_EQ(Post(*league.Client, std::string(league::kMaxBodyBytes + 1, ' ')).Status, 413);
    EXPECT_EQ(Submit(*league.Client, ShippedEntry(0), "a", kTokenA).Status, 201);
    EXPECT_EQ(Submit(*league.Client, ShippedEntry(1), "a", kTokenA).Status, 201);
    const Answer limited = Submit(*league.Client, ShippedEntry(2), "a", kTokenA);
    EXPECT_EQ(limited.Status, 429);
    EXPECT_FALSE(limited.RetryAfter.empty());
    EXPECT_EQ(GetJson(*league.Client, "/api/v1/contests/open/top?n=0").value("error", "").empty(), false);

    // The store opened again (as a restarted server does) migrates nothing twice.
    auto reopened = league.Open(GetParam());
    EXPECT_EQ(reopened->SchemaVersion(), league.Store->SchemaVersion());
    EXPECT_EQ(reopened->Top("open", league::PhysicsVersion(), 10).size(), 1u);
  }
}

INSTANTIATE_TEST_SUITE_P(Stores, LeagueApi, testing::Values(StoreKind::Sqlite, StoreKind::Postgres),
                         [](const testing::TestParamInfo<StoreKind>& store) {
                           return store.param == StoreKind::Sqlite ? "Sqlite" : "Postgres";
                         });

}  // namespace
