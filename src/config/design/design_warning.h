#pragma once
// A warning about a design: which kind, and the line, section and numbers it is about.
// The design's checks (validation.h) and the plausibility checks under them both
// produce these; what each kind means to a save is validation's to say.

namespace config {

enum class WarningKind {
  // Refused: saving is not offered.
  TooManyStrips,           // Count: strips per half the sections ask for
  SectionSpanNotPositive,  // Section, Value: its span (m)
  NotFinite,               // Line (Section for a list line): inf or nan
  // Saved when the player insists.
  LaunchNeverEnds,      // Value: start speed (m/s)
  StartBelowTouchdown,  // Value: launch height (m)
  ZeroStiffness,        // Section
  MassNotPositive,      // Value: kg
  GyrationZero,
  WingAreaNotPositive,     // Value: m^2
  TailAreaNotPositive,     // Value: m^2
  SectionAreaNotPositive,  // Section
  WingMassNotPositive,     // Value: kg
  StripModelValue,         // Value: the switch as written (neither 0 nor 1)
  SectionFlagValue,        // Section, Value: the flag as written (neither 0 nor 1)
  // Plausibility: values a human-powered glider hardly has, most likely typing slips.
  OutOfRange,           // Line (Section for a list line), Value, Low .. High: the plausible range
  SpanMismatch,         // Value: WingSpan (m), Low: the strips' span with the centre part (m)
  ChordJump,            // Section: the outer section of the joint, Value: its root chord, Low: the tip chord inside (m)
  TipChordNotPositive,  // Section, Value: root chord * taper (m)
  CgOutsideChord,       // Value: CgPosition (m), High: WingChord (m)
  TailTooSmall,         // Value: tail volume, Low: static margin (fraction of the chord)
  WingMassAboveMass,    // Value: WingMass (kg), High: Mass (kg)
};
inline constexpr WarningKind kLastWarningKind = WarningKind::WingMassAboveMass;

struct DesignWarning {
  WarningKind Kind;
  int Line = 0;      // file line the warning is about, 0 when none
  int Section = -1;  // 0 .. 3, -1 when none
  double Value = 0;
  int Count = 0;
  double Low = 0, High = 0;  // a range or a figure the value is compared with
};

}  // namespace config
