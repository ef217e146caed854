#include "flight/launch_run.h"

#include "flight/aerodynamics.h"
#include "flight/flight_step.h"
#include "flight/wing_bending.h"

namespace flight {
namespace {

constexpr float kRunAccelPerSpeed = 0.357f;   // run acceleration per m/s of start speed
constexpr float kRunAccelOffset = 1.18f;      // m/s^2
constexpr double kPlatformSlope = 0.05235;    // m of drop per m run
constexpr double kPlatformEdgeHeight = 11.0;  // m, where the flight takes over
constexpr int kJitterSteps = 100;             // jitter of -0.0125 .. +0.01225 m in 1/4000 m steps
constexpr double kJitterScale = 4000.0;
constexpr double kJitterOffset = 0.0125;

}  // namespace

bool LaunchRun(Aircraft& a, LaunchRunState& state, float t, platform::Random& random) {
  if (a.DisplayX == kPlatformStartX && state.RunDistance > 0) {
    // A new run after an earlier one starts from the file's tail setting.
    state.RunDistance = 0;
    a.TailSetting = a.TailIncidence;
  }
  const float accel = static_cast<float>(a.StartSpeed) * kRunAccelPerSpeed - kRunAccelOffset;  // m/s^2 (x 1/2)
  const float s = t * t * accel;                                                               // m run
  a.DisplayX = static_cast<float>(s + static_cast<double>(kPlatformStartX));  // in double, as the run always was

  const double theta0 = a.Records[0].Position[kPitch];
  const double runSpeed = (s - state.RunDistance) / kTimeStep;  // m/s over the last tick
  StripForces(a, runSpeed, 0, theta0);
  WingBending(a, theta0);

  const int r = random.Next() % kJitterSteps;
  a.DisplayHeight =
      static_cast<float>((kPlatformStartHeight - s * kPlatformSlope) + (r / kJitterScale - kJitterOffset));
  SetTailFrame(a, a.TailSetting);
  state.RunDistance = s;

  if (a.DisplayX >= 0) {
    a.DisplayX = 0;
    a.DisplayHeight = static_cast<float>(kPlatformEdgeHeight);
    return true;
  }
  return false;
}

}  // namespace flight
