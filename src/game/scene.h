#pragma once
// The world drawn around the flight: scenery meshes, water, sky, poles, trees and
// mountains, and the aircraft's model. Members are filled by Init; a member that could
// not be made stays empty and is not drawn.
#include <memory>

#include "aircraft/frame.h"
#include "aircraft/load_aircraft.h"
#include "game/camera.h"
#include "platform/gfx/graphics_device.h"
#include "world/field.h"
#include "world/scenery.h"
#include "world/sky_dome.h"

namespace game {

struct Scene {
  aircraft::Frame Home;    // the launch building and platform
  aircraft::Frame Land;    // the shore
  aircraft::Frame Ryokan;  // the inn across the lake
  world::Scenery Sets;
  std::unique_ptr<world::CWaveField> Water;
  std::unique_ptr<world::SkyDome> Sky;
};

// Each draws one object of the frame with the states it sets itself.
void DrawHome(Scene& scene, platform::GraphicsDevice& device);
void DrawLand(Scene& scene, platform::GraphicsDevice& device);
void DrawSky(Scene& scene, platform::GraphicsDevice& device);
void DrawMountains(Scene& scene, platform::GraphicsDevice& device);
void DrawTrees(Scene& scene, platform::GraphicsDevice& device);
void DrawWater(Scene& scene, const Camera& camera, platform::GraphicsDevice& device);
void DrawPoles(Scene& scene, platform::GraphicsDevice& device);
void DrawRyokan(Scene& scene, platform::GraphicsDevice& device);
void DrawAircraft(const flight::Aircraft& aircraft, platform::GraphicsDevice& device);

// Shutdown releases these two before the device, in the game's order.
void ReleaseWater(Scene& scene);
void ReleaseSky(Scene& scene);

}  // namespace game
