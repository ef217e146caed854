#pragma once
// The reference a ghost is checked against: a ranking entry's flight flown headless as
// the demo and velkaro-sim fly it (FlyToTouchdown with the recorded tail and no launch
// jitter), with the shown pose after every tick.
#include <cstring>
#include <string>
#include <vector>

#include "aircraft/load_aircraft.h"
#include "ranking/ranking_files.h"
#include "sim/flight_runner.h"
#include "sim/tail_controls.h"
#include "sim/zero_random.h"

namespace fakes {

struct Pose {
  float X, Height, Pitch;  // m, m, rad
  // Bit for bit, so that -0.0 and 0.0 or two NaNs are told apart as the flight would.
  bool operator==(const Pose& o) const { return std::memcmp(this, &o, sizeof(Pose)) == 0; }
};

inline Pose PoseOf(const flight::Aircraft& a) { return {a.DisplayX, a.DisplayHeight, a.DisplayPitch}; }

inline std::vector<Pose> HeadlessPoses(const std::string& entryText) {
  const auto entry = ranking::ParseEntryFile(entryText);
  auto a = aircraft::LoadAircraftText(entryText, {.CoordinateLog = false});
  sim::RecordedTail tail(entry->Log);
  sim::ZeroRandom random;
  sim::FlightRun run;
  std::vector<Pose> poses;
  sim::FlyToTouchdown(run, *a, tail, random, [&](int tick) {
    if (tick > 0) poses.push_back(PoseOf(*a));
  });
  poses.push_back(PoseOf(*a));
  return poses;
}

}  // namespace fakes
