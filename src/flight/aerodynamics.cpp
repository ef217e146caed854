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
#include <cstring>

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

// The pitch's cosine and sine, computed once per force evaluation and shared by every
// term that needs them (the same calls give the same bits wherever they are made).
struct PitchTrig {
  double Cos = 0, Sin = 0;
  explicit PitchTrig(double theta) : Cos(std::cos(theta)), Sin(std::sin(theta)) {}
};

// Bitwise equality of the inputs a cached term was computed from: a NaN or a signed
// zero that changed is a change.
template <typename T>
bool SameBits(const T& x, const T& y) {
  return std::memcmp(&x, &y, sizeof(T)) == 0;
}
template <size_t N>
bool SameBits(const std::array<double, N>& x, const std::array<double, N>& y, int count) {
  return std::memcmp(x.data(), y.data(), sizeof(double) * static_cast<size_t>(count)) == 0;
}

double CosRootSweep(Aircraft& a) {
  StripTermCache& c = a.StripTerms;
  if (!c.RootSweepValid || !SameBits(c.RootSweepKey, a.Strips[0].Sweep)) {
    c.RootSweepKey = a.Strips[0].Sweep;
    c.CosRootSweep = std::cos(a.Strips[0].Sweep);
    c.RootSweepValid = true;
  }
  return c.CosRootSweep;
}

// The sweep each strip's forward airspeed is turned by: the sweeps of its own and every
// inner strip, summed outward.
void UpdateSweepTerms(Aircraft& a) {
  StripTermCache& c = a.StripTerms;
  const int n = a.StripCount;
  bool same = c.SweepCount == n;
  for (int j = 0; same && j < n; ++j) same = SameBits(c.SweepKey[j], a.Strips[j].Sweep);
  if (same) return;
  double sweep = 0;  // rad, accumulated outward
  for (int j = 0; j < n; ++j) {
    sweep += a.Strips[j].Sweep;
    c.SweepKey[j] = a.Strips[j].Sweep;
    c.CosSweep[j] = std::cos(sweep);
  }
  c.SweepCount = a.StripCount;
}

// The strip terms of the bent wing at the record's height z (m, down).
void UpdateShapeTerms(Aircraft& a, double z) {
  StripTermCache& c = a.StripTerms;
  const int n = a.StripCount;
  const double a0 = a.WingAirfoil.LiftSlope;
  if (c.ShapeCount == n && SameBits(c.HeightKey, z) && SameBits(c.SpanKey, a.EffectiveSpan) &&
      SameBits(c.AspectKey, a.AspectRatio) && SameBits(c.LiftSlopeKey, a0) && SameBits(c.EndZKey, a.StripEndZ, n + 1)) {
    bool same = true;
    for (int j = 0; same && j < n; ++j) same = SameBits(c.WidthKey[j], a.Strips[j].Width);
    if (same) return;
  }
  std::array<double, kMaxStrips> height{};  // m, of each strip above the water
  for (int j = 0; j < n; ++j) {
    const double zIn = a.StripEndZ[j];
    const double zOut = a.StripEndZ[j + 1];
    const double slope = (zOut - zIn) / a.Strips[j].Width;
    c.CosSlope[j] = std::sqrt(1 - slope * slope);
    const double h = (zOut + zIn) * 0.5 - z + zIn;
    height[j] = h > 0 ? h : kFallbackHeight;
    c.WidthKey[j] = a.Strips[j].Width;
  }
  std::array<double, kMaxStrips> p{};
  for (int j = 0; j < n; ++j) p[j] = GroundEffectTerm(height[j], a.EffectiveSpan);
  for (int j = 0; j < n; ++j) {
    c.AspectTerm[j] = (p[j] + 1) / p[j] * a.AspectRatio * kPi;
    c.LiftSlope[j] = a0 / (a0 / c.AspectTerm[j] + 1);
  }
  for (int j = 0; j <= n; ++j) c.EndZKey[j] = a.StripEndZ[j];
  c.HeightKey = z;
  c.SpanKey = a.EffectiveSpan;
  c.AspectKey = a.AspectRatio;
  c.LiftSlopeKey = a0;
  c.ShapeCount = a.StripCount;
}

