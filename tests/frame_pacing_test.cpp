#include "game/frame_pacing.h"

#include <gtest/gtest.h>

#include "fakes/fake_platform.h"

namespace {

TEST(FramePacing, WaitsUntilMoreThanTwentyMillisecondsAfterTheLastFrame) {
  fakes::FakeClock clock;
  game::FramePacer pacer;
  clock.Now = 5000;
  game::PaceFrame(pacer, clock);  // first call: last end 0, long past
  EXPECT_EQ(clock.Sleeps, 0);
  EXPECT_EQ(pacer.LastFrameEnd, 5000u);

  clock.Now = 5004;  // the tick's work took 4 ms
  game::PaceFrame(pacer, clock);
  EXPECT_EQ(pacer.LastFrameEnd, 5021u);
  EXPECT_EQ(clock.Sleeps, 17);
}

TEST(FramePacing, SlowTickIsNotWaitedFor) {
  fakes::FakeClock clock;
  game::FramePacer pacer{1000, 1000, 1, 0};
  clock.Now = 1025;
  game::PaceFrame(pacer, clock);
  EXPECT_EQ(clock.Sleeps, 0);
  EXPECT_EQ(pacer.LastFrameEnd, 1025u);
}

TEST(FramePacing, ClockWrapEndsTheWaitAtOnce) {
  fakes::FakeClock clock;
  game::FramePacer pacer{0xFFFFFFF0u, 0xFFFFF000u, 3, 0};
  clock.Now = 2;  // wrapped: last end + 20 wraps to 4 >= 2, but 2 < last end
  game::PaceFrame(pacer, clock);
  EXPECT_EQ(clock.Sleeps, 0);
  EXPECT_EQ(pacer.LastFrameEnd, 2u);
}

TEST(FramePacing, CountsFramesPerSecondWindowAtMostFortyEight) {
  fakes::FakeClock clock;
  game::FramePacer pacer;
  clock.Now = 100000;
  game::PaceFrame(pacer, clock);  // closes the start-up window
  EXPECT_EQ(pacer.FpsShown, 0);
  EXPECT_EQ(pacer.FrameCount, 1);
  for (int i = 0; i < 47; ++i) game::PaceFrame(pacer, clock);
  EXPECT_EQ(pacer.FpsShown, 0);   // the window in progress is never shown
  game::PaceFrame(pacer, clock);  // 48 x 21 ms = 1008 ms: closes the window
  EXPECT_EQ(pacer.FpsShown, 48);
  EXPECT_EQ(pacer.FrameCount, 1);
}

}  // namespace
