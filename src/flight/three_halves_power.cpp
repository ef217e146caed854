#include "flight/three_halves_power.h"

#include <bit>
#include <cmath>
#include <cstdint>

#include "flight/same_bits.h"
#include "flight/vector_copies.h"

namespace flight {
namespace {

constexpr double kExponent = 1.5;
constexpr double kSplitter = 134217729.0;  // 2^27 + 1: splits a double into two 26-bit halves
constexpr double kSmallest = 0x1p-400;     // arguments where no step under- or overflows
constexpr double kLargest = 0x1p400;
constexpr uint64_t kExponentBits = 0x7FF0000000000000ull;
constexpr double kUlpOfUnit = 0x1p-52;  // the spacing of doubles in [1, 2)
constexpr double kCertainWithin = 0.45;  // ulp: a value this close to its double rounds to it for pow

struct Halves {
  double High, Low;  // High + Low is the number exactly; High has 26 bits
};
Halves Split(double a) {
  const double t = kSplitter * a;
  const double high = t - (t - a);
  return {high, a - high};
}

// The rounding error of product = a * b (a * b = product + error exactly).
double ProductError(const Halves& a, const Halves& b, double product) {
  return ((a.High * b.High - product) + a.High * b.Low + a.Low * b.High) + a.Low * b.Low;
}

// x^1.5 rounded, and whether it is certain (1) or not (0). Only double arithmetic and
// comparisons, and no branches, so a batch vectorises.
double ShortWay(double x, double& certain) {
  const double s = std::sqrt(x);
  const Halves sh = Split(s);
  const double square = s * s;
  const double rest = (x - square) - ProductError(sh, sh, square);  // x - s^2, to 2^-53 of itself
  // x^1.5 = x s + x (sqrt(x) - s) = x s + rest s / 2, to about 2^-100 of the value.
  const double product = x * s;
  const double tail = ProductError(Split(x), sh, product) + 0.5 * rest * s;
  const double y = product + tail;
  const double roundingError = tail - (y - product);                     // product + tail = y + roundingError exactly
  const double binade = std::bit_cast<double>(Bits(y) & kExponentBits);  // the power of two at or below y
  const bool inRange = (x >= kSmallest) & (x <= kLargest);
  const bool nearItsDouble = std::fabs(roundingError) <= kCertainWithin * (binade * kUlpOfUnit);
  certain = (inRange & (y != binade) & nearItsDouble) ? 1 : 0;
  return y;
}

void ThreeHalvesPowersIn(const double* x, double* result, int count) {
  constexpr int kBatch = 32;
  double certain[kBatch];
  for (int start = 0; start < count; start += kBatch) {
    const int n = count - start < kBatch ? count - start : kBatch;
    for (int i = 0; i < n; ++i) result[start + i] = ShortWay(x[start + i], certain[i]);
    for (int i = 0; i < n; ++i) {
      if (certain[i] == 0) result[start + i] = std::pow(x[start + i], kExponent);
    }
  }
}

}  // namespace

bool CertainThreeHalvesPower(double x, double& result) {
  double certain = 0;
  result = ShortWay(x, certain);
  return certain != 0;
}

void ThreeHalvesPowers(const double* x, double* result, int count) {
  FromVectorCopy([&] { ThreeHalvesPowersIn(x, result, count); });
}

}  // namespace flight
