#pragma once
// An XScene merged into one triangle mesh: every mesh placed by its frames, vertices
// split where a position is used with different normals, faces sorted into one subset
// per material (see x_file.h for the result's layout).
#include "platform/assets/x_file.h"
#include "platform/assets/x_scene.h"

namespace platform::xfile {

XFileResult BuildLoadedMesh(const XScene& scene);

}  // namespace platform::xfile
