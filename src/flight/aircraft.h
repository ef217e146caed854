#pragma once
// [SECTION] The flown glider: the aircraft file's values, strips, flight records and the
// aircraft that holds them.
//
// Axes. The flight is simulated in the vertical plane:
//   x      m, forward along the flight path, 0 at the platform's edge
//   z      m, downward: the height above the water is -z
//   pitch  rad, positive nose up
//   u, w   m/s, body-axis velocities: u along the body's x axis (forward), w along its
//          z axis (down); q, rad/s, the pitch rate
// The drawn world is right-handed with y up and the water at y = 0; flights go toward
// +x, and the shown aircraft stands at (DisplayX, DisplayHeight, DisplayZOffset),
// turned by DisplayPitch. Angles of the aircraft file are in degrees, everything the
// physics integrates is in radians. A wing strip's own frame: its span along the
// strip, its chord across it, the bending angle upward from the root's plane.
#include <array>
#include <cstdint>
#include <memory>
#include <ostream>

#include "flight/constants.h"

namespace flight {

// Section data of a wing.
struct Airfoil {
  double LiftSlope = 0;      // two-dimensional lift-curve slope a0, per rad
  double ZeroLiftAngle = 0;  // deg
  double ClUpper = 0;        // a computed CL above this ...
  double ClAboveUpper = 0;   // ... is replaced by this
  double ClLower = 0;        // a computed CL below this ...
  double ClBelowLower = 0;   // ... is replaced by this
  double ProfileDrag = 0;    // profile drag coefficient
};

// The aircraft file's values, handed to SetSpec.
struct AircraftSpec {
  double StartZ = 0;          // m, downward positive (minus the launch height)
  double StartSpeed = 0;      // m/s, body-x speed at the start of the flight
  double StartPitch = 0;      // deg
  double WindSpeed = 0;       // m/s, head wind
  double TimeStep = 0;        // s, always 0.02
  double Mass = 0;            // kg
  double CgPosition = 0;      // m, rearward from the reference point
  double TailPosition = 0;    // m, x of the tail's aerodynamic centre
  double WingSpan = 0;        // m, tip to tip
  double WingChord = 0;       // m, mean chord
  double WingIncidence = 0;   // deg
  double WingCm0 = 0;         // pitching-moment coefficient
  double WingAcRatio = 0;     // aerodynamic centre as a fraction of WingChord
  double BodyDragCoef = 0;    // drag of the rest of the aircraft, on the wing area
  double TailSpan = 0;        // m
  double TailChord = 0;       // m
  double TailIncidence = 0;   // deg, tail setting at load
  double GyrationRadius = 0;  // m, pitch radius of gyration
  Airfoil WingAirfoil;
  Airfoil TailAirfoil;
  int32_t StripModel = 0;                     // 1: strip-by-strip main wing over the bent wing
  double WingMass = 0;                        // kg, spread over the strips
  double CenterHalfWidth = 0;                 // m, centre line to the first strip's inner end
  std::array<int32_t, 4> SectionEnabled{};    // 1 = the section exists
  std::array<double, 4> SectionSpan{};        // m, one side
  std::array<double, 4> SectionRootChord{};   // m
  std::array<double, 4> SectionTaper{};       // tip chord / root chord
  std::array<double, 4> SectionStiffness1{};  // kgf/cm^2 (only the product with Stiffness2 counts)
  std::array<double, 4> SectionStiffness2{};  // cm^4
  std::array<double, 4> SectionDihedral{};    // deg, relative to the previous section
  std::array<double, 4> SectionSweep{};       // deg, relative to the previous section
};

// One spanwise strip of one main-wing half.
struct WingStrip {
  double Width = 0;       // m, spanwise
  double Chord = 0;       // m, at the strip's inner end
  double TaperSlope = 0;  // 1/m
  double Stiffness1 = 0;  // kgf/cm^2, Young's modulus (only the product with Stiffness2 counts)
  double Stiffness2 = 0;  // cm^4, second moment of area
  double Dihedral = 0;    // rad, non-zero only on a section's first strip
  double Sweep = 0;       // rad, non-zero only on a section's first strip
  double Area = 0;        // m^2
  double Mass = 0;        // kg
};

// Terms of the strip forces that do not change between the force evaluations of one
// flight step, kept with the inputs they were computed from. A lookup compares those
// inputs bit for bit and computes again on any difference, so a cached term is always
// exactly the value the strip loop would compute itself.
struct StripTermCache {
  // Copies of the strips' fixed geometry, in arrays the strip passes read in order (the
  // strips' geometry never changes during a flight). Count is the strips they hold; -1
  // until first filled.
  int16_t GeometryCount = -1;
  std::array<double, kMaxStrips> Width{};  // m
  std::array<double, kMaxStrips> Sweep{};  // rad
  std::array<double, kMaxStrips> Area{};   // m^2
  std::array<double, kMaxStrips> Chord{};  // m
  // True while a flight step runs: the step compared the geometry at its start, and
  // nothing changes the strips before it ends (see StripGeometryHold).
  bool GeometryHeld = false;
  // Cosine of the sweep accumulated outward, per strip (from Sweep above).
  std::array<double, kMaxStrips> CosSweep{};
  double CosRootSweep = 1;  // of Sweep[0]; of Strips[0].Sweep when there are no strips
  double RootSweepKey = 0;  // rad, what CosRootSweep was computed from
  bool RootSweepValid = false;

