// The OpenGL device rendering real frames on Mesa through SDL's offscreen video driver
// (no display needed), checked pixel by pixel with glReadPixels. Each test makes a new
// device on the same context, so it also starts from whatever GL state the previous
// test left.
#include <SDL.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "fakes/temp_dir.h"
#include "game/device_start_states.h"
#include "platform/gl/gl_device.h"
#include "platform/gl/gl_font.h"
#include "platform/gl/offscreen_target.h"
#include "platform/gfx/picture_fit.h"
#include "platform/text/shift_jis.h"

namespace {

using namespace platform;
using platform::gl::GlDevice;

constexpr int kWidth = 160;   // px
constexpr int kHeight = 120;  // px
constexpr uint32_t kBlack = 0xFF000000;
constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kGreen = 0xFF00FF00;
constexpr uint32_t kBlue = 0xFF0000FF;
constexpr uint32_t kWhite = 0xFFFFFFFF;

// Vertex of the game's screen quads: XYZRHW | DIFFUSE | TEX2, 36 bytes.
struct ScreenVertex {
  float X, Y, Z, Rhw;
  uint32_t Color;
  float U0, V0, U1, V1;
};
static_assert(sizeof(ScreenVertex) == 36);

// Vertex with a position and a normal, optionally a colour (XYZ | NORMAL [| DIFFUSE]).
struct LitVertex {
  float X, Y, Z;
  float Nx, Ny, Nz;
  uint32_t Color;
};

int Channel(uint32_t argb, int shift) { return static_cast<int>((argb >> shift) & 0xFF); }

class GlDeviceTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    if (context_) return;  // made by an earlier suite
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return;
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    window_ = SDL_CreateWindow("velkaro gl test", 0, 0, kWidth, kHeight, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (window_) context_ = SDL_GL_CreateContext(window_);
  }

  // The context and window live until the process ends: unloading Mesa's driver
  // (SDL_Quit) would leave its allocations, which it keeps for the process's life,
  // unreachable and reported as leaks under LeakSanitizer, with no symbols to tell
  // them apart.

  void SetUp() override {
    if (!context_) GTEST_SKIP() << "no OpenGL context: " << SDL_GetError();
    device_ = GlDevice::Create(kWidth, kHeight, SDL_GL_GetProcAddress);
    ASSERT_TRUE(device_) << "the context has no fixed-function pipeline";
    game::SetDeviceStartStates(*device_);  // as the game starts its device
  }

