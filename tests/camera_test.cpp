// The free camera modes and keys, the fly-by path and the replay cameras.
#include "game/camera.h"

#include <gtest/gtest.h>

#include <cmath>

#include "fakes/fake_platform.h"
#include "fakes/test_aircraft.h"
#include "fakes/recording_device.h"

namespace {

using game::Camera;
using game::FrameKind;
using platform::Key;

struct CameraTest : ::testing::Test {
  fakes::FakePlatform os;
  platform::RecordingDevice device;
  Camera camera;
  std::unique_ptr<flight::Aircraft> aircraft = fakes::MakeAircraft();
  void SetUp() override {
    aircraft->DisplayX = 50;
    aircraft->DisplayHeight = 8;
    aircraft->DisplayPitch = 0.1f;
  }
  // One live frame's camera work: the tick's controls, then the shot.
  void Frame(FrameKind kind = FrameKind::Normal) {
    game::SteerFreeCamera(camera.Free, os.Input);
    game::FreeCamera(camera, kind, *aircraft, device);
  }
};

TEST_F(CameraTest, ModesPlaceEyeAndTarget) {
  Frame();  // mode 2, the pilot's seat
  EXPECT_FLOAT_EQ(camera.Eye.X, 50 + 0.8f * std::cos(0.1f));
  EXPECT_FLOAT_EQ(camera.LookAt.Y, 8 + 2 * std::sin(0.1f));
  os.Input.Press(Key::Digit1);
  Frame();
  EXPECT_EQ(camera.Free.Mode, game::CameraMode::Behind);
  EXPECT_EQ(camera.Eye, (platform::Vec3{40, 11, 0}));
  os.Input.Press(Key::Digit4);  // the highest digit held wins
  Frame();
  EXPECT_EQ(camera.Free.Mode, game::CameraMode::Telephoto);
  EXPECT_EQ(camera.Eye, (platform::Vec3{65, 8, 196.5f}));
  EXPECT_EQ(camera.Projection.FovY, game::kTeleFov);
  os.Input.Release(Key::Digit4);
  os.Input.Release(Key::Digit1);
  os.Input.Press(Key::Digit0);
  Frame();
  EXPECT_EQ(camera.Projection.FovY, game::kWideFov);  // leaving mode 4 restores the wide lens
  EXPECT_EQ(camera.Eye, (platform::Vec3{-20, 23, 0}));
  EXPECT_EQ(camera.LookAt, (platform::Vec3{200, 2, 0}));
}

TEST_F(CameraTest, AdjustmentKeysOnlyInOverviewOrbitAndTelephoto) {
  camera.Free.Mode = game::CameraMode::Behind;
  os.Input.Press(Key::A);
  os.Input.Press(Key::Up);
  Frame();
  EXPECT_EQ(camera.Free.Distance, 10);
  camera.Free.Mode = game::CameraMode::Orbit;
  for (int i = 0; i < 30; ++i) Frame();
  EXPECT_EQ(camera.Free.Distance, 25);
  EXPECT_EQ(camera.Free.TargetHeight, -15);
  os.Input.Release(Key::A);
  os.Input.Press(Key::Z);
  for (int i = 0; i < 60; ++i) Frame();
  EXPECT_EQ(camera.Free.Distance, -5);  // negative: the orbit swaps sides
  EXPECT_FLOAT_EQ(camera.Eye.X, 50 - 5 * std::cos(0.5f));
}

TEST_F(CameraTest, FlyByFrameKeepsTheCameraAndTheLens) {
  camera.Eye = {1, 2, 3};
  device.Calls.clear();
  Frame(FrameKind::FlyByFrame);
  EXPECT_EQ(camera.Eye, (platform::Vec3{1, 2, 3}));
  EXPECT_TRUE(device.Calls.empty());
}

TEST(FlyBy, PathAtItsSegmentBoundaries) {
  Camera c;
  game::FlyByCamera(c, 0);
  EXPECT_EQ(c.Eye, (platform::Vec3{-185, 5, 0}));
  EXPECT_EQ(c.LookAt, (platform::Vec3{-10, 11, 0}));
  game::FlyByCamera(c, 249);
  EXPECT_FLOAT_EQ(c.Eye.X, -60.5f);
  game::FlyByCamera(c, 250);
  EXPECT_FLOAT_EQ(c.Eye.X, -60);
  game::FlyByCamera(c, 349);
  EXPECT_FLOAT_EQ(c.Eye.X, -27);
  EXPECT_FLOAT_EQ(c.Eye.Y, 21.5f);
  game::FlyByCamera(c, 350);
  EXPECT_FLOAT_EQ(c.Eye.X, -26);
  EXPECT_FLOAT_EQ(c.Eye.Y, 21.6f);
  game::FlyByCamera(c, 749);
  EXPECT_NEAR(c.Eye.X, -28.6, 0.5);  // the last segment starts about where this one ends
  EXPECT_NEAR(c.Eye.Z, -18.3, 0.5);
  game::FlyByCamera(c, 750);
  EXPECT_EQ(c.Eye, (platform::Vec3{-28.64f, 1.6f, -18.3f}));
  game::FlyByCamera(c, 999);
  EXPECT_FLOAT_EQ(c.Eye.Z, -18.3f - 0.25f * 249);
}

TEST_F(CameraTest, ReplayVariantsFollowTheirRules) {
  os.Random.Values = {0};  // variant 0 after the reset
  game::ResetReplayCamera(camera, device);
  EXPECT_EQ(camera.Replay.Variant, game::ReplayVariant::Telephoto);
  os.Random.Values = {5};  // span 35
  aircraft->DisplayX = 0;
  game::ReplayCamera(camera, *aircraft, device);
  EXPECT_EQ(camera.Eye, (platform::Vec3{70, 5, 196.5f}));
  EXPECT_EQ(camera.Projection.FovY, game::kTeleFov);
  EXPECT_EQ(camera.Replay.Span, 35);
  aircraft->DisplayX = 36;
  os.Random.Values = {0};  // next variant 1 + 0 % 4 = 1
  game::ReplayCamera(camera, *aircraft, device);
  EXPECT_EQ(camera.Replay.Variant, game::ReplayVariant::Chase);
  EXPECT_EQ(camera.Replay.Tick, 0);

  // Chase: span 50 + 3; offset magnitudes 12, 5, 27 with signs +, -, +.
  os.Random.Values = {3, 25, 1, 35, 2, 79, 1};
  aircraft->DisplayHeight = 1;
  game::ReplayCamera(camera, *aircraft, device);
  EXPECT_EQ(camera.Replay.Span, 53);
  EXPECT_EQ(camera.Replay.Offset, (platform::Vec3{12, -5, 27}));
  EXPECT_EQ(camera.Eye.Y, 0.4f);  // never below 0.4 m
  EXPECT_EQ(camera.Projection.FovY, game::kWideFov);

  aircraft->DisplayX = 36 + 54;
  os.Random.Values = {0};  // 1 would follow itself: it becomes 2
  game::ReplayCamera(camera, *aircraft, device);
  EXPECT_EQ(camera.Replay.Variant, game::ReplayVariant::FixedPoint);
}

TEST_F(CameraTest, DriftingChaseMovesEveryFrame) {
  camera.Replay.Variant = game::ReplayVariant::DriftingChase;
  // span, offset (3 magnitudes with signs), drift (3 signs with sizes)
  os.Random.Values = {0, 0, 1, 0, 1, 0, 1, 1, 10, 0, 5, 1, 0};
  aircraft->DisplayX = 0;
  aircraft->DisplayHeight = 10;
  game::ReplayCamera(camera, *aircraft, device);
  EXPECT_FLOAT_EQ(camera.Replay.Drift.X, 0.1f);
  EXPECT_FLOAT_EQ(camera.Replay.Drift.Y, -0.05f);
  const float x1 = camera.Eye.X;
  game::ReplayCamera(camera, *aircraft, device);
  EXPECT_NEAR(camera.Eye.X - x1, 0.1f, 1e-5);
}

}  // namespace
