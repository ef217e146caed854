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
#include "sim/flight_bits.h"

namespace fakes {

using sim::AddRecord;
using sim::BitHash;
using sim::RecordsHash;

inline void AddStrip(BitHash& h, const flight::WingStrip& s) {
  for (double v : {s.Width, s.Chord, s.TaperSlope, s.Stiffness1, s.Stiffness2, s.Dihedral, s.Sweep, s.Area, s.Mass}) {
    h.Add(v);
  }
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
