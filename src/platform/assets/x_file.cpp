// Reading an X file: the parser turns the text into a scene, the builder the scene
// into one mesh; either names the first fault it finds.
#include "platform/assets/x_file.h"

#include "platform/io/files.h"
#include "platform/gfx/graphics_device.h"
#include "platform/assets/x_mesh_builder.h"
#include "platform/assets/x_parser.h"

namespace platform {
namespace {

// The largest X file the game reads; bigger files are refused rather than parsed cut off.
constexpr size_t kXFileReadLimit = 16 * 1024 * 1024;

}  // namespace

XFileResult ReadXFileMesh(std::string_view text) {
  xfile::SceneResult parsed = xfile::ParseXScene(text);
  if (!parsed.Scene) return {std::nullopt, std::move(parsed.Error)};
  return xfile::BuildLoadedMesh(*parsed.Scene);
}

std::optional<LoadedMesh> ParseXFileMesh(std::string_view text) { return std::move(ReadXFileMesh(text).Mesh); }

std::optional<LoadedMesh> LoadXFileMesh(std::string_view gameFileName) {
  // One byte past the limit tells a file that is too large from one that just fits.
  const auto text = ReadFilePrefix(gameFileName, kXFileReadLimit + 1);
  if (!text || text->size() > kXFileReadLimit) return std::nullopt;
  std::optional<LoadedMesh> mesh = ParseXFileMesh(*text);
  if (!mesh || !mesh->Geometry) return mesh;
  const Mesh& m = *mesh->Geometry;
  mesh->Share =
      BudgetShare::Take(size_t(m.VertexCount()) * size_t(m.Stride()) + m.Indices.size() * sizeof(m.Indices[0]));
  if (!mesh->Share) return std::nullopt;
  return mesh;
}

}  // namespace platform
