#include "config/figures/flight_modes.h"

#include <algorithm>
#include <cmath>

namespace config {
namespace {

constexpr int kRootIterations = 500;
constexpr double kRootTolerance = 1e-14;  // relative change of a root that ends the iteration
constexpr double kPi = 3.14159265358979323846;
// An imaginary part this small next to the magnitude is a real root met in rounding.
constexpr double kRealShare = 1e-9;

// Coefficients c[0..4] of det(lambda I - A) = lambda^4 + c[1] lambda^3 + ... + c[4]
// (c[0] = 1), by the Faddeev-LeVerrier recursion.
std::array<double, 5> CharacteristicPolynomial(const SystemMatrix& a) {
  std::array<double, 5> c{1, 0, 0, 0, 0};
  SystemMatrix m{};  // M_0 = 0
  for (int k = 1; k <= 4; ++k) {
    SystemMatrix next{};
    for (int i = 0; i < 4; ++i) {
      for (int j = 0; j < 4; ++j) {
        double sum = 0;
        for (int l = 0; l < 4; ++l) sum += a[i][l] * m[l][j];
        next[i][j] = sum + (i == j ? c[k - 1] : 0);
      }
    }
    double trace = 0;
    for (int i = 0; i < 4; ++i) {
      for (int l = 0; l < 4; ++l) trace += a[i][l] * next[l][i];
    }
    c[k] = -trace / k;
    m = next;
  }
  return c;
}

FlightMode ModeOf(std::complex<double> l1, std::complex<double> l2) {
  FlightMode m;
  if (!std::isfinite(l1.real()) || !std::isfinite(l1.imag()) || !std::isfinite(l2.real()) ||
      !std::isfinite(l2.imag())) {
    return m;
  }
  m.Found = true;
  const double imag = std::max(std::fabs(l1.imag()), std::fabs(l2.imag()));
  if (imag > kRealShare * std::abs(l1)) {
    m.Oscillating = true;
    m.NaturalFrequency = std::abs(l1);
    m.PeriodS = 2 * kPi / imag;
    m.DampingRatio = -l1.real() / m.NaturalFrequency;
    m.HalfTimeS = l1.real() != 0 ? std::log(2.0) / std::fabs(l1.real()) : 0;
    return m;
  }
  const double r1 = l1.real(), r2 = l2.real();
  // Two real roots: the slower one decides how long an upset lasts.
  const double slower = std::fabs(r1) < std::fabs(r2) ? r1 : r2;
  m.HalfTimeS = slower != 0 ? std::log(2.0) / std::fabs(slower) : 0;
  if (r1 * r2 > 0) {
    m.NaturalFrequency = std::sqrt(r1 * r2);
    m.DampingRatio = -(r1 + r2) / (2 * m.NaturalFrequency);
  } else {
    m.DampingRatio = r1 > 0 || r2 > 0 ? -1 : 0;  // a root that grows; or one that neither grows nor dies
  }
  return m;
}

}  // namespace

std::array<std::complex<double>, 4> Eigenvalues(const SystemMatrix& a) {
  const std::array<double, 5> c = CharacteristicPolynomial(a);
  const auto p = [&](std::complex<double> x) { return (((x + c[1]) * x + c[2]) * x + c[3]) * x + c[4]; };
  // Durand-Kerner: all four roots at once from distinct complex starting points.
  double scale = 0;
  for (int k = 1; k <= 4; ++k) scale = std::max(scale, std::pow(std::fabs(c[k]), 1.0 / k));
  scale = std::max(scale, 1e-6);
  std::array<std::complex<double>, 4> r;
  const std::complex<double> seed(0.4, 0.9);
  for (int k = 0; k < 4; ++k) r[k] = scale * std::pow(seed, k);
  for (int it = 0; it < kRootIterations; ++it) {
    double change = 0;
    for (int k = 0; k < 4; ++k) {
      std::complex<double> denominator = 1;
      for (int j = 0; j < 4; ++j) {
        if (j != k) denominator *= r[k] - r[j];
      }
      if (std::abs(denominator) == 0) denominator = 1e-30;
      const std::complex<double> step = p(r[k]) / denominator;
      r[k] -= step;
      change = std::max(change, std::abs(step) / std::max(std::abs(r[k]), 1e-12));
    }
    if (change < kRootTolerance) break;
  }
  return r;
}

LongitudinalModes PairModes(const std::array<std::complex<double>, 4>& eigenvalues) {
  std::array<std::complex<double>, 4> r = eigenvalues;
  std::sort(r.begin(), r.end(), [](auto x, auto y) { return std::abs(x) < std::abs(y); });
  return {ModeOf(r[0], r[1]), ModeOf(r[2], r[3])};
}

}  // namespace config
