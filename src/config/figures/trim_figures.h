#pragma once
// The figures of the design's trimmed glide, read off the game's own flight: a long
// glide high above the water in still air at the design's tail setting, flown by the
// flight code until it settles. At its end: the trim point (lift coefficient, speed,
// angles), the spanwise lift of the strips and its span efficiency, the wing's bending,
// the Reynolds numbers; and, from small perturbations of the force evaluation about
// that state, the phugoid and short-period modes. The bending at launch comes from the
// design's own flight as it leaves the platform.
#include <array>
#include <vector>

#include "config/figures/flight_modes.h"
#include "config/figures/game_figures.h"
#include "config/figures/span_loading.h"
#include "flight/aircraft.h"

namespace config {

// m^2/s, air at about 15 degC: the game's air has a density and no viscosity, so the
// Reynolds numbers use the usual sea-level value.
inline constexpr double kAirKinematicViscosity = 1.5e-5;

struct TrimFigures {
  bool Flown = false;   // the glide left the platform and lasted the whole record
  bool Steady = false;  // its speed and sink settled (the figures below describe a trim)
  double TailSettingDeg = 0;
  double Airspeed = 0;  // m/s
  double SinkRate = 0;  // m/s, positive down
  double GlideRatio = 0;
  double WingCl = 0;  // the whole-wing lift coefficient the game records
  double TailCl = 0;
  double BodyAlphaDeg = 0;  // deg, the body's angle of attack
  double WingAlphaDeg = 0;  // deg, the wing's angle from zero lift (incidence included)

  std::vector<SpanStation> SpanLift;  // one half, strip by strip; empty without strips
  double HalfSpan = 0;                // m, centre line to the bent tip, along the strips
  double SpanEfficiency = 0;          // 0 when unknown

  bool Bends = false;        // the design has strips, so the game bends its wing
  double TipRiseTrim = 0;    // m, the tip raised by bending in the trimmed glide
  double TipRiseLaunch = 0;  // m, likewise after the first flight step from the platform
  bool LaunchKnown = false;  // the design's own flight left the platform

  LongitudinalModes Modes;
  bool ModesKnown = false;

  std::array<double, kSectionCount> ReynoldsRoot{}, ReynoldsTip{};  // at the strips' chords; 0 for no strips
  double ReynoldsMac = 0;
  double ReynoldsTail = 0;
};

// Flies the glide and the launch; a few tens of milliseconds.
TrimFigures ComputeTrimFigures(const flight::AircraftSpec& spec, const GameFigures& figures, double macM);

// The linearised equations of motion of the aircraft about its current record: the
// matrix of d(u, w, q, pitch)/dt over (u, w, q, pitch), by central differences of the
// game's force evaluation. The downwash at the tail follows the wing's lift at once
// (the game delays it by the time the air takes from wing to tail). Exposed for tests.
SystemMatrix LinearisedMotion(flight::Aircraft& a);

}  // namespace config
