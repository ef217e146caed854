#pragma once
// What a design comes to once the game has taken it in: the quantities SetSpec derives
// and the strips it divides the main wing into, read off a temporary aircraft, so the
// configurator always shows the game's own numbers.
#include <array>
#include <memory>
#include <vector>

#include "config/design/design_fields.h"
#include "flight/aircraft.h"

namespace config {

// One strip of one wing half.
struct StripRow {
  int Section = 0;         // 0 .. 3
  double Width = 0;        // m, spanwise
  double InnerChord = 0;   // m
  double OuterChord = 0;   // m
  double Area = 0;         // m^2
  double Mass = 0;         // kg
  double DihedralDeg = 0;  // deg, relative to the previous strip (a section's first strip only)
  double SweepDeg = 0;     // deg, likewise
};

struct SectionStrips {
  bool Enabled = false;   // the flag is exactly 1 (section 0 always)
  int Needed = 0;         // strips the section's span asks for (0 when it adds none)
  int Given = 0;          // strips it actually gets (the table stops at 30)
  double StripWidth = 0;  // m
};

struct GameFigures {
  double WingArea = 0;  // m^2, WingSpan * WingChord
  double TailArea = 0;  // m^2
  double AspectRatio = 0;
  double TailAspectRatio = 0;
  double TailArm = 0;              // m, CgPosition - TailPosition (negative: the tail is behind)
  double TailVolume = 0;           // TailArea * (TailPosition - CgPosition) / (WingArea * WingChord)
  double DownwashDistance = 0;     // m, wing aerodynamic centre to tail
  double PitchInertia = 0;         // kg m^2
  double StartWingCl = 0;          // lift coefficient of the start state
  bool StripModelOn = false;       // the low byte of the switch is 1
  bool LaunchReachesEdge = false;  // the run along the platform ever gets to its edge

  std::array<SectionStrips, kSectionCount> Sections{};
  int StripsNeeded = 0;            // sum over the sections, before the limit
  int StripCount = 0;              // strips per half the game uses
  std::vector<StripRow> Strips;    // one half
  double StripAreaBothHalves = 0;  // m^2
  double StripMassHalf = 0;        // kg, one half (the strips share WingMass)
  double StripSpan = 0;            // m, tip to tip of the flat wing, centre part included
};

GameFigures ComputeFigures(const flight::AircraftSpec& spec);

// An aircraft that has taken the design through SetSpec (heap: it holds two record
// arrays).
std::unique_ptr<flight::Aircraft> AircraftFromSpec(const flight::AircraftSpec& spec);

}  // namespace config
