#pragma once
#include "flight/aircraft.h"

namespace flight {

// How the Runge-Kutta stages ask for their accelerations. Both give identical bits;
// PerComponent is the literal three full evaluations per stage, kept to prove that.
enum class ForceEvaluation { OncePerStage, PerComponent };

// One 0.02 s flight step from record Step. Returns true at touchdown (the record
// before this step's integration is below 0.2 m): LastStep then holds it and Step is
// not advanced. A flight still airborne when row 4999 has been written ends there as a
// touchdown, so the record arrays are never overrun.
bool FlightStep(Aircraft& a, ForceEvaluation mode = ForceEvaluation::OncePerStage);

// Integrates record Step into record Step + 1 (classic fourth order).
void RungeKuttaStep(Aircraft& a, ForceEvaluation mode = ForceEvaluation::OncePerStage);

// Shows record Step: display pose and the record's line in the coordinate log.
void ShowRecord(Aircraft& a);

// Shows the next recorded step of the last flight. Returns true (and puts the wing back
// to its unbent pose) once the touchdown record has been shown.
bool ReplayStep(Aircraft& a);

// Turns the tail frame to a tail setting in degrees.
void SetTailFrame(Aircraft& a, double tailSettingDeg);

}  // namespace flight
