#include "flight/wing_bending.h"

#include <cmath>

namespace flight {
namespace {

// EI in N m^2 is Stiffness1 (kgf/cm^2) * Stiffness2 (cm^4) / 10000 * g.
constexpr double kCm2ToM2 = 10000;

void ComputeRootMoments(Aircraft& a, double theta0) {
  const int n = a.StripCount;
  std::array<double, kMaxStrips> phi{};     // rad, strip angle with the previous bending
  std::array<double, kMaxStrips> cosPhi{};  // each computed once, used by every outer strip
  std::array<double, kMaxStrips> sinPhi{};
  std::array<double, kMaxStrips> spanPos{};  // m, spanwise position of each strip's root
  for (int j = 0; j < n; ++j) {
    phi[j] = a.Strips[j].Dihedral + a.BendingAngle[j];
    cosPhi[j] = std::cos(phi[j]);
    sinPhi[j] = std::sin(phi[j]);
  }
  for (int j = 0; j + 1 < n; ++j) spanPos[j + 1] = spanPos[j] + cosPhi[j] * a.Strips[j].Width;

  const double cosTheta0 = std::cos(theta0);
  for (int j = 0; j < n; ++j) {
    const double width = a.Strips[j].Width;
    const double cp = cosPhi[j];
    const double sp = sinPhi[j];
    const double hy = 0.5 * width * cp;  // half-strip vector
    const double hz = 0.5 * width * sp;
    const double hLength = std::sqrt(hy * hy + hz * hz);
    double arm = 0.5 * cp * width;  // horizontal arm from strip k's root to strip j's middle
    for (int k = j; k >= 0; --k) {
      const double ry = spanPos[j] - spanPos[k] + hy;
      const double rz = a.StripEndZ[j] - a.StripEndZ[k] + hz;
      a.BendingMoment[k] += a.StripLift[j] * (ry * hy + rz * hz) / hLength;
      if (k < j) arm += cosPhi[k] * a.Strips[k].Width;
      a.BendingMoment[k] -= a.Strips[k].Mass * arm * cosTheta0;
    }
  }
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
// them the effective span and aspect ratio.
void ComputeShape(Aircraft& a) {
  const int n = a.StripCount;
  double dihedralSum = 0;    // rad, through the previous strip
  double span = 0;           // m, projected half span of the strips
  double projectedArea = 0;  // m^2, projected area of one half
  a.StripEndZ[0] = 0;
  for (int i = 1; i <= n; ++i) {
    const WingStrip& strip = a.Strips[i - 1];
    const double nextDihedral = i < n ? a.Strips[i].Dihedral : 0;
    const double previousSum = dihedralSum;
    dihedralSum += nextDihedral;
    a.StripEndZ[i] = a.StripEndZ[i - 1] + strip.Width * std::sin(dihedralSum + a.BendingAngle[i - 1]);
    const double cosProjected = std::cos(previousSum + a.BendingAngle[i - 1]);
    span += strip.Width * cosProjected;
    projectedArea += strip.Area * cosProjected;
  }
  a.EffectiveSpan = 2 * (span + a.CenterHalfWidth);
  // Aspect ratio of the bent wing: span squared over the projected area of both halves.
  const double bothHalves = 2 * projectedArea;
  if (bothHalves > 0) a.AspectRatio = a.EffectiveSpan * a.EffectiveSpan / bothHalves;
}

}  // namespace

void WingBending(Aircraft& a, double theta0) {
  const int n = a.StripCount;
  for (int i = 0; i <= n; ++i) a.BendingMoment[i] = 0;
  ComputeRootMoments(a, theta0);
  ComputeBendingAngles(a);
  ComputeShape(a);

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
