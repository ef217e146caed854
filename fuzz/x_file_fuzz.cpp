// Any bytes as a text X file; a mesh that loads also gets what the game does to it next.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/assets/x_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto loaded = platform::ParseXFileMesh(std::string_view(reinterpret_cast<const char*>(data), size));
  if (loaded) {
    loaded->Geometry->ComputeNormals();
    auto clone = loaded->Geometry->CloneWithFvf(platform::Fvf::MeshVertex);
    if (clone) clone->ComputeNormals();
  }
  return 0;
}
