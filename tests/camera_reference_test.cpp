// The camera rules against a reference: the rules as they were first written, with raw
// numbers and one function per family, kept here verbatim (only the mode and variant
// types adapted). Replays re-create pictures, so the named rules must give the same
// bits for every fly-by tick, every replay variant and every free camera mode, and
// make the same device calls and random draws in the same order.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <deque>
#include <random>
#include <string>
#include <vector>

#include "fakes/fake_platform.h"
#include "fakes/test_aircraft.h"
#include "game/camera.h"
#include "fakes/recording_device.h"
#include "platform/services.h"

namespace {

using game::Camera;
using platform::Key;
using platform::Vec3;

// =====================================================================================
// The reference rules

namespace reference {

int Rand() { return platform::Os().random ? platform::Os().random->Next() : 0; }
float RandomSign() { return (Rand() & 1) ? 1.0f : -1.0f; }
bool Down(Key key) { return platform::Os().input && platform::Os().input->IsDown(key); }
int Mode(const Camera& c) { return static_cast<int>(c.Free.Mode); }
int Variant(const Camera& c) { return static_cast<int>(c.Replay.Variant); }

Vec3 AircraftPosition(const flight::Aircraft& a) { return {a.DisplayX, a.DisplayHeight, a.DisplayZOffset}; }

void RaiseEye(Vec3& eye) {
  if (eye.Y < 0.4f) eye.Y = 0.4f;
}

void PilotView(Camera& c, const flight::Aircraft& a) {
  const Vec3 p = AircraftPosition(a);
  const float cosT = std::cos(a.DisplayPitch), sinT = std::sin(a.DisplayPitch);
  c.Eye = {p.X + 0.8f * cosT, p.Y + 0.8f * sinT, p.Z};
  c.LookAt = {p.X + 2.0f * cosT, p.Y + 2.0f * sinT, p.Z};
}

void ReadAdjustmentKeys(game::FreeCameraState& f) {
  if (Down(Key::Up)) f.TargetHeight -= 0.5f;
  if (Down(Key::Down)) f.TargetHeight += 0.5f;
  if (Down(Key::Right)) {
    f.Side += 0.5f;
    f.Azimuth -= 0.01f;
  }
  if (Down(Key::Left)) {
    f.Side -= 0.5f;
    f.Azimuth += 0.01f;
  }
  if (Down(Key::S)) f.Height += 0.5f;
  if (Down(Key::X)) f.Height -= 0.5f;
  if (Down(Key::A)) f.Distance += 0.5f;
  if (Down(Key::Z)) f.Distance -= 0.5f;
}

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
  game::ApplyProjection(c, device);
}

void StartVariant(Camera& c, const flight::Aircraft& a, platform::GraphicsDevice& device) {
  game::ReplayCameraState& r = c.Replay;
  const Vec3 p = AircraftPosition(a);
  r.StartX = p.X;
  switch (Variant(c)) {
    case 0:
      r.Span = 30 + Rand() % 20;
      r.StoredEye = {70, 5, 196.5f};
      break;
    case 1:
      r.Span = 50 + Rand() % 20;
      SetFov(c, device, game::kWideFov);
      r.Offset = ChaseOffset();
      break;
    case 2: {
      r.Span = 40 + Rand() % 20;
      SetFov(c, device, game::kWideFov);
      const int dx = Rand() % 200 / 10;
      const int dy = Rand() % 100 / 10 - 10;
      const int dz = Rand() % 200 / 10 - 10;
      r.StoredEye = {p.X + dx, p.Y + dy, p.Z + dz};
      RaiseEye(r.StoredEye);
      break;
    }
    case 3:
      r.Span = 40 + Rand() % 20;
      SetFov(c, device, game::kWideFov);
      break;
    default:
      r.Span = 40 + Rand() % 20;
      SetFov(c, device, game::kWideFov);
      r.Offset = ChaseOffset();
      r.Drift = Drift();
      break;
  }
}

void ShowVariant(Camera& c, const flight::Aircraft& a, platform::GraphicsDevice& device) {
  game::ReplayCameraState& r = c.Replay;
  const Vec3 p = AircraftPosition(a);
  switch (Variant(c)) {
    case 0:
      SetFov(c, device, game::kTeleFov);
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
    case 3: PilotView(c, a); break;
    default: {
      const float n = r.Tick;
      c.Eye = {p.X + r.Offset.X + n * r.Drift.X, p.Y + r.Offset.Y + n * r.Drift.Y, p.Z + r.Offset.Z + n * r.Drift.Z};
      RaiseEye(c.Eye);
      c.LookAt = p;
      break;
    }
  }
}

game::ReplayVariant NextVariant(int current) {
  int next = 1 + Rand() % 4;
  if (next == current && current >= 1 && current <= 3) next = current + 1;
  return static_cast<game::ReplayVariant>(next);
}

void FreeCamera(Camera& c, game::FrameKind kind, const flight::Aircraft& a, platform::GraphicsDevice& device) {
  game::FreeCameraState& f = c.Free;
  if (Mode(c) == 0 || Mode(c) == 3 || Mode(c) == 4) ReadAdjustmentKeys(f);
  const Key digits[] = {Key::Digit0, Key::Digit1, Key::Digit2, Key::Digit3, Key::Digit4};
  for (int8_t mode = 0; mode < 5; ++mode) {
    if (Down(digits[mode])) f.Mode = static_cast<game::CameraMode>(mode);
  }
  if (kind == game::FrameKind::FlyByFrame) return;

  c.Projection.FovY = game::kWideFov;
  const Vec3 p = AircraftPosition(a);
  switch (Mode(c)) {
    case 1:
      c.Eye = {p.X - 10, p.Y + 3, p.Z};
      c.LookAt = p;
      break;
    case 2: PilotView(c, a); break;
    case 3:
      c.Eye = {p.X + f.Distance * std::cos(f.Azimuth), p.Y + f.Height, p.Z + f.Distance * std::sin(f.Azimuth)};
      c.LookAt = p;
      break;
    case 4:
      c.Eye = {65, 8, 196.5f};
      c.LookAt = p;
      c.Projection.FovY = game::kTeleFov;
      break;
    default:
      c.Eye = {f.Distance - 30, f.Height + 20, f.Side};
      c.LookAt = {200, f.TargetHeight + 2, 0};
      break;
  }
  game::ApplyProjection(c, device);
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
  game::ReplayCameraState& r = c.Replay;
  if (r.Tick == 0) StartVariant(c, a, device);
  ++r.Tick;
  ShowVariant(c, a, device);
  if (a.DisplayX - r.StartX > r.Span) {
    r.Tick = 0;
    r.Variant = NextVariant(Variant(c));
  }
}

void ResetReplayCamera(Camera& c, platform::GraphicsDevice& device) {
  c.Replay.Tick = 0;
  c.Projection.FovY = game::kWideFov;
  game::ApplyProjection(c, device);
  c.Replay.Variant = static_cast<game::ReplayVariant>(Rand() % 5);
}

}  // namespace reference

