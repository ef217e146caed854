#pragma once
// The water near the launch site: a flat 9 x 9 grid, and the lake built on it with
// animated wave pictures and a far surface that reaches the horizon.
#include <array>
#include <memory>

#include "platform/gfx/graphics_device.h"
#include "world/scene_vertex.h"

namespace world {

class CField {
public:
  static constexpr int kGridLines = 9;
  static constexpr int kVertexCount = kGridLines * kGridLines;         // 81
  static constexpr int kIndexCount = 2 * (kVertexCount - kGridLines);  // 144 strip indices
  static constexpr int kBandsDrawn = 7;  // of 8: the band behind the platform is never drawn

  CField(platform::GraphicsDevice& device, float farSize, float halfSize);
  virtual ~CField() = default;
  CField(const CField&) = delete;
  CField& operator=(const CField&) = delete;

  // Binds the texture and sets stage 0 for the grid.
  virtual void ApplyTexture(platform::GraphicsDevice& device);
  // The grid as separate strips, one per band between two rows.
  void DrawGrid(platform::GraphicsDevice& device);

  float FarSize;            // m, reach of the far surface
  float HalfSize;           // m, half the grid's width
  float SurfaceHeight = 0;  // m
  float CellSize = 0;       // m between grid lines
  float TexRepeat = 0;      // texture repetitions per cell
  std::array<SceneVertex, kVertexCount> Vertices{};
  std::unique_ptr<platform::VertexBuffer> Vertex;
  std::unique_ptr<platform::IndexBuffer> Index;
  std::unique_ptr<platform::Texture> Texture;  // never loaded for a plain field
  bool GridReady = false;                      // both buffers made and filled

private:
  bool FillVertexBuffer(platform::GraphicsDevice& device);
  void FillIndexBuffer(platform::GraphicsDevice& device);
};

class CWaveField : public CField {
public:
  static constexpr int kWaveSlots = 5;
  static constexpr int kTicksPerPicture = 40;  // a new picture at every 41st draw

  CWaveField(platform::GraphicsDevice& device, float farSize, float halfSize);

  // Loads one wave picture; a failure is reported and leaves the slot empty.
  void LoadWaveTexture(platform::GraphicsDevice& device, int slot, const char* gameFileName);
  // Steps the picture sequence back and forth and binds the current picture.
  void ApplyTexture(platform::GraphicsDevice& device) override;
  // The grid and the far surface turned toward where the camera looks.
  void DrawWaveField(platform::GraphicsDevice& device, const platform::Vec3& eye, const platform::Vec3& lookAt);

  // The far surface's four vertices (before turning).
  std::array<SceneVertex, 4> FarQuad() const;
  // The far surface's turn about y for a viewing direction (rad).
  static float FarQuadAngle(const platform::Vec3& eye, const platform::Vec3& lookAt);

  int16_t CurrentTex = 0;
  int16_t MaxTex = 0;
  int16_t TexStep = 1;
  std::array<std::unique_ptr<platform::Texture>, kWaveSlots> WaveTextures;

  static int WaveTick;  // draws since the last picture change, for the whole program
};

}  // namespace world
