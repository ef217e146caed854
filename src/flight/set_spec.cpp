#include "flight/set_spec.h"

#include <algorithm>
#include <cmath>

namespace flight {
namespace {

// Wing strips are modelled as truncated cones whose cross-section area is this
// fraction of chord^2; only the ratio of strip volumes matters (it spreads WingMass).
constexpr double kStripSectionAreaFactor = 0.1;

void CopySpecValues(Aircraft& a, const AircraftSpec& s) {
  a.StartZ = s.StartZ;
  a.StartSpeed = s.StartSpeed;
  a.StartPitch = s.StartPitch;
  a.WindSpeed = s.WindSpeed;
  a.TimeStep = s.TimeStep;
  a.Mass = s.Mass;
  a.CgPosition = s.CgPosition;
  a.TailPosition = s.TailPosition;
  a.WingSpan = s.WingSpan;
  a.WingChord = s.WingChord;
  a.WingIncidence = s.WingIncidence;
  a.WingCm0 = s.WingCm0;
  a.WingAcRatio = s.WingAcRatio;
  a.BodyDragCoef = s.BodyDragCoef;
  a.TailSpan = s.TailSpan;
  a.TailChord = s.TailChord;
  a.TailIncidence = s.TailIncidence;
  a.GyrationRadius = s.GyrationRadius;
  a.WingAirfoil = s.WingAirfoil;
  a.TailAirfoil = s.TailAirfoil;
}

// Splits the enabled sections into strips. Strips stop being added at kMaxStrips: a
// design that needs more is cut short rather than written past the strip table. An
// enabled section whose span is not positive adds no strips: a zero-width strip would
// turn the whole flight into NaN, and a negative strip count would index outside the
// strip table.
void DivideWing(Aircraft& a, const AircraftSpec& s) {
  std::array<double, kMaxStrips> volume{};
  double volumeSum = 0;
  int k = 0;
  for (int i = 0; i < 4 && k < kMaxStrips; ++i) {
    if (s.SectionEnabled[i] != 1) continue;
    const double L = s.SectionSpan[i];
    if (!(L > 0)) continue;
    const double c0 = s.SectionRootChord[i];
    const double lambda = s.SectionTaper[i];
    const int n = StripsForSection(L);
    if (s.SectionDihedral[i] != 0) a.Strips[k].Dihedral = DegToRadViaPi(s.SectionDihedral[i]);
    if (s.SectionSweep[i] != 0) a.Strips[k].Sweep = DegToRadViaPi(s.SectionSweep[i]);
    const double w = L / n;
    const double r = (1 - lambda) / L;
    const double d = r * c0 * w;
    const double m = 1 - r * w;
    for (int j = 0; j < n && k + j < kMaxStrips; ++j) {
      WingStrip& strip = a.Strips[k + j];
      const double ch = c0 - j * d;
      strip.Width = w;
      strip.TaperSlope = r;
      strip.Chord = ch;
      strip.Area = (ch * m + ch) * w * 0.5;
      strip.Stiffness1 = s.SectionStiffness1[i];
      strip.Stiffness2 = s.SectionStiffness2[i];
      a.StripArea += strip.Area;
      const double areaIn = kStripSectionAreaFactor * ch * ch;
      const double outChord = (1 - r * w) * ch;
      const double areaOut = kStripSectionAreaFactor * outChord * outChord;
      volume[k + j] = (areaIn + areaOut + std::sqrt(areaIn * areaOut)) * w / 3;
      volumeSum += volume[k + j];
    }
    k = std::min(k + n, kMaxStrips);
  }
  a.StripCount = static_cast<int16_t>(k);
  for (int j = 0; j < k; ++j) a.Strips[j].Mass = volume[j] / volumeSum * s.WingMass;
}

}  // namespace

int StripsForSection(double sectionSpan) {
  // Truncation toward zero; spans beyond the strip table are capped before converting.
  double truncated = std::trunc(sectionSpan);
  if (!(truncated >= 0)) truncated = 0;
  if (truncated > kMaxStrips + 1) truncated = kMaxStrips + 1;
  const int n = static_cast<int>(truncated);
  return n == 0 ? 1 : n;
}

void SetSpec(Aircraft& a, const AircraftSpec& s) {
  CopySpecValues(a, s);
  a.TailSetting = a.TailIncidence;

  a.WingArea = a.WingSpan * a.WingChord;
  a.TailArea = a.TailSpan * a.TailChord;
  a.AspectRatio = a.WingSpan * a.WingSpan / a.WingArea;
  a.TailAspectRatio = a.TailSpan * a.TailSpan / a.TailArea;

  a.Step = 0;
  a.StripModel = static_cast<uint8_t>(s.StripModel & 0xFF);

  a.TailArm = a.CgPosition - a.TailPosition;
  a.DownwashDistance = a.WingAcRatio * a.WingChord - a.TailPosition;
  a.PitchInertia = a.GyrationRadius * a.Mass * a.GyrationRadius;

  FlightRecord& start = a.Records[0];
  const double a0 = a.WingAirfoil.LiftSlope;
  const double liftSlope = a0 / (a0 / (a.AspectRatio * kPi) + 1);
  start.WingCl = (a.WingIncidence * kDegToRad - kDegToRad * a.WingAirfoil.ZeroLiftAngle) * liftSlope;

  start.TailDownwash = 0;
  a.CenterHalfWidth = s.CenterHalfWidth;

  for (WingStrip& strip : a.Strips) {
    strip.Dihedral = 0;
    strip.Sweep = 0;
  }
  a.StripEndZ.fill(0);
  a.EffectiveSpan = a.WingSpan;
  a.StripArea = 0;

  DivideWing(a, s);

  start.Position = {0, a.StartZ, a.StartPitch * kDegToRad};
  start.Velocity = {a.StartSpeed, 0, 0};
  start.TailSettingDeg = a.TailIncidence;
}

}  // namespace flight
