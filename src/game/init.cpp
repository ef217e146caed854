#include "game/init.h"

#include "ranking/ranking_files.h"

namespace game {
namespace {

constexpr int16_t kFpsFontHeight = 16, kFpsWidth = 200;
constexpr int16_t kWindFontHeight = 32, kWindWidth = 180;
constexpr int16_t kGaugeWidth = 32, kGaugeHeight = 256;  // px
constexpr double kGaugeXFraction = 0.89;                 // of the window width
constexpr double kGaugeYFraction = 0.42;                 // of the window height
constexpr double kGaugePixelsPerDegree = 20.0;           // the marker moves down as the tail rises
constexpr int8_t kResultDigits = 6;
constexpr int kListFontHeight = 24;  // px, fixed pitch so the distances line up
constexpr int16_t kResultCellWidth = 100, kResultCellHeight = 200;

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
  g.FpsText.Create(device, kFpsFontHeight, 0, 0, kFpsWidth, kFpsFontHeight);
  g.WindText.Create(device, kWindFontHeight, static_cast<int16_t>(g.WindowWidth - kWindWidth), 0, kWindWidth,
                    kWindFontHeight);
  g.SceneLight = MakeSceneLight();
  g.View.Projection = MakeLens(g.ClientWidth, g.ClientHeight);
  ApplyProjection(g.View, device);
  g.TailGraph = MakeGauge(g, "image\\tailgraph.bmp");
  g.TailPoint = MakeGauge(g, "image\\tailpoint.bmp");
  g.Result.LoadTextures(device);
  g.Result.Place(0, 0, kResultCellWidth, kResultCellHeight);
  g.Result.DigitCount = kResultDigits;
}

}  // namespace game
