#include "platform/gl/gl_state.h"

#include <algorithm>

#include "platform/gl/gl_texture.h"

namespace platform::gl {
namespace {

// D3D9 samples pixel centres at integer coordinates, GL half a pixel further on. A
// shift of exactly half a pixel would put every integer edge exactly on a GL pixel
// centre, where GL's tie rule (not D3D's top-left rule) would decide; a shift just
// under half keeps D3D's choice: left and top edges in, right and bottom edges out.
constexpr float kPixelCentreShift = 63.0f / 128.0f;  // px

// Clip-space correction applied after every projection: moves D3D pixel centres onto
// GL's and, without glClipControl, maps D3D's clip depth 0..w onto GL's -w..w.
Matrix4 ClipAdjust(const Viewport& viewport) {
  Matrix4 m = Identity();
  m.M[3][0] = 2.0f * kPixelCentreShift / static_cast<float>(viewport.Width);    // x right
  m.M[3][1] = -2.0f * kPixelCentreShift / static_cast<float>(viewport.Height);  // y down on screen
  if (viewport.RemapDepth) {
    m.M[2][2] = 2.0f;  // z' = 2z - w
    m.M[3][2] = -1.0f;
  }
  return m;
}

// Back-buffer pixels (x right, y down) to D3D clip space, with depth z as given.
Matrix4 PixelsToClip(int width, int height) {
  Matrix4 m = Identity();
  m.M[0][0] = 2.0f / static_cast<float>(width);
  m.M[1][1] = -2.0f / static_cast<float>(height);
  m.M[3][0] = -1.0f;
  m.M[3][1] = 1.0f;
  return m;
}

GLenum BlendFactor(uint32_t blend) {
  switch (blend) {
    case Blend::Zero: return GL_ZERO;
    case Blend::SrcAlpha: return GL_SRC_ALPHA;
    case Blend::InvSrcAlpha: return GL_ONE_MINUS_SRC_ALPHA;
    default: return GL_ONE;
  }
}

GLint Source(uint32_t arg) {
  switch (arg) {
    case TextureArg::Texture: return GL_TEXTURE;
    case TextureArg::Current: return GL_PREVIOUS;  // on stage 0 the diffuse colour, as in D3D
    default: return GL_PRIMARY_COLOR;              // the diffuse (lit or vertex) colour
  }
}

// One D3D texture operation as a GL_COMBINE function of two sources.
void Combine(uint32_t op, uint32_t arg1, uint32_t arg2, GLint& function, std::array<GLint, 2>& sources) {
  sources = {Source(arg1), Source(arg2)};
  switch (op) {
    case TextureOp::Modulate: function = GL_MODULATE; break;
    case TextureOp::Add: function = GL_ADD; break;  // saturating, as D3D's
    case TextureOp::SelectArg1: function = GL_REPLACE; break;
    case TextureOp::SelectArg2:
      function = GL_REPLACE;
      sources[0] = sources[1];
      break;
    default:  // an alpha op disabled under an enabled colour op keeps the current alpha
      function = GL_REPLACE;
      sources[0] = GL_PREVIOUS;
      break;
  }
}

GLint FilterOf(uint32_t filter) { return filter == Filter::Linear ? GL_LINEAR : GL_NEAREST; }

void ResolveUnits(const DeviceState& state, Pipeline& p) {
  // The first disabled stage ends the cascade. A stage without a texture counts as
  // disabled, so it passes the current colour on (the diffuse colour on stage 0)
  // whatever its operation says.
  bool cascade = true;
  for (int i = 0; i < kStageCount; ++i) {
    const StageSettings& stage = state.Stages[i];
    UnitSetup& unit = p.Units[i];
    GlTexture* texture = dynamic_cast<GlTexture*>(stage.Bound);
    cascade = cascade && stage.ColorOp != TextureOp::Disable && texture != nullptr;
    if (!cascade) continue;  // default UnitSetup: disabled
    unit.Enabled = true;
    unit.Texture = texture;
    Combine(stage.ColorOp, stage.ColorArg1, stage.ColorArg2, unit.CombineRgb, unit.SourceRgb);
    Combine(stage.AlphaOp, stage.AlphaArg1, stage.AlphaArg2, unit.CombineAlpha, unit.SourceAlpha);
    unit.MinFilter = FilterOf(stage.MinFilter);
    unit.MagFilter = FilterOf(stage.MagFilter);
  }
}

// Whether every fragment leaves the stages with alpha exactly 1: stage 0 takes its
// alpha from an opaque texture and no later stage changes it. Filtering between
// texels of alpha 1 gives 1 again.
bool AlphaIsOne(const Pipeline& p) {
  const UnitSetup& first = p.Units[0];
  if (!first.Enabled || first.CombineAlpha != GL_REPLACE || first.SourceAlpha[0] != GL_TEXTURE ||
      !first.Texture->Opaque) {
    return false;
  }
  return std::all_of(p.Units.begin() + 1, p.Units.end(), [](const UnitSetup& unit) {
    return !unit.Enabled || (unit.CombineAlpha == GL_REPLACE && unit.SourceAlpha[0] == GL_PREVIOUS);
  });
}

// Blending that cannot change a pixel's result is switched off: source-alpha blending
// of an alpha-1 fragment writes the fragment itself, and one/zero writes it anyway.
// The picture is the same bit for bit; a software rasteriser skips reading the back
// buffer for every such pixel.
bool BlendMatters(const Pipeline& p) {
  if (p.BlendSource == GL_ONE && p.BlendDestination == GL_ZERO) return false;
  if (p.BlendSource == GL_SRC_ALPHA && p.BlendDestination == GL_ONE_MINUS_SRC_ALPHA) return !AlphaIsOne(p);
  return true;
}

}  // namespace

DeviceState DefaultDeviceState() {
  DeviceState s;
  auto set = [&s](RenderState state, uint32_t value) { s.Render[static_cast<int>(state)] = value; };
  set(RenderState::CullMode, CullMode::CounterClockwise);
  set(RenderState::Lighting, 1);
  set(RenderState::ShadeMode, ShadeMode::Gouraud);
  set(RenderState::Ambient, 0);
  set(RenderState::ZEnable, 1);
  set(RenderState::ZWriteEnable, 1);
  set(RenderState::NormalizeNormals, 0);
  set(RenderState::AlphaBlendEnable, 0);
  set(RenderState::SrcBlend, Blend::One);
  set(RenderState::DestBlend, Blend::Zero);
  s.Stages[0].ColorOp = TextureOp::Modulate;
  s.Stages[0].AlphaOp = TextureOp::SelectArg1;
  return s;
}

Pipeline Resolve(const DeviceState& state, uint32_t fvf, const Viewport& viewport) {
  Pipeline p;
  const bool pretransformed = (fvf & Fvf::XyzRhw) != 0;

  switch (state.Get(RenderState::CullMode)) {
    // Both APIs judge the winding as the triangle appears on screen (D3D in its y-down
    // pixels, GL in its y-up window: the same picture). GL's front faces are its
    // default counter-clockwise ones, so clockwise triangles are its back faces.
    case CullMode::Clockwise: p.Cull = true, p.CullFace = GL_BACK; break;
    case CullMode::CounterClockwise: p.Cull = true, p.CullFace = GL_FRONT; break;
    default: p.Cull = false; break;
  }
  p.ShadeModel = state.Get(RenderState::ShadeMode) == ShadeMode::Flat ? GL_FLAT : GL_SMOOTH;
  p.DepthTest = state.Get(RenderState::ZEnable) != 0;
  p.DepthWrite = state.Get(RenderState::ZWriteEnable) != 0;
  p.Blend = state.Get(RenderState::AlphaBlendEnable) != 0;
  p.BlendSource = BlendFactor(state.Get(RenderState::SrcBlend));
  p.BlendDestination = BlendFactor(state.Get(RenderState::DestBlend));

  // Row-vector D3D matrices loaded as they are into column-major GL are the transposes
  // GL's column vectors need, so World * View * Projection carries over unchanged.
  const Matrix4 adjust = ClipAdjust(viewport);
  if (pretransformed) {
    p.Projection = Multiply(PixelsToClip(viewport.Width, viewport.Height), adjust);
    p.ModelView = Identity();
  } else {
    p.Projection = Multiply(state.Projection, adjust);
    p.ModelView = Multiply(state.World, state.View);
  }

  p.Lighting = !pretransformed && state.Get(RenderState::Lighting) != 0;
  if (p.Lighting) {
    p.ColorMaterial = (fvf & Fvf::Diffuse) != 0;
    p.Normalize = state.Get(RenderState::NormalizeNormals) != 0;
    p.Ambient = ColorFromArgb(state.Get(RenderState::Ambient));
    p.Colors = state.Colors;
    p.LightSpace = state.View;
    p.Lights = state.Lights;
    p.LightOn = state.LightOn;
  }
  ResolveUnits(state, p);
  p.Blend = p.Blend && BlendMatters(p);
  return p;
}

ColorValue ColorFromArgb(uint32_t argb) {
  constexpr float kScale = 1.0f / 255.0f;  // one byte to 0..1
  return {static_cast<float>((argb >> 16) & 0xFF) * kScale, static_cast<float>((argb >> 8) & 0xFF) * kScale,
          static_cast<float>(argb & 0xFF) * kScale, static_cast<float>(argb >> 24) * kScale};
}

Matrix4 OverlayProjection(int width, int height) {
  Matrix4 m = PixelsToClip(width, height);
  m.M[2][2] = 0.0f;  // every overlay vertex at mid depth, inside either clip convention
  m.M[3][2] = 0.5f;
  return m;
}

// [SECTION] Applying a pipeline

namespace {

void Toggle(GLenum capability, bool on) { on ? glEnable(capability) : glDisable(capability); }

void LoadMatrix(GLenum mode, const Matrix4& m) {
  glMatrixMode(mode);
  glLoadMatrixf(&m.M[0][0]);
}

std::array<GLfloat, 4> Rgba(const ColorValue& c) { return {c.R, c.G, c.B, c.A}; }

}  // namespace

void StateCache::Apply(const Pipeline& want) {
  if (bypass_) stale_ = kAll;
  ApplyRaster(want);
  ApplyLighting(want);
  ApplyTransforms(want);
  ApplyUnits(want);
  stale_ = 0;
}

void StateCache::ApplyRaster(const Pipeline& want) {
  const bool all = stale_ & kRaster;
  if (all || want.Cull != have_.Cull) Toggle(GL_CULL_FACE, want.Cull), ++changes_;
  if (all || want.CullFace != have_.CullFace) glCullFace(want.CullFace), ++changes_;
  if (all || want.ShadeModel != have_.ShadeModel) glShadeModel(want.ShadeModel), ++changes_;
  if (all || want.DepthTest != have_.DepthTest) Toggle(GL_DEPTH_TEST, want.DepthTest), ++changes_;
  if (all || want.DepthWrite != have_.DepthWrite) glDepthMask(want.DepthWrite ? GL_TRUE : GL_FALSE), ++changes_;
  if (all || want.Blend != have_.Blend) Toggle(GL_BLEND, want.Blend), ++changes_;
  if (all || want.BlendSource != have_.BlendSource || want.BlendDestination != have_.BlendDestination) {
    glBlendFunc(want.BlendSource, want.BlendDestination);
    ++changes_;
  }
  have_.Cull = want.Cull;
  have_.CullFace = want.CullFace;
  have_.ShadeModel = want.ShadeModel;
  have_.DepthTest = want.DepthTest;
  have_.DepthWrite = want.DepthWrite;
  have_.Blend = want.Blend;
  have_.BlendSource = want.BlendSource;
  have_.BlendDestination = want.BlendDestination;
}

void StateCache::ApplyLighting(const Pipeline& want) {
  const bool all = stale_ & kLighting;
  if (all || want.Lighting != have_.Lighting) Toggle(GL_LIGHTING, want.Lighting), ++changes_;
  have_.Lighting = want.Lighting;
  if (!want.Lighting) {
    lightDetailsStale_ = lightDetailsStale_ || all;  // set them when lighting is used again
    return;
  }
  const bool details = all || lightDetailsStale_;
  lightDetailsStale_ = false;

  if (details || want.ColorMaterial != have_.ColorMaterial) Toggle(GL_COLOR_MATERIAL, want.ColorMaterial), ++changes_;
  if (details || want.Normalize != have_.Normalize) Toggle(GL_NORMALIZE, want.Normalize), ++changes_;
  if (details || want.Ambient != have_.Ambient) {
    const auto ambient = Rgba(want.Ambient);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient.data());
    ++changes_;
  }
  // While colour-material is on, every vertex colour overwrites GL's diffuse material,
  // so the material is sent again when a draw takes its diffuse from it once more.
  const bool overwritten = materialOverwritten_ && !want.ColorMaterial;
  if (details || overwritten || !(want.Colors == have_.Colors)) {
    const auto ambient = Rgba(want.Colors.Ambient);
    const auto diffuse = Rgba(want.Colors.Diffuse);
    const auto emissive = Rgba(want.Colors.Emissive);
    const std::array<GLfloat, 4> none{0, 0, 0, 1};  // specular lighting is off
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambient.data());
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse.data());
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, emissive.data());
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, none.data());
    materialOverwritten_ = false;
    ++changes_;
  }
  if (want.ColorMaterial) materialOverwritten_ = true;

  // GL transforms a light's position by the model-view matrix current when it is set,
  // so the lights are set under the view alone and set again when the view changes.
  if (details || want.LightSpace != have_.LightSpace || want.Lights != have_.Lights || want.LightOn != have_.LightOn) {
    LoadMatrix(GL_MODELVIEW, want.LightSpace);
    for (int i = 0; i < kLightCount; ++i) {
      const GLenum light = GL_LIGHT0 + i;
      Toggle(light, want.LightOn[i]);
      if (!want.LightOn[i]) continue;
      const Light& l = want.Lights[i];
      // A directional light: GL wants the direction towards the light.
      const std::array<GLfloat, 4> towards{-l.Direction.X, -l.Direction.Y, -l.Direction.Z, 0.0f};
      const auto diffuse = Rgba(l.Diffuse);
      const auto ambient = Rgba(l.Ambient);
      const std::array<GLfloat, 4> none{0, 0, 0, 1};
      glLightfv(light, GL_POSITION, towards.data());
      glLightfv(light, GL_DIFFUSE, diffuse.data());
      glLightfv(light, GL_AMBIENT, ambient.data());
      glLightfv(light, GL_SPECULAR, none.data());
    }
    stale_ |= kTransforms;  // the model-view matrix now holds the view
    ++changes_;
  }
  have_.ColorMaterial = want.ColorMaterial;
  have_.Normalize = want.Normalize;
  have_.Ambient = want.Ambient;
  have_.Colors = want.Colors;
  have_.LightSpace = want.LightSpace;
  have_.Lights = want.Lights;
  have_.LightOn = want.LightOn;
}

