#pragma once
// Text X files into an XScene: frames, meshes with their per-face and per-vertex data,
// and materials. Every count is checked against the text that is left before anything
// is allocated for it, and every index against the list it points into; the first
// inconsistency ends the reading and names its line and what was expected there.
#include <optional>
#include <string_view>

#include "platform/assets/x_file.h"
#include "platform/assets/x_scene.h"

namespace platform::xfile {

struct SceneResult {
  std::optional<XScene> Scene;
  XFileError Error;  // meaningful only without a scene
};

// The whole file, header included.
SceneResult ParseXScene(std::string_view text);

}  // namespace platform::xfile