// =====================================================================================
// Comparing bits

uint32_t Bits(float v) { return std::bit_cast<uint32_t>(v); }
uint64_t Bits(double v) { return std::bit_cast<uint64_t>(v); }

void ExpectSameBits(const Vec3& a, const Vec3& b, const std::string& what) {
  EXPECT_EQ(Bits(a.X), Bits(b.X)) << what << ".X " << a.X << " vs " << b.X;
  EXPECT_EQ(Bits(a.Y), Bits(b.Y)) << what << ".Y " << a.Y << " vs " << b.Y;
  EXPECT_EQ(Bits(a.Z), Bits(b.Z)) << what << ".Z " << a.Z << " vs " << b.Z;
}

// Everything a camera rule leaves behind, and what it did to the device.
struct Frame {
  Camera View;
  std::vector<std::string> Calls;
  platform::Matrix4 Projection;
  size_t RandomLeft = 0;  // draws not yet taken: the rules draw the same number
};

void ExpectSameFrame(const Frame& got, const Frame& want, const std::string& what) {
  SCOPED_TRACE(what);
  ExpectSameBits(got.View.Eye, want.View.Eye, "eye");
  ExpectSameBits(got.View.LookAt, want.View.LookAt, "target");
  EXPECT_EQ(Bits(got.View.Projection.FovY), Bits(want.View.Projection.FovY)) << "field of view";
  const game::ReplayCameraState& r = got.View.Replay;
  const game::ReplayCameraState& w = want.View.Replay;
  EXPECT_EQ(r.Variant, w.Variant);
  EXPECT_EQ(r.Tick, w.Tick);
  EXPECT_EQ(Bits(r.StartX), Bits(w.StartX));
  EXPECT_EQ(Bits(r.Span), Bits(w.Span));
  ExpectSameBits(r.StoredEye, w.StoredEye, "stored eye");
  ExpectSameBits(r.Offset, w.Offset, "offset");
  ExpectSameBits(r.Drift, w.Drift, "drift");
  const game::FreeCameraState& f = got.View.Free;
  const game::FreeCameraState& g = want.View.Free;
  EXPECT_EQ(f.Mode, g.Mode);
  EXPECT_EQ(Bits(f.TargetHeight), Bits(g.TargetHeight));
  EXPECT_EQ(Bits(f.Side), Bits(g.Side));
  EXPECT_EQ(Bits(f.Azimuth), Bits(g.Azimuth));
  EXPECT_EQ(Bits(f.Height), Bits(g.Height));
  EXPECT_EQ(Bits(f.Distance), Bits(g.Distance));
  EXPECT_EQ(got.Calls, want.Calls);
  EXPECT_EQ(got.Projection, want.Projection);
  EXPECT_EQ(got.RandomLeft, want.RandomLeft);
}

