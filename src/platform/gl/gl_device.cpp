// [SECTION] index
// - creation and frame
// - state record (Set* calls)
// - drawing
// - resources
// - overlays for fonts
#include "platform/gl/gl_device.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <optional>
#include <utility>

#include "platform/gl/font_match.h"
#include "platform/gl/gl_font.h"
#include "platform/gl/gl_vertex_arrays.h"

namespace platform::gl {
namespace {

constexpr int kMaxPrimitives = 1 << 24;  // per draw; far above any scene, keeps counts in int
constexpr size_t kMaxBufferBytes = size_t{256} << 20;
constexpr int kMaxClearedErrors = 16;  // glGetError calls before an upload, to start clean

GLenum ModeOf(Primitive type) { return type == Primitive::TriangleStrip ? GL_TRIANGLE_STRIP : GL_TRIANGLES; }

// Vertices (or indices) a draw of `count` primitives reads; 0 when nothing is drawn.
int VerticesFor(Primitive type, int count) {
  if (count <= 0 || count > kMaxPrimitives) return 0;
  return type == Primitive::TriangleStrip ? count + 2 : count * 3;
}

template <typename Index>
std::optional<std::pair<uint32_t, uint32_t>> IndexBounds(const Index* indices, size_t count) {
  if (count == 0) return std::nullopt;
  const auto [low, high] = std::minmax_element(indices, indices + count);
  return std::pair<uint32_t, uint32_t>(*low, *high);
}

// Texture stage (and sampler) `stage` of the record, or nothing past the stages driven.
StageSettings* StageOf(DeviceState& state, int stage) {
  return stage >= 0 && stage < kStageCount ? &state.Stages[stage] : nullptr;
}

void ClearGlErrors() {
  for (int i = 0; i < kMaxClearedErrors && glGetError() != GL_NO_ERROR; ++i) {
  }
}

}  // namespace

// [SECTION] creation and frame

std::unique_ptr<GlDevice> GlDevice::Create(int width, int height, ProcLoader loader, std::function<void()> present) {
  Api api;
  if (!LoadApi(loader, api)) return nullptr;
  return std::unique_ptr<GlDevice>(new GlDevice(api, width, height, std::move(present)));
}

GlDevice::GlDevice(const Api& api, int width, int height, std::function<void()> present)
    : api_(api),
      cache_(api_),
      state_(DefaultDeviceState()),
      present_(std::move(present)),
      link_(std::make_shared<DeviceLink>()) {
  link_->Device = this;
  units_ = std::clamp(api_.TextureUnits, 1, kStageCount);
  viewport_.RemapDepth = api_.ClipControl == nullptr;
  if (api_.ClipControl) api_.ClipControl(GL_LOWER_LEFT, GL_ZERO_TO_ONE);       // D3D's clip depth 0..w
  if (api_.ProvokingVertex) api_.ProvokingVertex(GL_FIRST_VERTEX_CONVENTION);  // D3D flat shading
  Resize(width, height);

  // Fixed parts of the D3D9 pipeline the game never changes.
  glFrontFace(GL_CCW);  // see the cull mode in Resolve
  glDepthFunc(GL_LEQUAL);
  glDisable(GL_DITHER);
  glDisable(GL_ALPHA_TEST);
  glDisable(GL_FOG);
  glDisable(GL_SCISSOR_TEST);
  glColorMaterial(GL_FRONT_AND_BACK, GL_DIFFUSE);  // colour vertex: diffuse from the vertex, ambient from the material
  glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_FALSE);
  glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, GL_FALSE);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);  // rows of glyph bitmaps are tightly packed
}

GlDevice::~GlDevice() { link_->Device = nullptr; }

void GlDevice::Resize(int width, int height) {
  viewport_.Width = std::max(width, 1);
  viewport_.Height = std::max(height, 1);
  glViewport(0, 0, viewport_.Width, viewport_.Height);
}

