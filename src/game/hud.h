#pragma once
// The 2D building blocks drawn over the scene: a line of text, a textured screen
// rectangle, and the distance in picture digits.
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/gfx/graphics_device.h"

namespace game {

// One line of text in a rectangle, white.
struct TextBox {
  int16_t FontHeight = 0;  // px
  int16_t Left = 0, Top = 0, Width = 0, Height = 0;
  std::unique_ptr<platform::Font> Font;

  void Create(platform::GraphicsDevice& device, int16_t fontHeight, int16_t left, int16_t top, int16_t width,
              int16_t height);
  void Draw(const std::string& sjisText) const;
  // Draws it white inside a dark outline one pixel wide, so it stays readable where the
  // scene behind it is as light as the text (the clouds).
  void DrawOutlined(const std::string& sjisText) const;
};

// A pre-transformed vertex: back-buffer pixels, colour, two texture coordinate sets.
struct ScreenVertex {
  float X, Y, Z, Rhw;
  uint32_t Diffuse;
  float U0, V0, U1, V1;
};
static_assert(sizeof(ScreenVertex) == 36);

// A textured rectangle in back-buffer pixels, drawn as a two-triangle strip.
struct ScreenQuad {
  int16_t X = 0, Y = 0, Width = 200, Height = 200;
  std::array<std::unique_ptr<platform::Texture>, 2> Textures;
  int8_t TextureCount = 1;
  std::array<ScreenVertex, 4> Vertices = MakeVertices(0, 0, 200, 200);
  uint8_t Visible = 1;

  // Loads slot 0 from a BMP with pure green transparent; reports a failure.
  void SetTexture(platform::GraphicsDevice& device, const std::string& gameFileName);
  void SetPosition(int16_t x, int16_t y);
  void SetSize(int16_t width, int16_t height);
  void Draw(platform::GraphicsDevice& device) const;

  static std::array<ScreenVertex, 4> MakeVertices(float x, float y, float width, float height);
};

// The distance in picture digits: one quad repeated over `DigitCount` cells.
struct ResultNumber {
  ScreenQuad Cell;  // position of the first cell and the size of one cell
  int8_t DigitCount = 1;
  std::array<std::unique_ptr<platform::Texture>, 12> Digits;  // 0-9, 10 unused, 11 the point

  void LoadTextures(platform::GraphicsDevice& device);
  void Place(int16_t x, int16_t y, int16_t cellWidth, int16_t cellHeight);
  // Draws the text right-aligned in the cells; only its last DigitCount characters fit.
  void Draw(platform::GraphicsDevice& device, const std::string& text);
};

// Which texture each cell shows (-1: empty) for a text.
std::array<int, 12> DigitCodes(const std::string& text, int digitCount);

inline constexpr uint32_t kTransparentGreen = 0xFF00FF00;  // colour key of the HUD pictures
inline constexpr int kDecimalPointTexture = 11;

}  // namespace game
