#include "platform/gfx/graphics_device.h"

namespace platform {

std::unique_ptr<Texture> LoadTexture(GraphicsDevice& device, std::string_view gameFileName, uint32_t colorKey) {
  const std::optional<Image> image = LoadBmpImage(gameFileName, colorKey);
  if (!image) return nullptr;
  std::optional<BudgetShare> share = BudgetShare::Take(image->Pixels.size() * sizeof(image->Pixels[0]));
  if (!share) return nullptr;
  std::unique_ptr<Texture> texture = device.CreateTexture(*image, gameFileName);
  if (texture) texture->Share = std::move(share);
  return texture;
}

}  // namespace platform
