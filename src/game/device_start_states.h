#pragma once
// The render states the game sets once on its new graphics device, before anything
// is loaded or drawn; every later state change starts from these.
#include <cstdint>

#include "platform/gfx/graphics_device.h"

namespace game {

inline constexpr uint32_t kStartAmbient = 0xff0f0f0f;  // ARGB: the game's dim global ambient light

inline void SetDeviceStartStates(platform::GraphicsDevice& device) {
  using platform::RenderState;
  device.SetRenderState(RenderState::CullMode, platform::CullMode::Clockwise);
  device.SetRenderState(RenderState::Lighting, 1);
  device.SetRenderState(RenderState::ShadeMode, platform::ShadeMode::Gouraud);
  device.SetRenderState(RenderState::Ambient, kStartAmbient);
  device.SetRenderState(RenderState::ZEnable, 1);
  device.SetRenderState(RenderState::ZWriteEnable, 1);
  device.SetRenderState(RenderState::NormalizeNormals, 1);
}

}  // namespace game
