#include "world/scene_vertex.h"

#include "platform/services.h"

namespace world {

std::unique_ptr<platform::Texture> LoadSceneTexture(platform::GraphicsDevice& device, const char* gameFileName,
                                                    uint32_t colorKey, const char* failureMessage) {
  auto texture = platform::LoadTexture(device, gameFileName, colorKey);
  if (!texture) platform::ShowWarning(failureMessage);
  return texture;
}

void SetTextureAndDiffuse(platform::GraphicsDevice& device, uint32_t colorOp) {
  device.SetStageState(0, platform::StageState::ColorOp, colorOp);
  device.SetStageState(0, platform::StageState::ColorArg1, platform::TextureArg::Texture);
  device.SetStageState(0, platform::StageState::ColorArg2, platform::TextureArg::Diffuse);
}

}  // namespace world
