#include "world/field.h"

#include <cmath>
#include <cstring>
#include <ctime>

#include "platform/services.h"
#include "platform/text/language.h"

namespace world {
namespace {

using platform::SamplerState;

constexpr float kGridCentreX = 100;      // m; the grid's middle row lies 100 m out
constexpr float kGridTexScale = 10;      // texture units per grid line
constexpr float kFarSurfaceDrop = 0.1f;  // m below the grid, which covers it where both are
constexpr double kPi = 3.14159;          // the game's truncated pi
constexpr double kHalfPi = 1.570795;
constexpr int kBandVertices = 2 * CField::kGridLines;
constexpr int kBandTriangles = kBandVertices - 2;
constexpr uint32_t kWhite = 0xFFFFFFFF;

// "無限水面のテクスチャ作成に失敗しました"
constexpr const char* kWaveTextureFailed = N_(
    "\x96\xb3\x8c\xc0\x90\x85\x96\xca\x82\xcc\x83\x65\x83\x4e\x83\x58\x83\x60\x83\x83\x8d\xec\x90\xac\x82\xc9\x8e\xb8"
    "\x94\x73\x82\xb5\x82\xdc\x82\xb5\x82\xbd");
// "WaveFiledのMaxTexは最低でも3にしてください"
constexpr const char* kMaxTexTooSmall =
    N_("WaveFiled\x82\xccMaxTex\x82\xcd\x8d\xc5\x92\xe1\x82\xc5\x82\xe0"
       "3\x82\xc9\x82\xb5\x82\xc4\x82\xad\x82\xbe\x82"
       "\xb3\x82\xa2");

void SetLinearFilters(platform::GraphicsDevice& device) {
  device.SetSamplerState(0, SamplerState::MagFilter, platform::Filter::Linear);
  device.SetSamplerState(0, SamplerState::MinFilter, platform::Filter::Linear);
}

}  // namespace

int CWaveField::WaveTick = 0;

CField::CField(platform::GraphicsDevice& device, float farSize, float halfSize) : FarSize(farSize), HalfSize(halfSize) {
  Vertex = device.CreateVertexBuffer(sizeof(SceneVertex) * kVertexCount);
  if (!Vertex) return;
  TexRepeat = 10;
  CellSize = HalfSize * 2 * 0.125f;
  for (int j = 0; j < kGridLines; ++j) {
    for (int i = 0; i < kGridLines; ++i) {
      Vertices[kGridLines * j + i] = UpVertex(kGridCentreX + (4 - j) * CellSize, SurfaceHeight, (i - 4) * CellSize,
                                              kWhite, kGridTexScale * i, kGridTexScale * j);
    }
  }
  if (!FillVertexBuffer(device)) return;
  FillIndexBuffer(device);
}

bool CField::FillVertexBuffer(platform::GraphicsDevice&) {
  void* memory = Vertex->Lock();
  if (!memory) {
    platform::ShowWarning(kVertexLockFailed);
    return false;
  }
  std::memcpy(memory, Vertices.data(), sizeof Vertices);
  Vertex->Unlock();
  return true;
}

void CField::FillIndexBuffer(platform::GraphicsDevice& device) {
  Index = device.CreateIndexBuffer(kIndexCount);
  if (!Index) return;
  auto* indices = static_cast<uint16_t*>(Index->Lock());
  if (!indices) {
    platform::ShowWarning(kIndexLockFailed);
    return;
  }
  int n = 0;
  for (int k = kGridLines; k < kVertexCount; ++k) {
    indices[n++] = static_cast<uint16_t>(k - kGridLines);
    indices[n++] = static_cast<uint16_t>(k);
  }
  Index->Unlock();
  GridReady = true;
}

void CField::ApplyTexture(platform::GraphicsDevice& device) {
  device.SetTexture(0, Texture.get());
  SetTextureAndDiffuse(device, platform::TextureOp::Add);
  SetLinearFilters(device);
}

void CField::DrawGrid(platform::GraphicsDevice& device) {
  if (!GridReady) return;
  device.SetStreamSource(Vertex.get(), kSceneVertexStride);
  device.SetIndices(Index.get());
  device.SetFvf(platform::Fvf::SceneVertex);
  for (int band = 0; band < kBandsDrawn; ++band) {
    device.DrawIndexedPrimitive(platform::Primitive::TriangleStrip, 0, kGridLines * band, kBandVertices,
                                kBandVertices * band, kBandTriangles);
  }
  device.SetIndices(nullptr);
  device.SetStreamSource(nullptr, 0);
}

CWaveField::CWaveField(platform::GraphicsDevice& device, float farSize, float halfSize)
    : CField(device, farSize, halfSize) {
  if (platform::Os().random) platform::Os().random->Seed(static_cast<uint32_t>(std::time(nullptr)));
  TexStep = 1;
}

void CWaveField::LoadWaveTexture(platform::GraphicsDevice& device, int slot, const char* gameFileName) {
  if (slot < 0 || slot >= kWaveSlots) return;
  WaveTextures[slot] = LoadSceneTexture(device, gameFileName, 0, kWaveTextureFailed);
}

void CWaveField::ApplyTexture(platform::GraphicsDevice& device) {
  if (MaxTex < 3) {
    platform::ShowWarning(kMaxTexTooSmall);
    return;
  }
  if (++WaveTick > kTicksPerPicture) {
    CurrentTex = static_cast<int16_t>(CurrentTex + TexStep);
    if (CurrentTex <= 0 || CurrentTex == MaxTex - 1) TexStep = static_cast<int16_t>(-TexStep);
    WaveTick = 0;
  }
  // A picture index outside the slots binds nothing rather than reading past them.
  const bool inSlots = CurrentTex >= 0 && CurrentTex < kWaveSlots;
  device.SetTexture(0, inSlots ? WaveTextures[CurrentTex].get() : nullptr);
  SetTextureAndDiffuse(device, platform::TextureOp::Modulate);
  SetLinearFilters(device);
}

std::array<SceneVertex, 4> CWaveField::FarQuad() const {
  const float y = SurfaceHeight - kFarSurfaceDrop;
  const float near = HalfSize * 2 / 3;
  const float repeat = TexRepeat * FarSize / HalfSize;
  return {UpVertex(FarSize, y, -FarSize, kWhite, 0, 0), UpVertex(near, y, -FarSize, kWhite, 0, repeat),
          UpVertex(FarSize, y, FarSize, kWhite, repeat, 0), UpVertex(near, y, FarSize, kWhite, repeat, repeat)};
}

float CWaveField::FarQuadAngle(const platform::Vec3& eye, const platform::Vec3& lookAt) {
  const double dx = lookAt.X - eye.X;
  const double dz = lookAt.Z - eye.Z;
  double heading;
  if (dz == 0) {
    heading = dx >= 0 ? kHalfPi : -kHalfPi;
  } else {
    heading = std::atan(dx / dz);
    if (dz < 0) heading += kPi;
  }
  return static_cast<float>(heading - kHalfPi);
}

void CWaveField::DrawWaveField(platform::GraphicsDevice& device, const platform::Vec3& eye,
                               const platform::Vec3& lookAt) {
  ApplyTexture(device);
  device.SetTransform(platform::TransformKind::World, platform::Identity());
  DrawGrid(device);
  const std::array<SceneVertex, 4> quad = FarQuad();
  device.SetTransform(platform::TransformKind::World, platform::RotationY(FarQuadAngle(eye, lookAt)));
  device.DrawPrimitiveUp(platform::Primitive::TriangleStrip, 2, quad.data(), kSceneVertexStride);
}

}  // namespace world
