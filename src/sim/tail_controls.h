#pragma once
// The ways a flight's tail is steered: by the player, by a recorded control log, or
// held at a constant trim.
#include "platform/input.h"
#include "ranking/ranking_table.h"
#include "sim/flight_runner.h"
#include "sim/player_trim.h"

namespace sim {

// The player trims on the platform and after every airborne step; the flight's
// control log gets its start value when the run ends and one value per flight step,
// the touchdown step included.
class PlayerTail : public TailControl {
public:
  PlayerTail(TrimInputState& trim, platform::Input& input, ranking::RankingTable& log)
      : Trim_(trim), Input_(input), Log_(log) {}
  void OnPlatform(flight::Aircraft& a) override;
  void LeavingPlatform(flight::Aircraft& a) override;
  void AfterStep(flight::Aircraft& a, bool touchdown) override;

private:
  TrimInputState& Trim_;
  platform::Input& Input_;
  ranking::RankingTable& Log_;
};

// The tail follows a recorded control log: value Step before every flight step.
class RecordedTail : public TailControl {
public:
  explicit RecordedTail(const ranking::ControlLog& log) : Log_(log) {}
  void BeforeStep(flight::Aircraft& a) override;

private:
  const ranking::ControlLog& Log_;
};

// One tail setting from the first launch tick to touchdown.
class ConstantTail : public TailControl {
public:
  explicit ConstantTail(double trimDeg) : TrimDeg_(trimDeg) {}
  void OnPlatform(flight::Aircraft& a) override { a.TailSetting = TrimDeg_; }
  void BeforeStep(flight::Aircraft& a) override { a.TailSetting = TrimDeg_; }

private:
  double TrimDeg_;  // deg
};

}  // namespace sim
