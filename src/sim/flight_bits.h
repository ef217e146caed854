#pragma once
// A hash of the exact bits of a flight: two flights with the same hash computed the
// same doubles, bit for bit. The tests pin the physics with it, and the league names
// the physics its distances were flown with by it.
#include <cstdint>
#include <cstring>
#include <iomanip>
#include <sstream>
#include <string>
#include <type_traits>

#include "flight/aircraft.h"

namespace sim {

// FNV-1a over raw bytes, 64 bit.
class BitHash {
public:
  template <typename T>
  void Add(const T& value) {
    static_assert(std::is_trivially_copyable_v<T>);
    unsigned char bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    for (unsigned char b : bytes) {
      State_ ^= b;
      State_ *= kPrime;
    }
  }
  template <typename T, size_t N>
  void Add(const std::array<T, N>& values) {
    for (const T& v : values) Add(v);
  }
  std::string Hex() const {
    std::ostringstream out;
    out << std::hex << std::setw(16) << std::setfill('0') << State_;
    return out.str();
  }

private:
  static constexpr uint64_t kOffsetBasis = 0xcbf29ce484222325ull;
  static constexpr uint64_t kPrime = 0x100000001b3ull;
  uint64_t State_ = kOffsetBasis;
};

inline void AddRecord(BitHash& h, const flight::FlightRecord& r) {
  h.Add(r.Position);
  h.Add(r.Velocity);
  h.Add(r.Acceleration);
  for (double v : {r.Airspeed, r.ResultantSpeed, r.BodyAlpha, r.WingAlphaDeg, r.WingCl, r.TailAlphaDeg, r.TailCl,
                   r.TailSettingDeg, r.WingCdi, r.TailCdi, r.Downwash, r.TailDownwash}) {
    h.Add(v);
  }
}

// The flight record rows alone (both arrays, all rows).
inline std::string RecordsHash(const flight::Aircraft& a) {
  BitHash h;
  for (const auto& r : a.Records) AddRecord(h, r);
  for (const auto& r : a.RecordCopy) AddRecord(h, r);
  return h.Hex();
}

}  // namespace sim
