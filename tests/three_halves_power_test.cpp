#include "flight/three_halves_power.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

namespace {

uint64_t Bits(double x) { return std::bit_cast<uint64_t>(x); }

// Arguments over the whole range the short way accepts and beyond it: uniform in [0, 1]
// (the ground effect's heights over spans), uniform mantissas over 2^-20..2^20, and
// uniform exponents over 2^-420..2^420.
std::vector<double> Arguments(int count, uint64_t seed) {
  std::mt19937_64 random(seed);
  std::uniform_real_distribution<double> unit(0, 1), mantissa(1, 2);
  std::vector<double> x(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    switch (i % 3) {
      case 0: x[i] = unit(random); break;
      case 1: x[i] = std::ldexp(mantissa(random), static_cast<int>(random() % 40) - 20); break;
      default: x[i] = std::ldexp(mantissa(random), static_cast<int>(random() % 840) - 420); break;
    }
  }
  return x;
}

TEST(ThreeHalvesPower, EveryCertainValueIsPowsValue) {
  const std::vector<double> x = Arguments(3'000'000, 1);
  int certain = 0;
  for (double v : x) {
    double y = 0;
    if (!flight::CertainThreeHalvesPower(v, y)) continue;
    ++certain;
    ASSERT_EQ(Bits(y), Bits(std::pow(v, 1.5))) << std::hexfloat << "x = " << v;
  }
  // About four in five take the short way (a fifth lies near a rounding midpoint or
  // outside the range); far fewer would mean the short way lost its accuracy.
  EXPECT_GT(certain, static_cast<int>(x.size()) * 7 / 10);
}

TEST(ThreeHalvesPower, SingleAndBatchGivePowsBitsEverywhere) {
  std::vector<double> x = Arguments(200'000, 2);
  const double inf = std::numeric_limits<double>::infinity();
  // Exact powers (4 -> 8, 0.25 -> 0.125), zeros, the ends of the short way's range,
  // subnormals, negative and non-finite arguments.
  for (double special : {0.0, -0.0, 1.0, 4.0, 0.25, 2.25, 0x1p-400, 0x1p400, std::nextafter(0x1p-400, 0.0),
                         std::nextafter(0x1p400, inf), 5e-324, 0x1p-1022, -1.0, -0.25, inf, -inf,
                         std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::max()}) {
    x.push_back(special);
  }
  std::vector<double> batch(x.size());
  flight::ThreeHalvesPowers(x.data(), batch.data(), static_cast<int>(x.size()));
  for (size_t i = 0; i < x.size(); ++i) {
    const double expected = std::pow(x[i], 1.5);
    double single = 0;
    flight::ThreeHalvesPowers(&x[i], &single, 1);
    ASSERT_EQ(Bits(single), Bits(expected)) << std::hexfloat << "x = " << x[i];
    ASSERT_EQ(Bits(batch[i]), Bits(expected)) << std::hexfloat << "x = " << x[i];
  }
}

}  // namespace
