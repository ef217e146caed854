#pragma once
// A node of a mesh hierarchy: a mesh with its materials and textures, placed by an
// offset and three rotations relative to its parent, with up to 15 children drawn after
// it. The aircraft model and the scenery meshes are made of these.
#include <memory>
#include <string>
#include <vector>

#include "platform/gfx/graphics_device.h"

namespace aircraft {

struct Frame {
  static constexpr size_t kMaxChildren = 15;
  static constexpr size_t kMaxMeshFile = 99;  // characters of a mesh file name

  uint32_t MaterialCount = 0;  // one material per mesh subset
  std::unique_ptr<platform::Mesh> Mesh;
  std::vector<platform::Material> Materials;
  std::vector<std::unique_ptr<platform::Texture>> Textures;  // null where a material has none
  platform::Vec3 Offset;                                     // m, relative to the parent
  platform::Vec3 Rotation;                                   // rad about x, y, z
  std::vector<Frame*> Children;                              // not owned
  std::string MeshFile;
  bool Hidden = false;  // the frame's own mesh is not drawn; its children are

  // Appends a child; a frame takes at most 15.
  void AddChild(Frame* child);
};

// Loads an X mesh with its materials and textures into an empty frame; a mesh in any
// other vertex layout than position, normal and one texture coordinate is converted
// and given computed normals. Failures are reported; the frame then stays without a mesh.
void LoadFrameMesh(Frame& frame, platform::GraphicsDevice& device, const std::string& gameFileName);

// Multiplies every vertex position component-wise.
void ScaleFrame(Frame& frame, float sx, float sy, float sz);

// Narrows the mesh in x and y by 1 - |z k| along its length z.
void TaperScale(Frame& frame, float k);

// The frame's own matrix (rotation z, x, y, then the offset) times the parent's.
platform::Matrix4 FrameMatrix(const Frame& frame, const platform::Matrix4& parent);

// Draws the frame (unless hidden) and then its children under its matrix.
void DrawFrame(const Frame& frame, const platform::Matrix4& parent, platform::GraphicsDevice& device);

}  // namespace aircraft
