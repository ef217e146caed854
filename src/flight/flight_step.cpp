#include "flight/flight_step.h"

#include <cmath>

#include "flight/aerodynamics.h"
#include "flight/coordinate_log.h"
#include "flight/same_bits.h"
#include "flight/wing_bending.h"

namespace flight {
namespace {

AccelerationTriple StageAccelerations(Aircraft& a, const StateTriple& p, const StateTriple& v, const PitchTrig& trig,
                                      ForceEvaluation mode) {
  if (mode == ForceEvaluation::OncePerStage) return EvaluateAccelerations(a, trig, v);
  AccelerationTriple acc;
  for (int i = 1; i <= kDofCount; ++i) acc[i - 1] = Accelerations(a, i, p, v);
  return acc;
}

// Earth-axis rates of x, z and pitch for a body-axis velocity at a pitch.
StateTriple PositionRates(const PitchTrig& trig, const StateTriple& v) {
  const double u = v[0], w = v[1], q = v[2];
  return {u * trig.Cos + w * trig.Sin, w * trig.Cos - u * trig.Sin, q};
}

// Integrates record Step into record Step + 1; recordTrig is the trig of the record's
// pitch, which the first stage evaluates at again.
void IntegrateStep(Aircraft& a, ForceEvaluation mode, const PitchTrig& recordTrig) {
  const int n = a.Step;
  const double h = a.TimeStep;
  const StateTriple P = a.Records[n].Position;
  const StateTriple V = a.Records[n].Velocity;
  const double stageOffset[4] = {0, h / 2, h / 2, h};

  StateTriple kP[4]{}, kV[4]{};
  StateTriple prevP{}, prevV{};  // k of the previous stage; zero before the first
  for (int s = 0; s < 4; ++s) {
    StateTriple ps, vs;
    for (int i = 0; i < 3; ++i) {
      ps[i] = P[i] + stageOffset[s] * prevP[i];
      vs[i] = V[i] + stageOffset[s] * prevV[i];
    }
    // The first stage's pitch is the record's (P + 0 keeps its bits unless it is -0).
    const bool recordPitch = SameBits(ps[kPitch], P[kPitch]);
    const PitchTrig trig = recordPitch ? recordTrig : PitchTrig(ps[kPitch]);
    kV[s] = StageAccelerations(a, ps, vs, trig, mode);
    kP[s] = PositionRates(trig, vs);
    prevP = kP[s];
    prevV = kV[s];
  }

  FlightRecord& next = a.Records[n + 1];
  for (int i = 0; i < 3; ++i) {
    next.Acceleration[i] = ((kV[1][i] + kV[2][i]) * 2 + kV[0][i] + kV[3][i]) / 6;
    next.Velocity[i] = V[i] + h * next.Acceleration[i];
    next.Position[i] = P[i] + h * ((kP[1][i] + kP[2][i]) * 2 + kP[0][i] + kP[3][i]) / 6;
  }
}

}  // namespace

void SetTailFrame(Aircraft& a, double tailSettingDeg) {
  a.SetFrameRotation(kTailFrame, 0, 0, static_cast<float>(-DegToRadViaPi(tailSettingDeg)));
}

void RungeKuttaStep(Aircraft& a, ForceEvaluation mode) {
  IntegrateStep(a, mode, PitchTrig(a.Records[a.Step].Position[kPitch]));
}

bool FlightStep(Aircraft& a, ForceEvaluation mode) {
  const int n = a.Step;
  if (n + 1 >= kRecordCapacity) {  // no row left to integrate into
    a.LastStep = static_cast<uint16_t>(n);
    return true;
  }
  const StripGeometryHold sameStrips(a);
  FlightRecord& rec = a.Records[n];
  rec.TailSettingDeg = a.TailSetting;
  SetTailFrame(a, a.TailSetting);

  const PitchTrig trig(rec.Position[kPitch]);
  rec.Acceleration = StageAccelerations(a, rec.Position, rec.Velocity, trig, mode);
  WingBending(a, a.Records[0].Position[kPitch]);
  UpdateDownwash(a, trig);
  a.RecordCopy[n] = rec;
  IntegrateStep(a, mode, trig);

  const bool touchedDown = -rec.Position[kZ] < kTouchdownHeight;
  const bool lastRow = n + 2 >= kRecordCapacity;
  if (touchedDown || lastRow) {
    a.LastStep = static_cast<uint16_t>(n);
    return true;
  }
  a.Step = static_cast<uint16_t>(n + 1);
  return false;
}

void ShowRecord(Aircraft& a) {
  const FlightRecord& rec = a.Records[a.Step];
  a.DisplayX = static_cast<float>(rec.Position[kX]);
  a.DisplayHeight = -static_cast<float>(rec.Position[kZ]);
  a.DisplayPitch = static_cast<float>(rec.Position[kPitch]);
  LogRecordValues(a);
}

bool ReplayStep(Aircraft& a) {
  const int n = a.Step;
  if (a.LastStep < n) {
    ResetWingFrames(a);
    return true;
  }
  const FlightRecord& rec = a.Records[n];
  StripForces(a, rec.Velocity[0], rec.Velocity[1], a.Records[0].Position[kPitch]);
  WingBending(a, a.Records[0].Position[kPitch]);
  SetTailFrame(a, rec.TailSettingDeg);
  ShowRecord(a);
  a.Step = static_cast<uint16_t>(n + 1);
  return false;
}

}  // namespace flight
