#include "fakes/recording_device.h"

#include <cstdio>
#include <cstring>

namespace platform {
namespace {

const char* Name(TransformKind kind) {
  switch (kind) {
    case TransformKind::World: return "World";
    case TransformKind::View: return "View";
    case TransformKind::Projection: return "Projection";
  }
  return "?";
}

const char* Name(RenderState state) {
  switch (state) {
    case RenderState::CullMode: return "CullMode";
    case RenderState::Lighting: return "Lighting";
    case RenderState::ShadeMode: return "ShadeMode";
    case RenderState::Ambient: return "Ambient";
    case RenderState::ZEnable: return "ZEnable";
    case RenderState::ZWriteEnable: return "ZWriteEnable";
    case RenderState::NormalizeNormals: return "NormalizeNormals";
    case RenderState::AlphaBlendEnable: return "AlphaBlendEnable";
    case RenderState::SrcBlend: return "SrcBlend";
    case RenderState::DestBlend: return "DestBlend";
  }
  return "?";
}

const char* Name(StageState state) {
  switch (state) {
    case StageState::ColorOp: return "ColorOp";
    case StageState::ColorArg1: return "ColorArg1";
    case StageState::ColorArg2: return "ColorArg2";
    case StageState::AlphaOp: return "AlphaOp";
    case StageState::AlphaArg1: return "AlphaArg1";
    case StageState::AlphaArg2: return "AlphaArg2";
  }
  return "?";
}

const char* Name(SamplerState state) {
  switch (state) {
    case SamplerState::MagFilter: return "MagFilter";
    case SamplerState::MinFilter: return "MinFilter";
    case SamplerState::MipFilter: return "MipFilter";
  }
  return "?";
}

const char* Name(Primitive type) { return type == Primitive::TriangleStrip ? "TriangleStrip" : "TriangleList"; }

std::string Format(const char* format, auto... args) {
  char buffer[256];
  std::snprintf(buffer, sizeof buffer, format, args...);
  return buffer;
}

}  // namespace

std::vector<std::string> RecordingDevice::CallsStartingWith(const std::string& prefix) const {
  std::vector<std::string> found;
  for (const std::string& call : Calls) {
    if (call.rfind(prefix, 0) == 0) found.push_back(call);
  }
  return found;
}

void RecordingDevice::Clear(uint32_t argb, float depth) { Calls.push_back(Format("Clear %08X %g", argb, depth)); }

void RecordingDevice::SetTransform(TransformKind kind, const Matrix4& m) {
  if (kind == TransformKind::World) World = m;
  if (kind == TransformKind::View) View = m;
  if (kind == TransformKind::Projection) Projection = m;
  Calls.push_back(std::string("SetTransform ") + Name(kind));
}

void RecordingDevice::SetRenderState(RenderState state, uint32_t value) {
  Calls.push_back(Format("SetRenderState %s %u", Name(state), value));
}

void RecordingDevice::SetLight(int index, const Light& light) {
  LastLight = light;
  Calls.push_back(Format("SetLight %d", index));
}

void RecordingDevice::LightEnable(int index, bool enable) {
  Calls.push_back(Format("LightEnable %d %d", index, enable));
}

void RecordingDevice::SetMaterial(const Material& material) {
  LastMaterial = material;
  Calls.push_back("SetMaterial");
}

void RecordingDevice::SetTexture(int stage, Texture* texture) {
  if (stage == 0) stage0_ = texture;
  Calls.push_back(Format("SetTexture %d %s", stage, texture ? texture->Name.c_str() : "null"));
}

void RecordingDevice::SetStageState(int stage, StageState state, uint32_t value) {
  Calls.push_back(Format("SetStageState %d %s %u", stage, Name(state), value));
}

void RecordingDevice::SetSamplerState(int sampler, SamplerState state, uint32_t value) {
  Calls.push_back(Format("SetSamplerState %d %s %u", sampler, Name(state), value));
}

void RecordingDevice::SetFvf(uint32_t fvf) {
  fvf_ = fvf;
  Calls.push_back(Format("SetFvf %03X", fvf));
}

void RecordingDevice::SetStreamSource(VertexBuffer* buffer, int stride) {
  Calls.push_back(Format("SetStreamSource %s %d", buffer ? "buffer" : "null", stride));
}

void RecordingDevice::SetIndices(IndexBuffer* buffer) {
  Calls.push_back(Format("SetIndices %s", buffer ? "buffer" : "null"));
}

void RecordingDevice::Record(Draw draw) {
  draw.Fvf = fvf_;
  draw.Texture0 = stage0_ ? stage0_->Name : "";
  draw.World = World;
  draw.MaterialAlpha = LastMaterial.Diffuse.A;
  Draws.push_back(std::move(draw));
}

void RecordingDevice::DrawPrimitiveUp(Primitive type, int primitiveCount, const void* vertices, int stride) {
  Calls.push_back(Format("DrawPrimitiveUp %s %d %d", Name(type), primitiveCount, stride));
  const int vertexCount = type == Primitive::TriangleStrip ? primitiveCount + 2 : primitiveCount * 3;
  Draw draw{"DrawPrimitiveUp", 0, type, primitiveCount, {}, {}, {}};
  const auto* bytes = static_cast<const uint8_t*>(vertices);
  draw.Vertices.assign(bytes, bytes + static_cast<size_t>(vertexCount) * stride);
  Record(std::move(draw));
}

void RecordingDevice::DrawIndexedPrimitive(Primitive type, int baseVertex, int minIndex, int vertexCount,
                                           int startIndex, int primitiveCount) {
  Calls.push_back(Format("DrawIndexedPrimitive %s %d %d %d %d %d", Name(type), baseVertex, minIndex, vertexCount,
                         startIndex, primitiveCount));
  Record({"DrawIndexedPrimitive", 0, type, primitiveCount, {}, {}, {}});
}

void RecordingDevice::DrawSubset(const Mesh& mesh, int subset) {
  Calls.push_back(Format("DrawSubset %d", subset));
  fvf_ = mesh.Fvf();  // a mesh draws with its own vertex format, which stays selected
  Record({"DrawSubset", 0, Primitive::TriangleList, 0, {}, {}, {}});
}

std::unique_ptr<VertexBuffer> RecordingDevice::CreateVertexBuffer(size_t bytes) {
  Calls.push_back(Format("CreateVertexBuffer %zu", bytes));
  if (FailBufferCreation) return nullptr;
  auto buffer = std::make_unique<VertexBuffer>(bytes);
  buffer->FailLocks(FailBufferLocks);
  return buffer;
}

std::unique_ptr<IndexBuffer> RecordingDevice::CreateIndexBuffer(size_t indexCount) {
  Calls.push_back(Format("CreateIndexBuffer %zu", indexCount));
  if (FailBufferCreation) return nullptr;
  auto buffer = std::make_unique<IndexBuffer>(indexCount * sizeof(uint16_t));
  buffer->FailLocks(FailBufferLocks);
  return buffer;
}

std::unique_ptr<Texture> RecordingDevice::CreateTexture(const Image& image, std::string_view name) {
  ++TexturesCreated;
  auto texture = std::make_unique<Texture>();
  texture->Width = image.Width;
  texture->Height = image.Height;
  texture->Name = name;
  return texture;
}

std::unique_ptr<Font> RecordingDevice::CreateFont(const FontDesc& desc) {
  Calls.push_back(Format("CreateFont %d %d", desc.Height, desc.FixedPitch));
  return std::make_unique<RecordingFont>(*this, desc);
}

void RecordingFont::DrawText(const std::string& sjisText, const PixelRect& rect, uint32_t argb) {
  device_.Calls.push_back(Format("DrawText %d,%d,%d,%d %08X ", rect.Left, rect.Top, rect.Right, rect.Bottom, argb) +
                          sjisText);
}

}  // namespace platform
