#pragma once
// The fixed-function state record of the OpenGL device, in two forms:
// - DeviceState: what the game has set, in the D3D vocabulary; the device's Set* calls
//   only write here.
// - Pipeline: the GL settings one draw needs, resolved from DeviceState and the draw's
//   vertex format (pre-transformed vertices get a pixel projection and no lighting).
// StateCache keeps the Pipeline GL holds now and, before each draw, issues GL calls
// only for the settings that differ. State set for one draw stays for the next until
// the game changes it, as on the original device.
#include <array>
#include <cstdint>

#include "platform/gl/gl_api.h"
#include "platform/gfx/graphics_resources.h"

namespace platform::gl {

class GlTexture;

inline constexpr int kStageCount = 2;  // texture stages driven: the vertex formats carry at most two coordinate sets
inline constexpr int kLightCount = 8;  // lights both D3D9 devices and GL guarantee
inline constexpr int kRenderStateCount = static_cast<int>(RenderState::DestBlend) + 1;

struct StageSettings {
  uint32_t ColorOp = TextureOp::Disable;
  uint32_t ColorArg1 = TextureArg::Texture;
  uint32_t ColorArg2 = TextureArg::Current;
  uint32_t AlphaOp = TextureOp::Disable;
  uint32_t AlphaArg1 = TextureArg::Texture;
  uint32_t AlphaArg2 = TextureArg::Current;
  Texture* Bound = nullptr;
  // The sampler of the same number.
  uint32_t MagFilter = Filter::Point;
  uint32_t MinFilter = Filter::Point;
  uint32_t MipFilter = Filter::None;  // recorded only: textures have no mip levels
};

struct DeviceState {
  std::array<uint32_t, kRenderStateCount> Render{};
  Matrix4 World = Identity();
  Matrix4 View = Identity();
  Matrix4 Projection = Identity();
  std::array<Light, kLightCount> Lights{};
  std::array<bool, kLightCount> LightOn{};
  Material Colors;
  std::array<StageSettings, kStageCount> Stages{};
  uint32_t Fvf = 0;
  VertexBuffer* Stream = nullptr;
  int StreamStride = 0;  // bytes
  IndexBuffer* Indices = nullptr;

  uint32_t Get(RenderState state) const { return Render[static_cast<int>(state)]; }
};

// The state of a new D3D9 device: cull counter-clockwise, lighting on, Gouraud, no
// blending (one, zero), depth test and writes on, stage 0 modulating texture by diffuse
// with the texture's alpha, the other stages disabled, point samplers.
DeviceState DefaultDeviceState();

// One texture unit set up as a D3D texture stage (GL_COMBINE).
struct UnitSetup {
  bool Enabled = false;
  GlTexture* Texture = nullptr;
  GLint CombineRgb = GL_MODULATE;
  std::array<GLint, 2> SourceRgb{GL_TEXTURE, GL_PRIMARY_COLOR};
  GLint CombineAlpha = GL_REPLACE;
  std::array<GLint, 2> SourceAlpha{GL_TEXTURE, GL_PRIMARY_COLOR};
  GLint MinFilter = GL_NEAREST;
  GLint MagFilter = GL_NEAREST;
  bool operator==(const UnitSetup&) const = default;
};

struct Pipeline {
  // Rasterisation.
  bool Cull = false;
  GLenum CullFace = GL_BACK;
  GLenum ShadeModel = GL_SMOOTH;
  bool DepthTest = true;
  bool DepthWrite = true;
  bool Blend = false;
  GLenum BlendSource = GL_ONE;
  GLenum BlendDestination = GL_ZERO;
  // Transforms, as GL loads them (column vectors: the D3D matrices as they are).
  Matrix4 Projection = Identity();
  Matrix4 ModelView = Identity();
  // Lighting (the rest of this group matters only when Lighting is on).
  bool Lighting = false;
  bool ColorMaterial = false;  // diffuse from the vertex colour
  bool Normalize = false;
  ColorValue Ambient;
  Material Colors;
  Matrix4 LightSpace = Identity();  // the view: D3D lights are given in world space
  std::array<Light, kLightCount> Lights{};
  std::array<bool, kLightCount> LightOn{};
  // Texture stages.
  std::array<UnitSetup, kStageCount> Units{};
};

struct Viewport {
  int Width = 1;            // px
  int Height = 1;           // px
  bool RemapDepth = false;  // GL clip depth is -1..1 (no glClipControl): remap 0..1 onto it
};

Pipeline Resolve(const DeviceState& state, uint32_t fvf, const Viewport& viewport);

// A packed 0xAARRGGBB colour as four floats 0..1.
ColorValue ColorFromArgb(uint32_t argb);

// Maps back-buffer pixels (x right, y down from the top-left corner) to clip space
// with GL's own pixel centres, for overlays drawn with exact GL pixel edges.
Matrix4 OverlayProjection(int width, int height);

class StateCache {
public:
  enum Group : unsigned {
    kRaster = 1,
    kLighting = 2,
    kTransforms = 4,
    kUnits = 8,
    kAll = 15,
  };

  explicit StateCache(const Api& api) : api_(api) {}

  // Brings GL to `want`, touching only what differs from what it holds.
  void Apply(const Pipeline& want);
  // GL was changed behind the cache's back: re-apply these groups at the next draw.
  void Invalidate(unsigned groups = kAll) { stale_ |= groups; }
  // When on, Apply sets every setting the draw depends on, changed or not: the same
  // pictures as with the cache, so comparing the two finds a setting the cache misses.
  void SetBypass(bool on) { bypass_ = on; }

  // Number of GL settings changed so far (a draw with unchanged state adds none).
  uint64_t Changes() const { return changes_; }

private:
  void ApplyRaster(const Pipeline& want);
  void ApplyLighting(const Pipeline& want);
  void ApplyTransforms(const Pipeline& want);
  void ApplyUnits(const Pipeline& want);

  const Api& api_;
  Pipeline have_;
  unsigned stale_ = kAll;
  bool lightDetailsStale_ = true;    // lighting settings GL may not hold (set while lighting was off)
  bool materialOverwritten_ = true;  // colour-material draws write GL's diffuse material
  uint64_t changes_ = 0;
  bool bypass_ = false;
};

}  // namespace platform::gl