  // The pixel at x, y from the top-left corner of a back buffer `height` px high
  // (GL's window rows count from the bottom), as ARGB.
  static uint32_t Pixel(int x, int y, int height = kHeight) {
    uint8_t rgba[4] = {};
    glReadPixels(x, height - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return (uint32_t{rgba[3]} << 24) | (rgba[0] << 16) | (rgba[1] << 8) | rgba[2];
  }

  // The whole back buffer as R, G, B, A bytes, bottom row first.
  static std::vector<uint8_t> ReadBackBuffer() {
    std::vector<uint8_t> rgba(static_cast<size_t>(kWidth * kHeight * 4));
    glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return rgba;
  }

  // Pixels in [left, right) x [top, bottom) that differ from `background`.
  static int CountDiffering(int left, int top, int right, int bottom, uint32_t background) {
    const std::vector<uint8_t> rgba = ReadBackBuffer();
    int count = 0;
    for (int y = top; y < bottom; ++y) {
      for (int x = left; x < right; ++x) {
        const uint8_t* p = &rgba[static_cast<size_t>(((kHeight - 1 - y) * kWidth + x) * 4)];
        const uint32_t argb = 0xFF000000 | (p[0] << 16) | (p[1] << 8) | p[2];
        if (argb != background) ++count;
      }
    }
    return count;
  }

  // A screen quad as the game draws it: top-left, bottom-left, top-right, bottom-right
  // as a two-triangle strip, texture coordinates 0..1.
  void DrawQuad(float x, float y, float w, float h, uint32_t color, float z = 0) {
    const ScreenVertex v[4] = {{x, y, z, 1, color, 0, 0, 0, 0},
                               {x, y + h, z, 1, color, 0, 1, 0, 1},
                               {x + w, y, z, 1, color, 1, 0, 1, 0},
                               {x + w, y + h, z, 1, color, 1, 1, 1, 1}};
    device_->SetFvf(Fvf::ScreenVertex);
    device_->DrawPrimitiveUp(Primitive::TriangleStrip, 2, v, sizeof(ScreenVertex));
  }

  std::unique_ptr<Texture> MakeTexture(int width, int height, std::vector<uint32_t> pixels) {
    return device_->CreateTexture(Image{width, height, std::move(pixels)}, "test");
  }

  static SDL_Window* window_;
  static SDL_GLContext context_;
  std::unique_ptr<GlDevice> device_;
};

SDL_Window* GlDeviceTest::window_ = nullptr;
SDL_GLContext GlDeviceTest::context_ = nullptr;

// [SECTION] Frame and screen quads

TEST_F(GlDeviceTest, ClearFillsTheWholeBackBuffer) {
  device_->Clear(0xFF336699, 1.0f);
  EXPECT_EQ(Pixel(0, 0), 0xFF336699u);
  EXPECT_EQ(Pixel(kWidth - 1, kHeight - 1), 0xFF336699u);
  EXPECT_EQ(device_->BackBufferWidth(), kWidth);
  EXPECT_EQ(device_->BackBufferHeight(), kHeight);
}

TEST_F(GlDeviceTest, ScreenQuadCoversExactlyItsPixels) {
  device_->Clear(kBlack, 1.0f);
  DrawQuad(10, 10, 10, 5, kRed);  // pixel centres 10..19 x 10..14
  EXPECT_EQ(Pixel(10, 10), kRed) << "top-left pixel is in";
  EXPECT_EQ(Pixel(19, 14), kRed) << "bottom-right pixel is in";
  EXPECT_EQ(Pixel(9, 10), kBlack) << "left of the left edge";
  EXPECT_EQ(Pixel(20, 10), kBlack) << "the right edge is out";
  EXPECT_EQ(Pixel(10, 9), kBlack) << "above the top edge";
  EXPECT_EQ(Pixel(10, 15), kBlack) << "the bottom edge is out";
  EXPECT_EQ(CountDiffering(0, 0, kWidth, kHeight, kBlack), 50);
}

TEST_F(GlDeviceTest, ScreenQuadAtHalfPixelsCoversTheCentresInside) {
  // D3D samples at integer centres: an edge at 10.5 leaves pixel 10 out, one at 20.5
  // takes pixel 20 in.
  device_->Clear(kBlack, 1.0f);
  DrawQuad(10.5f, 10.5f, 10, 5, kRed);
  EXPECT_EQ(Pixel(10, 11), kBlack);
  EXPECT_EQ(Pixel(11, 11), kRed);
  EXPECT_EQ(Pixel(20, 15), kRed);
  EXPECT_EQ(Pixel(21, 15), kBlack);
}

TEST_F(GlDeviceTest, ResizedBackBufferKeepsPixelCoordinates) {
  // The window's buffer stays 160 x 120 here; the device draws into its lower-left
  // 80 x 60 as it would into a window of that size.
  device_->Clear(kBlack, 1.0f);
  device_->Resize(80, 60);
  DrawQuad(70, 50, 10, 10, kGreen);  // the new bottom-right corner
  EXPECT_EQ(device_->BackBufferWidth(), 80);
  EXPECT_EQ(device_->BackBufferHeight(), 60);
  EXPECT_EQ(Pixel(70, 50, 60), kGreen);
  EXPECT_EQ(Pixel(79, 59, 60), kGreen);
  EXPECT_EQ(Pixel(69, 50, 60), kBlack);
  EXPECT_EQ(Pixel(70, 49, 60), kBlack);
  device_->Resize(kWidth, kHeight);
}

// [SECTION] Texture stages and samplers

TEST_F(GlDeviceTest, ColourOperationsOfStageZero) {
  const auto grey = MakeTexture(1, 1, {0xFF808080});  // 128
  ASSERT_TRUE(grey);
  constexpr uint32_t kDiffuse = 0xFF404040;  // 64
  const struct {
    const char* Case;
    uint32_t Op;
    Texture* Bound;
    int Expected;
  } cases[] = {
      {"modulate: 128 * 64 / 255", TextureOp::Modulate, grey.get(), 32},
      {"add: 128 + 64", TextureOp::Add, grey.get(), 192},
      {"select texture", TextureOp::SelectArg1, grey.get(), 128},
      {"select diffuse", TextureOp::SelectArg2, grey.get(), 64},
      {"no texture passes the diffuse colour", TextureOp::Modulate, nullptr, 64},
      {"no texture, even for select texture", TextureOp::SelectArg1, nullptr, 64},
  };
  for (const auto& c : cases) {
    device_->Clear(kBlack, 1.0f);
    device_->SetTexture(0, c.Bound);
    device_->SetStageState(0, StageState::ColorOp, c.Op);
    device_->SetStageState(0, StageState::ColorArg1, TextureArg::Texture);
    device_->SetStageState(0, StageState::ColorArg2, TextureArg::Diffuse);
    DrawQuad(0, 0, 20, 20, kDiffuse);
    const uint32_t pixel = Pixel(10, 10);
    EXPECT_NEAR(Channel(pixel, 16), c.Expected, 1) << c.Case;
    EXPECT_NEAR(Channel(pixel, 0), c.Expected, 1) << c.Case;
  }
}

TEST_F(GlDeviceTest, ColourKeyedTexelsBlendAway) {
  // A 2 x 1 BMP, pure green then blue, loaded with the game's key.
  fakes::TempWorkingDir dir;
  const uint8_t bmp[] = {'B',  'M',  62,   0,    0,    0,    0, 0, 0, 0, 54, 0, 0, 0,  // file header
                         40,   0,    0,    0,    2,    0,    0, 0, 1, 0, 0,  0, 1, 0, 24, 0, 0, 0, 0, 0,
                         8,    0,    0,    0,    0,    0,    0, 0, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0, 0, 0,  // info header
                         0x00, 0xFF, 0x00, 0xFF, 0x00, 0x00, 0, 0};  // B G R pixels, padding
  fakes::WriteText(dir.Path() / "image" / "key.bmp", std::string(reinterpret_cast<const char*>(bmp), sizeof bmp));
  const auto texture = LoadTexture(*device_, "image\\key.bmp", 0xFF00FF00);
  ASSERT_TRUE(texture);
  EXPECT_EQ(texture->Name, "image\\key.bmp");

  device_->Clear(kRed, 1.0f);
  device_->SetRenderState(RenderState::AlphaBlendEnable, 1);
  device_->SetRenderState(RenderState::SrcBlend, Blend::SrcAlpha);
  device_->SetRenderState(RenderState::DestBlend, Blend::InvSrcAlpha);
  device_->SetTexture(0, texture.get());
  DrawQuad(0, 0, 40, 20, kWhite);
  EXPECT_EQ(Pixel(5, 10), kRed) << "keyed texel: the background shows";
  EXPECT_EQ(Pixel(35, 10), kBlue) << "opaque texel";
}

TEST_F(GlDeviceTest, BlendingOnlyWhereItCanChangeThePicture) {
  // The same quads with blending on: a translucent texture mixes with the background,
  // an opaque one covers it exactly (and is drawn without blending), as is a
  // translucent texture whose alpha a stage replaces by the diffuse alpha 255.
  const auto translucent = MakeTexture(1, 1, {0x80FFFFFF});
  const auto opaque = MakeTexture(1, 1, {0xFF336699});
  device_->Clear(kBlack, 1.0f);
  device_->SetRenderState(RenderState::AlphaBlendEnable, 1);
  device_->SetRenderState(RenderState::SrcBlend, Blend::SrcAlpha);
  device_->SetRenderState(RenderState::DestBlend, Blend::InvSrcAlpha);
  device_->SetTexture(0, translucent.get());
  DrawQuad(0, 0, 10, 10, kWhite);
  EXPECT_NEAR(Channel(Pixel(5, 5), 16), 0x80, 1) << "translucent: half of white over black";

  EXPECT_TRUE(glIsEnabled(GL_BLEND));
  device_->SetTexture(0, opaque.get());
  DrawQuad(20, 0, 10, 10, kWhite);
  EXPECT_EQ(Pixel(25, 5), 0xFF336699u);
  EXPECT_FALSE(glIsEnabled(GL_BLEND)) << "nothing to blend";

  device_->SetTexture(0, translucent.get());
  device_->SetStageState(0, StageState::AlphaOp, TextureOp::SelectArg2);
  device_->SetStageState(0, StageState::AlphaArg2, TextureArg::Diffuse);
  DrawQuad(40, 0, 10, 10, kWhite);
  EXPECT_EQ(Pixel(45, 5), kWhite) << "alpha from the diffuse colour";
  EXPECT_TRUE(glIsEnabled(GL_BLEND)) << "the diffuse alpha is not known to be 1";
}

TEST_F(GlDeviceTest, PointAndLinearSamplingWithWrap) {
  const auto texture = MakeTexture(2, 1, {kBlack, kWhite});
  ASSERT_TRUE(texture);
  device_->SetTexture(0, texture.get());

  device_->Clear(kRed, 1.0f);
  DrawQuad(0, 0, 64, 4, kWhite);  // samplers start at point
  EXPECT_EQ(Pixel(31, 1), kBlack);
  EXPECT_EQ(Pixel(32, 1), kWhite);

  device_->SetSamplerState(0, SamplerState::MinFilter, Filter::Linear);
  device_->SetSamplerState(0, SamplerState::MagFilter, Filter::Linear);
  DrawQuad(0, 0, 64, 4, kWhite);
  EXPECT_NEAR(Channel(Pixel(32, 1), 8), 128, 3) << "half way between the texel centres";
  EXPECT_NEAR(Channel(Pixel(16, 1), 8), 0, 3) << "on the black texel's centre";
  // The left edge samples half a texel before the first one: with wrap that is the
  // white texel on the far side.
  EXPECT_NEAR(Channel(Pixel(0, 1), 8), 128, 3);
}

// [SECTION] Transformed geometry: lighting, culling, depth

class GlLightingTest : public GlDeviceTest {
protected:
  // A triangle facing the viewer at the centre of the screen (identity transforms:
  // clip space x, y in -1..1, depth 0.5), counter-clockwise on screen.
  void DrawTriangle(uint32_t fvf, uint32_t color) {
    const LitVertex v[3] = {
        {-0.5f, -0.5f, 0.5f, 0, 0, 1, color}, {0.5f, -0.5f, 0.5f, 0, 0, 1, color}, {0.0f, 0.5f, 0.5f, 0, 0, 1, color}};
    device_->SetFvf(fvf);
    device_->DrawPrimitiveUp(Primitive::TriangleList, 1, v, sizeof(LitVertex));
  }

  // The light below and a material with the given diffuse colour, ambient 0.5 and
  // emissive (0.1, 0, 0).
  void SetUpLightAndMaterial(ColorValue diffuse) {
    Material material;
    material.Diffuse = diffuse;
    material.Ambient = {0.5f, 0.5f, 0.5f, 1};
    material.Emissive = {0.1f, 0, 0, 0};
    device_->SetMaterial(material);
    Light light;
    light.Diffuse = {1, 1, 1, 1};
    light.Ambient = {0.2f, 0.2f, 0.2f, 1};
    // L, the reversed direction, is 60 degrees from the normal (0, 0, 1): N.L = 0.5.
    light.Direction = {-std::sin(kSixtyDegrees), 0, -std::cos(kSixtyDegrees)};
    device_->SetLight(0, light);
    device_->LightEnable(0, true);
  }

