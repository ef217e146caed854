#pragma once
#include <array>

#include "flight/aircraft.h"
#include "flight/sin_cos.h"

namespace flight {

// Lift and drag (N) and pitching moment (N m, nose up positive).
struct ForceTriple {
  double Lift = 0;
  double Drag = 0;
  double Moment = 0;
};

using StateTriple = std::array<double, 3>;

// The cosine and sine of a pitch (rad). A flight step needs them at each state it
// evaluates, for the forces and for the position rates; computed once per state and
// shared (the same calls give the same bits wherever they are made).
struct PitchTrig {
  double Cos = 0, Sin = 0;
  PitchTrig() = default;
  explicit PitchTrig(double theta) { SinCos(theta, Sin, Cos); }
};

// The three body-axis accelerations at one state: du/dt, dw/dt (m/s^2), dq/dt (rad/s^2).
using AccelerationTriple = std::array<double, 3>;

// Evaluates every force at the state (x, z, pitch) / (u, w, q) once and returns all
// three accelerations. Writes the evaluation's airspeed, angles and coefficients into
// the current record, exactly as each Accelerations call does; calling Accelerations
// three times at one state gives the same bits as this one call.
AccelerationTriple EvaluateAccelerations(Aircraft& a, const StateTriple& position, const StateTriple& velocity);
// The same with the trig of the state's pitch already known: the forces depend on the
// position only through the pitch (heights come from the current record).
AccelerationTriple EvaluateAccelerations(Aircraft& a, const PitchTrig& trig, const StateTriple& velocity);

// The time derivative of velocity component i (1: u, 2: w, 3: q) after a whole force
// evaluation; any other i gives -1.0.
double Accelerations(Aircraft& a, int i, const StateTriple& position, const StateTriple& velocity);

// Main-wing forces by the whole-wing formula.
ForceTriple WingForces(Aircraft& a, double u, double w, double theta);
// Main-wing forces summed over the strips of the bent wing (both halves).
ForceTriple StripForces(Aircraft& a, double u, double w, double theta);
// Tail lift and drag (the moment stays 0).
ForceTriple TailForces(Aircraft& a, double u, double w, double q, double theta);

// Nothing changes the strips while a flight step runs, so the step compares their
// geometry (widths, sweeps, areas, chords) with the strip cache once, when this guard
// is made, instead of at each of its five force evaluations; from the guard's end every
// evaluation compares again.
class StripGeometryHold {
public:
  explicit StripGeometryHold(Aircraft& a);
  ~StripGeometryHold();
  StripGeometryHold(const StripGeometryHold&) = delete;
  StripGeometryHold& operator=(const StripGeometryHold&) = delete;

private:
  Aircraft& aircraft_;
};

// Once per flight step, after the evaluations at the recorded state: the resultant
// speed and downwash of the current record and the delayed downwash that reaches the
// tail in the next one.
void UpdateDownwash(Aircraft& a);
// The same with the trig of the current record's pitch already known.
void UpdateDownwash(Aircraft& a, const PitchTrig& trig);

}  // namespace flight
