#pragma once
// The longitudinal modes of a glider from its linearised equations of motion: the
// eigenvalues of the 4x4 system matrix of (u, w, q, pitch), paired into the slow
// phugoid and the fast short period, each with its period and damping ratio.
#include <array>
#include <complex>

namespace config {

using SystemMatrix = std::array<std::array<double, 4>, 4>;  // d(state)/dt = A state

// The four eigenvalues (1/s), by the characteristic polynomial and its roots.
std::array<std::complex<double>, 4> Eigenvalues(const SystemMatrix& a);

struct FlightMode {
  bool Found = false;           // the pair could be formed (finite eigenvalues)
  bool Oscillating = false;     // a complex pair: the mode swings
  double PeriodS = 0;           // s, 2 pi / |imaginary part| when it swings
  double NaturalFrequency = 0;  // rad/s, |lambda|, or sqrt(l1 l2) for two real roots
  double DampingRatio = 0;      // -Re / |lambda|; < 0 grows, > 1 creeps back without swinging
  double HalfTimeS = 0;         // s, time to halve (or, when < 0, double) an upset, ln 2 / |Re|
};

struct LongitudinalModes {
  FlightMode Phugoid;      // the two eigenvalues of least magnitude
  FlightMode ShortPeriod;  // the two of greatest magnitude
};

LongitudinalModes PairModes(const std::array<std::complex<double>, 4>& eigenvalues);

}  // namespace config
