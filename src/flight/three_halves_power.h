#pragma once
// x^1.5, the ground effect's power, with exactly the bits of std::pow(x, 1.5).
//
// x * sqrt(x) is worked out to about 100 bits (the square root's and the product's
// rounding errors are recovered exactly by Dekker's splitting), and rounded once. When
// that exact value lies within 0.45 ulp of the double it rounds to, every other double
// is at least 0.55 ulp away; the C library's pow is within 0.54 ulp of the exact value
// (glibc documents that bound for its builds with and without FMA, and a correctly
// rounded pow is within 0.5), so it returns that same double. Otherwise (a value near
// a rounding midpoint, a power of two, an argument outside [2^-400, 2^400] or not a
// number) the library's pow is called. About nine arguments in ten take the short way;
// it needs no library call, and it vectorises over a batch.

namespace flight {

// The certain value of x^1.5, or false when std::pow must decide.
bool CertainThreeHalvesPower(double x, double& result);

// result[i] = std::pow(x[i], 1.5) for i < count, bit for bit.
void ThreeHalvesPowers(const double* x, double* result, int count);

}  // namespace flight
