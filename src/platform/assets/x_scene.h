#pragma once
// What the X file parser keeps of a file: every mesh as written, the frames that place
// them and the materials named at file level, for the mesh builder to merge.
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/gfx/graphics_resources.h"
#include "platform/gfx/matrix.h"

namespace platform::xfile {

inline constexpr int kNoFrame = -1;

using TexCoord = std::array<float, 2>;

struct FaceList {
  std::vector<uint32_t> sizes;    // corners of each face
  std::vector<uint32_t> corners;  // the index of every corner, face after face
};

// One material of a MeshMaterialList: written in place, or a reference by name.
struct MaterialSlot {
  std::optional<MeshMaterial> material;
  std::string reference;
  int line = 0;  // of the file, where the slot is written
};

struct RawMesh {
  int frame = kNoFrame;
  int line = 0;  // of the file, where the mesh's '{' stands
  std::vector<Vec3> positions;
  FaceList faces;
  std::vector<Vec3> normals;
  bool hasNormals = false;
  std::vector<uint32_t> normalCorners;  // parallel to faces.corners when hasNormals
  std::vector<TexCoord> texCoords;      // one per position; empty without MeshTextureCoords
  std::vector<uint32_t> faceMaterials;  // may be shorter than the face list
  std::vector<MaterialSlot> materials;  // empty without MeshMaterialList

  bool Contributes() const { return !positions.empty() && !faces.sizes.empty(); }
};

struct FrameNode {
  Matrix4 local = Identity();
  int parent = kNoFrame;
};

struct XScene {
  std::vector<RawMesh> meshes;
  std::vector<FrameNode> frames;  // a frame's parent always comes before it
  std::map<std::string, MeshMaterial> namedMaterials;
  int lastLine = 1;  // of the file: where the text ends
};

}  // namespace platform::xfile
