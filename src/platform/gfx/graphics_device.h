#pragma once
// The graphics device: the fixed-function operations the game draws with, in the
// order it asks for them. Two implementations: OpenGL for the game, and a recording
// device for tests that keeps every call.
#include <memory>

#include "platform/gfx/graphics_resources.h"

namespace platform {

class GraphicsDevice {
public:
  virtual ~GraphicsDevice() = default;

  // Frame.
  virtual void Clear(uint32_t argb, float depth) = 0;
  virtual void BeginScene() = 0;
  virtual void EndScene() = 0;
  virtual void Present() = 0;

  // State.
  virtual void SetTransform(TransformKind kind, const Matrix4& m) = 0;
  virtual void SetRenderState(RenderState state, uint32_t value) = 0;
  virtual void SetLight(int index, const Light& light) = 0;
  virtual void LightEnable(int index, bool enable) = 0;
  virtual void SetMaterial(const Material& material) = 0;
  virtual void SetTexture(int stage, Texture* texture) = 0;  // null: no texture
  virtual void SetStageState(int stage, StageState state, uint32_t value) = 0;
  virtual void SetSamplerState(int sampler, SamplerState state, uint32_t value) = 0;
  virtual void SetFvf(uint32_t fvf) = 0;
  virtual void SetStreamSource(VertexBuffer* buffer, int stride) = 0;  // stream 0; null unbinds
  virtual void SetIndices(IndexBuffer* buffer) = 0;                    // null unbinds

  // Drawing.
  virtual void DrawPrimitiveUp(Primitive type, int primitiveCount, const void* vertices, int stride) = 0;
  virtual void DrawIndexedPrimitive(Primitive type, int baseVertex, int minIndex, int vertexCount, int startIndex,
                                    int primitiveCount) = 0;
  virtual void DrawSubset(const Mesh& mesh, int subset) = 0;

  // Resources. Nothing when they cannot be made.
  virtual std::unique_ptr<VertexBuffer> CreateVertexBuffer(size_t bytes) = 0;
  virtual std::unique_ptr<IndexBuffer> CreateIndexBuffer(size_t indexCount) = 0;
  virtual std::unique_ptr<Texture> CreateTexture(const Image& image, std::string_view name) = 0;
  virtual std::unique_ptr<Font> CreateFont(const FontDesc& desc) = 0;

  // Size of the back buffer in pixels (the window's client area).
  virtual int BackBufferWidth() const = 0;
  virtual int BackBufferHeight() const = 0;
};

// A texture from a BMP file, with a colour key (0: none). Nothing when the file cannot
// be read or the texture made.
std::unique_ptr<Texture> LoadTexture(GraphicsDevice& device, std::string_view gameFileName, uint32_t colorKey = 0);

// A mesh and its materials from a text X file. Nothing when the file cannot be read
// or is not a mesh the game can use.
std::optional<LoadedMesh> LoadXFileMesh(std::string_view gameFileName);

}  // namespace platform
