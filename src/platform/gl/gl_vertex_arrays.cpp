#include "platform/gl/gl_vertex_arrays.h"

#include <cmath>
#include <cstring>
#include <utility>

#include "platform/gfx/graphics_types.h"

namespace platform::gl {

VertexLayout LayoutOf(uint32_t fvf) {
  VertexLayout layout;
  int offset = 0;
  if (fvf & Fvf::XyzRhw) {
    layout.PositionSize = 4;
  } else if (fvf & Fvf::Xyz) {
    layout.PositionSize = 3;
  }
  offset += layout.PositionSize * 4;
  if (fvf & Fvf::Normal) layout.Normal = offset, offset += 12;
  if (fvf & Fvf::Diffuse) layout.Diffuse = offset, offset += 4;
  layout.TexSets = static_cast<int>((fvf & Fvf::TexCountMask) >> 8);
  if (layout.TexSets > 0) layout.TexCoords = offset, offset += 8 * layout.TexSets;
  layout.Size = offset;
  return layout;
}

const uint8_t* PrepareVertices(const VertexLayout& layout, const uint8_t* vertices, int stride, int count,
                               bool bgraColors, std::vector<uint8_t>& scratch) {
  const bool homogeneous = layout.PositionSize == 4;
  const bool swapColors = layout.Diffuse >= 0 && !bgraColors;
  if (!homogeneous && !swapColors) return vertices;

  scratch.assign(vertices, vertices + static_cast<size_t>(stride) * static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    uint8_t* vertex = scratch.data() + static_cast<size_t>(i) * static_cast<size_t>(stride);
    if (homogeneous) {
      float p[4];
      std::memcpy(p, vertex, sizeof p);
      // rhw is 1/w; a value that is not a positive number is drawn as 1.
      const float w = (p[3] > 0 && std::isfinite(p[3])) ? 1.0f / p[3] : 1.0f;
      const float q[4] = {p[0] * w, p[1] * w, p[2] * w, w};
      std::memcpy(vertex, q, sizeof q);
    }
    if (swapColors) std::swap(vertex[layout.Diffuse], vertex[layout.Diffuse + 2]);
  }
  return scratch.data();
}

void BindArrays(const Api& api, const VertexLayout& layout, const uint8_t* vertices, int stride, int units) {
  glEnableClientState(GL_VERTEX_ARRAY);
  glVertexPointer(layout.PositionSize, GL_FLOAT, stride, vertices);

  if (layout.Normal >= 0) {
    glEnableClientState(GL_NORMAL_ARRAY);
    glNormalPointer(GL_FLOAT, stride, vertices + layout.Normal);
  } else {
    glDisableClientState(GL_NORMAL_ARRAY);
    glNormal3f(0, 0, 0);  // unlit but for ambient and emissive light, as D3D lights a vertex without a normal
  }

  if (layout.Diffuse >= 0) {
    glEnableClientState(GL_COLOR_ARRAY);
    // GL_BGRA as the size reads the bytes in D3DCOLOR order; converted copies are RGBA.
    glColorPointer(api.BgraVertexColors ? GL_BGRA : 4, GL_UNSIGNED_BYTE, stride, vertices + layout.Diffuse);
  } else {
    glDisableClientState(GL_COLOR_ARRAY);
    glColor4f(1, 1, 1, 1);  // white where the vertices carry no colour
  }

  for (int unit = 0; unit < units; ++unit) {
    api.ClientActiveTexture(GL_TEXTURE0 + unit);
    if (unit < layout.TexSets) {
      glEnableClientState(GL_TEXTURE_COORD_ARRAY);
      glTexCoordPointer(2, GL_FLOAT, stride, vertices + layout.TexCoords + 8 * unit);
    } else {
      glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    }
  }
}

}  // namespace platform::gl
