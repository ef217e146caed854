#include "world/scenery.h"
#include "platform/text/language.h"

#include <array>

namespace world {
namespace {

using platform::Matrix4;
using platform::Multiply;
using platform::RotationY;
using platform::Translation;

constexpr uint32_t kPoleColour = 0xFFC8B4B4;
constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kPoleKey = 0xFFFFFFFF;  // white is transparent
constexpr uint32_t kTreeKey = 0xFF779944;
constexpr uint32_t kMountainKey = 0xFF6699FF;

// "ポールのテクスチャ作成に失敗しました", "樹木の…", "山の…"
constexpr const char* kPoleTextureFailed = N_(
    "\x83\x7c\x81\x5b\x83\x8b\x82\xcc\x83\x65\x83\x4e\x83\x58\x83\x60\x83\x83\x8d\xec\x90\xac\x82\xc9\x8e\xb8\x94\x73"
    "\x82\xb5\x82\xdc\x82\xb5\x82\xbd");
constexpr const char* kTreeTextureFailed = N_(
    "\x8e\xf7\x96\xd8\x82\xcc\x83\x65\x83\x4e\x83\x58\x83\x60\x83\x83\x8d\xec\x90\xac\x82\xc9\x8e\xb8\x94\x73\x82\xb5"
    "\x82\xdc\x82\xb5\x82\xbd");
constexpr const char* kMountainTextureFailed = N_(
    "\x8e\x52\x82\xcc\x83\x65\x83\x4e\x83\x58\x83\x60\x83\x83\x8d\xec\x90\xac\x82\xc9\x8e\xb8\x94\x73\x82\xb5\x82\xdc"
    "\x82\xb5\x82\xbd");

// Ramp profile: from ground level 180 m behind the edge up to the platform.
const std::array<SceneVertex, 5> kRamp = {
    UpVertex(-160, 1.6f, 0, kPoleColour, 0, 4.872f), UpVertex(-160, 0, 0, kPoleColour, 0, 5.8f),
    UpVertex(-40, 1.6f, 0, kPoleColour, 88.6f, 4.872f), UpVertex(0, 0, 0, kPoleColour, 118, 5.8f),
    UpVertex(0, 10.5f, 0, kPoleColour, 118, 0)};
const std::array<SceneVertex, 5> kRampBack = {kRamp[4], kRamp[3], kRamp[2], kRamp[1], kRamp[0]};

// Long panels of the pole box, and the same panel seen from its other face.
const std::array<SceneVertex, 4> kLongPanel = {
    UpVertex(-17.6f, 10, 0, kPoleColour, 0, 0), UpVertex(-17.6f, 0, 0, kPoleColour, 0, 5.8f),
    UpVertex(0, 10, 0, kPoleColour, 13, 0), UpVertex(0, 0, 0, kPoleColour, 13, 5.8f)};
const std::array<SceneVertex, 4> kLongPanelBack = {kLongPanel[0], kLongPanel[2], kLongPanel[1], kLongPanel[3]};

const std::array<SceneVertex, 4> kCrossPanel = {
    UpVertex(0, 10, 5.04f, kPoleColour, 0.9f, 0), UpVertex(0, 0, 5.04f, kPoleColour, 0.9f, 5.8f),
    UpVertex(0, 10, -6.3f, kPoleColour, 11, 0), UpVertex(0, 0, -6.3f, kPoleColour, 11, 5.8f)};

template <size_t N>
void DrawStripAt(platform::GraphicsDevice& device, const std::array<SceneVertex, N>& vertices, const Matrix4& world) {
  device.SetTransform(platform::TransformKind::World, world);
  device.DrawPrimitiveUp(platform::Primitive::TriangleStrip, static_cast<int>(N) - 2, vertices.data(),
                         kSceneVertexStride);
}

void BeginSceneryDraw(platform::GraphicsDevice& device, platform::Texture* texture) {
  device.SetTexture(0, texture);
  device.SetFvf(platform::Fvf::SceneVertex);
}

// A vertical strip of trees with its picture repeated along it.
std::array<SceneVertex, 4> TreeStrip(float zFrom, float zTo, float repeats) {
  constexpr float kTreeHeight = 11;  // m
  return {UpVertex(0, kTreeHeight, zFrom, kWhite, 0, 0), UpVertex(0, 0, zFrom, kWhite, 0, 1),
          UpVertex(0, kTreeHeight, zTo, kWhite, repeats, 0), UpVertex(0, 0, zTo, kWhite, repeats, 1)};
}

// A mountain slope: the top edge first at each end, lighter at the top.
std::array<SceneVertex, 4> Slope(float topX, float topY, float zFrom, float zTo, uint32_t top, uint32_t bottom) {
  constexpr float kTopV = 0.15f;
  return {UpVertex(topX, topY, zFrom, top, 0, kTopV), UpVertex(0, 0, zFrom, bottom, 0, 1),
          UpVertex(topX, topY, zTo, top, 1, kTopV), UpVertex(0, 0, zTo, bottom, 1, 1)};
}

}  // namespace

void Scenery::LoadPoleTexture(platform::GraphicsDevice& device) {
  PoleTexture = LoadSceneTexture(device, "image\\pole.bmp", kPoleKey, kPoleTextureFailed);
}

void Scenery::LoadTreeTexture(platform::GraphicsDevice& device) {
  TreeTexture = LoadSceneTexture(device, "image\\tree.bmp", kTreeKey, kTreeTextureFailed);
}

void Scenery::LoadMountainTexture(platform::GraphicsDevice& device) {
  MountainTexture = LoadSceneTexture(device, "image\\mount2.bmp", kMountainKey, kMountainTextureFailed);
}

void Scenery::DrawPoles(platform::GraphicsDevice& device) {
  BeginSceneryDraw(device, PoleTexture.get());
  constexpr float kRampX = -20, kRampSpacing = 1.1f;
  for (int k = -2; k <= 1; ++k) DrawStripAt(device, kRamp, Translation(kRampX, 0, kRampSpacing * k));
  for (int k = -2; k <= 1; ++k) DrawStripAt(device, kRampBack, Translation(kRampX, 0, -kRampSpacing * k));
  constexpr float kPanelX = -3, kPanelSpacing = 1.13f;
  for (int k = -5; k <= 5; ++k) DrawStripAt(device, kLongPanel, Translation(kPanelX, 0, kPanelSpacing * k));
  for (int k = -5; k <= 5; ++k) DrawStripAt(device, kLongPanelBack, Translation(kPanelX, 0, -kPanelSpacing * k));
  constexpr float kCrossSpacing = 1.15f, kCrossZ = 0.63f;
  for (int k = 13; k >= 0; --k) DrawStripAt(device, kCrossPanel, Translation(-kCrossSpacing * k - 3, 0, kCrossZ));
}

void Scenery::DrawTrees(platform::GraphicsDevice& device) {
  device.SetTexture(0, TreeTexture.get());
  device.SetStageState(0, platform::StageState::ColorOp, platform::TextureOp::Modulate);
  device.SetFvf(platform::Fvf::SceneVertex);
  DrawStripAt(device, TreeStrip(190, -1200, 30), Multiply(RotationY(0.26175f), Translation(-195, 5, 0)));
  DrawStripAt(device, TreeStrip(0, -250, 5), Multiply(Translation(-250, 1, 80), RotationY(1.83225f)));
}

void Scenery::DrawMountains(platform::GraphicsDevice& device) {
  device.SetTexture(0, MountainTexture.get());
  device.SetStageState(0, platform::StageState::ColorOp, platform::TextureOp::Add);
  device.SetFvf(platform::Fvf::SceneVertex);
  DrawStripAt(device, Slope(-6000, 350, 0, -6000, 0xFF325A96, 0xFF141E64),
              Multiply(Translation(-2000, 0, 0), RotationY(-0.5235f)));
  DrawStripAt(device, Slope(-400, 150, 2000, -2000, 0xFF0A2850, 0xFF050A28),
              Multiply(RotationY(0.349f), Translation(-700, 0, 0)));
  DrawStripAt(device, Slope(-300, 100, 400, -300, 0xFF000A1E, 0xFF00000A),
              Multiply(Translation(-350, 0, 0), RotationY(1.396f)));
}

}  // namespace world
