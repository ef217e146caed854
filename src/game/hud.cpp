#include "game/hud.h"

#include <cstdio>

#include "platform/services.h"
#include "platform/text/language.h"
#include "world/scene_vertex.h"

namespace game {
namespace {

namespace Blend = platform::Blend;
using platform::RenderState;
namespace TextureOp = platform::TextureOp;

constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kOutlineColour = 0xFF000000;  // opaque black
constexpr int kOutlinePx = 1;                    // how far the outline reaches out of the glyphs
constexpr int kScreenVertexStride = sizeof(ScreenVertex);
constexpr int kQuadTriangles = 2;

// "%d番テクスチャ%sの作成に失敗しました"
constexpr const char* kQuadTextureFailed = N_(
    "%d\x94\xd4\x83\x65\x83\x4e\x83\x58\x83\x60\x83\x83%s\x82\xcc\x8d\xec\x90\xac\x82\xc9\x8e\xb8\x94\x73\x82\xb5\x82"
    "\xdc\x82\xb5\x82\xbd");
// "%d番Numテクスチャ%sの作成に失敗しました"
constexpr const char* kDigitTextureFailed =
    N_("%d\x94\xd4Num\x83\x65\x83\x4e\x83\x58\x83\x60\x83\x83%s\x82\xcc\x8d\xec\x90\xac\x82\xc9\x8e\xb8\x94\x73\x82\xb5"
       "\x82\xdc\x82\xb5\x82\xbd");
constexpr const char* kDigitFilePrefix = "image\\resultnum";

std::string FormatMessage(const char* format, int index, const std::string& name) {
  char text[512];
  std::snprintf(text, sizeof text, format, index, name.c_str());
  return text;
}

// The order in which a HUD picture sets its two blend factors. The picture digits set
// the destination first; the device sees each order as it always has.
enum class BlendFactorOrder { SourceFirst, DestinationFirst };

// Every HUD picture is blended by its alpha over the scene.
void SetScreenBlending(platform::GraphicsDevice& device, BlendFactorOrder order) {
  device.SetRenderState(RenderState::AlphaBlendEnable, 1);
  const auto source = [&] { device.SetRenderState(RenderState::SrcBlend, Blend::SrcAlpha); };
  const auto destination = [&] { device.SetRenderState(RenderState::DestBlend, Blend::InvSrcAlpha); };
  if (order == BlendFactorOrder::SourceFirst) {
    source();
    destination();
  } else {
    destination();
    source();
  }
}

// Stage 0 of every HUD picture: texture colour times vertex colour, as the scenery's.
void SetScreenStage(platform::GraphicsDevice& device) { world::SetTextureAndDiffuse(device, TextureOp::Modulate); }

}  // namespace

void TextBox::Create(platform::GraphicsDevice& device, int16_t fontHeight, int16_t left, int16_t top, int16_t width,
                     int16_t height) {
  FontHeight = fontHeight;
  Left = left;
  Top = top;
  Width = width;
  Height = height;
  Font = device.CreateFont({fontHeight, false});
}

void TextBox::Draw(const std::string& sjisText) const {
  if (Font) Font->DrawText(sjisText, {Left, Top, Left + Width, Top + Height}, kWhite);
}

void TextBox::DrawOutlined(const std::string& sjisText) const {
  if (!Font) return;
  // The text in the outline's colour moved to each of the eight neighbouring pixels,
  // then the text itself over them.
  for (int dy = -kOutlinePx; dy <= kOutlinePx; dy += kOutlinePx) {
    for (int dx = -kOutlinePx; dx <= kOutlinePx; dx += kOutlinePx) {
      if (dx == 0 && dy == 0) continue;
      Font->DrawText(sjisText, {Left + dx, Top + dy, Left + Width + dx, Top + Height + dy}, kOutlineColour);
    }
  }
  Draw(sjisText);
}

std::array<ScreenVertex, 4> ScreenQuad::MakeVertices(float x, float y, float width, float height) {
  // Top-left, bottom-left, top-right, bottom-right: a strip of two triangles.
  return {{{x, y, 0, 1, kWhite, 0, 0, 0, 0},
           {x, y + height, 0, 1, kWhite, 0, 1, 0, 1},
           {x + width, y, 0, 1, kWhite, 1, 0, 1, 0},
           {x + width, y + height, 0, 1, kWhite, 1, 1, 1, 1}}};
}

void ScreenQuad::SetTexture(platform::GraphicsDevice& device, const std::string& gameFileName) {
  Textures[0].reset();
  Textures[0] = platform::LoadTexture(device, gameFileName, kTransparentGreen);
  if (!Textures[0])
    platform::ShowWarning(FormatMessage(platform::Translated(kQuadTextureFailed).c_str(), 0, gameFileName));
}

void ScreenQuad::SetPosition(int16_t x, int16_t y) {
  X = x;
  Y = y;
  Vertices = MakeVertices(X, Y, Width, Height);
}

void ScreenQuad::SetSize(int16_t width, int16_t height) {
  Width = width;
  Height = height;
  Vertices = MakeVertices(X, Y, Width, Height);
}

void ScreenQuad::Draw(platform::GraphicsDevice& device) const {
  if (!Visible) return;
  SetScreenBlending(device, BlendFactorOrder::SourceFirst);
  for (int stage = 0; stage < TextureCount; ++stage) device.SetTexture(stage, Textures[stage].get());
  SetScreenStage(device);
  device.SetFvf(platform::Fvf::ScreenVertex);
  device.DrawPrimitiveUp(platform::Primitive::TriangleStrip, kQuadTriangles, Vertices.data(), kScreenVertexStride);
}

void ResultNumber::LoadTextures(platform::GraphicsDevice& device) {
  for (int i = 0; i < static_cast<int>(Digits.size()); ++i) {
    Digits[i].reset();
    Digits[i] = platform::LoadTexture(device, kDigitFilePrefix + std::to_string(i) + ".bmp", kTransparentGreen);
    if (!Digits[i])
      platform::ShowWarning(FormatMessage(platform::Translated(kDigitTextureFailed).c_str(), i, kDigitFilePrefix));
  }
}

void ResultNumber::Place(int16_t x, int16_t y, int16_t cellWidth, int16_t cellHeight) {
  Cell.SetSize(cellWidth, cellHeight);
  Cell.SetPosition(x, y);
}

std::array<int, 12> DigitCodes(const std::string& text, int digitCount) {
  std::array<int, 12> codes;
  codes.fill(-1);
  const int n = std::min(digitCount, static_cast<int>(codes.size()));
  const int length = static_cast<int>(text.size());
  for (int cell = 0; cell < n; ++cell) {
    const int j = cell - (n - length);  // character shown in this cell
    if (j < 0) continue;
    const char c = text[j];
    codes[cell] = c == '.' ? kDecimalPointTexture : (c >= '0' && c <= '9' ? c - '0' : 0);
  }
  return codes;
}

void ResultNumber::Draw(platform::GraphicsDevice& device, const std::string& text) {
  SetScreenBlending(device, BlendFactorOrder::DestinationFirst);
  device.SetFvf(platform::Fvf::ScreenVertex);
  SetScreenStage(device);
  const std::array<int, 12> codes = DigitCodes(text, DigitCount);
  for (int i = 0; i < DigitCount && i < static_cast<int>(codes.size()); ++i) {
    if (codes[i] < 0) continue;
    device.SetTexture(0, Digits[codes[i]].get());
    const float left = static_cast<float>(Cell.X + i * Cell.Width);
    Cell.Vertices = ScreenQuad::MakeVertices(left, Cell.Y, Cell.Width, Cell.Height);
    device.DrawPrimitiveUp(platform::Primitive::TriangleStrip, kQuadTriangles, Cell.Vertices.data(),
                           kScreenVertexStride);
  }
}

}  // namespace game
