#pragma once

// The physics uses these values exactly as the game always has: the truncated pi and
// degree factors are deliberate, and ranked flights replay only if they stay so.
namespace flight {

inline constexpr double kPi = 3.14159;        // truncated pi
inline constexpr double kHalfPi = 1.570795;   // truncated pi/2
inline constexpr double kDegToRad = 0.01745;  // truncated degree-to-radian factor
inline constexpr double kRadToDeg = 57.2957;  // truncated radian-to-degree factor
inline constexpr double kGravity = 9.807;     // m/s^2
inline constexpr double kAirDensity = 1.2;    // kg/m^3
inline constexpr double kTimeStep = 0.02;     // s, one flight step and one game tick
inline constexpr int kTimeStepMs = 20;        // ms, the same step in whole milliseconds
inline constexpr int kMsPerSecond = 1000;
inline constexpr double kDegreesPerHalfTurn = 180;

// Degrees and radians are converted in three ways that give different bits, each where
// the game has always used it: `deg * kDegToRad` and `kRadToDeg * rad` in the
// aerodynamics and the start state; DegToRadViaPi for the model's frame angles and the
// section joints; CsvDegrees for the CSV export's angles.
inline double DegToRadViaPi(double deg) { return deg * kPi / kDegreesPerHalfTurn; }
inline double CsvDegrees(double rad) { return rad / kDegToRad; }

// The time of a record row as the files give it, from its step number in
// milliseconds: the coordinate log in float arithmetic, the CSV in double arithmetic
// rounded to float. Both differ in the last bits from step * kTimeStep.
inline float CoordinateLogTime(int step) { return static_cast<float>(step) * kTimeStepMs / kMsPerSecond; }
inline float CsvTime(int step) {
  return static_cast<float>(step * static_cast<double>(kTimeStepMs) / static_cast<double>(kMsPerSecond));
}

inline constexpr int kMaxStrips = 30;         // strips per wing half
inline constexpr int kRecordCapacity = 5000;  // flight record rows (100 s of flight)
inline constexpr int kDofCount = 3;           // x/u, z/w, pitch/q

inline constexpr double kTouchdownHeight = 0.2;  // m; a record below this has touched the water

// The launch platform: every run starts at its top, 10 m before its edge at x = 0.
inline constexpr float kPlatformStartX = -10.0f;      // m
inline constexpr float kPlatformStartHeight = 11.5f;  // m

}  // namespace flight
