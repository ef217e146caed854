#pragma once
// Sine and cosine of one angle from one call. glibc's sincos runs the same code as its
// sin and cos and gives their bits (the compiler already joins a sin and a cos of one
// argument into it); elsewhere the two calls are made.
#include <cmath>

namespace flight {

inline void SinCos(double x, double& sine, double& cosine) {
#if defined(__GLIBC__)
  ::sincos(x, &sine, &cosine);
#else
  sine = std::sin(x);
  cosine = std::cos(x);
#endif
}

}  // namespace flight
