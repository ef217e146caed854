// Forces of the main wing (whole or strip by strip), of the tail, and the body-axis
// accelerations they give.
//
// Side effect, on purpose: every force evaluation writes its airspeed, angles and lift
// coefficients into the current record (Records[Step]) and its strip loads into the
// aircraft's strip arrays. The Runge-Kutta stages evaluate at other states, so they
// leave the last stage's values in the current row; that row is part of the flight's
// record (its bits are checked by the exact-bits hashes) and later readers of the row
// within a step (the downwash, the next evaluation of the same stage) rely on it.
// RecordCopy keeps each row as it was at its own state, for the CSV. Returning the
// values instead would change the recorded rows, so the writes stay where they are.
#include "flight/aerodynamics.h"

#include <cmath>

namespace flight {
namespace {

// Ground effect: the effective aspect ratio grows as (p + 1) / p with
// p = 33 (h / span)^1.5.
constexpr double kGroundEffectFactor = 33;
constexpr double kGroundEffectExponent = 1.5;
// Height used in the ground-effect term when the surface is at or below the water.
constexpr double kFallbackHeight = 1.0;  // m

// Angle of a relative-wind component pair; straight up or down when the forward
// component is exactly zero.
double WindAngle(double ur, double wr, double tangent) {
  if (ur == 0) return wr > 0 ? kHalfPi : -kHalfPi;
  return std::atan(tangent);
}

double LimitCl(double cl, const Airfoil& airfoil) {
  if (cl > airfoil.ClUpper) return airfoil.ClAboveUpper;
  if (cl < airfoil.ClLower) return airfoil.ClBelowLower;
  return cl;
}

double GroundEffectTerm(double height, double span) {
  return kGroundEffectFactor * std::pow(height / span, kGroundEffectExponent);
}

double DynamicPressureTimesTwo(double v) { return kAirDensity * (v * v); }

}  // namespace

ForceTriple WingForces(Aircraft& a, double u, double w, double theta) {
  FlightRecord& rec = a.Records[a.Step];
  const double a0 = a.WingAirfoil.LiftSlope;
  const double liftSlope = a0 / (a0 / (a.AspectRatio * kPi) + 1);
  const double ur = u + a.WindSpeed * std::cos(theta);
  const double wr = w + a.WindSpeed * std::sin(theta);
  const double alpha = WindAngle(ur, wr, wr / ur);
  const double alphaW = alpha - a.WingAirfoil.ZeroLiftAngle * kDegToRad + a.WingIncidence * kDegToRad;
  rec.WingAlphaDeg = kRadToDeg * alphaW;

  double cl = liftSlope * alphaW;
  const double cdi = cl * cl / (a.AspectRatio * kPi);
  a.WingArm = a.CgPosition - a.WingAcRatio * a.WingChord;
  cl = LimitCl(cl, a.WingAirfoil);
  rec.WingCl = cl;
  rec.WingCdi = cdi;

  const double q2 = DynamicPressureTimesTwo(rec.Airspeed);
  ForceTriple f;
  f.Lift = cl * q2 * a.WingArea * 0.5;
  f.Drag = (a.WingAirfoil.ProfileDrag + cdi + a.BodyDragCoef) * q2 * a.WingArea * 0.5;
  f.Moment = a.WingCm0 * q2 * a.WingArea * a.WingChord * 0.5;
  return f;
}

ForceTriple StripForces(Aircraft& a, double u, double w, double theta) {
  const double z = a.Records[a.Step].Position[kZ];
  const double a0 = a.WingAirfoil.LiftSlope;
  const double ur = u + a.WindSpeed * std::cos(theta);
  const double wr = w + a.WindSpeed * std::sin(theta);
  ForceTriple f;
  a.StripArea = 0;
  double sweep = 0;  // rad, accumulated outward
  for (int j = 0; j < a.StripCount; ++j) {
    const WingStrip& strip = a.Strips[j];
    const double zIn = a.StripEndZ[j];
    const double zOut = a.StripEndZ[j + 1];
    sweep += strip.Sweep;
    const double slope = (zOut - zIn) / strip.Width;
    const double cosSlope = std::sqrt(1 - slope * slope);
    const double uStrip = ur * std::cos(sweep);
    const double wStrip = wr * cosSlope;
    const double v = std::sqrt(uStrip * uStrip + wStrip * wStrip);

    double h = (zOut + zIn) * 0.5 - z + zIn;
    if (!(h > 0)) h = kFallbackHeight;
    const double p = GroundEffectTerm(h, a.EffectiveSpan);
    const double aspectTerm = (p + 1) / p * a.AspectRatio * kPi;
    const double liftSlope = a0 / (a0 / aspectTerm + 1);

    const double alpha = WindAngle(ur, wr, cosSlope * wr / ur);
    const double alphaE = alpha - a.WingAirfoil.ZeroLiftAngle * kDegToRad + a.WingIncidence * kDegToRad;
    double cl = liftSlope * alphaE;
    const double cdi = cl * cl / aspectTerm;
    cl = LimitCl(cl, a.WingAirfoil);

    a.StripArea += strip.Area * cosSlope;
    const double q2 = DynamicPressureTimesTwo(v);
    const double lift = cl * q2 * strip.Area * 0.5;
    const double drag = (cdi + a.WingAirfoil.ProfileDrag + a.BodyDragCoef) * q2 * strip.Area * 0.5;
    a.StripLift[j] = lift;
    a.StripDrag[j] = drag;
    f.Lift += lift * cosSlope;
    f.Drag += drag * cosSlope;
    f.Moment += a.WingCm0 * q2 * strip.Area * strip.Chord * 0.5 * cosSlope;
  }
  // Both wing halves.
  f.Lift *= 2;
  f.Drag *= 2;
  f.Moment *= 2;
  a.StripArea *= 2;
  return f;
}

ForceTriple TailForces(Aircraft& a, double u, double w, double q, double theta) {
  FlightRecord& rec = a.Records[a.Step];
  double h = std::sin(theta) * a.TailArm - rec.Position[kZ];
  if (!(h > 0)) h = kFallbackHeight;
  const double p = GroundEffectTerm(h, a.TailSpan);
  const double a0 = a.TailAirfoil.LiftSlope;
  const double liftSlope = a0 / (1 + a0 / ((p + 1) / p * a.TailAspectRatio * kPi));

  const double ur = u + a.WindSpeed * std::cos(theta);
  const double wr = w + a.WindSpeed * std::sin(theta);
  const double pitchRateAngle = WindAngle(ur, wr, a.TailArm * q / ur);
  const double alphaT = rec.BodyAlpha - a.TailAirfoil.ZeroLiftAngle * kDegToRad - kDegToRad * rec.TailSettingDeg -
                        rec.TailDownwash - pitchRateAngle;
  rec.TailAlphaDeg = kRadToDeg * alphaT;

  double cl = liftSlope * alphaT;
  const double cdi = cl * cl / (a.TailAspectRatio * kPi);
  cl = LimitCl(cl, a.TailAirfoil);
  rec.TailCl = cl;
  rec.TailCdi = cdi;

  const double q2 = DynamicPressureTimesTwo(rec.Airspeed);
  ForceTriple f;
  f.Lift = cl * q2 * a.TailArea * 0.5;
  f.Drag = (a.TailAirfoil.ProfileDrag + cdi) * q2 * a.TailArea * 0.5;
  return f;
}

AccelerationTriple EvaluateAccelerations(Aircraft& a, const StateTriple& position, const StateTriple& velocity) {
  FlightRecord& rec = a.Records[a.Step];
  const double theta = position[kPitch];
  const double u = velocity[0], w = velocity[1], q = velocity[2];
  const double windU = a.WindSpeed * std::cos(theta);
  const double windW = a.WindSpeed * std::sin(theta);

  const double airU = u + a.WindSpeed * std::cos(theta) * std::cos(a.Strips[0].Sweep);
  const double airW = w + windW;
  rec.Airspeed = std::sqrt(airU * airU + airW * airW);
  rec.BodyAlpha = WindAngle(u, airW, airW / (u + windU));

  ForceTriple wing = WingForces(a, u, w, theta);
  if (a.StripModel == 1) wing = StripForces(a, u, w, theta);
  const ForceTriple tail = TailForces(a, u, w, q, theta);

  const double lift = tail.Lift + wing.Lift;
  const double drag = tail.Drag + wing.Drag;
  const double alpha = rec.BodyAlpha;
  AccelerationTriple acc;
  acc[0] = (lift * std::sin(alpha) - drag * std::cos(alpha)) / a.Mass - (q * w + kGravity * std::sin(theta));
  acc[1] = (-lift * std::cos(alpha) - drag * std::sin(alpha)) / a.Mass + (q * u + kGravity * std::cos(theta));
  acc[2] =
      (a.TailArm * tail.Lift + std::sqrt(tail.Lift * tail.Lift + wing.Lift * wing.Lift) * a.WingArm + wing.Moment) /
      a.PitchInertia;
  return acc;
}

double Accelerations(Aircraft& a, int i, const StateTriple& position, const StateTriple& velocity) {
  const AccelerationTriple acc = EvaluateAccelerations(a, position, velocity);
  if (i >= 1 && i <= kDofCount) return acc[i - 1];
  return -1.0;
}

void UpdateDownwash(Aircraft& a) {
  const int n = a.Step;
  FlightRecord& rec = a.Records[n];
  const double theta = rec.Position[kPitch];
  const double airU = rec.Velocity[0] + a.WindSpeed * std::cos(theta);
  const double airW = rec.Velocity[1] + a.WindSpeed * std::sin(theta);
  rec.ResultantSpeed = std::sqrt(airU * airU + airW * airW);
  rec.Downwash = 2 * rec.WingCl / (a.AspectRatio * kPi);

  // Steps the downwash needs to travel from the wing to the tail. A delay that is not
  // a finite number of steps back into this flight reaches back to record 0.
  const double delay = std::trunc(std::fabs(a.DownwashDistance) / rec.ResultantSpeed / a.TimeStep);
  const int source = (delay >= 0 && delay <= n) ? n - static_cast<int>(delay) : 0;
  a.Records[n + 1].TailDownwash = a.Records[source].Downwash;
}

}  // namespace flight
