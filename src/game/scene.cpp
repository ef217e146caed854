#include "game/scene.h"

#include "game/init.h"

namespace game {

void CreateScene(Scene&, platform::GraphicsDevice&) {}

void DrawHome(Scene&, platform::GraphicsDevice&) {}
void DrawLand(Scene&, platform::GraphicsDevice&) {}
void DrawSky(Scene&, platform::GraphicsDevice&) {}
void DrawMountains(Scene&, platform::GraphicsDevice&) {}
void DrawTrees(Scene&, platform::GraphicsDevice&) {}
void DrawWater(Scene&, const Camera&, platform::GraphicsDevice&) {}
void DrawPoles(Scene&, platform::GraphicsDevice&) {}
void DrawRyokan(Scene&, platform::GraphicsDevice&) {}
void DrawAircraft(const flight::Aircraft&, platform::GraphicsDevice&) {}

void ReleaseWater(Scene&) {}
void ReleaseSky(Scene&) {}

}  // namespace game
