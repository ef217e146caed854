#include "game/scene.h"

#include "aircraft/aircraft_model.h"
#include "game/init.h"

namespace game {
namespace {

constexpr float kFarWaterSize = 9000;  // m, the far surface reaches the horizon
constexpr float kWaterHalfSize = 500;  // m, the grid near the launch site
constexpr float kSkyRadius = 9000;     // m
constexpr int16_t kFirstWavePicture = 2;
constexpr int16_t kWavePictures = 5;
const char* const kWavePictureFiles[kWavePictures] = {"image\\wave.bmp", "image\\wave1.bmp", "image\\wave2.bmp",
                                                      "image\\wave3.bmp", "image\\wave4.bmp"};

void LoadScenery(aircraft::Frame& frame, platform::GraphicsDevice& device, const char* file, platform::Vec3 offset) {
  aircraft::LoadFrameMesh(frame, device, file);
  frame.Offset = offset;
}

}  // namespace

void CreateScene(Scene& s, platform::GraphicsDevice& device) {
  LoadScenery(s.Home, device, "pol\\home.x", {0, 10, 0});
  LoadScenery(s.Land, device, "pol\\land.x", {-154, 0, 0});
  LoadScenery(s.Ryokan, device, "pol\\ryokan.x", {-350, 0, -800});
  s.Sets.LoadPoleTexture(device);
  s.Sets.LoadTreeTexture(device);
  s.Sets.LoadMountainTexture(device);
  s.Water = std::make_unique<world::CWaveField>(device, kFarWaterSize, kWaterHalfSize);
  for (int i = 0; i < kWavePictures; ++i) s.Water->LoadWaveTexture(device, i, kWavePictureFiles[i]);
  s.Water->CurrentTex = kFirstWavePicture;
  s.Water->MaxTex = kWavePictures;
  s.Sky = std::make_unique<world::SkyDome>(device, kSkyRadius);
  s.Sky->LoadSkyTexture(device);
}

void DrawHome(Scene& s, platform::GraphicsDevice& device) { aircraft::DrawFrame(s.Home, platform::Identity(), device); }
void DrawLand(Scene& s, platform::GraphicsDevice& device) { aircraft::DrawFrame(s.Land, platform::Identity(), device); }
void DrawRyokan(Scene& s, platform::GraphicsDevice& device) {
  aircraft::DrawFrame(s.Ryokan, platform::Identity(), device);
}

void DrawSky(Scene& s, platform::GraphicsDevice& device) {
  if (s.Sky) s.Sky->DrawSky(device);
}

void DrawMountains(Scene& s, platform::GraphicsDevice& device) { s.Sets.DrawMountains(device); }
void DrawTrees(Scene& s, platform::GraphicsDevice& device) { s.Sets.DrawTrees(device); }
void DrawPoles(Scene& s, platform::GraphicsDevice& device) { s.Sets.DrawPoles(device); }

void DrawWater(Scene& s, const Camera& camera, platform::GraphicsDevice& device) {
  if (s.Water) s.Water->DrawWaveField(device, camera.Eye, camera.LookAt);
}

void DrawAircraft(const flight::Aircraft& aircraft, platform::GraphicsDevice& device) {
  aircraft::DrawAircraftModel(aircraft, device);
}

void ReleaseWater(Scene& s) { s.Water.reset(); }

void ReleaseSky(Scene& s) {
  if (s.Sky) s.Sky->Release();
}

}  // namespace game
