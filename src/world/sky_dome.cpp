#include "world/sky_dome.h"

#include <cmath>
#include <cstring>

#include "platform/services.h"
#include "platform/text/language.h"

namespace world {
namespace {

constexpr double kRingStep = 0.314159;        // rad of elevation per ring (pi / 10)
constexpr double kColumnStep = 0.5235983333;  // rad of azimuth per column (pi / 6)
constexpr float kSeamShift = 0.1f;            // m; keeps the two seam columns apart
constexpr float kSeamU0 = 0.0001f, kSeamU12 = 2.99999f;
constexpr float kUPerColumn = 0.25f;  // the picture goes round three times
constexpr float kHorizonV = 0.999999f, kUpperV = 0.00001f;
// "天球のテクスチャ作成に失敗しました"
constexpr const char* kSkyTextureFailed = N_(
    "\x93\x56\x8b\x85\x82\xcc\x83\x65\x83\x4e\x83\x58\x83\x60\x83\x83\x8d\xec\x90\xac\x82\xc9\x8e\xb8\x94\x73\x82\xb5"
    "\x82\xdc\x82\xb5\x82\xbd");

// Colour of ring r (5 is the zenith): bluer and darker upward.
uint32_t RingColour(int r) {
  const uint32_t red = 15 * (6 - r), green = 160 - 30 * r, blue = 255 - 25 * r;
  return 0xFF000000u | red << 16 | green << 8 | blue;
}

}  // namespace

SkyDome::SkyDome(platform::GraphicsDevice& device, float radius) : Radius(radius) {
  Vertex = device.CreateVertexBuffer(sizeof Vertices);
  if (!Vertex) return;
  for (int r = 0; r < kRings; ++r) {
    const double elevation = kRingStep * r;
    const double h = radius * std::cos(elevation);
    for (int m = 0; m < kColumns; ++m) {
      const double azimuth = kColumnStep * m;
      SceneVertex v = UpVertex(
          static_cast<float>(h * std::cos(azimuth)), static_cast<float>(radius * std::sin(elevation)),
          static_cast<float>(-h * std::sin(azimuth)), RingColour(r), kUPerColumn * m, r == 0 ? kHorizonV : kUpperV);
      if (m == 0) {
        v.Z += kSeamShift;
        v.U = kSeamU0;
      }
      if (m == kColumns - 1) {
        v.Z -= kSeamShift;
        v.U = kSeamU12;
      }
      Vertices[kColumns * r + m] = v;
    }
  }
  Vertices[kVertexCount - 1] = UpVertex(0, radius, 0, RingColour(kRings), 0, 0);

  void* memory = Vertex->Lock();
  if (!memory) {
    platform::ShowWarning(kVertexLockFailed);
    return;
  }
  std::memcpy(memory, Vertices.data(), sizeof Vertices);
  Vertex->Unlock();

  int n = 0;
  for (int k = kColumns; k < kRings * kColumns; ++k) {
    Indices[n++] = static_cast<uint16_t>(k - kColumns);
    Indices[n++] = static_cast<uint16_t>(k);
  }
  const uint16_t zenith = kVertexCount - 1;
  for (int m = 0; m < kColumns; ++m) {
    Indices[n++] = static_cast<uint16_t>((kRings - 1) * kColumns + m);
    Indices[n++] = zenith;
  }
  Index = device.CreateIndexBuffer(kIndexCount);
  if (!Index) return;
  void* indexMemory = Index->Lock();
  if (!indexMemory) {
    platform::ShowWarning(kIndexLockFailed);
    return;
  }
  std::memcpy(indexMemory, Indices.data(), sizeof Indices);
  Index->Unlock();
  Ready = true;
}

void SkyDome::LoadSkyTexture(platform::GraphicsDevice& device) {
  Texture = LoadSceneTexture(device, "image\\cloud2.bmp", 0, kSkyTextureFailed);
}

void SkyDome::DrawSky(platform::GraphicsDevice& device) {
  if (!Ready) return;
  device.SetTexture(0, Texture.get());
  SetTextureAndDiffuse(device, platform::TextureOp::Add);
  device.SetTransform(platform::TransformKind::World, platform::Identity());
  device.SetFvf(platform::Fvf::SceneVertex);
  device.SetStreamSource(Vertex.get(), kSceneVertexStride);
  device.SetIndices(Index.get());
  device.DrawIndexedPrimitive(platform::Primitive::TriangleStrip, 0, 0, kVertexCount, 0, kTriangles);
  device.SetIndices(nullptr);
  device.SetStreamSource(nullptr, 0);
  device.SetStageState(0, platform::StageState::ColorOp, platform::TextureOp::Modulate);
}

void SkyDome::Release() {
  Index.reset();
  Vertex.reset();
  Ready = false;
}

}  // namespace world