void StateCache::ApplyTransforms(const Pipeline& want) {
  const bool all = stale_ & kTransforms;
  if (all || want.Projection != have_.Projection) LoadMatrix(GL_PROJECTION, want.Projection), ++changes_;
  if (all || want.ModelView != have_.ModelView) LoadMatrix(GL_MODELVIEW, want.ModelView), ++changes_;
  have_.Projection = want.Projection;
  have_.ModelView = want.ModelView;
}

void StateCache::ApplyUnits(const Pipeline& want) {
  const bool all = stale_ & kUnits;
  const int units = std::min(kStageCount, api_.TextureUnits);
  for (int i = 0; i < units; ++i) {
    const UnitSetup& unit = want.Units[i];
    UnitSetup& had = have_.Units[i];
    if (all || !(unit == had)) {
      api_.ActiveTexture(GL_TEXTURE0 + i);
      Toggle(GL_TEXTURE_2D, unit.Enabled);
      if (unit.Enabled) {
        glBindTexture(GL_TEXTURE_2D, unit.Texture->Id());
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
        glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB, unit.CombineRgb);
        glTexEnvi(GL_TEXTURE_ENV, GL_SRC0_RGB, unit.SourceRgb[0]);
        glTexEnvi(GL_TEXTURE_ENV, GL_SRC1_RGB, unit.SourceRgb[1]);
        glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_RGB, GL_SRC_COLOR);
        glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND1_RGB, GL_SRC_COLOR);
        glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_ALPHA, unit.CombineAlpha);
        glTexEnvi(GL_TEXTURE_ENV, GL_SRC0_ALPHA, unit.SourceAlpha[0]);
        glTexEnvi(GL_TEXTURE_ENV, GL_SRC1_ALPHA, unit.SourceAlpha[1]);
        glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_ALPHA, GL_SRC_ALPHA);
        glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND1_ALPHA, GL_SRC_ALPHA);
      }
      had = unit;
      ++changes_;
    }
    // The stage's sampler goes into the texture object itself.
    GlTexture* texture = unit.Texture;
    if (unit.Enabled && (bypass_ || texture->MinFilter != unit.MinFilter || texture->MagFilter != unit.MagFilter)) {
      api_.ActiveTexture(GL_TEXTURE0 + i);
      glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, unit.MinFilter);
      glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, unit.MagFilter);
      texture->MinFilter = unit.MinFilter;
      texture->MagFilter = unit.MagFilter;
      ++changes_;
    }
  }
}

}  // namespace platform::gl
