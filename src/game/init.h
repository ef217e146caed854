#pragma once
#include "game/game.h"

namespace game {

// Creates everything that lives for the whole run after the first aircraft: scenery,
// water, sky, ranking, HUD text, light, lens, tail gauge and result digits, in that
// order. What cannot be made is reported by its maker and left out.
void CreateLongLivedObjects(Game& game);

// Where the tail gauge stands: its x, and the marker's top for a tail setting (deg).
int16_t GaugeX(const Game& game);
int16_t GaugeY(const Game& game, double tailSettingDeg);

// Builds the world objects (scenery, poles, trees, mountains, water, sky).
void CreateScene(Scene& scene, platform::GraphicsDevice& device);

}  // namespace game