void GlDevice::Clear(uint32_t argb, float depth) {
  const ColorValue color = ColorFromArgb(argb);
  glClearColor(color.R, color.G, color.B, color.A);
  glClearDepth(depth);
  glDepthMask(GL_TRUE);  // D3D clears depth whatever the depth-write state; GL only with writes on
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  cache_.Invalidate(StateCache::kRaster);
}

void GlDevice::Present() {
  if (present_) {
    present_();
  } else {
    glFlush();
  }
}

// [SECTION] state record

void GlDevice::SetTransform(TransformKind kind, const Matrix4& m) {
  switch (kind) {
    case TransformKind::World: state_.World = m; break;
    case TransformKind::View: state_.View = m; break;
    case TransformKind::Projection: state_.Projection = m; break;
  }
}

void GlDevice::SetRenderState(RenderState state, uint32_t value) {
  const int index = static_cast<int>(state);
  if (index >= 0 && index < kRenderStateCount) state_.Render[index] = value;
}

void GlDevice::SetLight(int index, const Light& light) {
  if (index >= 0 && index < kLightCount) state_.Lights[index] = light;
}

void GlDevice::LightEnable(int index, bool enable) {
  if (index >= 0 && index < kLightCount) state_.LightOn[index] = enable;
}

void GlDevice::SetMaterial(const Material& material) { state_.Colors = material; }

void GlDevice::SetTexture(int stage, Texture* texture) {
  if (StageSettings* s = StageOf(state_, stage)) s->Bound = texture;
}

void GlDevice::SetStageState(int stage, StageState state, uint32_t value) {
  StageSettings* s = StageOf(state_, stage);
  if (!s) return;
  switch (state) {
    case StageState::ColorOp: s->ColorOp = value; break;
    case StageState::ColorArg1: s->ColorArg1 = value; break;
    case StageState::ColorArg2: s->ColorArg2 = value; break;
    case StageState::AlphaOp: s->AlphaOp = value; break;
    case StageState::AlphaArg1: s->AlphaArg1 = value; break;
    case StageState::AlphaArg2: s->AlphaArg2 = value; break;
  }
}

void GlDevice::SetSamplerState(int sampler, SamplerState state, uint32_t value) {
  StageSettings* s = StageOf(state_, sampler);
  if (!s) return;
  switch (state) {
    case SamplerState::MagFilter: s->MagFilter = value; break;
    case SamplerState::MinFilter: s->MinFilter = value; break;
    case SamplerState::MipFilter: s->MipFilter = value; break;
  }
}

void GlDevice::SetStreamSource(VertexBuffer* buffer, int stride) {
  state_.Stream = buffer;
  state_.StreamStride = buffer ? stride : 0;
}

void GlDevice::ForgetTexture(const GlTexture* texture) {
  for (StageSettings& stage : state_.Stages) {
    if (stage.Bound == texture) stage.Bound = nullptr;
  }
  // GL unbinds a deleted texture, and its name (and address) may come back for a new
  // one: the units must be bound again.
  cache_.Invalidate(StateCache::kUnits);
}

// [SECTION] drawing

void GlDevice::Submit(uint32_t fvf, const uint8_t* vertices, int stride, int vertexCount, GLenum mode, int count,
                      const IndexRange* indexed) {
  const VertexLayout layout = LayoutOf(fvf);
  if (vertices == nullptr || layout.PositionSize == 0 || stride < layout.Size || count <= 0 || vertexCount <= 0) {
    return;
  }
  const uint8_t* data = PrepareVertices(layout, vertices, stride, vertexCount, api_.BgraVertexColors, scratch_);
  cache_.Apply(Resolve(state_, fvf, viewport_));
  BindArrays(api_, layout, data, stride, units_);
  if (indexed) {
    api_.DrawRangeElements(mode, indexed->Min, indexed->Max, count, indexed->Type, indexed->Indices);
  } else {
    glDrawArrays(mode, 0, count);
  }
  ++draws_;
}

void GlDevice::DrawPrimitiveUp(Primitive type, int primitiveCount, const void* vertices, int stride) {
  // The caller's memory holds as many vertices as the primitives use; nothing says more.
  const int count = VerticesFor(type, primitiveCount);
  Submit(state_.Fvf, static_cast<const uint8_t*>(vertices), stride, count, ModeOf(type), count, nullptr);
}

