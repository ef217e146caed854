#pragma once
// The flight step's hot loops run from one of two copies of the same code: one compiled
// for the x86-64 baseline (two doubles at a time), one for AVX2 (four at a time, with
// three-operand instructions that need fewer register copies), chosen by the CPU. Both
// give the same bits: additions, multiplications, divisions and square roots are
// correctly rounded at every vector width, the compiler never reorders floating-point
// operations, and FMA is not enabled for the AVX2 copy (and products are never fused),
// so no rounding is skipped. The exact-bits tests fly the golden flights with each copy.
#include <atomic>

namespace flight {

namespace vector_copies_detail {
extern std::atomic<bool> avx2CopiesOn;
}

// Whether the AVX2 copies run: the CPU and the system support AVX2, and the baseline
// copies were not asked for.
inline bool UsesAvx2Copies() { return vector_copies_detail::avx2CopiesOn.load(std::memory_order_relaxed); }

// For tests: false runs the baseline copies on any CPU; true lets the CPU decide again.
void AllowAvx2Copies(bool allow);

// Runs body() from the copy the CPU takes. Every call inside body whose code is in the
// same source file is inlined into each copy, so the whole of it is compiled for that
// copy's instructions.
template <typename Body>
inline auto FromVectorCopy(Body&& body) {
#if defined(__x86_64__) && defined(__GNUC__)
  if (UsesAvx2Copies()) return [&]() __attribute__((target("avx2"), flatten)) { return body(); }();
  return [&]() __attribute__((flatten)) { return body(); }();
#else
  return body();
#endif
}

}  // namespace flight
