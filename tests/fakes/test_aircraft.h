#pragma once
// Aircraft for tests: a glider close to the shipped default, built in code.
#include <memory>

#include "flight/aircraft.h"
#include "flight/set_spec.h"

namespace fakes {

inline flight::AircraftSpec GliderSpec() {
  flight::AircraftSpec s;
  s.StartZ = -10.5;
  s.StartSpeed = 8;
  s.WindSpeed = 0.5;
  s.TimeStep = 0.02;
  s.Mass = 100;
  s.CgPosition = 0.3;
  s.TailPosition = 5;
  s.GyrationRadius = 1.3;
  s.BodyDragCoef = 0.01;
  s.WingSpan = 30;
  s.WingChord = 0.89;
  s.WingIncidence = 4;
  s.WingCm0 = -0.1;
  s.WingAcRatio = 0.25;
  s.WingAirfoil = {6, -6, 1.5, 0.9, -0.5, -0.3, 0.012};
  s.TailSpan = 3;
  s.TailChord = 0.6;
  s.TailIncidence = -0.5;
  s.TailAirfoil = {6, 0, 1, 0.6, -1, -0.6, 0.01};
  s.StripModel = 1;
  s.WingMass = 25;
  s.CenterHalfWidth = 0.3;
  s.SectionEnabled = {1, 1, 1, 1};
  s.SectionSpan = {5.7, 5, 3, 1};
  s.SectionRootChord = {1.1, 0.99, 0.84, 0.67};
  s.SectionTaper = {0.9, 0.85, 0.8, 0.6};
  s.SectionStiffness1 = {1.2e6, 1.2e6, 1.2e6, 1.2e6};
  s.SectionStiffness2 = {90, 60, 30, 10};
  s.SectionDihedral = {2, 1, 1, 2};
  s.SectionSweep = {0, 0, 0, 0};
  return s;
}

inline std::unique_ptr<flight::Aircraft> MakeAircraft(const flight::AircraftSpec& spec = GliderSpec()) {
  auto a = std::make_unique<flight::Aircraft>();
  flight::SetSpec(*a, spec);
  return a;
}

}  // namespace fakes
