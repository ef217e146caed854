#pragma once
// A graphics device that draws nothing and keeps every call with its arguments, in
// order, so tests can check render states, transforms and draw order without a
// display.
#include <string>
#include <vector>

#include "platform/gfx/graphics_device.h"

namespace platform {

class RecordingDevice : public GraphicsDevice {
public:
  // One draw with what it drew from and the state it drew with.
  struct Draw {
    std::string Kind;  // "DrawPrimitiveUp", "DrawIndexedPrimitive", "DrawSubset"
    uint32_t Fvf = 0;
    Primitive Type = Primitive::TriangleList;
    int PrimitiveCount = 0;
    std::vector<uint8_t> Vertices;  // DrawPrimitiveUp: the vertices passed
    std::string Texture0;           // name of the texture on stage 0, empty when none
    Matrix4 World;
    float MaterialAlpha = 1;  // diffuse alpha of the material set last
  };

  explicit RecordingDevice(int width = 1024, int height = 768) : width_(width), height_(height) {}

  std::vector<std::string> Calls;
  std::vector<Draw> Draws;
  bool FailBufferCreation = false;
  bool FailBufferLocks = false;
  int TexturesCreated = 0;

  // Calls whose text starts with the prefix.
  std::vector<std::string> CallsStartingWith(const std::string& prefix) const;

  void Clear(uint32_t argb, float depth) override;
  void BeginScene() override { Calls.push_back("BeginScene"); }
  void EndScene() override { Calls.push_back("EndScene"); }
  void Present() override { Calls.push_back("Present"); }
  void SetTransform(TransformKind kind, const Matrix4& m) override;
  void SetRenderState(RenderState state, uint32_t value) override;
  void SetLight(int index, const Light& light) override;
  void LightEnable(int index, bool enable) override;
  void SetMaterial(const Material& material) override;
  void SetTexture(int stage, Texture* texture) override;
  void SetStageState(int stage, StageState state, uint32_t value) override;
  void SetSamplerState(int sampler, SamplerState state, uint32_t value) override;
  void SetFvf(uint32_t fvf) override;
  void SetStreamSource(VertexBuffer* buffer, int stride) override;
  void SetIndices(IndexBuffer* buffer) override;
  void DrawPrimitiveUp(Primitive type, int primitiveCount, const void* vertices, int stride) override;
  void DrawIndexedPrimitive(Primitive type, int baseVertex, int minIndex, int vertexCount, int startIndex,
                            int primitiveCount) override;
  void DrawSubset(const Mesh& mesh, int subset) override;
  std::unique_ptr<VertexBuffer> CreateVertexBuffer(size_t bytes) override;
  std::unique_ptr<IndexBuffer> CreateIndexBuffer(size_t indexCount) override;
  std::unique_ptr<Texture> CreateTexture(const Image& image, std::string_view name) override;
  std::unique_ptr<Font> CreateFont(const FontDesc& desc) override;
  int BackBufferWidth() const override { return width_; }
  int BackBufferHeight() const override { return height_; }

  Light LastLight;
  Material LastMaterial;
  Matrix4 View, Projection, World = Identity();

private:
  void Record(Draw draw);
  int width_, height_;
  uint32_t fvf_ = 0;
  Texture* stage0_ = nullptr;
};

// A font that records its lines into the device's call list.
class RecordingFont : public Font {
public:
  RecordingFont(RecordingDevice& device, FontDesc desc) : device_(device), desc_(desc) {}
  void DrawText(const std::string& sjisText, const PixelRect& rect, uint32_t argb) override;
  const FontDesc& Desc() const { return desc_; }

private:
  RecordingDevice& device_;
  FontDesc desc_;
};

}  // namespace platform