// A replayed flight: climbing off the platform, then sinking towards the water (so the
// eyes are raised to their lowest height), pitching up and down, drifting sideways.
void FlyTo(flight::Aircraft& a, int frame) {
  a.DisplayX = 0.37f * frame;
  a.DisplayHeight = 12.0f - 0.02f * frame + std::sin(0.05f * frame);
  a.DisplayPitch = 0.3f * std::sin(0.03f * frame);
  a.DisplayZOffset = 0.01f * frame;
}

std::deque<int> RandomDraws(uint32_t seed) {
  std::mt19937 engine(seed);
  std::uniform_int_distribution<int> draw(0, 32767);  // the game's generator's range
  std::deque<int> values;
  for (int i = 0; i < 20000; ++i) values.push_back(draw(engine));
  return values;
}

using ReplayRule = void (*)(Camera&, const flight::Aircraft&, platform::GraphicsDevice&);
using ResetRule = void (*)(Camera&, platform::GraphicsDevice&);

// The frames of a whole replay, starting in the given variant (or, with none, the
// variant the reset draws).
std::vector<Frame> Replay(ResetRule reset, ReplayRule rule, uint32_t seed, int firstVariant) {
  fakes::FakePlatform os;
  os.Random.Values = RandomDraws(seed);
  platform::RecordingDevice device;
  auto aircraft = fakes::MakeAircraft();
  Camera camera;
  reset(camera, device);
  if (firstVariant >= 0) camera.Replay.Variant = static_cast<game::ReplayVariant>(firstVariant);
  std::vector<Frame> frames;
  constexpr int kFrames = 1500;  // about 550 m: a few dozen variant changes
  for (int i = 0; i < kFrames; ++i) {
    FlyTo(*aircraft, i);
    rule(camera, *aircraft, device);
    frames.push_back({camera, device.Calls, device.Projection, os.Random.Values.size()});
    device.Calls.clear();
  }
  return frames;
}

// =====================================================================================
// The tests

TEST(CameraReference, EveryFlyByTickIsBitIdentical) {
  Camera named, earlier;
  for (int t = 0; t < 1000; ++t) {
    game::FlyByCamera(named, t);
    reference::FlyByCamera(earlier, t);
    ExpectSameBits(named.Eye, earlier.Eye, "tick " + std::to_string(t) + " eye");
    ExpectSameBits(named.LookAt, earlier.LookAt, "tick " + std::to_string(t) + " target");
  }
}

