// The in-memory triangle mesh: vertex bytes in one of the flexible vertex formats,
// a triangle list and per-material ranges of it.
#include <cstring>

#include "platform/gfx/graphics_resources.h"
#include "platform/gfx/matrix.h"

namespace platform {
namespace {

constexpr int kFloatBytes = static_cast<int>(sizeof(float));
constexpr int kXyzBytes = 3 * kFloatBytes;
constexpr int kXyzRhwBytes = 4 * kFloatBytes;
constexpr int kNormalBytes = 3 * kFloatBytes;
constexpr int kDiffuseBytes = 4;  // one packed ARGB word
constexpr int kTexCoordBytes = 2 * kFloatBytes;

bool HasPosition(uint32_t fvf) { return (fvf & (Fvf::Xyz | Fvf::XyzRhw)) != 0; }

int PositionBytes(uint32_t fvf) {
  int bytes = 0;
  if (fvf & Fvf::Xyz) bytes += kXyzBytes;
  if (fvf & Fvf::XyzRhw) bytes += kXyzRhwBytes;
  return bytes;
}

int NormalBytes(uint32_t fvf) { return (fvf & Fvf::Normal) ? kNormalBytes : 0; }
int DiffuseBytes(uint32_t fvf) { return (fvf & Fvf::Diffuse) ? kDiffuseBytes : 0; }
bool HasTexCoords(uint32_t fvf) { return (fvf & Fvf::TexCountMask) != 0; }

Vec3 ReadVec3(const uint8_t* p) {
  float v[3];
  std::memcpy(v, p, sizeof v);
  return {v[0], v[1], v[2]};
}

void WriteVec3(uint8_t* p, const Vec3& v) {
  const float f[3] = {v.X, v.Y, v.Z};
  std::memcpy(p, f, sizeof f);
}

}  // namespace

Mesh::Mesh(uint32_t fvf, int vertexCount)
    : fvf_(fvf),
      stride_(Fvf::Stride(fvf)),
      vertexCount_(vertexCount > 0 ? vertexCount : 0),
      vertices_(static_cast<size_t>(vertexCount_) * static_cast<size_t>(stride_), 0) {}

float* Mesh::LockVertices() {
  if (failLocks_) return nullptr;
  return reinterpret_cast<float*>(vertices_.data());
}

int Mesh::PositionOffset() const { return HasPosition(fvf_) ? 0 : -1; }

int Mesh::NormalOffset() const { return (fvf_ & Fvf::Normal) ? PositionBytes(fvf_) : -1; }

int Mesh::DiffuseOffset() const { return (fvf_ & Fvf::Diffuse) ? PositionBytes(fvf_) + NormalBytes(fvf_) : -1; }

int Mesh::TexCoordOffset() const {
  return HasTexCoords(fvf_) ? PositionBytes(fvf_) + NormalBytes(fvf_) + DiffuseBytes(fvf_) : -1;
}

std::unique_ptr<Mesh> Mesh::CloneWithFvf(uint32_t fvf) const {
  // A vertex without a position cannot be drawn as a mesh.
  if (!HasPosition(fvf)) return nullptr;
  auto clone = std::make_unique<Mesh>(fvf, vertexCount_);
  clone->Indices = Indices;
  clone->Subsets = Subsets;

  struct Component {
    int from, to, bytes;
  };
  // Only x, y, z travel between position kinds; a new rhw stays zero.
  const Component components[] = {
      {PositionOffset(), clone->PositionOffset(), kXyzBytes},
      {NormalOffset(), clone->NormalOffset(), kNormalBytes},
      {TexCoordOffset(), clone->TexCoordOffset(), kTexCoordBytes},
  };
  for (int i = 0; i < vertexCount_; ++i) {
    const uint8_t* src = vertices_.data() + static_cast<size_t>(i) * stride_;
    uint8_t* dst = clone->vertices_.data() + static_cast<size_t>(i) * clone->stride_;
    for (const Component& c : components) {
      if (c.from >= 0 && c.to >= 0) std::memcpy(dst + c.to, src + c.from, c.bytes);
    }
  }
  return clone;
}

void Mesh::ComputeNormals() {
  const int normalOffset = NormalOffset();
  if (normalOffset < 0 || !HasPosition(fvf_)) return;

  // The cross product of two edges is twice the face's area long, so summing the
  // unnormalised products weights each face by its area.
  std::vector<Vec3> sums(static_cast<size_t>(vertexCount_));
  auto position = [&](uint32_t v) { return ReadVec3(vertices_.data() + static_cast<size_t>(v) * stride_); };
  const auto count = static_cast<uint32_t>(vertexCount_);
  for (size_t t = 0; t + 2 < Indices.size(); t += 3) {
    const uint32_t a = Indices[t], b = Indices[t + 1], c = Indices[t + 2];
    if (a >= count || b >= count || c >= count) continue;  // a broken triangle adds nothing
    const Vec3 pa = position(a);
    const Vec3 n = Cross(Subtract(position(b), pa), Subtract(position(c), pa));
    for (uint32_t v : {a, b, c}) {
      sums[v] = {sums[v].X + n.X, sums[v].Y + n.Y, sums[v].Z + n.Z};
    }
  }

  // A vertex that belongs to no face (or only to degenerate ones) keeps (0, 0, 0).
  for (size_t v = 0; v < sums.size(); ++v) {
    WriteVec3(vertices_.data() + v * stride_ + normalOffset, UnitOrUnchanged(sums[v]));
  }
  ++version_;
}

}  // namespace platform
