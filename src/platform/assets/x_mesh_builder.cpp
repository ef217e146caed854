#include "platform/assets/x_mesh_builder.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <map>
#include <string>
#include <tuple>
#include <unordered_map>
#include <utility>
#include <vector>

namespace platform::xfile {
namespace {

constexpr uint32_t kNoIndex = UINT32_MAX;
// A reference "{a}" costs three characters but copies a whole material, so the merged
// mesh's materials are capped to keep memory in proportion to the file.
constexpr size_t kMaxMaterials = 65536;

struct BuildVertex {
  Vec3 position;
  Vec3 normal;
  TexCoord uv{};
};

// Where a mesh's frames put it: positions move by the matrix, normals turn by its
// inverse transpose. The identity is left alone so values stay exactly as written.
class Placement {
public:
  explicit Placement(const Matrix4& m) : m_(m), identity_(m == Identity()) {
    // The cofactor matrix is the inverse transpose times the determinant; only its
    // direction matters, but a mirroring matrix (negative determinant) flips it.
    for (int i = 0; i < 3; ++i) {
      for (int j = 0; j < 3; ++j) {
        normal_[i][j] = m.M[(i + 1) % 3][(j + 1) % 3] * m.M[(i + 2) % 3][(j + 2) % 3] -
                        m.M[(i + 1) % 3][(j + 2) % 3] * m.M[(i + 2) % 3][(j + 1) % 3];
      }
    }
    const float det = m.M[0][0] * normal_[0][0] + m.M[0][1] * normal_[0][1] + m.M[0][2] * normal_[0][2];
    if (det < 0) {
      for (auto& row : normal_) {
        for (float& x : row) x = -x;
      }
    }
  }

  Vec3 Position(const Vec3& p) const {
    if (identity_) return p;
    const auto& m = m_.M;
    return {p.X * m[0][0] + p.Y * m[1][0] + p.Z * m[2][0] + m[3][0],
            p.X * m[0][1] + p.Y * m[1][1] + p.Z * m[2][1] + m[3][1],
            p.X * m[0][2] + p.Y * m[1][2] + p.Z * m[2][2] + m[3][2]};
  }

  Vec3 Normal(const Vec3& n) const {
    if (identity_) return n;
    // Row vector times the cofactor matrix transposed back: n' = n * inverse(M)^T.
    return UnitOrUnchanged({n.X * normal_[0][0] + n.Y * normal_[1][0] + n.Z * normal_[2][0],
                            n.X * normal_[0][1] + n.Y * normal_[1][1] + n.Z * normal_[2][1],
                            n.X * normal_[0][2] + n.Y * normal_[1][2] + n.Z * normal_[2][2]});
  }

private:
  Matrix4 m_;
  bool identity_;
  float normal_[3][3];
};

MeshMaterial DefaultMaterial() {
  MeshMaterial material;
  material.Colors.Diffuse = {1, 1, 1, 1};
  return material;
}

class MeshBuilder {
public:
  MeshBuilder(bool withNormals, bool withTexCoords) : withNormals_(withNormals), withTexCoords_(withTexCoords) {}

  void Add(const RawMesh& mesh, const Placement& placement, std::vector<MeshMaterial> materials) {
    const auto base = static_cast<uint32_t>(vertices_.size());
    const auto materialBase = static_cast<uint32_t>(materials_.size());
    for (MeshMaterial& m : materials) materials_.push_back(std::move(m));
    trianglesByMaterial_.resize(materials_.size());

    const std::vector<uint32_t> cornerVertex = AddVertices(mesh, placement);
    size_t corner = 0;
    for (size_t f = 0; f < mesh.faces.sizes.size(); ++f) {
      const uint32_t size = mesh.faces.sizes[f];
      std::vector<uint32_t>& out = trianglesByMaterial_[materialBase + FaceMaterial(mesh, f)];
      // A polygon becomes a fan around its first corner; fewer than 3 corners draw nothing.
      for (uint32_t k = 1; k + 1 < size; ++k) {
        for (size_t c : {corner, corner + k, corner + k + 1}) out.push_back(base + cornerVertex[c]);
      }
      corner += size;
    }
  }

