#include "aircraft/frame.h"

#include <cmath>
#include <cstdio>

#include "platform/services.h"
#include "platform/text/language.h"

namespace aircraft {
namespace {

// "%sが見つかりません"
constexpr const char* kMeshNotFound = N_("%s\x82\xaa\x8c\xa9\x82\xc2\x82\xa9\x82\xe8\x82\xdc\x82\xb9\x82\xf1");
constexpr const char* kFvfConvertError = "FVF convert error";
// "フレームのスケーリング時の頂点バッファLockに失敗"
constexpr const char* kScaleLockFailed = N_(
    "\x83\x74\x83\x8c\x81\x5b\x83\x80\x82\xcc\x83\x58\x83\x50\x81\x5b\x83\x8a\x83\x93\x83\x4f\x8e\x9e\x82\xcc\x92\xb8"
    "\x93\x5f\x83\x6f\x83\x62\x83\x74\x83\x40Lock\x82\xc9\x8e\xb8\x94\x73");
// "FrameのTaperScale時の頂点バッファLockに失敗"
constexpr const char* kTaperLockFailed =
    N_("Frame\x82\xccTaperScale\x8e\x9e\x82\xcc\x92\xb8\x93\x5f\x83\x6f\x83\x62\x83\x74\x83\x40Lock\x82\xc9\x8e\xb8\x94"
       "\x73");

// Applies a change to every vertex position of the frame's mesh; false when the
// vertices cannot be locked.
template <typename Change>
bool ForEachPosition(Frame& frame, Change change) {
  platform::Mesh& mesh = *frame.Mesh;
  float* data = mesh.LockVertices();
  if (!data) return false;
  const int floatsPerVertex = mesh.Stride() / static_cast<int>(sizeof(float));
  const int position = mesh.PositionOffset() / static_cast<int>(sizeof(float));
  for (int i = 0; i < mesh.VertexCount(); ++i) {
    float* p = data + i * floatsPerVertex + position;
    change(p[0], p[1], p[2]);
  }
  mesh.UnlockVertices();
  return true;
}

}  // namespace

void Frame::AddChild(Frame* child) {
  if (Children.size() < kMaxChildren) Children.push_back(child);
}

void LoadFrameMesh(Frame& frame, platform::GraphicsDevice& device, const std::string& gameFileName) {
  std::optional<platform::LoadedMesh> loaded = platform::LoadXFileMesh(gameFileName);
  if (!loaded) {
    char message[256];
    std::snprintf(message, sizeof message, platform::Translated(kMeshNotFound).c_str(),
                  gameFileName.substr(0, Frame::kMaxMeshFile).c_str());
    platform::ShowWarning(message);
    return;
  }
  frame.MeshFile = gameFileName.substr(0, Frame::kMaxMeshFile);
  frame.MaterialCount = static_cast<uint32_t>(loaded->Materials.size());
  frame.Mesh = std::move(loaded->Geometry);
  for (const platform::MeshMaterial& m : loaded->Materials) {
    platform::Material material = m.Colors;
    material.Ambient = material.Diffuse;
    frame.Materials.push_back(material);
    frame.Textures.push_back(m.TextureFile.empty() ? nullptr : platform::LoadTexture(device, m.TextureFile));
  }
  if (frame.Mesh->Fvf() == platform::Fvf::MeshVertex) return;  // keeps its own normals
  std::unique_ptr<platform::Mesh> converted = frame.Mesh->CloneWithFvf(platform::Fvf::MeshVertex);
  if (!converted) {
    platform::ShowWarning(kFvfConvertError);
    return;
  }
  frame.Mesh = std::move(converted);
  frame.Mesh->ComputeNormals();
}

void ScaleFrame(Frame& frame, float sx, float sy, float sz) {
  if (!frame.Mesh) return;
  const bool locked = ForEachPosition(frame, [&](float& x, float& y, float& z) {
    x *= sx;
    y *= sy;
    z *= sz;
  });
  if (!locked) platform::ShowWarning(kScaleLockFailed);
}

void TaperScale(Frame& frame, float k) {
  if (!frame.Mesh) return;
  const bool locked = ForEachPosition(frame, [&](float& x, float& y, float& z) {
    const float f = 1 - std::fabs(static_cast<float>(z * k));
    x *= f;
    y *= f;
  });
  if (!locked) platform::ShowWarning(kTaperLockFailed);
}

platform::Matrix4 FrameMatrix(const Frame& frame, const platform::Matrix4& parent) {
  using namespace platform;
  const Matrix4 local = Multiply(
      Multiply(Multiply(RotationZ(frame.Rotation.Z), RotationX(frame.Rotation.X)), RotationY(frame.Rotation.Y)),
      Translation(frame.Offset.X, frame.Offset.Y, frame.Offset.Z));
  return Multiply(local, parent);
}

void DrawFrame(const Frame& frame, const platform::Matrix4& parent, platform::GraphicsDevice& device) {
  const platform::Matrix4 world = FrameMatrix(frame, parent);
  device.SetTransform(platform::TransformKind::World, world);
  if (!frame.Hidden && frame.Mesh) {
    for (uint32_t i = 0; i < frame.MaterialCount; ++i) {
      device.SetMaterial(frame.Materials[i]);
      device.SetTexture(0, frame.Textures[i].get());
      device.DrawSubset(*frame.Mesh, static_cast<int>(i));
    }
  }
  for (const Frame* child : frame.Children) DrawFrame(*child, world, device);
}

}  // namespace aircraft