void GlDevice::DrawIndexedPrimitive(Primitive type, int baseVertex, int /*minIndex*/, int /*vertexCount*/,
                                    int startIndex, int primitiveCount) {
  // The vertex range the caller announces is only a hint in D3D; the indices
  // themselves are checked against the buffers, so a bad draw draws nothing.
  const VertexBuffer* vb = state_.Stream;
  const IndexBuffer* ib = state_.Indices;
  const int stride = state_.StreamStride;
  const int count = VerticesFor(type, primitiveCount);
  if (!vb || !ib || stride <= 0 || count == 0 || baseVertex < 0 || startIndex < 0) return;
  const size_t indexTotal = ib->Size() / sizeof(uint16_t);
  if (static_cast<size_t>(startIndex) + static_cast<size_t>(count) > indexTotal) return;
  const uint16_t* indices = ib->Indices() + startIndex;
  const auto bounds = IndexBounds(indices, static_cast<size_t>(count));
  const size_t vertexTotal = vb->Size() / static_cast<size_t>(stride);
  if (!bounds || static_cast<size_t>(baseVertex) + bounds->second >= vertexTotal) return;

  const IndexRange range{indices, GL_UNSIGNED_SHORT, bounds->first, bounds->second};
  const uint8_t* base = vb->Data() + static_cast<size_t>(baseVertex) * static_cast<size_t>(stride);
  Submit(state_.Fvf, base, stride, static_cast<int>(bounds->second) + 1, ModeOf(type), count, &range);
}

void GlDevice::DrawSubset(const Mesh& mesh, int subset) {
  if (subset < 0 || static_cast<size_t>(subset) >= mesh.Subsets.size()) return;
  const Mesh::Subset& s = mesh.Subsets[static_cast<size_t>(subset)];
  const size_t count = s.IndexCount - s.IndexCount % 3;  // whole triangles
  if (count == 0 || count > static_cast<size_t>(kMaxPrimitives) * 3) return;
  if (static_cast<size_t>(s.StartIndex) + count > mesh.Indices.size()) return;
  const uint32_t* indices = mesh.Indices.data() + s.StartIndex;
  const auto bounds = IndexBounds(indices, count);
  if (!bounds || bounds->second >= static_cast<uint32_t>(std::max(mesh.VertexCount(), 0))) return;

  state_.Fvf = mesh.Fvf();
  const IndexRange range{indices, GL_UNSIGNED_INT, bounds->first, bounds->second};
  Submit(mesh.Fvf(), mesh.VertexData(), mesh.Stride(), static_cast<int>(bounds->second) + 1, GL_TRIANGLES,
         static_cast<int>(count), &range);
}

// [SECTION] resources

std::unique_ptr<VertexBuffer> GlDevice::CreateVertexBuffer(size_t bytes) {
  if (bytes == 0 || bytes > kMaxBufferBytes) return nullptr;
  return std::make_unique<VertexBuffer>(bytes);
}

std::unique_ptr<IndexBuffer> GlDevice::CreateIndexBuffer(size_t indexCount) {
  if (indexCount == 0 || indexCount > kMaxBufferBytes / sizeof(uint16_t)) return nullptr;
  return std::make_unique<IndexBuffer>(indexCount * sizeof(uint16_t));
}

std::unique_ptr<Texture> GlDevice::CreateTexture(const Image& image, std::string_view name) {
  const int w = image.Width, h = image.Height;
  if (w <= 0 || h <= 0 || w > api_.MaxTextureSize || h > api_.MaxTextureSize) return nullptr;
  if (image.Pixels.size() != static_cast<size_t>(w) * static_cast<size_t>(h)) return nullptr;

  ClearGlErrors();
  GLuint id = 0;
  glGenTextures(1, &id);
  api_.ActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, id);
  cache_.Invalidate(StateCache::kUnits);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);  // D3D's default address mode
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);  // one level: no mipmaps are made
  // 0xAARRGGBB words are exactly GL's BGRA with the 8_8_8_8_REV packing, on any byte order.
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, w, h, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, image.Pixels.data());
  if (glGetError() != GL_NO_ERROR) {
    glDeleteTextures(1, &id);
    return nullptr;
  }
  auto texture = std::make_unique<GlTexture>(id, link_);
  texture->Width = w;
  texture->Height = h;
  texture->Name = std::string(name);
  texture->Opaque =
      std::all_of(image.Pixels.begin(), image.Pixels.end(), [](uint32_t argb) { return argb >> 24 == 0xFF; });
  return texture;
}

