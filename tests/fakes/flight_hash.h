#pragma once
// A hash of the exact bits of a flown aircraft: every field of every record row (both
// the records and their copies as recorded), every strip array and the flight's
// result. Two flights with the same hash computed the same doubles, bit for bit.
#include <cstdint>
#include <cstring>
#include <iomanip>
#include <sstream>
#include <string>
#include <type_traits>

#include "flight/aircraft.h"

namespace fakes {

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

inline void AddStrip(BitHash& h, const flight::WingStrip& s) {
  for (double v : {s.Width, s.Chord, s.TaperSlope, s.Stiffness1, s.Stiffness2, s.Dihedral, s.Sweep, s.Area, s.Mass}) {
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

// The strips and their bending state as the flight left them, and the derived values.
inline std::string StripsHash(const flight::Aircraft& a) {
  BitHash h;
  for (const auto& s : a.Strips) AddStrip(h, s);
  h.Add(a.BendingMoment);
  h.Add(a.StripEndZ);
  h.Add(a.BendingAngle);
  h.Add(a.StripLift);
  h.Add(a.StripDrag);
  for (double v : {a.EffectiveSpan, a.WingArea, a.StripArea, a.TailArea, a.AspectRatio, a.TailAspectRatio, a.TailArm,
                   a.DownwashDistance, a.WingArm, a.PitchInertia, a.TailSetting}) {
    h.Add(v);
  }
  return h.Hex();
}

// One line per flight: its result and both hashes.
inline std::string FlightHashLine(const std::string& name, const flight::Aircraft& a, float distance) {
  BitHash d;
  d.Add(distance);
  std::ostringstream out;
  out << name << " distance_bits=" << d.Hex() << " last_step=" << a.LastStep << " records=" << RecordsHash(a)
      << " strips=" << StripsHash(a) << '\n';
  return out.str();
}

}  // namespace fakes
