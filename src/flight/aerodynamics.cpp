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
#include <cstdint>

#include "flight/same_bits.h"
#include "flight/three_halves_power.h"
#include "flight/vector_copies.h"

namespace flight {
namespace {

// Ground effect: the effective aspect ratio grows as (p + 1) / p with
// p = 33 (h / span)^1.5 (the powers by ThreeHalvesPowers and CertainThreeHalvesPower,
// which give std::pow's bits).
constexpr double kGroundEffectFactor = 33;
constexpr double kGroundEffectExponent = 1.5;
// Height used in the ground-effect term when the surface is at or below the water.
constexpr double kFallbackHeight = 1.0;  // m

// A call's result, from the last call at this place when the argument is the same.
template <typename Function>
double Recall(RepeatedCall& call, double x, Function f) {
  if (!call.Valid || !SameBits(call.Arg, x)) {
    call.Arg = x;
    call.Result = f(x);
    call.Valid = true;
  }
  return call.Result;
}

// The wind angle when the forward component is exactly zero: straight down or up.
double VerticalWindAngle(double wr) { return wr > 0 ? kHalfPi : -kHalfPi; }

// Angle of a relative-wind component pair (tangent = wr / ur or a multiple of it).
double WindAngle(double ur, double wr, double tangent, RepeatedCall& lastCall) {
  if (ur == 0) return VerticalWindAngle(wr);
  return Recall(lastCall, tangent, [](double t) { return std::atan(t); });
}

double LimitCl(double cl, const Airfoil& airfoil) {
  if (cl > airfoil.ClUpper) return airfoil.ClAboveUpper;
  if (cl < airfoil.ClLower) return airfoil.ClBelowLower;
  return cl;
}

double GroundEffectTerm(double height, double span, RepeatedCall& lastCall) {
  return kGroundEffectFactor * Recall(lastCall, height / span, [](double ratio) {
           double power;
           return CertainThreeHalvesPower(ratio, power) ? power : std::pow(ratio, kGroundEffectExponent);
         });
}

double DynamicPressureTimesTwo(double v) { return kAirDensity * (v * v); }

double CosRootSweep(Aircraft& a) {
  StripTermCache& c = a.StripTerms;
  if (!c.RootSweepValid || !SameBits(c.RootSweepKey, a.Strips[0].Sweep)) {
    c.RootSweepKey = a.Strips[0].Sweep;
    c.CosRootSweep = std::cos(a.Strips[0].Sweep);
    c.RootSweepValid = true;
  }
  return c.CosRootSweep;
}

// Refreshes the copies of the strips' geometry and the sweep terms when a strip's
// width, sweep, area or chord differs from the copy. The comparison runs over every
// strip without stopping early, so it has no branch per strip.
void UpdateGeometryTerms(Aircraft& a) {
  StripTermCache& c = a.StripTerms;
  const int n = a.StripCount;
  uint64_t differ = c.GeometryCount == n ? 0 : 1;
  for (int j = 0; j < n; ++j) {
    const WingStrip& strip = a.Strips[j];
    differ |= (Bits(strip.Width) ^ Bits(c.Width[j])) | (Bits(strip.Sweep) ^ Bits(c.Sweep[j])) |
              (Bits(strip.Area) ^ Bits(c.Area[j])) | (Bits(strip.Chord) ^ Bits(c.Chord[j]));
  }
  if (differ == 0) return;
  double sweep = 0;  // rad, the sweep of a strip and every inner strip, summed outward
  for (int j = 0; j < n; ++j) {
    const WingStrip& strip = a.Strips[j];
    c.Width[j] = strip.Width;
    c.Sweep[j] = strip.Sweep;
    c.Area[j] = strip.Area;
    c.Chord[j] = strip.Chord;
    sweep += strip.Sweep;
    c.CosSweep[j] = std::cos(sweep);
  }
  c.GeometryCount = a.StripCount;
  c.SlopeCount = -1;  // the slope terms use the widths
}

// The slope terms of the bent wing, from the strip-end heights. Called after
// UpdateGeometryTerms, so the widths are the cache's copies.
void UpdateSlopeTerms(Aircraft& a) {
  StripTermCache& c = a.StripTerms;
  const int n = a.StripCount;
  uint64_t differ = c.SlopeCount == n ? 0 : 1;
  for (int j = 0; j <= n; ++j) differ |= Bits(a.StripEndZ[j]) ^ Bits(c.EndZKey[j]);
  if (differ == 0) return;

  for (int j = 0; j <= n; ++j) c.EndZKey[j] = a.StripEndZ[j];
  for (int j = 0; j < n; ++j) {
    const double slope = (c.EndZKey[j + 1] - c.EndZKey[j]) / c.Width[j];
    c.CosSlope[j] = std::sqrt(1 - slope * slope);
  }
  c.SlopeCount = a.StripCount;
  c.GroundCount = -1;  // the ground terms use the strip-end heights
}

// The ground-effect terms of the bent wing at the record's height z (m, down). Called
// after UpdateSlopeTerms, so the strip-end heights are the cache's copies.
void UpdateGroundTerms(Aircraft& a, double z) {
  StripTermCache& c = a.StripTerms;
  const int n = a.StripCount;
  const double a0 = a.WingAirfoil.LiftSlope;
  const double span = a.EffectiveSpan;
  const double aspectRatio = a.AspectRatio;
  uint64_t differ = c.GroundCount == n ? 0 : 1;
  differ |= (Bits(z) ^ Bits(c.HeightKey)) | (Bits(span) ^ Bits(c.SpanKey)) | (Bits(aspectRatio) ^ Bits(c.AspectKey)) |
            (Bits(a0) ^ Bits(c.LiftSlopeKey));
  if (differ == 0) return;

  const std::array<double, kMaxStrips + 1>& endZ = c.EndZKey;
  double ratio[kMaxStrips];  // height above the water over the span
  for (int j = 0; j < n; ++j) {
    const double zIn = endZ[j];
    const double zOut = endZ[j + 1];
    const double h = (zOut + zIn) * 0.5 - z + zIn;  // m
    ratio[j] = (h > 0 ? h : kFallbackHeight) / span;
  }
  double p[kMaxStrips];
  ThreeHalvesPowers(ratio, p, n);
  for (int j = 0; j < n; ++j) p[j] = kGroundEffectFactor * p[j];
  for (int j = 0; j < n; ++j) {
    c.AspectTerm[j] = (p[j] + 1) / p[j] * aspectRatio * kPi;
    c.LiftSlope[j] = a0 / (a0 / c.AspectTerm[j] + 1);
  }
  c.HeightKey = z;
  c.SpanKey = span;
  c.AspectKey = aspectRatio;
  c.LiftSlopeKey = a0;
  c.GroundCount = a.StripCount;
}

// WingForces with the relative wind's angle already known (it is the body's angle of
// attack whenever neither forward component is zero).
ForceTriple WingForcesAt(Aircraft& a, const PitchTrig& trig, double u, double w, const double* knownAlpha) {
  FlightRecord& rec = a.Records[a.Step];
  const double a0 = a.WingAirfoil.LiftSlope;
  const double liftSlope = a0 / (a0 / (a.AspectRatio * kPi) + 1);
  const double ur = u + a.WindSpeed * trig.Cos;
  const double wr = w + a.WindSpeed * trig.Sin;
  const double alpha = knownAlpha && ur != 0 ? *knownAlpha : WindAngle(ur, wr, wr / ur, a.ForceCalls.BodyAngle);
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

// The strips' arctangents are the slow part of the strip loop: each waits for the one
// before it. The tangents go first (one pass the compiler does two strips at a time);
// then each strip's other terms are worked out beside its arctangent, in the time the
// arctangent leaves free, and added strip by strip in their order.
ForceTriple StripForcesAt(Aircraft& a, const PitchTrig& trig, double u, double w) {
  if (!a.StripTerms.GeometryHeld) UpdateGeometryTerms(a);
  UpdateSlopeTerms(a);
  UpdateGroundTerms(a, a.Records[a.Step].Position[kZ]);
  const StripTermCache& c = a.StripTerms;
  const int n = a.StripCount;
  const double ur = u + a.WindSpeed * trig.Cos;
  const double wr = w + a.WindSpeed * trig.Sin;

  double tangent[kMaxStrips];  // of the strip's angle of attack
  for (int j = 0; j < n; ++j) tangent[j] = c.CosSlope[j] * wr / ur;

  const Airfoil& airfoil = a.WingAirfoil;
  const double zeroLift = airfoil.ZeroLiftAngle * kDegToRad;
  const double incidence = a.WingIncidence * kDegToRad;
  const double cdFixed = airfoil.ProfileDrag, cdBody = a.BodyDragCoef, cm0 = a.WingCm0;
  ForceTriple f;
  double stripArea = 0;
  for (int j = 0; j < n; ++j) {
    const double alpha = ur == 0 ? VerticalWindAngle(wr) : std::atan(tangent[j]);  // rad
    const double cosSlope = c.CosSlope[j];
    const double uStrip = ur * c.CosSweep[j];
    const double wStrip = wr * cosSlope;
    const double q2 = DynamicPressureTimesTwo(std::sqrt(uStrip * uStrip + wStrip * wStrip));
    const double area = c.Area[j];
    double cl = c.LiftSlope[j] * (alpha - zeroLift + incidence);
    const double cdi = cl * cl / c.AspectTerm[j];
    cl = LimitCl(cl, airfoil);
    const double lift = cl * q2 * area * 0.5;
    const double drag = (cdi + cdFixed + cdBody) * q2 * area * 0.5;
    a.StripLift[j] = lift;
    a.StripDrag[j] = drag;
    stripArea += area * cosSlope;
    f.Lift += lift * cosSlope;
    f.Drag += drag * cosSlope;
    f.Moment += cm0 * q2 * area * c.Chord[j] * 0.5 * cosSlope;
  }
  // Both wing halves.
  f.Lift *= 2;
  f.Drag *= 2;
  f.Moment *= 2;
  a.StripArea = stripArea * 2;
  return f;
}

ForceTriple TailForcesAt(Aircraft& a, const PitchTrig& trig, double u, double w, double q) {
  FlightRecord& rec = a.Records[a.Step];
  double h = trig.Sin * a.TailArm - rec.Position[kZ];
  if (!(h > 0)) h = kFallbackHeight;
  const double p = GroundEffectTerm(h, a.TailSpan, a.ForceCalls.TailGroundEffect);
  const double a0 = a.TailAirfoil.LiftSlope;
  const double liftSlope = a0 / (1 + a0 / ((p + 1) / p * a.TailAspectRatio * kPi));

  const double ur = u + a.WindSpeed * trig.Cos;
  const double wr = w + a.WindSpeed * trig.Sin;
  const double pitchRateAngle = WindAngle(ur, wr, a.TailArm * q / ur, a.ForceCalls.TailRateAngle);
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

AccelerationTriple AccelerationsAt(Aircraft& a, const PitchTrig& trig, const StateTriple& velocity) {
  FlightRecord& rec = a.Records[a.Step];
  const double u = velocity[0], w = velocity[1], q = velocity[2];
  const double windU = a.WindSpeed * trig.Cos;
  const double windW = a.WindSpeed * trig.Sin;

  const double airU = u + a.WindSpeed * trig.Cos * CosRootSweep(a);
  const double airW = w + windW;
  rec.Airspeed = std::sqrt(airU * airU + airW * airW);
  rec.BodyAlpha = WindAngle(u, airW, airW / (u + windU), a.ForceCalls.BodyAngle);
  const double bodyAlpha = rec.BodyAlpha;
  // The body angle's sine and cosine, and the tail, before the strips: they do not depend
  // on the strips' terms, and they then run beside the strips' arctangents.
  RepeatedSinCos& alpha = a.ForceCalls.BodyAngleTrig;
  if (!alpha.Valid || !SameBits(alpha.Arg, bodyAlpha)) {
    alpha.Arg = bodyAlpha;
    SinCos(bodyAlpha, alpha.Sin, alpha.Cos);
    alpha.Valid = true;
  }
  const ForceTriple tail = TailForcesAt(a, trig, u, w, q);
  // The wing's relative wind has the body's angle unless a forward component is zero.
  ForceTriple wing = WingForcesAt(a, trig, u, w, u != 0 ? &bodyAlpha : nullptr);
  if (a.StripModel == 1) wing = StripForcesAt(a, trig, u, w);

  const double lift = tail.Lift + wing.Lift;
  const double drag = tail.Drag + wing.Drag;
  AccelerationTriple acc;
  acc[0] = (lift * alpha.Sin - drag * alpha.Cos) / a.Mass - (q * w + kGravity * trig.Sin);
  acc[1] = (-lift * alpha.Cos - drag * alpha.Sin) / a.Mass + (q * u + kGravity * trig.Cos);
  acc[2] =
      (a.TailArm * tail.Lift + std::sqrt(tail.Lift * tail.Lift + wing.Lift * wing.Lift) * a.WingArm + wing.Moment) /
      a.PitchInertia;
  return acc;
}

}  // namespace

StripGeometryHold::StripGeometryHold(Aircraft& a) : aircraft_(a) {
  UpdateGeometryTerms(a);
  a.StripTerms.GeometryHeld = true;
}

StripGeometryHold::~StripGeometryHold() { aircraft_.StripTerms.GeometryHeld = false; }

ForceTriple WingForces(Aircraft& a, double u, double w, double theta) {
  return WingForcesAt(a, PitchTrig(theta), u, w, nullptr);
}

ForceTriple StripForces(Aircraft& a, double u, double w, double theta) {
  return StripForcesAt(a, PitchTrig(theta), u, w);
}

ForceTriple TailForces(Aircraft& a, double u, double w, double q, double theta) {
  return TailForcesAt(a, PitchTrig(theta), u, w, q);
}

AccelerationTriple EvaluateAccelerations(Aircraft& a, const StateTriple& position, const StateTriple& velocity) {
  return EvaluateAccelerations(a, PitchTrig(position[kPitch]), velocity);
}

AccelerationTriple EvaluateAccelerations(Aircraft& a, const PitchTrig& trig, const StateTriple& velocity) {
  return FromVectorCopy([&] { return AccelerationsAt(a, trig, velocity); });
}

double Accelerations(Aircraft& a, int i, const StateTriple& position, const StateTriple& velocity) {
  const AccelerationTriple acc = EvaluateAccelerations(a, position, velocity);
  if (i >= 1 && i <= kDofCount) return acc[i - 1];
  return -1.0;
}

void UpdateDownwash(Aircraft& a) { UpdateDownwash(a, PitchTrig(a.Records[a.Step].Position[kPitch])); }

void UpdateDownwash(Aircraft& a, const PitchTrig& trig) {
  const int n = a.Step;
  FlightRecord& rec = a.Records[n];
  const double airU = rec.Velocity[0] + a.WindSpeed * trig.Cos;
  const double airW = rec.Velocity[1] + a.WindSpeed * trig.Sin;
  rec.ResultantSpeed = std::sqrt(airU * airU + airW * airW);
  rec.Downwash = 2 * rec.WingCl / (a.AspectRatio * kPi);

  // Steps the downwash needs to travel from the wing to the tail. A delay that is not
  // a finite number of steps back into this flight reaches back to record 0.
  const double delay = std::trunc(std::fabs(a.DownwashDistance) / rec.ResultantSpeed / a.TimeStep);
  const int source = (delay >= 0 && delay <= n) ? n - static_cast<int>(delay) : 0;
  a.Records[n + 1].TailDownwash = a.Records[source].Downwash;
}

}  // namespace flight
