#include "game/init.h"

#include "game/hud_layout.h"
#include "ranking/ranking_files.h"

namespace game {
namespace {

using namespace hud;

platform::Light MakeSceneLight() {
  platform::Light light;
  light.Direction = {-0.5f, -1.0f, 1.0f};
  light.Diffuse = {0.9f, 0.9f, 0.9f, 0};
  light.Ambient = {0.3f, 0.3f, 0.4f, 0};
  return light;
}

std::unique_ptr<ScreenQuad> MakeGauge(Game& g, const char* picture) {
  auto quad = std::make_unique<ScreenQuad>();
  quad->SetTexture(*g.Device, picture);
  quad->SetSize(kGaugeWidth, kGaugeHeight);
  quad->SetPosition(GaugeX(g), GaugeY(g, 0));
  return quad;
}

}  // namespace

int16_t GaugeX(const Game& g) { return static_cast<int16_t>(static_cast<int>(g.WindowWidth * kGaugeXFraction)); }

int16_t GaugeY(const Game& g, double tailSettingDeg) {
  return static_cast<int16_t>(
      static_cast<int>(tailSettingDeg * kGaugePixelsPerDegree + g.WindowHeight * kGaugeYFraction));
}

void CreateLongLivedObjects(Game& g) {
  platform::GraphicsDevice& device = *g.Device;
  CreateScene(g.World, device);
  g.Ranking = ranking::LoadRanking();
  if (g.Ranking->TableRead) g.ListFont = device.CreateFont({kListFontHeight, true});
  g.FpsText.Create(device, kFpsLine.FontHeight, kFpsLine.Left, kFpsLine.Top, kFpsLine.MaxWidth, kFpsLine.FontHeight);
  g.WindText.Create(device, kWindFontHeight, static_cast<int16_t>(g.WindowWidth - kWindWidth), 0, kWindWidth,
                    kWindFontHeight);
  g.SceneLight = MakeSceneLight();
  g.View.Projection = MakeLens(g.ClientWidth, g.ClientHeight);
  ApplyProjection(g.View, device);
  g.TailGraph = MakeGauge(g, "image\\tailgraph.bmp");
  g.TailPoint = MakeGauge(g, "image\\tailpoint.bmp");
  g.Result.LoadTextures(device);
  g.Result.Place(0, 0, kLargeCellWidth, kLargeCellHeight);
  g.Result.DigitCount = kResultDigits;
}

}  // namespace game
