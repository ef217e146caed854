#include "league/store/migrations.h"

#include <array>

namespace league {
namespace {

// Names are Shift-JIS bytes and entries the submitted bytes: both are kept as bytes.
// Distances are the game's floats held exactly in doubles. A pilot's best per contest
// and physics version is kept beside the flights, so the table is one index scan.
constexpr std::array kMigrations{
    Migration{1,
              R"(CREATE TABLE pilots (
  name BLOB PRIMARY KEY,
  token_hash TEXT NOT NULL,
  created_at INTEGER NOT NULL);
CREATE TABLE flights (
  seq INTEGER PRIMARY KEY AUTOINCREMENT,
  id TEXT NOT NULL UNIQUE,
  contest TEXT NOT NULL,
  pilot BLOB NOT NULL REFERENCES pilots(name),
  distance REAL NOT NULL,
  claimed REAL NOT NULL,
  physics TEXT NOT NULL,
  rules_version INTEGER NOT NULL,
  entry BLOB NOT NULL,
  figures TEXT NOT NULL,
  submitted_at INTEGER NOT NULL);
CREATE TABLE bests (
  contest TEXT NOT NULL,
  physics TEXT NOT NULL,
  pilot BLOB NOT NULL REFERENCES pilots(name),
  flight_id TEXT NOT NULL REFERENCES flights(id),
  distance REAL NOT NULL,
  seq INTEGER NOT NULL,
  PRIMARY KEY (contest, physics, pilot));
CREATE INDEX bests_by_place ON bests (contest, physics, distance DESC, seq);)",
              R"(CREATE TABLE pilots (
  name BYTEA PRIMARY KEY,
  token_hash TEXT NOT NULL,
  created_at BIGINT NOT NULL);
CREATE TABLE flights (
  seq BIGSERIAL PRIMARY KEY,
  id TEXT NOT NULL UNIQUE,
  contest TEXT NOT NULL,
  pilot BYTEA NOT NULL REFERENCES pilots(name),
  distance DOUBLE PRECISION NOT NULL,
  claimed DOUBLE PRECISION NOT NULL,
  physics TEXT NOT NULL,
  rules_version INTEGER NOT NULL,
  entry BYTEA NOT NULL,
  figures TEXT NOT NULL,
  submitted_at BIGINT NOT NULL);
CREATE TABLE bests (
  contest TEXT NOT NULL,
  physics TEXT NOT NULL,
  pilot BYTEA NOT NULL REFERENCES pilots(name),
  flight_id TEXT NOT NULL REFERENCES flights(id),
  distance DOUBLE PRECISION NOT NULL,
  seq BIGINT NOT NULL,
  PRIMARY KEY (contest, physics, pilot));
CREATE INDEX bests_by_place ON bests (contest, physics, distance DESC, seq);)"},
};

}  // namespace

std::span<const Migration> Migrations() { return kMigrations; }

}  // namespace league
