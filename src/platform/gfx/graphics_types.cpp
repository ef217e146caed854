#include "platform/gfx/graphics_types.h"

namespace platform::Fvf {

int Stride(uint32_t fvf) {
  int bytes = 0;
  if (fvf & Xyz) bytes += 12;
  if (fvf & XyzRhw) bytes += 16;
  if (fvf & Normal) bytes += 12;
  if (fvf & Diffuse) bytes += 4;
  bytes += static_cast<int>((fvf & TexCountMask) >> 8) * 8;
  return bytes;
}

}  // namespace platform::Fvf
