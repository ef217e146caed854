#pragma once
// The graphics device on OpenGL's fixed-function pipeline (compatibility profile),
// which maps the D3D9 fixed-function model nearly one to one. Set* calls write the
// state record; each draw resolves it for its vertex format and applies what changed.
// Vertices are drawn from the game's memory (client-side arrays), so a buffer or mesh
// rewritten in place is drawn as it is now.
#include <functional>
#include <memory>
#include <vector>

#include "platform/gl/gl_api.h"
#include "platform/gl/gl_state.h"
#include "platform/gl/gl_texture.h"
#include "platform/gfx/graphics_device.h"

namespace platform::gl {

// A vertex of a 2D overlay such as text: GL pixel edges from the top-left corner of
// the back buffer, one texture coordinate, colour as R, G, B, A bytes.
struct OverlayVertex {
  float X = 0, Y = 0;  // px
  float U = 0, V = 0;
  uint8_t Rgba[4] = {255, 255, 255, 255};
};

class GlDevice final : public GraphicsDevice {
public:
  // A device on the OpenGL context current on this thread, for a back buffer of
  // width x height px. `present` shows a finished frame (the window's buffer swap); when
  // empty, Present only flushes. Nothing when the context cannot run the
  // fixed-function pipeline.
  static std::unique_ptr<GlDevice> Create(int width, int height, ProcLoader loader, std::function<void()> present = {});
  ~GlDevice() override;
  GlDevice(const GlDevice&) = delete;
  GlDevice& operator=(const GlDevice&) = delete;

  // The back buffer (the window's client area) has a new size.
  void Resize(int width, int height);

  void Clear(uint32_t argb, float depth) override;
  void BeginScene() override {}
  void EndScene() override {}
  void Present() override;

  void SetTransform(TransformKind kind, const Matrix4& m) override;
  void SetRenderState(RenderState state, uint32_t value) override;
  void SetLight(int index, const Light& light) override;
  void LightEnable(int index, bool enable) override;
  void SetMaterial(const Material& material) override;
  void SetTexture(int stage, Texture* texture) override;
  void SetStageState(int stage, StageState state, uint32_t value) override;
  void SetSamplerState(int sampler, SamplerState state, uint32_t value) override;
  void SetFvf(uint32_t fvf) override { state_.Fvf = fvf; }
  void SetStreamSource(VertexBuffer* buffer, int stride) override;
  void SetIndices(IndexBuffer* buffer) override { state_.Indices = buffer; }

  void DrawPrimitiveUp(Primitive type, int primitiveCount, const void* vertices, int stride) override;
  void DrawIndexedPrimitive(Primitive type, int baseVertex, int minIndex, int vertexCount, int startIndex,
                            int primitiveCount) override;
  // Draws the subset with the mesh's own vertex format, which stays selected
  // afterwards (the mesh draw of the original library sets it on the device).
  void DrawSubset(const Mesh& mesh, int subset) override;

  std::unique_ptr<VertexBuffer> CreateVertexBuffer(size_t bytes) override;
  std::unique_ptr<IndexBuffer> CreateIndexBuffer(size_t indexCount) override;
  std::unique_ptr<Texture> CreateTexture(const Image& image, std::string_view name) override;
  // A font that draws nothing when no usable face is installed.
  std::unique_ptr<Font> CreateFont(const FontDesc& desc) override;

  int BackBufferWidth() const override { return viewport_.Width; }
  int BackBufferHeight() const override { return viewport_.Height; }

  // [SECTION] For fonts: single-channel (alpha) textures and overlay drawing.
  GLuint CreateAlphaTexture(int size);  // size x size texels, all 0; 0 when it cannot be made
  void UploadAlpha(GLuint texture, int x, int y, int width, int height, const uint8_t* alpha);
  void DeleteAlphaTexture(GLuint texture);
  // Draws triangles with the overlay's own state (no depth, lighting or culling; alpha
  // blended; texture alpha times vertex colour) and leaves the game's state as it was.
  void DrawOverlay(GLuint texture, const std::vector<OverlayVertex>& triangles);

  // [SECTION] Diagnostics.
  struct Counters {
    uint64_t Draws = 0;
    uint64_t StateChanges = 0;  // GL settings changed by the state cache
  };
  Counters Count() const { return {draws_, cache_.Changes()}; }

  // Off (the default): each draw changes only the GL settings that differ from the
  // last draw's. On: each draw sets all of them, for checking the cache against.
  void SetStateCacheBypass(bool on) { cache_.SetBypass(on); }

  // A texture is going away: no stage may keep it.
  void ForgetTexture(const GlTexture* texture);

private:
  struct IndexRange {
    const void* Indices = nullptr;
    GLenum Type = GL_UNSIGNED_SHORT;
    uint32_t Min = 0, Max = 0;
  };

  GlDevice(const Api& api, int width, int height, std::function<void()> present);
  // Draws `count` vertices (or indices) of `mode`; `vertexCount` vertices are readable
  // from `vertices`.
  void Submit(uint32_t fvf, const uint8_t* vertices, int stride, int vertexCount, GLenum mode, int count,
              const IndexRange* indexed);

  Api api_;
  StateCache cache_;
  DeviceState state_;
  Viewport viewport_;
  int units_ = 1;  // texture units driven
  std::function<void()> present_;
  std::shared_ptr<DeviceLink> link_;
  std::vector<uint8_t> scratch_;  // converted vertices
  uint64_t draws_ = 0;
};

}  // namespace platform::gl
