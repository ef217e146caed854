#pragma once
// Bitwise equality of doubles, for the caches that keep a computed term with the inputs
// it came from: a NaN or a signed zero that changed is a change, so a term is reused
// only when the computation would see exactly the same numbers.
#include <bit>
#include <cstdint>

namespace flight {

inline uint64_t Bits(double x) { return std::bit_cast<uint64_t>(x); }
inline bool SameBits(double x, double y) { return Bits(x) == Bits(y); }

}  // namespace flight
