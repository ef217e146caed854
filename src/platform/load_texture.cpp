#include "platform/graphics_device.h"

namespace platform {

std::unique_ptr<Texture> LoadTexture(GraphicsDevice& device, std::string_view gameFileName, uint32_t colorKey) {
  const std::optional<Image> image = LoadBmpImage(gameFileName, colorKey);
  if (!image) return nullptr;
  return device.CreateTexture(*image, gameFileName);
}

}  // namespace platform