  // The merged mesh; lastLine is where a fault in the file as a whole is reported.
  XFileResult Finish(int lastLine) {
    size_t indexCount = 0;
    for (const auto& list : trianglesByMaterial_) indexCount += list.size();
    if (indexCount == 0) return {std::nullopt, {lastLine, "a face with at least 3 corners"}};
    if (vertices_.size() > static_cast<size_t>(INT_MAX)) {
      return {std::nullopt, {lastLine, "at most " + std::to_string(INT_MAX) + " vertices in all"}};
    }

    const uint32_t fvf = Fvf::Xyz | (withNormals_ ? Fvf::Normal : 0u) | (withTexCoords_ ? Fvf::Tex1 : 0u);
    auto mesh = std::make_unique<Mesh>(fvf, static_cast<int>(vertices_.size()));
    WriteVertices(*mesh);
    mesh->Indices.reserve(indexCount);
    for (const auto& list : trianglesByMaterial_) {
      mesh->Subsets.push_back({static_cast<uint32_t>(mesh->Indices.size()), static_cast<uint32_t>(list.size())});
      mesh->Indices.insert(mesh->Indices.end(), list.begin(), list.end());
    }
    return {LoadedMesh{std::move(mesh), std::move(materials_), std::nullopt}, {}};
  }

private:
  static uint32_t FaceMaterial(const RawMesh& mesh, size_t face) {
    if (mesh.faceMaterials.empty()) return 0;
    return mesh.faceMaterials[std::min(face, mesh.faceMaterials.size() - 1)];
  }

  // Normal indices with equal vectors mapped to the first of them, so that a file that
  // repeats a normal under several indices does not split vertices for nothing.
  static std::vector<uint32_t> CanonicalNormals(const std::vector<Vec3>& normals) {
    std::map<std::tuple<float, float, float>, uint32_t> firstWithValue;
    std::vector<uint32_t> canonical(normals.size());
    for (uint32_t n = 0; n < normals.size(); ++n) {
      canonical[n] = firstWithValue.emplace(std::tuple(normals[n].X, normals[n].Y, normals[n].Z), n).first->second;
    }
    return canonical;
  }

  // Appends one vertex per position, in file order, plus one for every further normal
  // a position is used with; returns the mesh-local vertex of every corner.
  std::vector<uint32_t> AddVertices(const RawMesh& mesh, const Placement& placement) {
    std::vector<uint32_t> cornerVertex = mesh.faces.corners;
    std::vector<uint32_t> firstNormal(mesh.positions.size(), kNoIndex);
    std::vector<std::pair<uint32_t, uint32_t>> extra;  // (position, normal) beyond the first
    if (withNormals_ && mesh.hasNormals) {
      const std::vector<uint32_t> canonical = CanonicalNormals(mesh.normals);
      std::unordered_map<uint64_t, uint32_t> extraIndex;
      const auto positionCount = static_cast<uint32_t>(mesh.positions.size());
      for (size_t c = 0; c < cornerVertex.size(); ++c) {
        const uint32_t p = mesh.faces.corners[c], n = canonical[mesh.normalCorners[c]];
        if (firstNormal[p] == kNoIndex) firstNormal[p] = n;
        if (firstNormal[p] == n) continue;
        const uint64_t key = (static_cast<uint64_t>(p) << 32) | n;
        const auto [it, added] = extraIndex.emplace(key, positionCount + static_cast<uint32_t>(extra.size()));
        if (added) extra.emplace_back(p, n);
        cornerVertex[c] = it->second;
      }
    }
    for (uint32_t p = 0; p < mesh.positions.size(); ++p) AddVertex(mesh, placement, p, firstNormal[p]);
    for (const auto& [p, n] : extra) AddVertex(mesh, placement, p, n);
    return cornerVertex;
  }

  void AddVertex(const RawMesh& mesh, const Placement& placement, uint32_t position, uint32_t normal) {
    BuildVertex v;
    v.position = placement.Position(mesh.positions[position]);
    if (normal != kNoIndex) v.normal = placement.Normal(mesh.normals[normal]);
    if (!mesh.texCoords.empty()) v.uv = mesh.texCoords[position];
    vertices_.push_back(v);
  }

