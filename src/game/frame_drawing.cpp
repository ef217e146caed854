#include "game/frame_drawing.h"

#include <cstdio>

#include "game/init.h"
#include "game/ranking_list.h"
#include "platform/services.h"
#include "platform/text/language.h"
#include "platform/text/text_fields.h"

namespace game {
namespace {

using platform::RenderState;

constexpr uint32_t kBackground = 0xFF141E64;  // dark blue behind everything
constexpr float kFarDepth = 1.0f;

// "風速%1.1fm/s"
constexpr const char* kWindFormat = N_("\x95\x97\x91\xac%1.1fm/s");

std::string FpsLine(const Game& g) {
  char text[32];
  std::snprintf(text, sizeof text, "fps%d/50", static_cast<int8_t>(g.Pacer.FpsShown));
  return text;
}

std::string WindLine(const Game& g) {
  char text[64];
  std::snprintf(text, sizeof text, platform::Translated(kWindFormat).c_str(), g.Aircraft ? g.Aircraft->WindSpeed : 0.0);
  return text;
}

void DrawDistance(Game& g) {
  if (g.Aircraft) g.Result.Draw(*g.Device, platform::TwoDecimalText(g.Aircraft->DisplayX));
}

// The status line is the last thing drawn, over everything, while it is due.
void EndFrame(Game& g) {
  platform::GraphicsDevice& device = *g.Device;
  if (g.Status.Active) DrawStatus(g.Status, platform::Os().clock->NowMs());
  device.EndScene();
  device.Present();
}

}  // namespace

// The scenery with its states, the sky, water and the scenery sets with blending,
// the inn under the sun, and the aircraft.
void DrawWorld(Game& g, const ScenePartDrawn& partDrawn) {
  auto drawn = [&partDrawn](const char* part) {
    if (partDrawn) partDrawn(part);
  };
  platform::GraphicsDevice& device = *g.Device;
  device.Clear(kBackground, kFarDepth);
  device.BeginScene();
  drawn("clear");
  device.SetRenderState(RenderState::SrcBlend, platform::Blend::SrcAlpha);
  device.SetRenderState(RenderState::DestBlend, platform::Blend::InvSrcAlpha);
  device.SetRenderState(RenderState::AlphaBlendEnable, 0);
  DrawHome(g.World, device);  // lit as the previous frame left it: on
  drawn("home");
  device.SetRenderState(RenderState::Lighting, 0);
  DrawLand(g.World, device);
  drawn("land");
  DrawSky(g.World, device);
  drawn("sky");
  device.SetRenderState(RenderState::AlphaBlendEnable, 1);
  DrawMountains(g.World, device);
  drawn("mountains");
  DrawTrees(g.World, device);
  drawn("trees");
  DrawWater(g.World, g.View, device);
  drawn("water");
  DrawPoles(g.World, device);  // with the colour operation the water left
  drawn("poles");
  device.SetRenderState(RenderState::Lighting, 1);
  device.SetLight(0, g.SceneLight);
  device.LightEnable(0, true);
  DrawRyokan(g.World, device);
  drawn("ryokan");
  if (g.Aircraft) DrawAircraft(*g.Aircraft, device);
  drawn("aircraft");
}

void DrawScene(Game& g, FrameKind kind) { DrawScene(g, LiveFrame{kind, g.State}); }

void DrawScene(Game& g, const LiveFrame& frame) {
  platform::GraphicsDevice& device = *g.Device;
  const FrameKind kind = frame.Kind;
  FreeCamera(g.View, kind, *g.Aircraft, device);
  ApplyView(g.View, device);
  DrawWorld(g);
  FeaturesDrawInScene(g, frame);

  if (g.TailPoint) g.TailPoint->SetPosition(GaugeX(g), GaugeY(g, g.Aircraft->TailSetting));
  if (g.TailGraph) g.TailGraph->Draw(device);
  if (g.TailPoint) g.TailPoint->Draw(device);
  g.FpsText.Draw(FpsLine(g));
  g.WindText.Draw(WindLine(g));
  if (kind == FrameKind::ResultFrame) DrawDistance(g);
  if (kind == FrameKind::FlyByFrame) DrawRankingList(g, ListHighlight::NoLine());
  FeaturesDrawOverHud(g, frame);
  EndFrame(g);
}

void DrawReplayScene(Game& g, ListHighlight highlight) {
  platform::GraphicsDevice& device = *g.Device;
  ReplayCamera(g.View, *g.Aircraft, device);
  ApplyView(g.View, device);
  DrawWorld(g);
  DrawDistance(g);
  DrawRankingList(g, highlight);
  g.FpsText.Draw(FpsLine(g));
  FeaturesDrawOverReplay(g);
  EndFrame(g);
}

void DrawFrame(Game& g, const FramePlan& plan) {
  switch (plan.What) {
    case FramePlan::Kind::Live: DrawScene(g, plan.Live); break;
    case FramePlan::Kind::Replay:
      if (plan.WideLensFirst) ApplyProjection(g.View, *g.Device);
      DrawReplayScene(g, plan.Highlight);
      break;
    case FramePlan::Kind::None: break;
  }
}

}  // namespace game
