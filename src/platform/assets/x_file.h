#pragma once
// Reader of text X files ("xof ....txt ...."): every Mesh in the file, each moved by
// the FrameTransformMatrix chain of the Frames around it, merged into one triangle
// mesh with one subset per material.
//
// What it makes of the file:
// - Vertex format: position, plus a normal when every mesh carries MeshNormals, plus
//   one (u, v) when any mesh carries MeshTextureCoords. Values are kept as written:
//   no handedness change, no flipping of v; a frame matrix other than the identity
//   moves positions and turns normals (renormalised).
// - A corner whose normal index differs from what an earlier corner of the same
//   position used gets a vertex of its own, so every (position, normal) pair is one
//   vertex. Polygons become triangle fans around their first corner.
// - Materials come in file order, mesh after mesh; a mesh without MeshMaterialList
//   gets one white material. Faces are sorted by material, so subset i is material
//   i's contiguous range of the index list. A face-material list shorter than the
//   face count repeats its last entry.
// - Templates, comments ("//", "#") and unknown objects are skipped; "," and ";" are
//   interchangeable; keywords are matched without regard to case. Material references
//   "{ Name }" are followed (also to Materials written later); references in Frames
//   (a Mesh drawn again elsewhere) are not.
//
// No mesh comes from binary or compressed files, files without a usable mesh, and any
// inconsistency in the data the mesh is built from (an index past its list, a count
// that the remaining text cannot hold, per-vertex data that does not match the vertex
// count, a material reference naming no material). The first such fault is reported
// with its line.
//
// The work is split in three: x_lexer (tokens), x_parser (tokens into an XScene) and
// x_mesh_builder (the scene into one mesh).
#include <optional>
#include <string>
#include <string_view>

#include "platform/gfx/graphics_resources.h"

namespace platform {

// Why a file gave no mesh.
struct XFileError {
  int Line = 0;          // of the file, from 1, where reading stopped
  std::string Expected;  // what the reader needed there, e.g. "a vertex index below 3"
};

struct XFileResult {
  std::optional<LoadedMesh> Mesh;
  XFileError Error;  // meaningful only without a mesh
};

XFileResult ReadXFileMesh(std::string_view text);
// The mesh alone, for callers that only need to know whether the file loads.
std::optional<LoadedMesh> ParseXFileMesh(std::string_view text);

}  // namespace platform
