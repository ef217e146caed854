#pragma once
// Fixed scenery around the lake: the pole structure and ramp of the launch site, two
// strips of trees and three mountain slopes, each drawn from a few vertices in memory.
#include <memory>

#include "world/scene_vertex.h"

namespace world {

struct Scenery {
  std::unique_ptr<platform::Texture> PoleTexture;
  std::unique_ptr<platform::Texture> TreeTexture;
  std::unique_ptr<platform::Texture> MountainTexture;

  void LoadPoleTexture(platform::GraphicsDevice& device);
  void LoadTreeTexture(platform::GraphicsDevice& device);
  void LoadMountainTexture(platform::GraphicsDevice& device);

  // The poles set no stage operation: they draw with the one the water left.
  void DrawPoles(platform::GraphicsDevice& device);
  void DrawTrees(platform::GraphicsDevice& device);
  void DrawMountains(platform::GraphicsDevice& device);
};

}  // namespace world