  static constexpr float kSixtyDegrees = 1.0471976f;  // rad
  // Emissive + global ambient (0x0f = 0.0588) x material ambient + light ambient x
  // material ambient + light diffuse x diffuse x N.L, with diffuse (0.8, 0.6, 0.4),
  // material ambient 0.5, emissive (0.1, 0, 0).
  static constexpr double kExpected[3] = {(0.1 + 0.0588 * 0.5 + 0.1 + 0.4) * 255, (0.0294 + 0.1 + 0.3) * 255,
                                          (0.0294 + 0.1 + 0.2) * 255};

  void ExpectLitColour(const char* what) {
    const uint32_t pixel = Pixel(kWidth / 2, kHeight / 2);
    EXPECT_NEAR(Channel(pixel, 16), kExpected[0], 2.0) << what;
    EXPECT_NEAR(Channel(pixel, 8), kExpected[1], 2.0) << what;
    EXPECT_NEAR(Channel(pixel, 0), kExpected[2], 2.0) << what;
  }
};

TEST_F(GlLightingTest, DiffuseFromTheMaterialWithoutVertexColours) {
  SetUpLightAndMaterial({0.8f, 0.6f, 0.4f, 1});
  device_->Clear(kBlack, 1.0f);
  DrawTriangle(Fvf::Xyz | Fvf::Normal, 0);
  ExpectLitColour("material diffuse");
}

TEST_F(GlLightingTest, DiffuseFromTheVertexColourWhenTheFormatHasOne) {
  SetUpLightAndMaterial({0, 0, 1, 1});  // blue, not used: the vertices carry the diffuse colour
  device_->Clear(kBlack, 1.0f);
  DrawTriangle(Fvf::Xyz | Fvf::Normal | Fvf::Diffuse, 0xFFCC9966);  // (0.8, 0.6, 0.4)
  ExpectLitColour("vertex diffuse");

  // Then a draw without vertex colours takes the material's diffuse again.
  device_->Clear(kBlack, 1.0f);
  DrawTriangle(Fvf::Xyz | Fvf::Normal, 0);
  const uint32_t pixel = Pixel(kWidth / 2, kHeight / 2);
  EXPECT_NEAR(Channel(pixel, 0), (0.0294 + 0.1 + 0.5) * 255, 2.0) << "blue material diffuse";
}

TEST_F(GlLightingTest, LightDirectionIsInWorldSpace) {
  // Turning the view about the viewing axis turns normal and light alike: N.L stays.
  SetUpLightAndMaterial({0.8f, 0.6f, 0.4f, 1});
  device_->SetTransform(TransformKind::View, RotationZ(1.5707963f));
  device_->Clear(kBlack, 1.0f);
  DrawTriangle(Fvf::Xyz | Fvf::Normal, 0);
  ExpectLitColour("rotated view");
}

TEST_F(GlLightingTest, UnlitVerticesKeepTheirColourOrWhite) {
  device_->SetRenderState(RenderState::Lighting, 0);
  device_->Clear(kBlack, 1.0f);
  DrawTriangle(Fvf::Xyz | Fvf::Normal | Fvf::Diffuse, 0xFF123456);
  EXPECT_EQ(Pixel(kWidth / 2, kHeight / 2), 0xFF123456u);
  DrawTriangle(Fvf::Xyz | Fvf::Normal, 0);
  EXPECT_EQ(Pixel(kWidth / 2, kHeight / 2), kWhite);
}

// A lit part drawn see-through, as the ghost glider is: its alpha is the material's
// diffuse alpha; a textured part needs the stage to multiply the texture's alpha by
// it (by default the stage takes the texture's own alpha, and an opaque texture stays
// opaque).
TEST_F(GlLightingTest, TranslucentMaterialBlendsOverWhatIsBehind) {
  struct TexturedVertex {
    float X, Y, Z, Nx, Ny, Nz, U, V;
  };
  const TexturedVertex v[3] = {{-0.5f, -0.5f, 0.5f, 0, 0, 1, 0, 0},
                               {0.5f, -0.5f, 0.5f, 0, 0, 1, 1, 0},
                               {0.0f, 0.5f, 0.5f, 0, 0, 1, 0, 1}};
  const auto grey = MakeTexture(1, 1, {0xFF808080});  // 128, opaque
  SetUpLightAndMaterial({0.8f, 0.6f, 0.4f, 0.5f});
  device_->SetRenderState(RenderState::AlphaBlendEnable, 1);
  device_->SetRenderState(RenderState::SrcBlend, Blend::SrcAlpha);
  device_->SetRenderState(RenderState::DestBlend, Blend::InvSrcAlpha);
  const auto expectPixel = [&](double r, double g, double b, const char* what) {
    const uint32_t pixel = Pixel(kWidth / 2, kHeight / 2);
    EXPECT_NEAR(Channel(pixel, 16), r, 2.5) << what;
    EXPECT_NEAR(Channel(pixel, 8), g, 2.5) << what;
    EXPECT_NEAR(Channel(pixel, 0), b, 2.5) << what;
  };

  device_->Clear(kRed, 1.0f);
  DrawTriangle(Fvf::Xyz | Fvf::Normal, 0);
  expectPixel(0.5 * kExpected[0] + 0.5 * 255, 0.5 * kExpected[1], 0.5 * kExpected[2], "untextured, half");

  const double shade = 128.0 / 255;  // the texture's colour times the lit colour
  device_->SetTexture(0, grey.get());
  device_->SetFvf(Fvf::MeshVertex);
  device_->Clear(kRed, 1.0f);
  device_->DrawPrimitiveUp(Primitive::TriangleList, 1, v, sizeof(TexturedVertex));
  expectPixel(shade * kExpected[0], shade * kExpected[1], shade * kExpected[2], "the texture's alpha: opaque");

  device_->SetStageState(0, StageState::AlphaArg1, TextureArg::Texture);
  device_->SetStageState(0, StageState::AlphaArg2, TextureArg::Diffuse);
  device_->SetStageState(0, StageState::AlphaOp, TextureOp::Modulate);
  device_->Clear(kRed, 1.0f);
  device_->DrawPrimitiveUp(Primitive::TriangleList, 1, v, sizeof(TexturedVertex));
  expectPixel(0.5 * shade * kExpected[0] + 0.5 * 255, 0.5 * shade * kExpected[1], 0.5 * shade * kExpected[2],
              "texture alpha times diffuse alpha");
  device_->SetStageState(0, StageState::AlphaOp, TextureOp::SelectArg1);
  device_->SetTexture(0, nullptr);
}

TEST_F(GlDeviceTest, ClockwiseScreenTrianglesAreCulled) {
  // On screen (y down): right, then down-left: clockwise.
  const ScreenVertex clockwise[3] = {
      {10, 10, 0, 1, kGreen, 0, 0, 0, 0}, {40, 10, 0, 1, kGreen, 0, 0, 0, 0}, {10, 40, 0, 1, kGreen, 0, 0, 0, 0}};
  const ScreenVertex counterClockwise[3] = {clockwise[0], clockwise[2], clockwise[1]};
  device_->SetFvf(Fvf::ScreenVertex);
  const struct {
    const char* Case;
    uint32_t Mode;
    const ScreenVertex* Vertices;
    bool Drawn;
  } cases[] = {
      {"CW culls clockwise", CullMode::Clockwise, clockwise, false},
      {"CW keeps counter-clockwise", CullMode::Clockwise, counterClockwise, true},
      {"CCW keeps clockwise", CullMode::CounterClockwise, clockwise, true},
      {"CCW culls counter-clockwise", CullMode::CounterClockwise, counterClockwise, false},
      {"none keeps clockwise", CullMode::None, clockwise, true},
  };
  for (const auto& c : cases) {
    device_->Clear(kBlack, 1.0f);
    device_->SetRenderState(RenderState::CullMode, c.Mode);
    device_->DrawPrimitiveUp(Primitive::TriangleList, 1, c.Vertices, sizeof(ScreenVertex));
    EXPECT_EQ(Pixel(15, 15), c.Drawn ? kGreen : kBlack) << c.Case;
  }
}

TEST_F(GlDeviceTest, TransformedTrianglesCullByScreenWinding) {
  // The device starts culling clockwise. Bottom-left, bottom-right, apex is
  // counter-clockwise as seen on screen: drawn. Reversed, it is culled.
  device_->SetRenderState(RenderState::Lighting, 0);
  const LitVertex v[3] = {
      {-0.5f, -0.5f, 0.5f, 0, 0, 1, kGreen}, {0.5f, -0.5f, 0.5f, 0, 0, 1, kGreen}, {0.0f, 0.5f, 0.5f, 0, 0, 1, kGreen}};
  const LitVertex reversed[3] = {v[0], v[2], v[1]};
  device_->SetFvf(Fvf::Xyz | Fvf::Normal | Fvf::Diffuse);
  device_->Clear(kBlack, 1.0f);
  device_->DrawPrimitiveUp(Primitive::TriangleList, 1, v, sizeof(LitVertex));
  EXPECT_EQ(Pixel(kWidth / 2, kHeight / 2), kGreen);
  device_->Clear(kBlack, 1.0f);
  device_->DrawPrimitiveUp(Primitive::TriangleList, 1, reversed, sizeof(LitVertex));
  EXPECT_EQ(Pixel(kWidth / 2, kHeight / 2), kBlack);
}

TEST_F(GlDeviceTest, DepthTestLessOrEqualAndDepthWrites) {
  device_->Clear(kBlack, 1.0f);
  DrawQuad(0, 0, 40, 40, kGreen, 0.2f);
  DrawQuad(0, 0, 40, 40, kRed, 0.8f);
  EXPECT_EQ(Pixel(20, 20), kGreen) << "farther quad hidden";
  DrawQuad(0, 0, 40, 40, kBlue, 0.2f);
  EXPECT_EQ(Pixel(20, 20), kBlue) << "equal depth passes";

  device_->SetRenderState(RenderState::ZWriteEnable, 0);
  DrawQuad(0, 0, 40, 40, kRed, 0.1f);
  EXPECT_EQ(Pixel(20, 20), kRed) << "nearer quad drawn without writing depth";
  DrawQuad(0, 0, 40, 40, kWhite, 0.15f);
  EXPECT_EQ(Pixel(20, 20), kWhite) << "the depth is still the blue quad's";

  device_->SetRenderState(RenderState::ZEnable, 0);
  DrawQuad(0, 0, 40, 40, kGreen, 0.9f);
  EXPECT_EQ(Pixel(20, 20), kGreen) << "no depth test";
}

// A right-handed camera at the origin looking down -z, near plane 1, far plane 10:
// whether a triangle facing it at `distance` covers the centre of the screen.
bool DrawnAtDistance(GlDevice& device, float distance) {
  device.SetRenderState(RenderState::Lighting, 0);
  device.SetRenderState(RenderState::CullMode, CullMode::None);
  device.SetTransform(TransformKind::View, LookAtRH({0, 0, 0}, {0, 0, -1}, {0, 1, 0}));
  device.SetTransform(TransformKind::Projection, PerspectiveFovRH(1.0f, 4.0f / 3.0f, 1.0f, 10.0f));
  device.SetFvf(Fvf::Xyz | Fvf::Normal | Fvf::Diffuse);
  const float s = distance;  // wide enough to cover the centre at any distance
  const LitVertex v[3] = {
      {-s, -s, -distance, 0, 0, 1, kGreen}, {0, s, -distance, 0, 0, 1, kGreen}, {s, -s, -distance, 0, 0, 1, kGreen}};
  device.Clear(kBlack, 1.0f);
  device.DrawPrimitiveUp(Primitive::TriangleList, 1, v, sizeof(LitVertex));
  uint8_t rgba[4] = {};
  glReadPixels(kWidth / 2, kHeight / 2, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  return rgba[1] == 0xFF;
}

TEST_F(GlDeviceTest, PerspectiveClipsAtTheNearAndFarPlanes) {
  EXPECT_FALSE(DrawnAtDistance(*device_, 0.8f)) << "in front of the near plane";
  EXPECT_TRUE(DrawnAtDistance(*device_, 1.05f)) << "just beyond the near plane";
  EXPECT_TRUE(DrawnAtDistance(*device_, 9.5f)) << "just before the far plane";
  EXPECT_FALSE(DrawnAtDistance(*device_, 12.0f)) << "beyond the far plane";
}

void* LoaderWithoutClipControl(const char* name) {
  return std::strcmp(name, "glClipControl") == 0 ? nullptr : SDL_GL_GetProcAddress(name);
}

TEST_F(GlDeviceTest, WithoutClipControlDepthIsRemapped) {
  // A driver older than GL 4.5 keeps GL's clip depth -w..w; the device then maps D3D's
  // 0..w onto it itself.
  using ClipControlFn = void (*)(GLenum, GLenum);
  const auto clipControl = reinterpret_cast<ClipControlFn>(SDL_GL_GetProcAddress("glClipControl"));
  ASSERT_NE(clipControl, nullptr);
  clipControl(GL_LOWER_LEFT, GL_NEGATIVE_ONE_TO_ONE);
  device_ = GlDevice::Create(kWidth, kHeight, LoaderWithoutClipControl);
  ASSERT_TRUE(device_);
  game::SetDeviceStartStates(*device_);
  EXPECT_FALSE(DrawnAtDistance(*device_, 0.8f)) << "in front of the near plane";
  EXPECT_TRUE(DrawnAtDistance(*device_, 1.05f)) << "just beyond the near plane";
  EXPECT_TRUE(DrawnAtDistance(*device_, 9.5f)) << "just before the far plane";
  EXPECT_FALSE(DrawnAtDistance(*device_, 12.0f)) << "beyond the far plane";
}

// [SECTION] Buffers and meshes

TEST_F(GlDeviceTest, IndexedDrawFromBuffersAndRefusedBadIndices) {
  const ScreenVertex quad[4] = {{0, 0, 0, 1, kBlue, 0, 0, 0, 0},
                                {0, 20, 0, 1, kBlue, 0, 0, 0, 0},
                                {20, 0, 0, 1, kBlue, 0, 0, 0, 0},
                                {20, 20, 0, 1, kBlue, 0, 0, 0, 0}};
  auto vb = device_->CreateVertexBuffer(sizeof quad);
  auto ib = device_->CreateIndexBuffer(6);
  ASSERT_TRUE(vb && ib);
  std::memcpy(vb->Lock(), quad, sizeof quad);
  vb->Unlock();
  const uint16_t indices[6] = {0, 1, 2, 2, 1, 3};
  std::memcpy(ib->Lock(), indices, sizeof indices);
  ib->Unlock();

  device_->SetFvf(Fvf::ScreenVertex);
  device_->SetStreamSource(vb.get(), sizeof(ScreenVertex));
  device_->SetIndices(ib.get());
  device_->Clear(kBlack, 1.0f);
  device_->DrawIndexedPrimitive(Primitive::TriangleList, 0, 0, 4, 0, 2);
  EXPECT_EQ(Pixel(5, 15), kBlue);
  EXPECT_EQ(Pixel(15, 5), kBlue);

  // Rewritten in place: the next draw shows the new content.
  auto* rewritten = reinterpret_cast<ScreenVertex*>(vb->Lock());
  for (int i = 0; i < 4; ++i) rewritten[i].Color = kRed;
  vb->Unlock();
  device_->DrawIndexedPrimitive(Primitive::TriangleList, 0, 0, 4, 3, 1);  // the second triangle
  EXPECT_EQ(Pixel(19, 19), kRed);
  EXPECT_EQ(Pixel(5, 5), kBlue);

  const auto before = device_->Count().Draws;
  device_->DrawIndexedPrimitive(Primitive::TriangleList, 0, 0, 4, 3, 2);  // past the index buffer
  device_->DrawIndexedPrimitive(Primitive::TriangleList, 1, 0, 4, 0, 2);  // base vertex pushes 3 past the end
  reinterpret_cast<uint16_t*>(ib->Lock())[0] = 40000;                     // index past the vertices
  ib->Unlock();
  device_->DrawIndexedPrimitive(Primitive::TriangleList, 0, 0, 4, 0, 1);
  device_->DrawIndexedPrimitive(Primitive::TriangleList, 0, 0, 4, 0, -1);
  device_->SetIndices(nullptr);
  device_->DrawIndexedPrimitive(Primitive::TriangleList, 0, 0, 4, 3, 1);
  EXPECT_EQ(device_->Count().Draws, before);
}

TEST_F(GlDeviceTest, MeshSubsetsDrawTheirIndexRange) {
  // Two triangles of the common mesh format (position, normal, one coordinate set),
  // unlit white times a blue texture.
  Mesh mesh(Fvf::MeshVertex, 6);
  float* v = mesh.LockVertices();
  ASSERT_NE(v, nullptr);
  const float positions[6][3] = {{-0.9f, -0.5f, 0.5f}, {-0.3f, -0.5f, 0.5f}, {-0.6f, 0.5f, 0.5f},
                                 {0.3f, -0.5f, 0.5f},  {0.9f, -0.5f, 0.5f},  {0.6f, 0.5f, 0.5f}};
  for (int i = 0; i < 6; ++i) std::memcpy(v + i * 8, positions[i], sizeof positions[i]);
  mesh.UnlockVertices();
  mesh.Indices = {0, 1, 2, 3, 4, 5};
  mesh.Subsets = {{0, 3}, {3, 3}};
  const auto blue = MakeTexture(1, 1, {kBlue});
  device_->SetRenderState(RenderState::Lighting, 0);
  device_->SetTexture(0, blue.get());

  device_->Clear(kBlack, 1.0f);
  device_->DrawSubset(mesh, 1);
  EXPECT_EQ(Pixel(kWidth * 8 / 10, kHeight / 2), kBlue) << "subset 1";
  EXPECT_EQ(Pixel(kWidth * 2 / 10, kHeight / 2), kBlack) << "subset 0 not drawn";

  const auto before = device_->Count().Draws;
  device_->DrawSubset(mesh, 2);
  mesh.Indices[0] = 6;  // past the vertices
  device_->DrawSubset(mesh, 0);
  EXPECT_EQ(device_->Count().Draws, before);
}

// [SECTION] State cache

TEST_F(GlDeviceTest, UnchangedStateIsNotSetAgain) {
  const auto texture = MakeTexture(1, 1, {0x80FFFFFF});  // half transparent, so blending matters
  device_->SetRenderState(RenderState::SrcBlend, Blend::SrcAlpha);
  device_->SetRenderState(RenderState::DestBlend, Blend::InvSrcAlpha);
  device_->SetTexture(0, texture.get());
  device_->Clear(kBlack, 1.0f);
  DrawQuad(0, 0, 10, 10, kRed);
  const auto first = device_->Count();
  DrawQuad(20, 0, 10, 10, kRed);
  const auto second = device_->Count();
  EXPECT_EQ(second.Draws, first.Draws + 1);
  EXPECT_EQ(second.StateChanges, first.StateChanges) << "same state: nothing applied";

  device_->SetRenderState(RenderState::AlphaBlendEnable, 1);
  DrawQuad(40, 0, 10, 10, kRed);
  EXPECT_EQ(device_->Count().StateChanges, second.StateChanges + 1) << "only the blending switch";
}

TEST_F(GlDeviceTest, DestroyedTextureLeavesTheStageEmpty) {
  auto texture = MakeTexture(1, 1, {kBlue});
  device_->SetTexture(0, texture.get());
  device_->Clear(kBlack, 1.0f);
  DrawQuad(0, 0, 10, 10, kWhite);
  EXPECT_EQ(Pixel(5, 5), kBlue);
  texture.reset();
  const auto other = MakeTexture(1, 1, {kRed});  // may reuse the GL name and the address
  DrawQuad(0, 0, 10, 10, kGreen);
  EXPECT_EQ(Pixel(5, 5), kGreen) << "no texture: the diffuse colour";
}

// The same frames drawn with the state cache and with every setting applied for every
// draw must match pixel for pixel: a difference is a setting the cache fails to apply.
class GlStateCacheTest : public GlDeviceTest {
protected:
  // A triangle in clip space centred on (x, y), counter-clockwise on screen unless
  // `reversed`, facing the viewer, one colour per corner.
  void DrawTriangle(float x, float y, uint32_t fvf, std::array<uint32_t, 3> colors, bool reversed = false) {
    constexpr float kHalf = 0.3f;  // half the triangle's width, clip units
    LitVertex v[3] = {{x - kHalf, y - kHalf, 0.5f, 0, 0, 1, colors[0]},
                      {x + kHalf, y - kHalf, 0.5f, 0, 0, 1, colors[1]},
                      {x, y + kHalf, 0.5f, 0, 0, 1, colors[2]}};
    if (reversed) std::swap(v[1], v[2]);
    device_->SetFvf(fvf);
    device_->DrawPrimitiveUp(Primitive::TriangleList, 1, v, sizeof(LitVertex));
  }

  // Three frames in which every draw changes a few settings and inherits the rest from
  // the draws before it; returns each finished frame's pixels.
  std::vector<std::vector<uint8_t>> DrawStateSequence() {
    const auto checker = MakeTexture(2, 2, {kRed, kGreen, kBlue, kWhite});
    const auto translucent = MakeTexture(1, 1, {0x80FFFF00});
    const auto stripes = MakeTexture(2, 1, {kBlack, kWhite});
    constexpr uint32_t kLitFvf = Fvf::Xyz | Fvf::Normal;
    constexpr uint32_t kColouredFvf = Fvf::Xyz | Fvf::Normal | Fvf::Diffuse;
    constexpr std::array<uint32_t, 3> kCool = {0xFF3366CC, 0xFF3366CC, 0xFF3366CC};
    constexpr std::array<uint32_t, 3> kMixed = {kRed, kGreen, kBlue};
    std::vector<std::vector<uint8_t>> frames;

    // Screen quads: a texture, a translucent one blended, a second stage adding
    // stripes, linear filtering, and a quad without depth writes.
    device_->Clear(0xFF202040, 1.0f);
    device_->SetTexture(0, checker.get());
    DrawQuad(4, 4, 40, 40, kWhite, 0.5f);
    device_->SetRenderState(RenderState::AlphaBlendEnable, 1);
    device_->SetRenderState(RenderState::SrcBlend, Blend::SrcAlpha);
    device_->SetRenderState(RenderState::DestBlend, Blend::InvSrcAlpha);
    device_->SetTexture(0, translucent.get());
    DrawQuad(24, 24, 40, 40, kWhite, 0.4f);
    device_->SetTexture(0, checker.get());
    device_->SetTexture(1, stripes.get());
    device_->SetStageState(1, StageState::ColorOp, TextureOp::Add);
    DrawQuad(70, 4, 40, 40, 0xFF808080, 0.3f);
    device_->SetSamplerState(1, SamplerState::MagFilter, Filter::Linear);
    device_->SetSamplerState(1, SamplerState::MinFilter, Filter::Linear);
    device_->SetRenderState(RenderState::ZWriteEnable, 0);
    DrawQuad(90, 30, 60, 60, 0xFF4080C0, 0.2f);
    DrawQuad(100, 40, 50, 50, kGreen, 0.25f);  // passes: the quad before wrote no depth
    frames.push_back(ReadBackBuffer());

    // Lit triangles: material diffuse, vertex diffuse, material diffuse again, then
    // unlit flat shading, a screen quad between transformed draws and culling.
    device_->Clear(kBlack, 1.0f);
    device_->SetTexture(0, nullptr);
    device_->SetTexture(1, nullptr);
    device_->SetRenderState(RenderState::AlphaBlendEnable, 0);
    device_->SetRenderState(RenderState::ZWriteEnable, 1);
    Material material;
    material.Diffuse = {0.8f, 0.6f, 0.4f, 1};
    material.Ambient = {0.5f, 0.5f, 0.5f, 1};
    material.Emissive = {0.1f, 0, 0, 0};
    device_->SetMaterial(material);
    Light light;
    light.Diffuse = {1, 1, 1, 1};
    light.Ambient = {0.2f, 0.2f, 0.2f, 1};
    light.Direction = {-0.5f, -0.3f, -0.8f};
    device_->SetLight(0, light);
    device_->LightEnable(0, true);
    device_->SetTransform(TransformKind::World, Translation(-0.5f, 0.3f, 0));
    DrawTriangle(0, 0, kLitFvf, kMixed);
    device_->SetTransform(TransformKind::World, Translation(0.5f, 0.3f, 0));
    DrawTriangle(0, 0, kColouredFvf, kCool);
    device_->SetTransform(TransformKind::World, Translation(0, -0.5f, 0));
    DrawTriangle(0, 0, kLitFvf, kMixed);
    device_->SetRenderState(RenderState::Lighting, 0);
    device_->SetRenderState(RenderState::ShadeMode, ShadeMode::Flat);
    DrawTriangle(-0.6f, -0.3f, kColouredFvf, kMixed);
    DrawQuad(0, 0, 20, 20, kBlue);
    DrawTriangle(0.6f, -0.3f, kColouredFvf, kMixed, true);  // clockwise: culled
    device_->SetRenderState(RenderState::CullMode, CullMode::None);
    DrawTriangle(0.6f, 0.6f, kColouredFvf, kMixed, true);
    frames.push_back(ReadBackBuffer());

    // Lighting again after unlit draws, under a turned view, a scaled world, a second
    // light, another global ambient and normals rescaled; then a textured mesh.
    device_->Clear(0xFF102010, 1.0f);
    device_->SetRenderState(RenderState::Lighting, 1);
    device_->SetRenderState(RenderState::ShadeMode, ShadeMode::Gouraud);
    device_->SetRenderState(RenderState::Ambient, 0xFF303030);
    device_->SetRenderState(RenderState::NormalizeNormals, 0);
    device_->SetTransform(TransformKind::View, RotationZ(0.5f));
    device_->SetTransform(TransformKind::World, Multiply(RotationY(0.3f), Translation(-0.4f, 0, 0)));
    DrawTriangle(0, 0, kLitFvf, kMixed);
    Light second = light;
    second.Diffuse = {0, 0.3f, 0.6f, 1};
    second.Direction = {0.7f, 0, -0.7f};
    device_->SetLight(1, second);
    device_->LightEnable(1, true);
    device_->SetRenderState(RenderState::NormalizeNormals, 1);
    device_->SetTransform(TransformKind::World, Translation(0.4f, 0, 0));
    DrawTriangle(0, 0, kColouredFvf, kCool);
    Mesh mesh(Fvf::MeshVertex, 3);
    float* v = mesh.LockVertices();
    const float corners[3][8] = {{-0.3f, -0.8f, 0.5f, 0, 0, 1, 0, 1},  // x y z, normal, u v
                                 {0.3f, -0.8f, 0.5f, 0, 0, 1, 1, 1},
                                 {0, -0.2f, 0.5f, 0, 0, 1, 0.5f, 0}};
    std::memcpy(v, corners, sizeof corners);
    mesh.UnlockVertices();
    mesh.Indices = {0, 1, 2};
    mesh.Subsets = {{0, 3}};
    device_->SetTexture(0, checker.get());
    device_->SetTransform(TransformKind::World, Identity());
    device_->DrawSubset(mesh, 0);
    device_->SetStageState(0, StageState::ColorOp, TextureOp::SelectArg1);
    DrawQuad(120, 80, 30, 30, kWhite);
    frames.push_back(ReadBackBuffer());
    return frames;
  }

  static size_t DistinctColours(const std::vector<uint8_t>& rgba) {
    std::set<uint32_t> colours;
    for (size_t i = 0; i + 3 < rgba.size(); i += 4) {
      colours.insert((uint32_t{rgba[i]} << 16) | (uint32_t{rgba[i + 1]} << 8) | rgba[i + 2]);
    }
    return colours.size();
  }
};

TEST_F(GlStateCacheTest, EverySettingForEveryDrawGivesTheSamePictures) {
  const auto cached = DrawStateSequence();
  device_ = GlDevice::Create(kWidth, kHeight, SDL_GL_GetProcAddress);
  ASSERT_TRUE(device_);
  game::SetDeviceStartStates(*device_);
  device_->SetStateCacheBypass(true);
  const auto uncached = DrawStateSequence();
  ASSERT_EQ(cached.size(), uncached.size());
  for (size_t f = 0; f < cached.size(); ++f) {
    SCOPED_TRACE("frame " + std::to_string(f + 1));
    EXPECT_GT(DistinctColours(cached[f]), 4u) << "the frame shows what its draws did";
    ASSERT_EQ(cached[f].size(), uncached[f].size());
    size_t differing = 0;
    for (size_t i = 0; i < cached[f].size(); i += 4) {
      differing += std::memcmp(&cached[f][i], &uncached[f][i], 4) != 0;
    }
    EXPECT_EQ(differing, 0u) << "pixels the cached draws got wrong";
  }
}

// The game draws into a picture of its created size that the window then shows: the
// same draws must give the same pixels there as in the window's own framebuffer.
TEST_F(GlStateCacheTest, DrawingIntoThePictureGivesTheWindowsPixels) {
  const auto direct = DrawStateSequence();
  const auto picture = gl::OffscreenTarget::Create(kWidth, kHeight, SDL_GL_GetProcAddress);
  if (!picture) GTEST_SKIP() << "no framebuffer objects";
  device_ = GlDevice::Create(kWidth, kHeight, SDL_GL_GetProcAddress);
  ASSERT_TRUE(device_);
  game::SetDeviceStartStates(*device_);
  picture->Bind();
  const auto offscreen = DrawStateSequence();
  ASSERT_EQ(direct.size(), offscreen.size());
  for (size_t f = 0; f < direct.size(); ++f) {
    SCOPED_TRACE("frame " + std::to_string(f + 1));
    ASSERT_EQ(direct[f].size(), offscreen[f].size());
    size_t differing = 0;
    for (size_t i = 0; i < direct[f].size(); i += 4) differing += std::memcmp(&direct[f][i], &offscreen[f][i], 4) != 0;
    EXPECT_EQ(differing, 0u) << "pixels that differ between the window and the picture";
  }
  using BindFn = void(APIENTRY*)(GLenum, GLuint);  // the next test draws into the window again
  if (auto bind = reinterpret_cast<BindFn>(SDL_GL_GetProcAddress("glBindFramebuffer"))) bind(GL_FRAMEBUFFER, 0);
}

TEST_F(GlStateCacheTest, BypassSetsEverySettingEvenWhenNothingChanged) {
  device_->SetStateCacheBypass(true);
  device_->Clear(kBlack, 1.0f);
  DrawQuad(0, 0, 10, 10, kRed);
  const auto first = device_->Count();
  DrawQuad(20, 0, 10, 10, kRed);
  EXPECT_GT(device_->Count().StateChanges, first.StateChanges) << "bypassed: set again";

  device_->SetStateCacheBypass(false);
  DrawQuad(40, 0, 10, 10, kRed);
  const auto cachedAgain = device_->Count();
  DrawQuad(60, 0, 10, 10, kRed);
  EXPECT_EQ(device_->Count().StateChanges, cachedAgain.StateChanges) << "cached again: nothing set";
}

// [SECTION] Fonts

class GlFontTest : public GlDeviceTest {
protected:
  std::unique_ptr<Font> MakeFont(int height, bool fixedPitch = false) {
    auto font = device_->CreateFont(FontDesc{height, fixedPitch});
    if (!font || !static_cast<gl::GlFont*>(font.get())->CanDraw()) return nullptr;
    return font;
  }
  // Rightmost column with ink in the band of rows, or -1.
  static int RightmostInk(int top, int bottom) {
    for (int x = kWidth - 1; x >= 0; --x) {
      if (CountDiffering(x, top, x + 1, bottom, kBlack) > 0) return x;
    }
    return -1;
  }
};

TEST_F(GlFontTest, FpsLineDrawsInItsRectangle) {
  const auto font = MakeFont(16);
  if (!font) GTEST_SKIP() << "no Japanese font installed";
  device_->Clear(kBlack, 1.0f);
  font->DrawText("fps48/50", PixelRect{0, 0, 200, 16}, kWhite);
  EXPECT_GT(CountDiffering(0, 0, 80, 16, kBlack), 30);
  EXPECT_EQ(CountDiffering(0, 20, kWidth, kHeight, kBlack), 0) << "nothing below the line";
  EXPECT_EQ(CountDiffering(90, 0, kWidth, kHeight, kBlack), 0) << "nothing right of the text";
}

TEST_F(GlFontTest, JapaneseTextDrawsRealGlyphs) {
  const auto font = MakeFont(32);
  if (!font) GTEST_SKIP() << "no Japanese font installed";
  const PixelRect rect{40, 0, 160, 32};
  device_->Clear(kBlack, 1.0f);
  font->DrawText(Utf8ToShiftJis("風速2.5m/s"), PixelRect{0, 40, 180, 72}, kWhite);
  EXPECT_GT(CountDiffering(0, 40, 64, 72, kBlack), 100) << "two full-width characters";

  // Two different kanji give two different pictures (not the missing-glyph box twice).
  std::vector<int> inkPerRow[2];
  for (int k = 0; k < 2; ++k) {
    device_->Clear(kBlack, 1.0f);
    font->DrawText(Utf8ToShiftJis(k == 0 ? "風" : "速"), rect, 0xFFFF6400);
    for (int y = 0; y < 32; ++y) inkPerRow[k].push_back(CountDiffering(rect.Left, y, rect.Left + 32, y + 1, kBlack));
  }
  EXPECT_NE(inkPerRow[0], inkPerRow[1]);
}

TEST_F(GlFontTest, FixedPitchKeepsColumnsAligned) {
  const auto font = MakeFont(24, true);
  if (!font) GTEST_SKIP() << "no Japanese font installed";
  device_->Clear(kBlack, 1.0f);
  font->DrawText("iiiiii|", PixelRect{0, 0, 160, 24}, kWhite);
  font->DrawText("WWWWWW|", PixelRect{0, 40, 160, 64}, kWhite);
  const int narrow = RightmostInk(0, 24), wide = RightmostInk(40, 64);
  EXPECT_GT(narrow, 40);
  EXPECT_EQ(narrow, wide);
}

TEST_F(GlFontTest, TextLeavesTheGameStateAsItWas) {
  const auto font = MakeFont(16);
  if (!font) GTEST_SKIP() << "no Japanese font installed";
  const auto blue = MakeTexture(1, 1, {kBlue});
  device_->SetTexture(0, blue.get());
  device_->Clear(kBlack, 1.0f);
  DrawQuad(0, 60, 20, 20, kWhite, 0.5f);  // sets depth 0.5 there
  font->DrawText("fps48/50", PixelRect{0, 0, 200, 16}, kWhite);
  DrawQuad(0, 60, 20, 20, kWhite, 0.7f);   // still depth-tested: hidden
  DrawQuad(30, 60, 20, 20, kWhite, 0.7f);  // still textured, no blending
  EXPECT_EQ(Pixel(10, 70), kBlue);
  EXPECT_EQ(Pixel(40, 70), kBlue);
  device_->SetTexture(0, nullptr);
  DrawQuad(60, 60, 20, 20, kRed, 0.1f);
  EXPECT_EQ(Pixel(70, 70), kRed);
}

TEST_F(GlFontTest, AFontWithoutAFaceDrawsNothing) {
  gl::GlFont font(nullptr, FontDesc{16, false}, gl::FontFace{"/nonexistent/font.ttf", 0});
  EXPECT_FALSE(font.CanDraw());
  device_->Clear(kBlack, 1.0f);
  font.DrawText("fps48/50", PixelRect{0, 0, 200, 16}, kWhite);
  EXPECT_EQ(CountDiffering(0, 0, kWidth, kHeight, kBlack), 0);
}

// [SECTION] The picture drawn off screen at its created size and shown scaled.

class GlPresentTest : public GlDeviceTest {
protected:
  void SetUp() override {
    GlDeviceTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    picture_ = gl::OffscreenTarget::Create(kWidth, kHeight, SDL_GL_GetProcAddress);
    if (!picture_) GTEST_SKIP() << "the context has no framebuffer objects";
    picture_->Bind();
  }

  void TearDown() override {
    // The next test draws into the window's framebuffer again.
    using BindFn = void(APIENTRY*)(GLenum, GLuint);
    if (auto bind = reinterpret_cast<BindFn>(SDL_GL_GetProcAddress("glBindFramebuffer"))) bind(GL_FRAMEBUFFER, 0);
  }

  // A blue picture with a red quad over [40, 80) x [30, 60).
  void DrawPicture() {
    device_->Clear(kBlue, 1.0f);
    DrawQuad(40, 30, 40, 30, kRed);
  }

  // The picture shown in `area` of a new framebuffer of width x height px, which is
  // left bound for reading.
  std::unique_ptr<gl::OffscreenTarget> Show(int width, int height, const PixelRect& area) {
    auto screen = gl::OffscreenTarget::Create(width, height, SDL_GL_GetProcAddress);
    if (!screen) return nullptr;
    picture_->PresentTo(screen->Framebuffer(), width, height, area);
    screen->Bind();
    return screen;
  }

  std::unique_ptr<gl::OffscreenTarget> picture_;
};

TEST_F(GlPresentTest, TheDeviceDrawsIntoThePicture) {
  DrawPicture();
  EXPECT_EQ(Pixel(40, 30), kRed);
  EXPECT_EQ(Pixel(79, 59), kRed);
  EXPECT_EQ(Pixel(39, 30), kBlue);
  EXPECT_EQ(Pixel(80, 59), kBlue);
  EXPECT_EQ(Pixel(40, 60), kBlue);
}

TEST_F(GlPresentTest, AtItsOwnSizeThePictureIsCopiedPixelForPixel) {
  // Texels of every value in a pattern no filter would leave alone.
  std::vector<uint32_t> noise(static_cast<size_t>(kWidth * kHeight));
  uint32_t seed = 12345;
  for (uint32_t& texel : noise) {
    seed = seed * 1664525u + 1013904223u;
    texel = 0xFF000000 | (seed >> 8);
  }
  const auto texture = MakeTexture(kWidth, kHeight, noise);
  ASSERT_TRUE(texture);
  device_->Clear(kBlack, 1.0f);
  device_->SetTexture(0, texture.get());
  device_->SetStageState(0, StageState::ColorOp, TextureOp::SelectArg1);
  DrawQuad(0, 0, kWidth, kHeight, kWhite);
  device_->SetTexture(0, nullptr);
  const std::vector<uint8_t> drawn = ReadBackBuffer();

  const auto screen = Show(kWidth, kHeight, PixelRect{0, 0, kWidth, kHeight});
  ASSERT_TRUE(screen);
  EXPECT_TRUE(ReadBackBuffer() == drawn) << "the shown picture differs from the one drawn";
  EXPECT_EQ(Pixel(0, 0), 0xFF000000 | (noise[0] & 0xFFFFFF));
}

TEST_F(GlPresentTest, ALargerWindowShowsThePictureStretched) {
  DrawPicture();
  // Twice as wide and high: the quad covers [80, 160) x [60, 120). The filter blends
  // the pixels along the quad's edges; one further in on either side they are pure.
  const auto screen = Show(320, 240, PixelRect{0, 0, 320, 240});
  ASSERT_TRUE(screen);
  constexpr int kScreenHeight = 240;
  EXPECT_EQ(Pixel(82, 62, kScreenHeight), kRed);
  EXPECT_EQ(Pixel(157, 117, kScreenHeight), kRed);
  EXPECT_EQ(Pixel(120, 90, kScreenHeight), kRed);
  EXPECT_EQ(Pixel(77, 90, kScreenHeight), kBlue) << "left of the quad";
  EXPECT_EQ(Pixel(162, 90, kScreenHeight), kBlue) << "right of it";
  EXPECT_EQ(Pixel(120, 57, kScreenHeight), kBlue) << "above it";
  EXPECT_EQ(Pixel(120, 122, kScreenHeight), kBlue) << "below it";
  EXPECT_EQ(Pixel(0, 0, kScreenHeight), kBlue);
  EXPECT_EQ(Pixel(319, 239, kScreenHeight), kBlue) << "the picture reaches the far corner";
}

TEST_F(GlPresentTest, ASmallerWindowShowsThePictureShrunk) {
  DrawPicture();
  // Half as wide and high: the quad covers [20, 40) x [15, 30).
  const auto screen = Show(80, 60, PixelRect{0, 0, 80, 60});
  ASSERT_TRUE(screen);
  constexpr int kScreenHeight = 60;
  EXPECT_EQ(Pixel(21, 16, kScreenHeight), kRed);
  EXPECT_EQ(Pixel(38, 28, kScreenHeight), kRed);
  EXPECT_EQ(Pixel(18, 22, kScreenHeight), kBlue);
  EXPECT_EQ(Pixel(41, 22, kScreenHeight), kBlue);
  EXPECT_EQ(Pixel(30, 13, kScreenHeight), kBlue);
  EXPECT_EQ(Pixel(30, 31, kScreenHeight), kBlue);
  EXPECT_EQ(Pixel(79, 59, kScreenHeight), kBlue);
}

TEST_F(GlPresentTest, AnAreaBelowABarLeavesTheBarToTheUi) {
  DrawPicture();
  // A 200 x 170 window with a 20 px bar at the top: the picture is stretched over
  // [0, 200) x [20, 170), 1.25 times in each direction; the quad over [50, 100) x [57.5, 95).
  const auto screen = Show(200, 170, PixelRect{0, 20, 200, 170});
  ASSERT_TRUE(screen);
  constexpr int kScreenHeight = 170;
  EXPECT_EQ(Pixel(100, 5, kScreenHeight), kBlack) << "the bar's place is cleared for the UI";
  EXPECT_EQ(Pixel(100, 19, kScreenHeight), kBlack);
  EXPECT_EQ(Pixel(100, 21, kScreenHeight), kBlue);
  EXPECT_EQ(Pixel(52, 60, kScreenHeight), kRed);
  EXPECT_EQ(Pixel(97, 92, kScreenHeight), kRed);
  EXPECT_EQ(Pixel(47, 75, kScreenHeight), kBlue);
  EXPECT_EQ(Pixel(103, 75, kScreenHeight), kBlue);
  EXPECT_EQ(Pixel(75, 54, kScreenHeight), kBlue);
  EXPECT_EQ(Pixel(75, 98, kScreenHeight), kBlue);
}

TEST_F(GlPresentTest, AWiderScreenShowsThePictureLetterboxed) {
  DrawPicture();
  // 160 x 120 on 400 x 200: 267 x 200 from x = 66, black bars left and right; the
  // quad over about [132.8, 199.5) x [50, 100).
  const PixelRect area = LetterboxRect(kWidth, kHeight, 400, 200);
  ASSERT_EQ(area, (PixelRect{66, 0, 333, 200}));
  const auto screen = Show(400, 200, area);
  ASSERT_TRUE(screen);
  constexpr int kScreenHeight = 200;
  for (const int x : {0, 30, 65, 333, 370, 399}) {
    for (const int y : {0, 100, 199}) EXPECT_EQ(Pixel(x, y, kScreenHeight), kBlack) << x << ", " << y;
  }
  EXPECT_EQ(Pixel(67, 1, kScreenHeight), kBlue) << "the picture starts right after the bar";
  EXPECT_EQ(Pixel(331, 198, kScreenHeight), kBlue) << "and ends right before the other";
  EXPECT_EQ(Pixel(135, 52, kScreenHeight), kRed);
  EXPECT_EQ(Pixel(197, 97, kScreenHeight), kRed);
  EXPECT_EQ(Pixel(130, 75, kScreenHeight), kBlue);
  EXPECT_EQ(Pixel(202, 75, kScreenHeight), kBlue);
  EXPECT_EQ(Pixel(165, 47, kScreenHeight), kBlue);
  EXPECT_EQ(Pixel(165, 103, kScreenHeight), kBlue);
}

TEST_F(GlPresentTest, ATallerScreenShowsThePictureLetterboxed) {
  DrawPicture();
  // 160 x 120 on 160 x 200: full width, 40 px bars above and below.
  const PixelRect area = LetterboxRect(kWidth, kHeight, 160, 200);
  ASSERT_EQ(area, (PixelRect{0, 40, 160, 160}));
  const auto screen = Show(160, 200, area);
  ASSERT_TRUE(screen);
  constexpr int kScreenHeight = 200;
  EXPECT_EQ(Pixel(80, 0, kScreenHeight), kBlack);
  EXPECT_EQ(Pixel(80, 39, kScreenHeight), kBlack);
  EXPECT_EQ(Pixel(80, 160, kScreenHeight), kBlack);
  EXPECT_EQ(Pixel(80, 199, kScreenHeight), kBlack);
  EXPECT_EQ(Pixel(40, 70, kScreenHeight), kRed) << "at its own pixels, 40 px lower";
  EXPECT_EQ(Pixel(79, 99, kScreenHeight), kRed);
  EXPECT_EQ(Pixel(39, 70, kScreenHeight), kBlue);
  EXPECT_EQ(Pixel(80, 99, kScreenHeight), kBlue);
}

TEST_F(GlPresentTest, ShowingLeavesTheMaskScissorAndClearColourAsTheyWere) {
  DrawPicture();
  glColorMask(GL_TRUE, GL_FALSE, GL_TRUE, GL_TRUE);
  glEnable(GL_SCISSOR_TEST);
  glScissor(0, 0, 1, 1);
  glClearColor(0.25f, 0.5f, 0.75f, 1.0f);
  const auto screen = Show(320, 240, PixelRect{0, 0, 320, 240});
  ASSERT_TRUE(screen);
  GLboolean mask[4] = {};
  glGetBooleanv(GL_COLOR_WRITEMASK, mask);
  GLfloat clear[4] = {};
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  const bool scissor = glIsEnabled(GL_SCISSOR_TEST);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glDisable(GL_SCISSOR_TEST);
  EXPECT_EQ(Pixel(120, 90, 240), kRed) << "neither mask nor scissor applied to the copy";
  EXPECT_EQ(Pixel(300, 200, 240), kBlue);
  EXPECT_FALSE(mask[1]);
  EXPECT_TRUE(mask[0]);
  EXPECT_TRUE(scissor);
  EXPECT_FLOAT_EQ(clear[1], 0.5f);
}

}  // namespace
