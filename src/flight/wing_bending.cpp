#include "flight/wing_bending.h"

#include <cmath>

#include "flight/same_bits.h"
#include "flight/sin_cos.h"
#include "flight/vector_copies.h"

namespace flight {
namespace {

// EI in N m^2 is Stiffness1 (kgf/cm^2) * Stiffness2 (cm^4) / 10000 * g.
constexpr double kCm2ToM2 = 10000;

// Cosine and sine of each strip's angle with the previous bending (its dihedral plus
// its bending angle), from the last shape's values where the argument is the same.
void StripAngleTrig(Aircraft& a, double* cosPhi, double* sinPhi) {
  const BendingTrigCache& t = a.BendingTrig;
  for (int j = 0; j < a.StripCount; ++j) {
    const double phi = a.Strips[j].Dihedral + a.BendingAngle[j];
    const bool known = j < t.Count;
    const bool haveCos = known && SameBits(phi, t.CosArg[j]);
    const bool haveSin = known && SameBits(phi, t.SinArg[j]);
    if (haveCos && haveSin) {
      cosPhi[j] = t.Cos[j];
      sinPhi[j] = t.Sin[j];
    } else if (haveCos) {
      cosPhi[j] = t.Cos[j];
      sinPhi[j] = std::sin(phi);
    } else if (haveSin) {
      cosPhi[j] = std::cos(phi);
      sinPhi[j] = t.Sin[j];
    } else {
      SinCos(phi, sinPhi[j], cosPhi[j]);
    }
  }
}

double CosStartPitch(Aircraft& a, double theta0) {
  BendingTrigCache& t = a.BendingTrig;
  if (!t.StartPitchValid || !SameBits(t.StartPitchKey, theta0)) {
    t.StartPitchKey = theta0;
    t.CosStartPitch = std::cos(theta0);
    t.StartPitchValid = true;
  }
  return t.CosStartPitch;
}

// Horizontal arm (m) from strip k's root to strip j's middle, as arm[j][k] for k <= j:
// half of strip j plus each whole strip from j - 1 inward to k, summed inward from j.
// Each j is its own chain of sums; the loop runs the chains side by side, one strip k
// at a time, so they do not wait for one another, and the table is complete before
// the moment passes read it.
using ArmTable = double[kMaxStrips][kMaxStrips];
void ComputeArms(int n, const double* cosPhi, const double* width, ArmTable& arm) {
  for (int j = 0; j < n; ++j) arm[j][j] = 0.5 * cosPhi[j] * width[j];
  for (int k = n - 2; k >= 0; --k) {
    const double projected = cosPhi[k] * width[k];  // m, strip k's horizontal width
    for (int j = k + 1; j < n; ++j) arm[j][k] = arm[j][k + 1] + projected;
  }
}

// Root moment of every strip: the lift of each strip outward of it (its component
// across the line from the root to the strip's middle) minus the weight of each strip
// from it to that one. The inner loop over the roots k has no dependence from one root
// to the next once the arms are known, so it runs as element-wise passes; each root's
// moment still adds its terms in the order of the outer strips j.
void ComputeRootMoments(Aircraft& a, double theta0) {
  const int n = a.StripCount;
  double cosPhi[kMaxStrips], sinPhi[kMaxStrips];  // of each strip's angle with the previous bending
  StripAngleTrig(a, cosPhi, sinPhi);
  double width[kMaxStrips], mass[kMaxStrips], endZ[kMaxStrips], moment[kMaxStrips];
  double spanPos[kMaxStrips];  // m, spanwise position of each strip's root
  for (int j = 0; j < n; ++j) {
    width[j] = a.Strips[j].Width;
    mass[j] = a.Strips[j].Mass;
    endZ[j] = a.StripEndZ[j];
    moment[j] = 0;
  }
  if (n > 0) spanPos[0] = 0;
  for (int j = 0; j + 1 < n; ++j) spanPos[j + 1] = spanPos[j] + cosPhi[j] * width[j];
  ArmTable arm;
  ComputeArms(n, cosPhi, width, arm);

  const double cosTheta0 = CosStartPitch(a, theta0);
  for (int j = 0; j < n; ++j) {
    const double hy = 0.5 * width[j] * cosPhi[j];  // half-strip vector
    const double hz = 0.5 * width[j] * sinPhi[j];
    const double hLength = std::sqrt(hy * hy + hz * hz);
    const double lift = a.StripLift[j];
    const double* armToJ = arm[j];
    for (int k = 0; k <= j; ++k) {
      const double ry = spanPos[j] - spanPos[k] + hy;
      const double rz = endZ[j] - endZ[k] + hz;
      moment[k] += lift * (ry * hy + rz * hz) / hLength;
      moment[k] -= mass[k] * armToJ[k] * cosTheta0;
    }
  }
  for (int j = 0; j < n; ++j) a.BendingMoment[j] = moment[j];
}

void ComputeBendingAngles(Aircraft& a) {
  const int n = a.StripCount;
  std::array<double, kMaxStrips + 1> slope{};
  for (int i = 1; i <= n; ++i) {
    const WingStrip& s = a.Strips[i - 1];
    const double stiffness = (s.Stiffness2 * s.Stiffness1 / kCm2ToM2) * kGravity;
    const double curvature = ((a.BendingMoment[i - 1] + a.BendingMoment[i]) * s.Width * 0.5) / stiffness;
    slope[i] = slope[i - 1] + curvature;
  }
  for (int i = 1; i <= n; ++i) slope[i] = std::atan(slope[i]);
  for (int j = 0; j < n; ++j) a.BendingAngle[j] = (slope[j + 1] + slope[j]) * 0.5;
}

// Rebuilds the strip-end heights and the projected span and area of one half, and from
// them the effective span and aspect ratio. A strip's end height takes the sine of its
// angle including the next strip's dihedral, its projection the cosine without it; on
// a strip whose outer neighbour has no dihedral the two angles are one number, and one
// call gives both.
void ComputeShape(Aircraft& a) {
  const int n = a.StripCount;
  BendingTrigCache& t = a.BendingTrig;
  double dihedralSum = 0;  // rad, through the previous strip
  for (int i = 1; i <= n; ++i) {
    const double nextDihedral = i < n ? a.Strips[i].Dihedral : 0;
    const double previousSum = dihedralSum;
    dihedralSum += nextDihedral;
    t.SinArg[i - 1] = dihedralSum + a.BendingAngle[i - 1];
    t.CosArg[i - 1] = previousSum + a.BendingAngle[i - 1];
  }
  for (int j = 0; j < n; ++j) {
    if (SameBits(t.SinArg[j], t.CosArg[j])) {
      SinCos(t.SinArg[j], t.Sin[j], t.Cos[j]);
    } else {
      t.Sin[j] = std::sin(t.SinArg[j]);
      t.Cos[j] = std::cos(t.CosArg[j]);
    }
  }
  t.Count = static_cast<int16_t>(n);

  double span = 0;           // m, projected half span of the strips
  double projectedArea = 0;  // m^2, projected area of one half
  a.StripEndZ[0] = 0;
  for (int i = 1; i <= n; ++i) {
    const WingStrip& strip = a.Strips[i - 1];
    a.StripEndZ[i] = a.StripEndZ[i - 1] + strip.Width * t.Sin[i - 1];
    span += strip.Width * t.Cos[i - 1];
    projectedArea += strip.Area * t.Cos[i - 1];
  }
  a.EffectiveSpan = 2 * (span + a.CenterHalfWidth);
  // Aspect ratio of the bent wing: span squared over the projected area of both halves.
  const double bothHalves = 2 * projectedArea;
  if (bothHalves > 0) a.AspectRatio = a.EffectiveSpan * a.EffectiveSpan / bothHalves;
}

void BendWing(Aircraft& a, double theta0) {
  const int n = a.StripCount;
  for (int i = 0; i <= n; ++i) a.BendingMoment[i] = 0;
  ComputeRootMoments(a, theta0);
  ComputeBendingAngles(a);
  ComputeShape(a);
}

}  // namespace

void WingBending(Aircraft& a, double theta0) {
  FromVectorCopy([&] { BendWing(a, theta0); });
  const int n = a.StripCount;
  if (n < 1) return;
  const float rootX = static_cast<float>(a.BendingAngle[0] + a.Strips[0].Dihedral);
  const float rootSweep = static_cast<float>(a.Strips[0].Sweep);
  a.SetFrameRotation(kFirstStripFrame, rootX, rootSweep, 0);
  a.SetFrameRotation(kFirstStripFrame + n, -rootX, -rootSweep, 0);
  for (int j = 1; j < n; ++j) {
    const float x = static_cast<float>(a.BendingAngle[j] - a.BendingAngle[j - 1] + a.Strips[j].Dihedral);
    const float sweep = static_cast<float>(a.Strips[j].Sweep);
    a.SetFrameRotation(kFirstStripFrame + j, x, sweep, 0);
    a.SetFrameRotation(kFirstStripFrame + n + j, -x, -sweep, 0);
  }
}

void ResetWingFrames(Aircraft& a) {
  const int n = a.StripCount;
  for (int j = 0; j < n; ++j) {
    const float dihedral = static_cast<float>(a.Strips[j].Dihedral);
    const float sweep = static_cast<float>(a.Strips[j].Sweep);
    a.SetFrameRotation(kFirstStripFrame + j, dihedral, sweep, 0);
    a.SetFrameRotation(kFirstStripFrame + n + j, -dihedral, -sweep, 0);
  }
}

}  // namespace flight