std::unique_ptr<Font> GlDevice::CreateFont(const FontDesc& desc) {
  const std::optional<FontFace> face = FindJapaneseFont(desc.FixedPitch);
  return std::make_unique<GlFont>(link_, desc, face ? *face : FontFace{});
}

GlTexture::~GlTexture() {
  if (link_->Device) link_->Device->ForgetTexture(this);
  glDeleteTextures(1, &id_);
}

// [SECTION] overlays for fonts

GLuint GlDevice::CreateAlphaTexture(int size) {
  if (size <= 0 || size > api_.MaxTextureSize) return 0;
  ClearGlErrors();
  GLuint id = 0;
  glGenTextures(1, &id);
  api_.ActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, id);
  cache_.Invalidate(StateCache::kUnits);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);  // glyphs are drawn texel for pixel
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
  const std::vector<uint8_t> zeros(static_cast<size_t>(size) * static_cast<size_t>(size), 0);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA8, size, size, 0, GL_ALPHA, GL_UNSIGNED_BYTE, zeros.data());
  if (glGetError() != GL_NO_ERROR) {
    glDeleteTextures(1, &id);
    return 0;
  }
  return id;
}

void GlDevice::UploadAlpha(GLuint texture, int x, int y, int width, int height, const uint8_t* alpha) {
  api_.ActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, texture);
  cache_.Invalidate(StateCache::kUnits);
  glTexSubImage2D(GL_TEXTURE_2D, 0, x, y, width, height, GL_ALPHA, GL_UNSIGNED_BYTE, alpha);
}

void GlDevice::DeleteAlphaTexture(GLuint texture) {
  glDeleteTextures(1, &texture);
  cache_.Invalidate(StateCache::kUnits);
}

void GlDevice::DrawOverlay(GLuint texture, const std::vector<OverlayVertex>& triangles) {
  if (triangles.empty() || texture == 0) return;
  glDisable(GL_LIGHTING);
  glDisable(GL_CULL_FACE);
  glDisable(GL_DEPTH_TEST);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glShadeModel(GL_SMOOTH);
  for (int unit = units_ - 1; unit >= 0; --unit) {
    api_.ActiveTexture(GL_TEXTURE0 + unit);
    glDisable(GL_TEXTURE_2D);
  }
  glEnable(GL_TEXTURE_2D);  // unit 0
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);  // alpha texture: vertex colour, alpha times coverage
  const Matrix4 projection = OverlayProjection(viewport_.Width, viewport_.Height);
  glMatrixMode(GL_PROJECTION);
  glLoadMatrixf(&projection.M[0][0]);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();

  const auto* base = reinterpret_cast<const uint8_t*>(triangles.data());
  constexpr int kStride = sizeof(OverlayVertex);
  glEnableClientState(GL_VERTEX_ARRAY);
  glVertexPointer(2, GL_FLOAT, kStride, base + offsetof(OverlayVertex, X));
  glDisableClientState(GL_NORMAL_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
  glColorPointer(4, GL_UNSIGNED_BYTE, kStride, base + offsetof(OverlayVertex, Rgba));
  for (int unit = units_ - 1; unit >= 0; --unit) {
    api_.ClientActiveTexture(GL_TEXTURE0 + unit);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  }
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);  // unit 0
  glTexCoordPointer(2, GL_FLOAT, kStride, base + offsetof(OverlayVertex, U));
  glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(std::min<size_t>(triangles.size(), INT_MAX)));
  ++draws_;

  cache_.Invalidate(StateCache::kAll);
}

}  // namespace platform::gl
