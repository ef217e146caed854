#include "config/figures/game_figures.h"

#include <memory>

#include "flight/launch_run.h"
#include "flight/set_spec.h"
#include "sim/zero_random.h"

namespace config {
namespace {

// Undoes SetSpec's deg * 3.14159 / 180 with the same truncated pi, so a section's
// angle reads back as written.
constexpr double kStripRadToDeg = 180.0 / flight::kPi;

// Strips per half when only the sections before `end` keep their flags: running SetSpec
// itself on the prefix gives each section's share exactly as the game divides the wing,
// limit and skipped sections included.
int StripsOfSectionsBefore(flight::Aircraft& scratch, flight::AircraftSpec spec, int end) {
  for (int i = end; i < kSectionCount; ++i) spec.SectionEnabled[i] = 0;
  if (end == 0) return 0;
  flight::SetSpec(scratch, spec);
  return scratch.StripCount;
}

// One second of the game's own launch run: a design whose run does not get the
// aircraft moving forward in that time never reaches the platform's edge (the run's
// distance grows as the square of the time, or not at all).
bool LaunchMovesForward(flight::Aircraft& a) {
  constexpr float kProbeTime = 1.0f;  // s
  sim::ZeroRandom random;
  flight::LaunchRunState state;
  a.DisplayX = flight::kPlatformStartX;
  flight::LaunchRun(a, state, kProbeTime, random);
  return a.DisplayX > flight::kPlatformStartX;
}

}  // namespace

std::unique_ptr<flight::Aircraft> AircraftFromSpec(const flight::AircraftSpec& spec) {
  auto a = std::make_unique<flight::Aircraft>();
  flight::SetSpec(*a, spec);
  return a;
}

GameFigures ComputeFigures(const flight::AircraftSpec& spec) {
  GameFigures f;
  auto scratch = std::make_unique<flight::Aircraft>();
  std::array<int, kSectionCount + 1> before{};
  for (int i = 0; i <= kSectionCount; ++i) before[i] = StripsOfSectionsBefore(*scratch, spec, i);

  const std::unique_ptr<flight::Aircraft> a = AircraftFromSpec(spec);
  f.WingArea = a->WingArea;
  f.TailArea = a->TailArea;
  f.AspectRatio = a->AspectRatio;
  f.TailAspectRatio = a->TailAspectRatio;
  f.TailArm = a->TailArm;
  f.TailVolume = a->TailArea * -a->TailArm / (a->WingArea * a->WingChord);
  f.DownwashDistance = a->DownwashDistance;
  f.PitchInertia = a->PitchInertia;
  f.StartWingCl = a->Records[0].WingCl;
  f.StripModelOn = a->StripModel == 1;
  f.StripCount = a->StripCount;

  for (int i = 0; i < kSectionCount; ++i) {
    SectionStrips& s = f.Sections[i];
    s.Enabled = spec.SectionEnabled[i] == 1;
    if (s.Enabled && spec.SectionSpan[i] > 0) s.Needed = flight::StripsForSection(spec.SectionSpan[i]);
    s.Given = before[i + 1] - before[i];
    if (s.Given > 0) s.StripWidth = a->Strips[before[i]].Width;
    f.StripsNeeded += s.Needed;
  }

  double halfSpan = a->CenterHalfWidth;
  double area = 0, mass = 0;
  for (int j = 0; j < a->StripCount; ++j) {
    const flight::WingStrip& strip = a->Strips[j];
    StripRow row;
    for (int i = 0; i < kSectionCount; ++i) {
      if (j >= before[i]) row.Section = i;
    }
    row.Width = strip.Width;
    row.InnerChord = strip.Chord;
    row.OuterChord = strip.Chord * (1 - strip.TaperSlope * strip.Width);
    row.Area = strip.Area;
    row.Mass = strip.Mass;
    row.DihedralDeg = strip.Dihedral * kStripRadToDeg;
    row.SweepDeg = strip.Sweep * kStripRadToDeg;
    f.Strips.push_back(row);
    halfSpan += strip.Width;
    area += strip.Area;
    mass += strip.Mass;
  }
  f.StripAreaBothHalves = 2 * area;
  f.StripMassHalf = mass;
  f.StripSpan = 2 * halfSpan;
  f.LaunchReachesEdge = LaunchMovesForward(*a);  // last: the run bends the wing
  return f;
}

}  // namespace config
