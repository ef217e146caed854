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

namespace {

// A clock that runs in microseconds, with sleeps that wake a little late: either on
// the next whole millisecond (as the platform's sleep does) or a fixed time after the
// call (a plain 1 ms sleep that overshoots, as Linux's does).
class MicrosecondClock : public platform::Clock {
public:
  enum class Wake { NextMillisecond, OneMillisecondLater };
  explicit MicrosecondClock(Wake wake) : wake_(wake) {}
  uint64_t NowUs = 1000000;
  uint32_t NowMs() override { return static_cast<uint32_t>(NowUs / 1000); }
  void Sleep1Ms() override {
    constexpr uint64_t kWakeLatencyUs = 60, kOvershotSleepUs = 1100;
    NowUs = wake_ == Wake::NextMillisecond ? (NowUs / 1000 + 1) * 1000 + kWakeLatencyUs : NowUs + kOvershotSleepUs;
  }

private:
  Wake wake_;
};

// Mean real interval (ms) of cheap paced ticks.
double MeanTickMs(MicrosecondClock::Wake wake) {
  constexpr int kTicks = 200;
  constexpr uint64_t kWorkUs = 3300;  // a cheap tick's own work
  MicrosecondClock clock(wake);
  game::FramePacer pacer;
  game::PaceFrame(pacer, clock);
  const uint64_t start = clock.NowUs;
  for (int i = 0; i < kTicks; ++i) {
    clock.NowUs += kWorkUs;
    game::PaceFrame(pacer, clock);
  }
  return (clock.NowUs - start) / 1000.0 / kTicks;
}

TEST(FramePacing, SleepsThatWakeOnTheMillisecondGiveTwentyOneMillisecondTicks) {
  EXPECT_NEAR(MeanTickMs(MicrosecondClock::Wake::NextMillisecond), 21.0, 0.001);
  // A sleep that overshoots drifts off the millisecond: the ticks run long.
  EXPECT_GT(MeanTickMs(MicrosecondClock::Wake::OneMillisecondLater), 21.05);
}

}  // namespace
