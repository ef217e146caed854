#pragma once
// The one look-at camera and perspective lens, and the three families of rules that
// set them: the player's free camera, the demo's fly-by, and the replay cameras.
#include <cstdint>

#include "flight/aircraft.h"
#include "platform/input.h"
#include "platform/gfx/graphics_device.h"

namespace game {

enum class FrameKind : int8_t { Normal = -1, FlightFrame = 0, ResultFrame = 1, FlyByFrame = 2 };

inline constexpr float kWideFov = 0.7853982f;   // rad, pi/4
inline constexpr float kTeleFov = 0.31415927f;  // rad, pi/10

struct Lens {
  float FovY = kWideFov;  // rad
  float Aspect = 4.0f / 3.0f;
  float Near = 1.0f;     // m
  float Far = 15000.0f;  // m
};

// The player's camera modes; the digit key of the same number selects each.
enum class CameraMode : int8_t {
  Overview = 0,   // from behind the platform, looking down the course
  Behind = 1,     // a little behind and above the aircraft
  Pilot = 2,      // from the pilot's seat along the aircraft's pitch
  Orbit = 3,      // around the aircraft, steered with the adjustment keys
  Telephoto = 4,  // the long lens from a fixed point beside the course
};
inline constexpr int kCameraModeCount = 5;

// The replay's camera variants, changed at random as the replayed flight goes on.
enum class ReplayVariant : int8_t {
  Telephoto = 0,      // the long lens from a fixed point beside the course
  Chase = 1,          // at a fixed random offset from the aircraft
  FixedPoint = 2,     // from a random point near where the variant began
  Pilot = 3,          // from the pilot's seat
  DriftingChase = 4,  // a chase whose offset drifts a little every frame
};
inline constexpr int kReplayVariantCount = 5;

// The shoulder buttons of a game controller as last seen by the free camera.
struct PadShoulders {
  bool LeftHeld = false;
  bool RightHeld = false;
};

struct FreeCameraState {
  CameraMode Mode = CameraMode::Pilot;
  float TargetHeight = 0;  // m
  float Side = 0;          // m
  float Azimuth = 0.5f;    // rad
  float Height = 3.0f;     // m
  float Distance = 10.0f;  // m
  PadShoulders Shoulders;
};

struct ReplayCameraState {
  ReplayVariant Variant = ReplayVariant::Telephoto;
  int16_t Tick = 0;   // frames shown by the current variant
  double StartX = 0;  // m, aircraft x when the variant began
  double Span = 0;    // m of flight the variant lasts
  platform::Vec3 StoredEye, Offset, Drift;
};

struct Camera {
  platform::Vec3 Eye;
  platform::Vec3 LookAt;
  platform::Matrix4 ViewMatrix = platform::Identity();
  Lens Projection;
  FreeCameraState Free;
  ReplayCameraState Replay;
};

// The lens of a client area of this size (pixels).
Lens MakeLens(int clientWidth, int clientHeight);

void ApplyProjection(Camera& camera, platform::GraphicsDevice& device);
void ApplyView(Camera& camera, platform::GraphicsDevice& device);

// The player's camera controls of one tick: the adjustment keys (in the modes that use
// them), the digit keys and the controller's shoulder buttons.
void SteerFreeCamera(FreeCameraState& state, platform::Input& input);
// Sets the camera for a live frame from its state (the fly-by keeps its own).
void FreeCamera(Camera& camera, FrameKind kind, const flight::Aircraft& aircraft, platform::GraphicsDevice& device);
// Eye and target of fly-by tick t (0..999).
void FlyByCamera(Camera& camera, int tick);
// Sets the camera for a replayed frame, switching variants as the flight goes on.
void ReplayCamera(Camera& camera, const flight::Aircraft& aircraft, platform::GraphicsDevice& device);
// A fresh random variant with the wide lens.
void ResetReplayCamera(Camera& camera, platform::GraphicsDevice& device);

}  // namespace game
