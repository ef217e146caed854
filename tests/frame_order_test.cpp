// The order in which a live frame and a replayed frame are drawn.
#include <gtest/gtest.h>

#include "fakes/game_fixture.h"
#include "game/frame_drawing.h"
#include "game/game.h"
#include "platform/recording_device.h"
#include "platform/shift_jis.h"

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
  game::DrawReplayScene(g, -1);
  EXPECT_TRUE(device.CallsStartingWith("SetTexture 0 image\\tailgraph").empty());
  EXPECT_EQ(device.CallsStartingWith("DrawText 844").size(), 0u);  // no wind line
  size_t at = Find("SetTexture 0 image\\resultnum");
  at = Find("DrawText 10,32,", at);
  at = Find("DrawText 10,128,522,160 FFFF6400", at);  // the new entry in orange
  at = Find("DrawText 0,0,200,16 FFFFFFFF fps", at);
  Find("Present", at);
}

}  // namespace