  void WriteVertices(Mesh& mesh) const {
    auto* bytes = reinterpret_cast<uint8_t*>(mesh.LockVertices());
    if (!bytes) return;
    const auto stride = static_cast<size_t>(mesh.Stride());
    for (size_t i = 0; i < vertices_.size(); ++i) {
      uint8_t* vertex = bytes + i * stride;
      const BuildVertex& v = vertices_[i];
      const float position[] = {v.position.X, v.position.Y, v.position.Z};
      std::memcpy(vertex + mesh.PositionOffset(), position, sizeof position);
      if (withNormals_) {
        const float normal[] = {v.normal.X, v.normal.Y, v.normal.Z};
        std::memcpy(vertex + mesh.NormalOffset(), normal, sizeof normal);
      }
      if (withTexCoords_) std::memcpy(vertex + mesh.TexCoordOffset(), v.uv.data(), sizeof v.uv);
    }
    mesh.UnlockVertices();
  }

  bool withNormals_, withTexCoords_;
  std::vector<BuildVertex> vertices_;
  std::vector<MeshMaterial> materials_;
  std::vector<std::vector<uint32_t>> trianglesByMaterial_;  // indices, one list per material
};

std::vector<Matrix4> WorldMatrices(const std::vector<FrameNode>& frames) {
  std::vector<Matrix4> world;
  world.reserve(frames.size());
  for (const FrameNode& frame : frames) {
    // Row vectors: the frame's own matrix first, then its parent's.
    world.push_back(frame.parent == kNoFrame ? frame.local
                                             : Multiply(frame.local, world[static_cast<size_t>(frame.parent)]));
  }
  return world;
}

// The mesh's materials with references looked up; the fault when one names no material.
std::optional<XFileError> ResolveMaterials(const RawMesh& mesh, const XScene& scene,
                                           std::vector<MeshMaterial>& materials) {
  if (mesh.materials.empty()) {
    materials.push_back(DefaultMaterial());
    return std::nullopt;
  }
  for (const MaterialSlot& slot : mesh.materials) {
    if (slot.material) {
      materials.push_back(*slot.material);
      continue;
    }
    const auto found = scene.namedMaterials.find(slot.reference);
    if (found == scene.namedMaterials.end())
      return XFileError{slot.line, "a Material named \"" + slot.reference + "\""};
    materials.push_back(found->second);
  }
  return std::nullopt;
}

}  // namespace

XFileResult BuildLoadedMesh(const XScene& scene) {
  bool allNormals = true, anyTexCoords = false;
  size_t materialCount = 0;  // a mesh without a material list gets one
  for (const RawMesh& mesh : scene.meshes) {
    if (!mesh.Contributes()) continue;
    allNormals = allNormals && mesh.hasNormals;
    anyTexCoords = anyTexCoords || !mesh.texCoords.empty();
    materialCount += std::max<size_t>(mesh.materials.size(), 1);
    if (materialCount > kMaxMaterials) {
      return {std::nullopt, {mesh.line, "at most " + std::to_string(kMaxMaterials) + " materials in all"}};
    }
  }
  if (materialCount == 0) return {std::nullopt, {scene.lastLine, "a Mesh with vertices and faces"}};

  const std::vector<Matrix4> world = WorldMatrices(scene.frames);
  MeshBuilder builder(allNormals, anyTexCoords);
  for (const RawMesh& mesh : scene.meshes) {
    if (!mesh.Contributes()) continue;
    std::vector<MeshMaterial> materials;
    if (auto fault = ResolveMaterials(mesh, scene, materials)) return {std::nullopt, std::move(*fault)};
    const Matrix4 placement = mesh.frame == kNoFrame ? Identity() : world[static_cast<size_t>(mesh.frame)];
    builder.Add(mesh, Placement(placement), std::move(materials));
  }
  return builder.Finish(scene.lastLine);
}

}  // namespace platform::xfile
