#include "config/figures/span_loading.h"

#include <array>
#include <cmath>

namespace config {

double SpanEfficiency(std::span<const SpanStation> stations, double halfSpan) {
  constexpr int n = kSpanTerms;
  if (static_cast<int>(stations.size()) < n || !(halfSpan > 0)) return 0;
  // Least squares: l(t) = sum_k A_k sin((2k+1) t), by the normal equations.
  std::array<std::array<double, n + 1>, n> m{};
  for (const SpanStation& s : stations) {
    const double ratio = s.Y / halfSpan;
    if (!(ratio >= 0 && ratio < 1) || !std::isfinite(s.LiftPerSpan)) return 0;
    const double t = std::acos(ratio);
    std::array<double, n> basis;
    for (int k = 0; k < n; ++k) basis[k] = std::sin((2 * k + 1) * t);
    for (int i = 0; i < n; ++i) {
      for (int j = 0; j < n; ++j) m[i][j] += basis[i] * basis[j];
      m[i][n] += basis[i] * s.LiftPerSpan;
    }
  }
  // Gaussian elimination with partial pivoting.
  for (int c = 0; c < n; ++c) {
    int pivot = c;
    for (int r = c + 1; r < n; ++r) {
      if (std::fabs(m[r][c]) > std::fabs(m[pivot][c])) pivot = r;
    }
    if (m[pivot][c] == 0) return 0;
    std::swap(m[c], m[pivot]);
    for (int r = c + 1; r < n; ++r) {
      const double f = m[r][c] / m[c][c];
      for (int k = c; k <= n; ++k) m[r][k] -= f * m[c][k];
    }
  }
  std::array<double, n> coef{};
  for (int r = n - 1; r >= 0; --r) {
    double sum = m[r][n];
    for (int k = r + 1; k < n; ++k) sum -= m[r][k] * coef[k];
    coef[r] = sum / m[r][r];
  }
  if (!(coef[0] != 0) || !std::isfinite(coef[0])) return 0;
  double delta = 0;
  for (int k = 1; k < n; ++k) delta += (2 * k + 1) * (coef[k] / coef[0]) * (coef[k] / coef[0]);
  return 1 / (1 + delta);
}

}  // namespace config
