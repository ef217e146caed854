#pragma once
// Resources the graphics device draws from. Buffers and meshes live in ordinary
// memory (the device uploads what changed); textures and fonts are made by the device.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gfx/graphics_types.h"
#include "platform/os/resource_budget.h"

namespace platform {

// 32-bit pixels, top row first, each 0xAARRGGBB.
struct Image {
  int Width = 0;
  int Height = 0;
  std::vector<uint32_t> Pixels;
};

// Reads a BMP picture (1/4/8/24/32-bit, either row order). A texel whose colour equals
// colorKey exactly (alpha included; the picture is opaque) becomes transparent black;
// colorKey 0 means none. Nothing when the file is missing or not a readable BMP.
std::optional<Image> LoadBmpImage(std::string_view gameFileName, uint32_t colorKey = 0);
std::optional<Image> DecodeBmp(const uint8_t* data, size_t size, uint32_t colorKey = 0);

class Texture {
public:
  virtual ~Texture() = default;
  int Width = 0;
  int Height = 0;
  std::string Name;                  // the file it was made from, for diagnostics and tests
  std::optional<BudgetShare> Share;  // the memory budget it holds, when loaded from a file
};

class Font {
public:
  virtual ~Font() = default;
  // Draws one line of Shift-JIS text at the rectangle's top-left, not clipped.
  virtual void DrawText(const std::string& sjisText, const PixelRect& rect, uint32_t argb) = 0;
};

struct FontDesc {
  int Height = 0;           // px
  bool FixedPitch = false;  // every character cell equally wide
  bool operator==(const FontDesc&) const = default;
};

// Bytes a draw reads from. Lock hands out the memory (nothing when the lock fails);
// Unlock marks the content changed.
class GpuBuffer {
public:
  explicit GpuBuffer(size_t bytes) : bytes_(bytes) {}
  void* Lock() { return failLocks_ ? nullptr : bytes_.data(); }
  void Unlock() { ++version_; }
  const uint8_t* Data() const { return bytes_.data(); }
  size_t Size() const { return bytes_.size(); }
  uint64_t Version() const { return version_; }
  void FailLocks(bool fail) { failLocks_ = fail; }

private:
  std::vector<uint8_t> bytes_;
  uint64_t version_ = 0;
  bool failLocks_ = false;
};

class VertexBuffer : public GpuBuffer {
public:
  using GpuBuffer::GpuBuffer;
};

// 16-bit indices.
class IndexBuffer : public GpuBuffer {
public:
  using GpuBuffer::GpuBuffer;
  const uint16_t* Indices() const { return reinterpret_cast<const uint16_t*>(Data()); }
};

// A triangle mesh: vertices of one format, a triangle list, and one range of the list
// per subset (material).
class Mesh {
public:
  struct Subset {
    uint32_t StartIndex = 0;
    uint32_t IndexCount = 0;
  };

  Mesh(uint32_t fvf, int vertexCount);

  uint32_t Fvf() const { return fvf_; }
  int Stride() const { return stride_; }
  int VertexCount() const { return vertexCount_; }
  std::vector<uint32_t> Indices;
  std::vector<Subset> Subsets;

  // Vertex memory for rewriting in place; nothing when the lock fails.
  float* LockVertices();
  void UnlockVertices() { ++version_; }
  const uint8_t* VertexData() const { return vertices_.data(); }
  uint64_t Version() const { return version_; }
  void FailLocks(bool fail) { failLocks_ = fail; }

  // A copy in another vertex format: positions, normals and the first texture
  // coordinates carried over where both formats have them, zero elsewhere.
  std::unique_ptr<Mesh> CloneWithFvf(uint32_t fvf) const;
  // Vertex normals from the faces (each face's normal weighted by its area).
  void ComputeNormals();

  // Offsets of the components in a vertex, -1 where the format has none.
  int PositionOffset() const;
  int NormalOffset() const;
  int DiffuseOffset() const;
  int TexCoordOffset() const;

private:
  uint32_t fvf_;
  int stride_;
  int vertexCount_;
  std::vector<uint8_t> vertices_;
  uint64_t version_ = 0;
  bool failLocks_ = false;
};

// A mesh read from an X file with its materials, one per subset.
struct MeshMaterial {
  Material Colors;
  std::string TextureFile;  // as the file names it; empty when none
};
struct LoadedMesh {
  std::unique_ptr<Mesh> Geometry;
  std::vector<MeshMaterial> Materials;
  std::optional<BudgetShare> Share;  // the memory budget it holds, when loaded from a file
};

}  // namespace platform
