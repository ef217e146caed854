#include "config/figures/aero_figures.h"

#include <cmath>

#include "flight/constants.h"

namespace config {
namespace {

// The game's finite-wing lift slope a0 / (a0 / (AR * pi) + 1), with its truncated pi.
double FiniteLiftSlope(double sectionSlope, double aspectRatio) {
  return sectionSlope / (sectionSlope / (aspectRatio * flight::kPi) + 1);
}

void SectionsFromStrips(const flight::AircraftSpec& spec, const GameFigures& f, AeroFigures& d) {
  for (int i = 0; i < kSectionCount; ++i) {
    SectionFigures& s = d.Sections[i];
    s.Strips = f.Sections[i].Given;
    s.RootChord = spec.SectionRootChord[i];
    s.TipChord = spec.SectionRootChord[i] * spec.SectionTaper[i];
  }
  std::array<bool, kSectionCount> seen{};
  for (const StripRow& row : f.Strips) {
    SectionFigures& s = d.Sections[row.Section];
    s.Area += row.Area;
    if (!seen[row.Section]) s.FlownRootChord = row.InnerChord;
    s.FlownTipChord = row.OuterChord;
    seen[row.Section] = true;
  }
}

// Integrals over the half span of the chord c, c^2, c*y and c*x_le, strip by strip,
// with the chord and leading edge running linearly across each strip.
void MeanChord(const GameFigures& f, const WingShape& shape, AeroFigures& d) {
  double sumC = 0, sumC2 = 0, sumCy = 0, sumCx = 0;
  for (size_t j = 0; j < f.Strips.size() && j < shape.Strips.size(); ++j) {
    const double c0 = f.Strips[j].InnerChord, c1 = f.Strips[j].OuterChord;
    const PlanPoint& in = shape.Strips[j].Plan[0];
    const PlanPoint& out = shape.Strips[j].Plan[1];
    const double w = out.Y - in.Y;  // m, seen from above
    const double dc = c1 - c0;
    // For c = c0 + dc t and p = p0 + dp t over t in 0..1: the integral of c p is
    // c0 p0 + (c0 dp + dc p0) / 2 + dc dp / 3.
    auto chordTimes = [&](double p0, double dp) { return w * (c0 * p0 + (c0 * dp + dc * p0) / 2 + dc * dp / 3); };
    sumC += w * (c0 + c1) / 2;
    sumC2 += w * (c0 * c0 + c0 * c1 + c1 * c1) / 3;
    sumCy += chordTimes(in.Y, out.Y - in.Y);
    sumCx += chordTimes(in.X, out.X - in.X);
  }
  if (!(sumC > 0)) return;
  d.Mac = sumC2 / sumC;
  d.MacY = sumCy / sumC;
  d.MacLeadingX = sumCx / sumC;
}

// The game's pitching moment is TailArm * tail lift + wing lift * WingArm + the wing's
// Cm0 moment, with the arms measured from the centre of gravity; the tail sees the
// body's angle less the downwash 2 CL / (AR pi). The centre of gravity at which the
// moment's change with the angle of attack vanishes is the neutral point:
//   x_n = (x_ac S a_w + x_t S_t a_t (1 - de/da)) / (S a_w + S_t a_t (1 - de/da)).
void Stability(const flight::AircraftSpec& spec, const GameFigures& f, AeroFigures& d) {
  if (!(f.WingArea > 0) || !(f.TailArea > 0) || !(spec.WingChord > 0)) return;
  d.WingLiftSlope = FiniteLiftSlope(spec.WingAirfoil.LiftSlope, f.AspectRatio);
  d.TailLiftSlope = FiniteLiftSlope(spec.TailAirfoil.LiftSlope, f.TailAspectRatio);
  d.DownwashGradient = 2 * d.WingLiftSlope / (f.AspectRatio * flight::kPi);
  const double wing = f.WingArea * d.WingLiftSlope;
  const double tail = f.TailArea * d.TailLiftSlope * (1 - d.DownwashGradient);
  if (!(wing + tail != 0) || !std::isfinite(wing + tail)) return;
  const double wingAc = spec.WingAcRatio * spec.WingChord;
  d.NeutralPoint = (wingAc * wing + spec.TailPosition * tail) / (wing + tail);
  d.StaticMargin = (d.NeutralPoint - spec.CgPosition) / spec.WingChord;
  d.StabilityKnown = std::isfinite(d.StaticMargin);
}

// The moment is linear in the centre of gravity x once the lifts are fixed (dynamic
// pressure cancels): (x - x_t) Lt + R (x - x_ac) + M0 = 0 with R = sqrt(Lt^2 + Lw^2), so
// x = (x_t Lt + R x_ac - M0) / (Lt + R), lifts as coefficient times area.
void ForwardLimit(const flight::AircraftSpec& spec, const GameFigures& f, AeroFigures& d) {
  const double wingLift = spec.WingAirfoil.ClUpper * f.WingArea;
  const double tailLift = spec.TailAirfoil.ClLower * f.TailArea;
  const double resultant = std::sqrt(tailLift * tailLift + wingLift * wingLift);
  const double wingMoment = spec.WingCm0 * f.WingArea * spec.WingChord;
  const double denominator = tailLift + resultant;
  if (!(wingLift > 0) || !(tailLift < 0) || !(denominator != 0)) return;
  const double wingAc = spec.WingAcRatio * spec.WingChord;
  d.ForwardCgLimit = (spec.TailPosition * tailLift + resultant * wingAc - wingMoment) / denominator;
  d.ForwardCgKnown = std::isfinite(d.ForwardCgLimit);
}

}  // namespace

AeroFigures ComputeAeroFigures(const flight::AircraftSpec& spec, const GameFigures& f, const WingShape& shape) {
  AeroFigures d;
  SectionsFromStrips(spec, f, d);
  MeanChord(f, shape, d);
  if (f.WingArea > 0) {
    d.WingLoadingKg = spec.Mass / f.WingArea;
    d.WingLoading = d.WingLoadingKg * flight::kGravity;
    d.TailVolume = f.TailVolume;
    const double lift = flight::kAirDensity * f.WingArea * spec.WingAirfoil.ClUpper;
    if (lift > 0 && spec.Mass > 0) d.StallSpeed = std::sqrt(2 * spec.Mass * flight::kGravity / lift);
  }
  Stability(spec, f, d);
  ForwardLimit(spec, f, d);
  return d;
}

}  // namespace config
