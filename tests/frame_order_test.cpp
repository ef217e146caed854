// The order in which a live frame and a replayed frame are drawn.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "fakes/game_fixture.h"
#include "game/frame_drawing.h"
#include "game/game.h"
#include "fakes/recording_device.h"
#include "platform/text/shift_jis.h"

namespace {

struct FrameOrder : fakes::GameFixture {
  void SetUp() override {
    GameFixture::SetUp();
    game::IdleTick(g);  // Init
    device.Calls.clear();
  }

  // Position of the first call with this text at or after `from`; fails when absent.
  size_t Find(const std::string& call, size_t from = 0) {
    for (size_t i = from; i < device.Calls.size(); ++i) {
      if (device.Calls[i].rfind(call, 0) == 0) return i;
    }
    ADD_FAILURE() << "no call " << call << " after " << from;
    return device.Calls.size();
  }
};

TEST_F(FrameOrder, LiveFrameDrawsSceneThenGaugeThenText) {
  game::DrawScene(g, game::FrameKind::ResultFrame);
  size_t at = Find("SetTransform View");
  at = Find("Clear FF141E64 1", at);
  at = Find("BeginScene", at);
  at = Find("SetRenderState SrcBlend 5", at);
  at = Find("SetRenderState DestBlend 6", at);
  at = Find("SetRenderState AlphaBlendEnable 0", at);
  at = Find("SetRenderState Lighting 0", at);
  at = Find("SetTexture 0 image\\cloud2.bmp", at);  // the sky
  at = Find("SetRenderState AlphaBlendEnable 1", at);
  at = Find("SetTexture 0 image\\mount2.bmp", at);  // mountains, trees, water, poles
  at = Find("SetTexture 0 image\\tree.bmp", at);
  at = Find("SetTexture 0 image\\wave", at);
  at = Find("SetTexture 0 image\\pole.bmp", at);
  at = Find("SetRenderState Lighting 1", at);
  at = Find("SetLight 0", at);
  at = Find("LightEnable 0 1", at);
  at = Find("SetTexture 0 image\\tailgraph.bmp", at);
  at = Find("SetTexture 0 image\\tailpoint.bmp", at);
  at = Find("DrawText 0,0,200,16 FFFFFFFF fps", at);
  at = Find("DrawText 844,0,1024,32 FFFFFFFF " + platform::Utf8ToShiftJis("風速0.5m/s"), at);
  at = Find("SetTexture 0 image\\resultnum", at);  // the distance
  at = Find("EndScene", at);
  Find("Present", at);
}

TEST_F(FrameOrder, FlyByFrameShowsTheRankingListAndKeepsTheLens) {
  game::DrawScene(g, game::FrameKind::FlyByFrame);
  EXPECT_TRUE(device.CallsStartingWith("SetTransform Projection").empty());
  const auto lines = device.CallsStartingWith("DrawText 10,");
  ASSERT_EQ(lines.size(), 10u);
  EXPECT_EQ(lines[0].substr(0, 35), "DrawText 10,32,522,64 FFFFFFFF \x82\xd0\x82\xce");  // ひば(り) in white
  EXPECT_EQ(lines[9].substr(0, 22), "DrawText 10,320,522,35");
}

TEST_F(FrameOrder, ReplayFrameShowsDistanceListAndFpsOnly) {
  g.Ranking->NewEntryIndex = 3;
  game::DrawReplayScene(g, game::ListHighlight::NewEntry());
  EXPECT_TRUE(device.CallsStartingWith("SetTexture 0 image\\tailgraph").empty());
  EXPECT_EQ(device.CallsStartingWith("DrawText 844").size(), 0u);  // no wind line
  size_t at = Find("SetTexture 0 image\\resultnum");
  at = Find("DrawText 10,32,", at);
  at = Find("DrawText 10,128,522,160 FFFF6400", at);  // the new entry in orange
  at = Find("DrawText 0,0,200,16 FFFFFFFF fps", at);
  Find("Present", at);
}

// Writes a mark into the device's call list at every input read and every pacing
// sleep, so that one list shows a whole tick's order.
struct MarkingInput : platform::Input {
  platform::Input& Inner;
  std::vector<std::string>& Log;
  MarkingInput(platform::Input& inner, std::vector<std::string>& log) : Inner(inner), Log(log) {}
  bool IsDown(platform::Key key) override { return Mark(Inner.IsDown(key)); }
  platform::CursorPos Cursor() override { return Mark(Inner.Cursor()); }
  bool IsPadDown(platform::PadButton button) override { return Mark(Inner.IsPadDown(button)); }
  double PadStickY() override { return Mark(Inner.PadStickY()); }
  template <typename T> T Mark(T value) {
    Log.push_back("<input>");
    return value;
  }
};

struct MarkingClock : platform::Clock {
  platform::Clock& Inner;
  std::vector<std::string>& Log;
  MarkingClock(platform::Clock& inner, std::vector<std::string>& log) : Inner(inner), Log(log) {}
  uint32_t NowMs() override { return Inner.NowMs(); }
  void Sleep1Ms() override {
    Log.push_back("<sleep>");
    Inner.Sleep1Ms();
  }
};

// Through the start, a launch, the flight, the result, the registration, the replay,
// the restart, the idle demo and Space out of it: every tick reads its input first and
// nowhere else, and a tick that draws presents its frame before it waits for its slot.
TEST_F(FrameOrder, EveryStateReadsInputFirstThenDrawsThenPaces) {
  WriteQuickDesign();
  game::RestartGame(g);

  MarkingInput input(os.Input, device.Calls);
  MarkingClock clock(os.Clock, device.Calls);
  platform::ScopedServices marked({&clock, &input, &os.Dialogs, &os.Random, &os.Menu, &os.Processes});
  std::set<game::GameState> seen;
  auto checkTick = [&] {
    const std::vector<std::string>& calls = device.Calls;
    const auto firstOther = std::find_if(calls.begin(), calls.end(), [](const std::string& c) { return c != "<input>"; });
    EXPECT_EQ(std::find(firstOther, calls.end(), "<input>"), calls.end()) << "input read after the tick began its work";
    const auto present = std::find(calls.rbegin(), calls.rend(), "Present");
    const auto firstSleep = std::find(calls.begin(), calls.end(), "<sleep>");
    if (present == calls.rend()) return;
    EXPECT_LT(calls.rend() - present - 1, firstSleep - calls.begin()) << "paced before the frame was shown";
    EXPECT_TRUE(std::all_of(firstSleep, calls.end(), [](const std::string& c) { return c == "<sleep>"; }))
        << "drew after pacing";
  };
  auto run = [&](int ticks, auto&& until) {
    for (int i = 0; i < ticks && !until(); ++i) {
      device.Calls.clear();
      seen.insert(g.State);
      game::IdleTick(g);
      checkTick();
    }
  };
  os.Input.Press(platform::Key::Space);
  run(5, [] { return false; });
  os.Input.Release(platform::Key::Space);
  run(2000, [&] { return g.State == game::Ready; });
  run(2000, [&] { return g.State == game::Demo && g.Phase == game::FlyBy; });
  os.Input.Press(platform::Key::Space);
  run(3, [] { return false; });
  os.Input.Release(platform::Key::Space);
  run(3, [] { return false; });
  for (game::GameState s : {game::Ready, game::Launch, game::Flight, game::Landed, game::Replay, game::Restart,
                            game::Demo}) {
    EXPECT_TRUE(seen.count(s)) << "state " << int(s) << " never ran";
  }
}

}  // namespace