TEST(CameraReference, EveryReplayVariantIsBitIdentical) {
  for (int variant = 0; variant < game::kReplayVariantCount; ++variant) {
    for (uint32_t seed : {1u, 2u, 77u}) {
      const auto named = Replay(game::ResetReplayCamera, game::ReplayCamera, seed, variant);
      const auto earlier = Replay(reference::ResetReplayCamera, reference::ReplayCamera, seed, variant);
      ASSERT_EQ(named.size(), earlier.size());
      for (size_t i = 0; i < named.size(); ++i) {
        ExpectSameFrame(
            named[i], earlier[i],
            "variant " + std::to_string(variant) + " seed " + std::to_string(seed) + " frame " + std::to_string(i));
        if (::testing::Test::HasFailure()) return;  // one frame's report is enough
      }
    }
  }
}

TEST(CameraReference, EveryVariantIsShownInTheseReplays) {
  // Guards the test above: the reference replays must pass through every variant.
  bool seen[game::kReplayVariantCount] = {};
  for (uint32_t seed : {1u, 2u, 77u}) {
    for (const Frame& f : Replay(reference::ResetReplayCamera, reference::ReplayCamera, seed, 0)) {
      seen[static_cast<int>(f.View.Replay.Variant)] = true;
    }
  }
  for (int v = 0; v < game::kReplayVariantCount; ++v) EXPECT_TRUE(seen[v]) << "variant " << v;
}

TEST(CameraReference, ResetDrawsTheSameVariant) {
  for (uint32_t seed = 0; seed < 20; ++seed) {
    const auto named = Replay(game::ResetReplayCamera, game::ReplayCamera, seed, -1);
    const auto earlier = Replay(reference::ResetReplayCamera, reference::ReplayCamera, seed, -1);
    ExpectSameFrame(named.front(), earlier.front(), "seed " + std::to_string(seed));
  }
}

// The free camera in every mode, the adjustment keys held, a fly-by frame in between.
std::vector<Frame> FreeFrames(void (*rule)(Camera&, game::FrameKind, const flight::Aircraft&,
                                           platform::GraphicsDevice&)) {
  fakes::FakePlatform os;
  platform::RecordingDevice device;
  auto aircraft = fakes::MakeAircraft();
  Camera camera;
  std::vector<Frame> frames;
  const Key digits[] = {Key::Digit0, Key::Digit1, Key::Digit2, Key::Digit3, Key::Digit4};
  const Key adjustments[] = {Key::Up, Key::Right, Key::S, Key::A, Key::Down, Key::Left, Key::X, Key::Z};
  int frame = 0;
  for (Key digit : digits) {
    os.Input.Press(digit);
    for (Key adjustment : adjustments) {
      os.Input.Press(adjustment);
      for (int i = 0; i < 25; ++i, ++frame) {
        FlyTo(*aircraft, frame);
        const auto kind = frame % 40 == 0 ? game::FrameKind::FlyByFrame : game::FrameKind::FlightFrame;
        rule(camera, kind, *aircraft, device);
        frames.push_back({camera, device.Calls, device.Projection, 0});
        device.Calls.clear();
        if (i == 0) os.Input.Release(digit);
      }
      os.Input.Release(adjustment);
    }
  }
  return frames;
}

TEST(CameraReference, EveryFreeCameraModeIsBitIdentical) {
  // The game's live frame: the tick's camera controls, then the shot.
  const auto named = FreeFrames([](Camera& c, game::FrameKind kind, const flight::Aircraft& a,
                                   platform::GraphicsDevice& device) {
    game::SteerFreeCamera(c.Free, *platform::Os().input);
    game::FreeCamera(c, kind, a, device);
  });
  const auto earlier = FreeFrames(reference::FreeCamera);
  ASSERT_EQ(named.size(), earlier.size());
  for (size_t i = 0; i < named.size(); ++i) {
    ExpectSameFrame(named[i], earlier[i], "frame " + std::to_string(i));
    if (::testing::Test::HasFailure()) return;
  }
}

}  // namespace