  // Per strip: the slope's cosine, which depends only on the bent wing's shape (the
  // strip-end heights change once per step, at the bending, so the five evaluations
  // around it share one shape).
  int16_t SlopeCount = -1;                       // -1 until computed
  std::array<double, kMaxStrips + 1> EndZKey{};  // m
  std::array<double, kMaxStrips> CosSlope{};
  // Per strip: the ground-effect aspect term and the lift slope, which depend on the
  // shape and on the height of the state evaluated.
  int16_t GroundCount = -1;  // -1 until computed, or when the shape changed since
  double HeightKey = 0, SpanKey = 0, AspectKey = 0, LiftSlopeKey = 0;
  std::array<double, kMaxStrips> AspectTerm{};
  std::array<double, kMaxStrips> LiftSlope{};  // per rad
};

// Sines and cosines of the last wing bending, kept with their arguments (rad). The next
// bending's strip angles are often the same numbers: a strip without a dihedral of its
// own has the angle the last shape computed, and the start pitch never changes. A value
// is reused only for an argument with the same bits, so it is exactly what the call
// would give.
struct BendingTrigCache {
  int16_t Count = -1;  // strips the last shape filled; -1 until then
  std::array<double, kMaxStrips> SinArg{}, Sin{};
  std::array<double, kMaxStrips> CosArg{}, Cos{};
  double StartPitchKey = 0;  // rad
  double CosStartPitch = 1;
  bool StartPitchValid = false;
};

// The last argument and result of one libm call of the force evaluation. The first
// Runge-Kutta stage evaluates at the recorded state again, where the body angle and the
// tail's terms are the same numbers; a result is reused only for an argument with the
// same bits, so it is exactly what the call would give.
struct RepeatedCall {
  double Arg = 0;
  double Result = 0;
  bool Valid = false;
};
struct RepeatedSinCos {
  double Arg = 0;  // rad
  double Sin = 0, Cos = 1;
  bool Valid = false;
};
struct ForceCallCache {
  RepeatedCall BodyAngle;         // atan of the body's relative wind, rad
  RepeatedSinCos BodyAngleTrig;   // of the body angle
  RepeatedCall TailGroundEffect;  // pow of the tail's height over its span
  RepeatedCall TailRateAngle;     // atan of the pitch rate's wind angle at the tail, rad
};

// Index of a degree of freedom in the record triples (the numbering 1..3 of
// Accelerations minus one).
enum Dof { kX = 0, kZ = 1, kPitch = 2 };

// One 0.02 s row of the flight history.
struct FlightRecord {
  std::array<double, 3> Position{};      // x (m, forward), z (m, down), pitch (rad, nose up)
  std::array<double, 3> Velocity{};      // u (m/s), w (m/s), q (rad/s), body axes
  std::array<double, 3> Acceleration{};  // du/dt, dw/dt (m/s^2), dq/dt (rad/s^2)
  double Airspeed = 0;                   // m/s, with the sweep factor
  double ResultantSpeed = 0;             // m/s, without the sweep factor
  double BodyAlpha = 0;                  // rad
  double WingAlphaDeg = 0;               // deg
  double WingCl = 0;                     // after the limits
  double TailAlphaDeg = 0;               // deg
  double TailCl = 0;                     // after the limits
  double TailSettingDeg = 0;             // deg, in force at this row
  double WingCdi = 0;
  double TailCdi = 0;
  double Downwash = 0;      // rad, produced by the main wing at this row
  double TailDownwash = 0;  // rad, reaching the tail at this row
};

// Frame numbers of the aircraft model that the flight code turns.
inline constexpr int kTailFrame = 4;
inline constexpr int kFirstStripFrame = 7;

// The 3D model as far as the flight code sees it: frames whose rotation it sets.
// The model may have fewer frames than asked for (or none); such writes are skipped.
class AircraftModel {
public:
  virtual ~AircraftModel() = default;
  // Angles in radians about the model's x, y and z axes.
  virtual void SetRotation(int frame, float x, float y, float z) = 0;
};

// The one flown glider. Holds two 5000-row arrays, so it always lives on the heap.
struct Aircraft {
  // Display pose (ShowRecord and the launch run).
  float DisplayX = 0;        // m; at touchdown, the distance flown
  float DisplayHeight = 0;   // m, height above the water
  float DisplayZOffset = 0;  // m, always 0
  float DisplayPitch = 0;    // rad