// WingForces with the relative wind's angle already known (it is the body's angle of
// attack whenever neither forward component is zero).
ForceTriple WingForcesAt(Aircraft& a, const PitchTrig& trig, double u, double w, const double* knownAlpha) {
  FlightRecord& rec = a.Records[a.Step];
  const double a0 = a.WingAirfoil.LiftSlope;
  const double liftSlope = a0 / (a0 / (a.AspectRatio * kPi) + 1);
  const double ur = u + a.WindSpeed * trig.Cos;
  const double wr = w + a.WindSpeed * trig.Sin;
  const double alpha = knownAlpha && ur != 0 ? *knownAlpha : WindAngle(ur, wr, wr / ur);
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

// The strip loop runs in passes over the strips: the element-wise passes have no
// dependence from one strip to the next (the compiler may do two strips at once, with
// the same correctly rounded results), the arctangents follow one after the other, and
// the sums are added strip by strip in their order.
ForceTriple StripForcesAt(Aircraft& a, const PitchTrig& trig, double u, double w) {
  UpdateSweepTerms(a);
  UpdateShapeTerms(a, a.Records[a.Step].Position[kZ]);
  const StripTermCache& c = a.StripTerms;
  const int n = a.StripCount;
  const double ur = u + a.WindSpeed * trig.Cos;
  const double wr = w + a.WindSpeed * trig.Sin;

  std::array<double, kMaxStrips> q2{};       // twice the dynamic pressure, Pa
  std::array<double, kMaxStrips> tangent{};  // of the strip's angle of attack
  for (int j = 0; j < n; ++j) {
    const double uStrip = ur * c.CosSweep[j];
    const double wStrip = wr * c.CosSlope[j];
    q2[j] = DynamicPressureTimesTwo(std::sqrt(uStrip * uStrip + wStrip * wStrip));
    tangent[j] = c.CosSlope[j] * wr / ur;
  }
  std::array<double, kMaxStrips> alpha{};  // rad
  for (int j = 0; j < n; ++j) alpha[j] = WindAngle(ur, wr, tangent[j]);

  const double zeroLift = a.WingAirfoil.ZeroLiftAngle * kDegToRad;
  const double incidence = a.WingIncidence * kDegToRad;
  for (int j = 0; j < n; ++j) {
    const double area = a.Strips[j].Area;
    double cl = c.LiftSlope[j] * (alpha[j] - zeroLift + incidence);
    const double cdi = cl * cl / c.AspectTerm[j];
    cl = LimitCl(cl, a.WingAirfoil);
    a.StripLift[j] = cl * q2[j] * area * 0.5;
    a.StripDrag[j] = (cdi + a.WingAirfoil.ProfileDrag + a.BodyDragCoef) * q2[j] * area * 0.5;
  }

  ForceTriple f;
  a.StripArea = 0;
  for (int j = 0; j < n; ++j) {
    const WingStrip& strip = a.Strips[j];
    const double cosSlope = c.CosSlope[j];
    a.StripArea += strip.Area * cosSlope;
    f.Lift += a.StripLift[j] * cosSlope;
    f.Drag += a.StripDrag[j] * cosSlope;
    f.Moment += a.WingCm0 * q2[j] * strip.Area * strip.Chord * 0.5 * cosSlope;
  }
  // Both wing halves.
  f.Lift *= 2;
  f.Drag *= 2;
  f.Moment *= 2;
  a.StripArea *= 2;
  return f;
}

ForceTriple TailForcesAt(Aircraft& a, const PitchTrig& trig, double u, double w, double q) {
  FlightRecord& rec = a.Records[a.Step];
  double h = trig.Sin * a.TailArm - rec.Position[kZ];
  if (!(h > 0)) h = kFallbackHeight;
  const double p = GroundEffectTerm(h, a.TailSpan);
  const double a0 = a.TailAirfoil.LiftSlope;
  const double liftSlope = a0 / (1 + a0 / ((p + 1) / p * a.TailAspectRatio * kPi));

  const double ur = u + a.WindSpeed * trig.Cos;
  const double wr = w + a.WindSpeed * trig.Sin;
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

}  // namespace

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
  FlightRecord& rec = a.Records[a.Step];
  const double theta = position[kPitch];
  const PitchTrig trig(theta);
  const double u = velocity[0], w = velocity[1], q = velocity[2];
  const double windU = a.WindSpeed * trig.Cos;
  const double windW = a.WindSpeed * trig.Sin;

  const double airU = u + a.WindSpeed * trig.Cos * CosRootSweep(a);
  const double airW = w + windW;
  rec.Airspeed = std::sqrt(airU * airU + airW * airW);
  rec.BodyAlpha = WindAngle(u, airW, airW / (u + windU));

  // The wing's relative wind has the body's angle unless a forward component is zero.
  const double bodyAlpha = rec.BodyAlpha;
  ForceTriple wing = WingForcesAt(a, trig, u, w, u != 0 ? &bodyAlpha : nullptr);
  if (a.StripModel == 1) wing = StripForcesAt(a, trig, u, w);
  const ForceTriple tail = TailForcesAt(a, trig, u, w, q);

  const double lift = tail.Lift + wing.Lift;
  const double drag = tail.Drag + wing.Drag;
  const double alpha = rec.BodyAlpha;
  AccelerationTriple acc;
  acc[0] = (lift * std::sin(alpha) - drag * std::cos(alpha)) / a.Mass - (q * w + kGravity * trig.Sin);
  acc[1] = (-lift * std::cos(alpha) - drag * std::sin(alpha)) / a.Mass + (q * u + kGravity * trig.Cos);
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
