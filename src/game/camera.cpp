// Every camera rule computes a Shot (eye, target and, where it changes it, the lens);
// TakeShot is the one place a shot reaches the camera and the device. The numbers and
// the order of the float operations are those the game's pictures were made with: the
// replay re-creates them exactly, so none of the expressions below may be folded.
#include "game/camera.h"

#include <cmath>
#include <optional>

#include "game/pad_controls.h"
#include "platform/services.h"

namespace game {
namespace {

using platform::Key;
using platform::Vec3;

constexpr float kMinEyeHeight = 0.4f;  // m; replay eyes never go below
constexpr float kAdjustStep = 0.5f;    // m per frame a camera key is held
constexpr float kAzimuthStep = 0.01f;  // rad per frame

// The pilot's seat: eye and target ahead of the aircraft's reference point along its pitch.
constexpr float kPilotEyeForward = 0.8f;     // m
constexpr float kPilotTargetForward = 2.0f;  // m

// Free camera modes. The course runs along +x from the platform near the origin.
constexpr float kBehindEyeBack = 10;             // m behind the aircraft
constexpr float kBehindEyeUp = 3;                // m above it
constexpr float kOverviewEyeBack = 30;           // m behind the platform, before the distance key's offset
constexpr float kOverviewEyeUp = 20;             // m, before the height key's offset
constexpr float kOverviewTargetX = 200;          // m down the course
constexpr float kOverviewTargetUp = 2;           // m, before the target height key's offset
constexpr Vec3 kTelephotoEye = {65, 8, 196.5f};  // m, beside the course

// Replay variants: how far each one lasts, in metres of flight, is its base span plus
// a random 0 to kSpanSpread - 1.
constexpr int kSpanSpread = 20;                        // m
constexpr int kTelephotoSpan = 30;                     // m
constexpr int kChaseSpan = 50;                         // m
constexpr int kOtherSpan = 40;                         // m, the fixed point, the pilot and the drifting chase
constexpr Vec3 kReplayTelephotoEye = {70, 5, 196.5f};  // m, beside the course
// Random offsets are drawn in decimetres and cut to whole metres.
constexpr int kDecimetresPerMetre = 10;
constexpr float kCentimetresPerMetre = 100;
// Variants that may follow another: all but the telephoto (Chase to DriftingChase).
constexpr int kFollowingVariants = kReplayVariantCount - 1;

// The fly-by over the ranking list, ticks 0 to 999: a level approach along the x axis,
// a climb, a descending spiral around the origin and a low pass. Rates are given as
// ticks per metre (or per radian) because the path divides by them.
constexpr Vec3 kFlyByTarget = {-10, 11, 0};  // m, where the whole fly-by looks
constexpr int kClimbStartTick = 250;
constexpr int kSpiralStartTick = 350;
constexpr int kLowPassStartTick = 750;
constexpr float kApproachStartBack = 185;  // m before the origin (eye x = -185 at tick 0)
constexpr float kApproachSpeed = 0.5f;     // m per tick
constexpr float kApproachHeight = 5;       // m
constexpr float kApproachRun = 125;        // m the approach covers by the climb (0.5 m x 250 ticks)
constexpr float kClimbTicksPerMetreForward = 3;
constexpr float kClimbTicksPerMetreUp = 6;
constexpr float kSpiralTicksPerRadian = 70;
constexpr float kSpiralTicksPerMetreOut = 50;
constexpr float kSpiralStartRadius = 26;     // m
constexpr float kSpiralStartHeight = 21.6f;  // m
constexpr float kSpiralTicksPerMetreDown = 20;
constexpr Vec3 kLowPassStart = {-28.64f, 1.6f, -18.3f};  // m, near where the spiral ends
constexpr float kLowPassTicksPerMetreX = 20;
constexpr float kLowPassSpeedZ = 0.25f;  // m per tick, towards -z

// What a camera rule decides for one frame.
struct Shot {
  Vec3 Eye;
  Vec3 LookAt;
  std::optional<float> FovY = std::nullopt;  // rad; nothing: the lens stays as it is
};

int Rand() { return platform::Os().random ? platform::Os().random->Next() : 0; }
// +1 if the draw is odd, else -1.
float RandomSign() { return (Rand() & 1) ? 1.0f : -1.0f; }
// A whole number of metres, minM up to minM + spreadDm / 10 - 1, drawn in decimetres.
int RandomWholeMetres(int spreadDm, int minM) { return Rand() % spreadDm / kDecimetresPerMetre + minM; }

Vec3 AircraftPosition(const flight::Aircraft& a) { return {a.DisplayX, a.DisplayHeight, a.DisplayZOffset}; }

Vec3 RaisedEye(Vec3 eye) {
  if (eye.Y < kMinEyeHeight) eye.Y = kMinEyeHeight;
  return eye;
}

void Aim(Camera& c, const Shot& shot) {
  c.Eye = shot.Eye;
  c.LookAt = shot.LookAt;
}

// The one place a rule's shot is put into the camera, and a lens it sets into the device.
void TakeShot(Camera& c, const Shot& shot, platform::GraphicsDevice& device) {
  Aim(c, shot);
  if (!shot.FovY) return;
  c.Projection.FovY = *shot.FovY;
  ApplyProjection(c, device);
}

Shot PilotShot(const flight::Aircraft& a, std::optional<float> fov) {
  const Vec3 p = AircraftPosition(a);
  const float cosT = std::cos(a.DisplayPitch), sinT = std::sin(a.DisplayPitch);
  return {{p.X + kPilotEyeForward * cosT, p.Y + kPilotEyeForward * sinT, p.Z},
          {p.X + kPilotTargetForward * cosT, p.Y + kPilotTargetForward * sinT, p.Z},
          fov};
}

void ReadAdjustmentKeys(FreeCameraState& f, platform::Input& input) {
  auto Down = [&input](Key key) { return input.IsDown(key); };
  if (Down(Key::Up)) f.TargetHeight -= kAdjustStep;
  if (Down(Key::Down)) f.TargetHeight += kAdjustStep;
  if (Down(Key::Right)) {
    f.Side += kAdjustStep;
    f.Azimuth -= kAzimuthStep;
  }
  if (Down(Key::Left)) {
    f.Side -= kAdjustStep;
    f.Azimuth += kAzimuthStep;
  }
  if (Down(Key::S)) f.Height += kAdjustStep;
  if (Down(Key::X)) f.Height -= kAdjustStep;
  if (Down(Key::A)) f.Distance += kAdjustStep;
  if (Down(Key::Z)) f.Distance -= kAdjustStep;
}

bool UsesAdjustmentKeys(CameraMode mode) {
  return mode == CameraMode::Overview || mode == CameraMode::Orbit || mode == CameraMode::Telephoto;
}

Shot FreeShot(const FreeCameraState& f, const flight::Aircraft& a) {
  const Vec3 p = AircraftPosition(a);
  switch (f.Mode) {
    case CameraMode::Behind: return {{p.X - kBehindEyeBack, p.Y + kBehindEyeUp, p.Z}, p, kWideFov};
    case CameraMode::Pilot: return PilotShot(a, kWideFov);
    case CameraMode::Orbit:
      return {{p.X + f.Distance * std::cos(f.Azimuth), p.Y + f.Height, p.Z + f.Distance * std::sin(f.Azimuth)},
              p,
              kWideFov};
    case CameraMode::Telephoto: return {kTelephotoEye, p, kTeleFov};
    case CameraMode::Overview:
    default:
      return {{f.Distance - kOverviewEyeBack, f.Height + kOverviewEyeUp, f.Side},
              {kOverviewTargetX, f.TargetHeight + kOverviewTargetUp, 0},
              kWideFov};
  }
}

// A chase offset: each component's magnitude in whole metres, then its sign.
Vec3 ChaseOffset() {
  Vec3 o;
  const int mx = RandomWholeMetres(200, 10);  // 10 to 29 m along the course
  o.X = RandomSign() * mx;
  const int my = RandomWholeMetres(100, 2);  // 2 to 11 m up or down
  o.Y = RandomSign() * my;
  const int mz = RandomWholeMetres(100, 20);  // 20 to 29 m to either side
  o.Z = RandomSign() * mz;
  return o;
}

// A drift component per frame (m): its sign, then its size in centimetres below spreadCm.
float DriftComponent(int spreadCm) {
  const float s = RandomSign();
  return s * (Rand() % spreadCm) / kCentimetresPerMetre;
}

Vec3 Drift() {
  Vec3 d;
  d.X = DriftComponent(20);
  d.Y = DriftComponent(10);
  d.Z = DriftComponent(10);
  return d;
}

double RandomSpan(int baseM) { return baseM + Rand() % kSpanSpread; }

// First frame of a variant: its span and its fixed choices.
void StartVariant(ReplayCameraState& r, const flight::Aircraft& a) {
  const Vec3 p = AircraftPosition(a);
  r.StartX = p.X;
  switch (r.Variant) {
    case ReplayVariant::Telephoto:
      r.Span = RandomSpan(kTelephotoSpan);
      r.StoredEye = kReplayTelephotoEye;
      break;
    case ReplayVariant::Chase:
      r.Span = RandomSpan(kChaseSpan);
      r.Offset = ChaseOffset();
      break;
    case ReplayVariant::FixedPoint: {
      r.Span = RandomSpan(kOtherSpan);
      const int dx = RandomWholeMetres(200, 0);    // 0 to 19 m ahead
      const int dy = RandomWholeMetres(100, -10);  // 1 to 10 m below
      const int dz = RandomWholeMetres(200, -10);  // 10 m to one side to 9 m to the other
      r.StoredEye = RaisedEye({p.X + dx, p.Y + dy, p.Z + dz});
      break;
    }
    case ReplayVariant::Pilot: r.Span = RandomSpan(kOtherSpan); break;
    case ReplayVariant::DriftingChase:
    default:
      r.Span = RandomSpan(kOtherSpan);
      r.Offset = ChaseOffset();
      r.Drift = Drift();
      break;
  }
}

// The shot of a variant's frame. The telephoto sets its long lens every frame; the
// others set the wide lens on their first frame and keep it.
Shot VariantShot(const ReplayCameraState& r, const flight::Aircraft& a, bool firstFrame) {
  const Vec3 p = AircraftPosition(a);
  const std::optional<float> wideAtStart = firstFrame ? std::optional<float>(kWideFov) : std::nullopt;
  switch (r.Variant) {
    case ReplayVariant::Telephoto: return {r.StoredEye, p, kTeleFov};
    case ReplayVariant::Chase:
      return {RaisedEye({p.X + r.Offset.X, p.Y + r.Offset.Y, p.Z + r.Offset.Z}), p, wideAtStart};
    case ReplayVariant::FixedPoint: return {r.StoredEye, p, wideAtStart};
    case ReplayVariant::Pilot: return PilotShot(a, wideAtStart);
    case ReplayVariant::DriftingChase:
    default: {
      const float n = r.Tick;
      const Vec3 eye = {p.X + r.Offset.X + n * r.Drift.X, p.Y + r.Offset.Y + n * r.Drift.Y,
                        p.Z + r.Offset.Z + n * r.Drift.Z};
      return {RaisedEye(eye), p, wideAtStart};
    }
  }
}

// The variant after this one: Chase to DriftingChase at random; the chase, the fixed
// point and the pilot view never follow themselves.
ReplayVariant NextVariant(ReplayVariant current) {
  const int now = static_cast<int>(current);
  int next = 1 + Rand() % kFollowingVariants;
  if (next == now && current >= ReplayVariant::Chase && current <= ReplayVariant::Pilot) next = now + 1;
  return static_cast<ReplayVariant>(next);
}

Shot FlyByShot(int t) {
  if (t < kClimbStartTick) {
    return {{kApproachSpeed * t - kApproachStartBack, kApproachHeight, 0}, kFlyByTarget};
  }
  if (t < kSpiralStartTick) {
    const float k = static_cast<float>(t - kClimbStartTick);
    const float x = k / kClimbTicksPerMetreForward - kApproachStartBack + kApproachRun;
    return {{x, k / kClimbTicksPerMetreUp + kApproachHeight, 0}, kFlyByTarget};
  }
  if (t < kLowPassStartTick) {
    const float k = static_cast<float>(t - kSpiralStartTick);
    const float angle = k / kSpiralTicksPerRadian, radius = k / kSpiralTicksPerMetreOut + kSpiralStartRadius;
    return {{-radius * std::cos(angle), kSpiralStartHeight - k / kSpiralTicksPerMetreDown, radius * std::sin(angle)},
            kFlyByTarget};
  }
  const float k = static_cast<float>(t - kLowPassStartTick);
  return {{kLowPassStart.X - k / kLowPassTicksPerMetreX, kLowPassStart.Y, kLowPassStart.Z - kLowPassSpeedZ * k},
          kFlyByTarget};
}

}  // namespace

Lens MakeLens(int clientWidth, int clientHeight) {
  Lens lens;
  lens.Aspect = static_cast<float>(clientWidth) / static_cast<float>(clientHeight);
  return lens;
}

void ApplyProjection(Camera& c, platform::GraphicsDevice& device) {
  const Lens& l = c.Projection;
  device.SetTransform(platform::TransformKind::Projection, platform::PerspectiveFovRH(l.FovY, l.Aspect, l.Near, l.Far));
}

void ApplyView(Camera& c, platform::GraphicsDevice& device) {
  c.ViewMatrix = platform::LookAtRH(c.Eye, c.LookAt, {0, 1, 0});
  device.SetTransform(platform::TransformKind::View, c.ViewMatrix);
}

void SteerFreeCamera(FreeCameraState& f, platform::Input& input) {
  if (UsesAdjustmentKeys(f.Mode)) ReadAdjustmentKeys(f, input);
  const Key digits[kCameraModeCount] = {Key::Digit0, Key::Digit1, Key::Digit2, Key::Digit3, Key::Digit4};
  for (int mode = 0; mode < kCameraModeCount; ++mode) {
    if (input.IsDown(digits[mode])) f.Mode = static_cast<CameraMode>(mode);
  }
  f.Mode = PadCameraMode(f.Mode, f.Shoulders, input);
}

void FreeCamera(Camera& c, FrameKind kind, const flight::Aircraft& a, platform::GraphicsDevice& device) {
  if (kind == FrameKind::FlyByFrame) return;
  TakeShot(c, FreeShot(c.Free, a), device);
}

void FlyByCamera(Camera& c, int t) {
  Aim(c, FlyByShot(t));  // the fly-by keeps the lens it finds
}

void ReplayCamera(Camera& c, const flight::Aircraft& a, platform::GraphicsDevice& device) {
  ReplayCameraState& r = c.Replay;
  const bool firstFrame = r.Tick == 0;
  if (firstFrame) StartVariant(r, a);
  ++r.Tick;
  TakeShot(c, VariantShot(r, a, firstFrame), device);
  if (a.DisplayX - r.StartX > r.Span) {
    r.Tick = 0;
    r.Variant = NextVariant(r.Variant);
  }
}

void ResetReplayCamera(Camera& c, platform::GraphicsDevice& device) {
  c.Replay.Tick = 0;
  c.Projection.FovY = kWideFov;
  ApplyProjection(c, device);
  c.Replay.Variant = static_cast<ReplayVariant>(Rand() % kReplayVariantCount);
}

}  // namespace game
