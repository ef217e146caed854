#include "game/camera.h"

#include <cmath>

#include "platform/services.h"

namespace game {
namespace {

using platform::Key;
using platform::Vec3;

constexpr float kMinEyeHeight = 0.4f;   // m; replay eyes never go below
constexpr float kAdjustStep = 0.5f;     // m per frame a camera key is held
constexpr float kAzimuthStep = 0.01f;   // rad per frame
constexpr float kPilotEyeForward = 0.8f;     // m ahead of the reference point
constexpr float kPilotTargetForward = 2.0f;  // m
constexpr int kReplayVariants = 5;

bool Down(Key key) { return platform::Os().input && platform::Os().input->IsDown(key); }
int Rand() { return platform::Os().random ? platform::Os().random->Next() : 0; }
// +1 if the draw is odd, else -1.
float RandomSign() { return (Rand() & 1) ? 1.0f : -1.0f; }

Vec3 AircraftPosition(const flight::Aircraft& a) { return {a.DisplayX, a.DisplayHeight, a.DisplayZOffset}; }

void RaiseEye(Vec3& eye) {
  if (eye.Y < kMinEyeHeight) eye.Y = kMinEyeHeight;
}

void PilotView(Camera& c, const flight::Aircraft& a) {
  const Vec3 p = AircraftPosition(a);
  const float cosT = std::cos(a.DisplayPitch), sinT = std::sin(a.DisplayPitch);
  c.Eye = {p.X + kPilotEyeForward * cosT, p.Y + kPilotEyeForward * sinT, p.Z};
  c.LookAt = {p.X + kPilotTargetForward * cosT, p.Y + kPilotTargetForward * sinT, p.Z};
}

void ReadAdjustmentKeys(FreeCameraState& f) {
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

// A chase offset: each component's magnitude in whole metres, then its sign.
Vec3 ChaseOffset() {
  Vec3 o;
  const int mx = Rand() % 200 / 10 + 10;
  o.X = RandomSign() * mx;
  const int my = Rand() % 100 / 10 + 2;
  o.Y = RandomSign() * my;
  const int mz = Rand() % 100 / 10 + 20;
  o.Z = RandomSign() * mz;
  return o;
}

// A drift per frame (m): each component's sign, then its size in centimetres.
Vec3 Drift() {
  Vec3 d;
  float s = RandomSign();
  d.X = s * (Rand() % 20) / 100;
  s = RandomSign();
  d.Y = s * (Rand() % 10) / 100;
  s = RandomSign();
  d.Z = s * (Rand() % 10) / 100;
  return d;
}

void SetFov(Camera& c, platform::GraphicsDevice& device, float fov) {
  c.Projection.FovY = fov;
  ApplyProjection(c, device);
}

// First frame of a variant: its span and its fixed choices.
void StartVariant(Camera& c, const flight::Aircraft& a, platform::GraphicsDevice& device) {
  ReplayCameraState& r = c.Replay;
  const Vec3 p = AircraftPosition(a);
  r.StartX = p.X;
  switch (r.Variant) {
    case 0:
      r.Span = 30 + Rand() % 20;
      r.StoredEye = {70, 5, 196.5f};
      break;
    case 1:
      r.Span = 50 + Rand() % 20;
      SetFov(c, device, kWideFov);
      r.Offset = ChaseOffset();
      break;
    case 2: {
      r.Span = 40 + Rand() % 20;
      SetFov(c, device, kWideFov);
      const int dx = Rand() % 200 / 10;
      const int dy = Rand() % 100 / 10 - 10;
      const int dz = Rand() % 200 / 10 - 10;
      r.StoredEye = {p.X + dx, p.Y + dy, p.Z + dz};
      RaiseEye(r.StoredEye);
      break;
    }
    case 3:
      r.Span = 40 + Rand() % 20;
      SetFov(c, device, kWideFov);
      break;
    default:
      r.Span = 40 + Rand() % 20;
      SetFov(c, device, kWideFov);
      r.Offset = ChaseOffset();
      r.Drift = Drift();
      break;
  }
}

void ShowVariant(Camera& c, const flight::Aircraft& a, platform::GraphicsDevice& device) {
  ReplayCameraState& r = c.Replay;
  const Vec3 p = AircraftPosition(a);
  switch (r.Variant) {
    case 0:
      SetFov(c, device, kTeleFov);
      c.Eye = r.StoredEye;
      c.LookAt = p;
      break;
    case 1:
      c.Eye = {p.X + r.Offset.X, p.Y + r.Offset.Y, p.Z + r.Offset.Z};
      RaiseEye(c.Eye);
      c.LookAt = p;
      break;
    case 2:
      c.Eye = r.StoredEye;
      c.LookAt = p;
      break;
    case 3:
      PilotView(c, a);
      break;
    default: {
      const float n = r.Tick;
      c.Eye = {p.X + r.Offset.X + n * r.Drift.X, p.Y + r.Offset.Y + n * r.Drift.Y, p.Z + r.Offset.Z + n * r.Drift.Z};
      RaiseEye(c.Eye);
      c.LookAt = p;
      break;
    }
  }
}

// The variant after this one: 1 to 4 at random; the chase, the fixed point and the
// pilot view never follow themselves.
int8_t NextVariant(int8_t current) {
  int next = 1 + Rand() % 4;
  if (next == current && current >= 1 && current <= 3) next = current + 1;
  return static_cast<int8_t>(next);
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

void FreeCamera(Camera& c, FrameKind kind, const flight::Aircraft& a, platform::GraphicsDevice& device) {
  FreeCameraState& f = c.Free;
  if (f.Mode == 0 || f.Mode == 3 || f.Mode == 4) ReadAdjustmentKeys(f);
  const Key digits[] = {Key::Digit0, Key::Digit1, Key::Digit2, Key::Digit3, Key::Digit4};
  for (int8_t mode = 0; mode < 5; ++mode) {
    if (Down(digits[mode])) f.Mode = mode;
  }
  if (kind == FrameKind::FlyByFrame) return;

  c.Projection.FovY = kWideFov;
  const Vec3 p = AircraftPosition(a);
  switch (f.Mode) {
    case 1:
      c.Eye = {p.X - 10, p.Y + 3, p.Z};
      c.LookAt = p;
      break;
    case 2:
      PilotView(c, a);
      break;
    case 3:
      c.Eye = {p.X + f.Distance * std::cos(f.Azimuth), p.Y + f.Height, p.Z + f.Distance * std::sin(f.Azimuth)};
      c.LookAt = p;
      break;
    case 4:
      c.Eye = {65, 8, 196.5f};
      c.LookAt = p;
      c.Projection.FovY = kTeleFov;
      break;
    default:  // overview
      c.Eye = {f.Distance - 30, f.Height + 20, f.Side};
      c.LookAt = {200, f.TargetHeight + 2, 0};
      break;
  }
  ApplyProjection(c, device);
}

void FlyByCamera(Camera& c, int t) {
  c.LookAt = {-10, 11, 0};
  if (t < 250) {
    c.Eye = {0.5f * t - 185, 5, 0};
  } else if (t < 350) {
    const float k = static_cast<float>(t - 250);
    c.Eye = {k / 3 - 185 + 125, k / 6 + 5, 0};
  } else if (t < 750) {
    const float k = static_cast<float>(t - 350);
    const float angle = k / 70, radius = k / 50 + 26;
    c.Eye = {-radius * std::cos(angle), 21.6f - k / 20, radius * std::sin(angle)};
  } else {
    const float k = static_cast<float>(t - 750);
    c.Eye = {-28.64f - k / 20, 1.6f, -18.3f - 0.25f * k};
  }
}

void ReplayCamera(Camera& c, const flight::Aircraft& a, platform::GraphicsDevice& device) {
  ReplayCameraState& r = c.Replay;
  if (r.Tick == 0) StartVariant(c, a, device);
  ++r.Tick;
  ShowVariant(c, a, device);
  if (a.DisplayX - r.StartX > r.Span) {
    r.Tick = 0;
    r.Variant = NextVariant(r.Variant);
  }
}

void ResetReplayCamera(Camera& c, platform::GraphicsDevice& device) {
  c.Replay.Tick = 0;
  c.Projection.FovY = kWideFov;
  ApplyProjection(c, device);
  c.Replay.Variant = static_cast<int8_t>(Rand() % kReplayVariants);
}

}  // namespace game