  std::unique_ptr<AircraftModel> Model;  // none until the model is built

  uint16_t Step = 0;      // index of the current record
  uint16_t LastStep = 0;  // touchdown record of the last flight
  uint8_t StripModel = 0;

  // Values from the aircraft file.
  double StartZ = 0, StartSpeed = 0, StartPitch = 0, WindSpeed = 0, TimeStep = 0;
  double Mass = 0, CgPosition = 0, TailPosition = 0;
  double WingSpan = 0;
  double EffectiveSpan = 0;  // m, tip to tip of the bent wing
  double WingChord = 0, WingIncidence = 0, WingCm0 = 0, WingAcRatio = 0, BodyDragCoef = 0;
  double TailSpan = 0, TailChord = 0, TailIncidence = 0, GyrationRadius = 0;

  // Derived quantities.
  double WingArea = 0;   // m^2
  double StripArea = 0;  // m^2, projected area summed by the strip formula
  double TailArea = 0;   // m^2
  double AspectRatio = 0;
  double TailAspectRatio = 0;
  double TailArm = 0;           // m, CgPosition - TailPosition
  double DownwashDistance = 0;  // m
  double WingArm = 0;           // m, CgPosition - aerodynamic centre
  double PitchInertia = 0;      // kg m^2

  std::array<FlightRecord, kRecordCapacity> Records{};
  std::array<FlightRecord, kRecordCapacity> RecordCopy{};  // rows as recorded, for the CSV

  Airfoil WingAirfoil;
  Airfoil TailAirfoil;

  std::array<WingStrip, kMaxStrips> Strips{};
  std::array<double, kMaxStrips + 1> BendingMoment{};  // N m at each strip's root; [N] is the tip
  std::array<double, kMaxStrips + 1> StripEndZ{};      // m, upward from the wing root
  std::array<double, kMaxStrips> BendingAngle{};       // rad, mean slope of each strip
  std::array<double, kMaxStrips> StripLift{};          // N
  std::array<double, kMaxStrips> StripDrag{};          // N

  double CenterHalfWidth = 0;    // m
  StripTermCache StripTerms;     // derived from the fields above; never part of the flight's state
  BendingTrigCache BendingTrig;  // likewise
  ForceCallCache ForceCalls;     // likewise
  double TailSetting = 0;        // deg, the current tail setting
  int16_t StripCount = 0;        // strips per half

  std::unique_ptr<std::ostream> CoordinateLog;  // "zahyou.txt"; none when it could not be opened

  // Turns a model frame when the model has one.
  void SetFrameRotation(int frame, float x, float y, float z) {
    if (Model) Model->SetRotation(frame, x, y, z);
  }
};

}  // namespace flight
