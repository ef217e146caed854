#pragma once
// Flexible-vertex-format memory handed to GL's client-side vertex arrays.
#include <cstdint>
#include <vector>

#include "platform/gl/gl_api.h"

namespace platform::gl {

// Where each component of a vertex stands (bytes from its start), -1 where the
// format has none. D3D stores them in this order: position, normal, diffuse, texture
// coordinate sets.
struct VertexLayout {
  int Size = 0;          // bytes of the components (a stride may be larger)
  int PositionSize = 0;  // floats: 3 (x, y, z), 4 (pre-transformed x, y, z, rhw), 0 none
  int Normal = -1;
  int Diffuse = -1;  // D3DCOLOR: bytes B, G, R, A in memory
  int TexCoords = -1;
  int TexSets = 0;  // (u, v) pairs
};

VertexLayout LayoutOf(uint32_t fvf);

// Vertices GL can read as they stand, or a converted copy of them in `scratch` (same
// layout): pre-transformed positions become homogeneous (x, y, z, 1) / rhw, so that GL
// interpolates with the same perspective, and colours become RGBA byte order where GL
// cannot read D3D's BGRA order. Converts `count` vertices from `vertices`.
const uint8_t* PrepareVertices(const VertexLayout& layout, const uint8_t* vertices, int stride, int count,
                               bool bgraColors, std::vector<uint8_t>& scratch);

// Points the client arrays at the vertices. Unit i reads coordinate set i (D3D's
// default coordinate index); units beyond the format's sets read none.
void BindArrays(const Api& api, const VertexLayout& layout, const uint8_t* vertices, int stride, int units);

}  // namespace platform::gl
