#include "game/frame_drawing.h"

#include <algorithm>
#include <cstdio>

#include "game/ghost_game.h"
#include "game/init.h"
#include "game/ranking_list.h"
#include "platform/services.h"
#include "platform/text_fields.h"

namespace game {
namespace {

using platform::RenderState;

constexpr uint32_t kBackground = 0xFF141E64;  // dark blue behind everything
constexpr float kFarDepth = 1.0f;
constexpr int8_t kNoHighlight = 100;

// "風速%1.1fm/s"
constexpr const char* kWindFormat = "\x95\x97\x91\xac%1.1fm/s";

std::string FpsLine(const Game& g) {
  char text[32];
  std::snprintf(text, sizeof text, "fps%d/50", static_cast<int8_t>(g.Pacer.FpsShown));
  return text;
}

std::string WindLine(const Game& g) {
  char text[64];
  std::snprintf(text, sizeof text, kWindFormat, g.Aircraft ? g.Aircraft->WindSpeed : 0.0);
  return text;
}

void DrawDistance(Game& g) {
  if (g.Aircraft) g.Result.Draw(*g.Device, platform::TwoDecimalText(g.Aircraft->DisplayX));
}

// Beside the result digits (six cells of 100 x 200 px from the top left), level with
// their middle, up to the window's right edge.
constexpr int16_t kCoachLeft = 610, kCoachTop = 84, kCoachWidth = 420;  // px
constexpr int16_t kCoachFontHeight = 32;                                // px

void DrawCoachLine(Game& g) {
  if (!g.Aircraft) return;
  if (!g.CoachText.Font) {
    const int width = std::clamp(g.WindowWidth - kCoachLeft, 0, static_cast<int>(kCoachWidth));
    g.CoachText.Create(*g.Device, kCoachFontHeight, kCoachLeft, kCoachTop, static_cast<int16_t>(width),
                       kCoachFontHeight);
  }
  g.CoachText.Draw(CoachLineText(g.Coach.Ready(), g.Coach.Best(), g.Aircraft->DisplayX));
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

void DrawScene(Game& g, FrameKind kind) {
  platform::GraphicsDevice& device = *g.Device;
  FreeCamera(g.View, kind, *g.Aircraft, device);
  ApplyView(g.View, device);
  DrawWorld(g);
  DrawGhostInScene(g);

  if (g.TailPoint) g.TailPoint->SetPosition(GaugeX(g), GaugeY(g, g.Aircraft->TailSetting));
  if (g.TailGraph) g.TailGraph->Draw(device);
  if (g.TailPoint) g.TailPoint->Draw(device);
  g.FpsText.Draw(FpsLine(g));
  g.WindText.Draw(WindLine(g));
  if (kind == FrameKind::ResultFrame) DrawDistance(g);
  if (kind == FrameKind::ResultFrame && g.ShowCoach) DrawCoachLine(g);
  if (kind == FrameKind::FlyByFrame) DrawRankingList(g, kNoHighlight);
  DrawGhostLineInHud(g);
  EndFrame(g);
}

void DrawReplayScene(Game& g, int8_t highlight) {
  platform::GraphicsDevice& device = *g.Device;
  ReplayCamera(g.View, *g.Aircraft, device);
  ApplyView(g.View, device);
  DrawWorld(g);
  DrawDistance(g);
  DrawRankingList(g, highlight);
  g.FpsText.Draw(FpsLine(g));
  EndFrame(g);
}

}  // namespace game
