#pragma once
// The sky: a dome of five rings and a zenith over the whole world, its colour
// darkening upward, with the cloud picture in the band above the horizon.
#include <array>
#include <memory>

#include "world/scene_vertex.h"

namespace world {

class SkyDome {
public:
  static constexpr int kRings = 5;
  static constexpr int kColumns = 13;
  static constexpr int kVertexCount = kRings * kColumns + 1;                      // 66 with the zenith
  static constexpr int kIndexCount = 2 * (kRings - 1) * kColumns + 2 * kColumns;  // 130
  static constexpr int kTriangles = kIndexCount - 3;                              // 127 in one strip

  SkyDome(platform::GraphicsDevice& device, float radius);

  void LoadSkyTexture(platform::GraphicsDevice& device);
  void DrawSky(platform::GraphicsDevice& device);
  void Release();

  float Radius;  // m
  std::array<SceneVertex, kVertexCount> Vertices{};
  std::array<uint16_t, kIndexCount> Indices{};
  std::unique_ptr<platform::VertexBuffer> Vertex;
  std::unique_ptr<platform::IndexBuffer> Index;
  std::unique_ptr<platform::Texture> Texture;
  bool Ready = false;
};

}  // namespace world
