// The water grid, the wave picture sequence, the far surface, the sky dome and the
// fixed scenery, checked through the recording device.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "fakes/fake_platform.h"
#include "fakes/recording_device.h"
#include "platform/text/shift_jis.h"
#include "world/field.h"
#include "world/scenery.h"
#include "world/sky_dome.h"

namespace {

using world::SceneVertex;

std::vector<SceneVertex> VerticesOf(const platform::RecordingDevice::Draw& draw) {
  std::vector<SceneVertex> v(draw.Vertices.size() / sizeof(SceneVertex));
  std::memcpy(v.data(), draw.Vertices.data(), draw.Vertices.size());
  return v;
}

platform::Vec3 Transformed(const SceneVertex& v, const platform::Matrix4& m) {
  return platform::TransformCoord({v.X, v.Y, v.Z}, m);
}

TEST(Field, GridVerticesAndStripIndices) {
  fakes::FakePlatform os;
  platform::RecordingDevice device;
  world::CField field(device, 9000, 500);
  EXPECT_EQ(field.CellSize, 125);
  auto at = [&](int i) { return field.Vertices[i]; };
  EXPECT_EQ(at(0).X, 600);
  EXPECT_EQ(at(0).Z, -500);
  EXPECT_EQ(at(0).U, 0);
  EXPECT_EQ(at(0).V, 0);
  EXPECT_EQ(at(8).X, 600);
  EXPECT_EQ(at(8).Z, 500);
  EXPECT_EQ(at(8).U, 80);
  EXPECT_EQ(at(8).V, 0);
  EXPECT_EQ(at(9).X, 475);
  EXPECT_EQ(at(9).Z, -500);
  EXPECT_EQ(at(9).U, 0);
  EXPECT_EQ(at(9).V, 10);
  EXPECT_EQ(at(80).X, -400);
  EXPECT_EQ(at(80).Z, 500);
  EXPECT_EQ(at(80).U, 80);
  EXPECT_EQ(at(80).V, 80);
  EXPECT_EQ(at(40).Diffuse, 0xFFFFFFFFu);
  const uint16_t* idx = field.Index->Indices();
  EXPECT_EQ((std::vector<uint16_t>(idx, idx + 6)), (std::vector<uint16_t>{0, 9, 1, 10, 2, 11}));
  EXPECT_EQ((std::vector<uint16_t>(idx + 140, idx + 144)), (std::vector<uint16_t>{70, 79, 71, 80}));
  EXPECT_EQ(0, std::memcmp(field.Vertex->Data(), field.Vertices.data(), sizeof field.Vertices));
}

TEST(Field, SevenBandsOfSixteenTriangles) {
  fakes::FakePlatform os;
  platform::RecordingDevice device;
  world::CField field(device, 9000, 500);
  device.Calls.clear();
  field.DrawGrid(device);
  const auto draws = device.CallsStartingWith("DrawIndexedPrimitive");
  ASSERT_EQ(draws.size(), 7u);
  EXPECT_EQ(draws[0], "DrawIndexedPrimitive TriangleStrip 0 0 18 0 16");
  EXPECT_EQ(draws[6], "DrawIndexedPrimitive TriangleStrip 0 54 18 108 16");
  EXPECT_EQ(device.Calls.back(), "SetStreamSource null 0");
}

TEST(Field, LockFailuresAreReportedAndNothingIsDrawn) {
  fakes::FakePlatform os;
  platform::RecordingDevice device;
  device.FailBufferLocks = true;
  world::CField field(device, 9000, 500);
  ASSERT_EQ(os.Dialogs.Warnings.size(), 1u);
  EXPECT_EQ(platform::ShiftJisToUtf8(os.Dialogs.Warnings[0]), "フィールドデータの頂点ロックに失敗");
  EXPECT_FALSE(field.Index);
  device.Calls.clear();
  field.DrawGrid(device);
  EXPECT_TRUE(device.Calls.empty());

  platform::RecordingDevice noBuffers;
  noBuffers.FailBufferCreation = true;
  world::CField empty(noBuffers, 9000, 500);
  EXPECT_FALSE(empty.GridReady);
}

TEST(WaveField, PictureSequenceGoesBackAndForth) {
  fakes::FakePlatform os;
  platform::RecordingDevice device;
  world::CWaveField water(device, 9000, 500);
  for (int i = 0; i < 5; ++i) {
    water.WaveTextures[i] = std::make_unique<platform::Texture>();
    water.WaveTextures[i]->Name = "w" + std::to_string(i);
  }
  water.CurrentTex = 2;
  water.MaxTex = 5;
  world::CWaveField::WaveTick = 0;
  std::vector<std::string> bound;
  std::vector<int> step;
  for (int call = 1; call <= 246; ++call) {
    device.Calls.clear();
    water.ApplyTexture(device);
    bound.push_back(device.Calls[0]);
    step.push_back(water.TexStep);
  }
  EXPECT_EQ(bound[0], "SetTexture 0 w2");
  EXPECT_EQ(bound[39], "SetTexture 0 w2");
  EXPECT_EQ(bound[40], "SetTexture 0 w3");  // call 41
  EXPECT_EQ(bound[81], "SetTexture 0 w4");  // call 82, and the direction turns
  EXPECT_EQ(step[80], 1);
  EXPECT_EQ(step[81], -1);
  EXPECT_EQ(bound[122], "SetTexture 0 w3");
  EXPECT_EQ(bound[245], "SetTexture 0 w0");  // call 246 turns it again
  EXPECT_EQ(step[244], -1);
  EXPECT_EQ(step[245], 1);
}

TEST(WaveField, TooFewPicturesWarnAtEveryDraw) {
  fakes::FakePlatform os;
  platform::RecordingDevice device;
  world::CWaveField water(device, 9000, 500);
  water.MaxTex = 2;
  water.ApplyTexture(device);
  water.ApplyTexture(device);
  ASSERT_EQ(os.Dialogs.Warnings.size(), 2u);
  EXPECT_EQ(platform::ShiftJisToUtf8(os.Dialogs.Warnings[0]), "WaveFiledのMaxTexは最低でも3にしてください");
}

TEST(WaveField, FarSurfaceTurnsTowardTheView) {
  EXPECT_EQ(world::CWaveField::FarQuadAngle({0, 5, 0}, {10, 5, 0}), 0.0f);
  EXPECT_FLOAT_EQ(world::CWaveField::FarQuadAngle({0, 5, 0}, {-10, 5, 0}), -3.14159f);
  EXPECT_FLOAT_EQ(world::CWaveField::FarQuadAngle({0, 5, 0}, {0, 5, 10}), -1.570795f);
  EXPECT_FLOAT_EQ(world::CWaveField::FarQuadAngle({0, 5, 0}, {0, 5, -10}), 1.570795f);

  fakes::FakePlatform os;
  platform::RecordingDevice device;
  world::CWaveField water(device, 9000, 500);
  water.MaxTex = 5;
  water.DrawWaveField(device, {0, 5, 0}, {-10, 5, 0});
  const auto& far = device.Draws.back();
  ASSERT_EQ(far.Kind, "DrawPrimitiveUp");
  const auto quad = VerticesOf(far);
  EXPECT_NEAR(quad[1].X, 333.33f, 0.01f);
  EXPECT_EQ(quad[3].U, 180);
  EXPECT_EQ(quad[0].Y, -0.1f);
  EXPECT_NEAR(Transformed(quad[1], far.World).X, -333.33f, 0.05f);  // looking along -x
  EXPECT_NEAR(Transformed(quad[0], far.World).X, -9000, 0.1f);
}

TEST(SkyDome, VerticesIndicesAndDraw) {
  fakes::FakePlatform os;
  platform::RecordingDevice device;
  world::SkyDome sky(device, 9000);
  const auto& v = sky.Vertices;
  EXPECT_FLOAT_EQ(v[0].X, 9000);
  EXPECT_FLOAT_EQ(v[0].Z, 0.1f);
  EXPECT_FLOAT_EQ(v[0].U, 0.0001f);
  EXPECT_FLOAT_EQ(v[0].V, 0.999999f);
  EXPECT_NEAR(v[12].X, 9000, 0.1);
  EXPECT_NEAR(v[12].Z, -0.05, 0.02);
  EXPECT_FLOAT_EQ(v[12].U, 2.99999f);
  EXPECT_NEAR(v[13].X, 8559.5, 0.1);
  EXPECT_NEAR(v[13].Y, 2781.2, 0.1);
  EXPECT_EQ(v[65].Y, 9000);
  EXPECT_EQ(v[0].Diffuse, 0xFF5AA0FFu);
  EXPECT_EQ(v[13].Diffuse, 0xFF4B82E6u);
  EXPECT_EQ(v[52].Diffuse, 0xFF1E289Bu);
  EXPECT_EQ(v[65].Diffuse, 0xFF0F0A82u);
  const auto& i = sky.Indices;
  EXPECT_EQ((std::vector<uint16_t>(i.begin(), i.begin() + 4)), (std::vector<uint16_t>{0, 13, 1, 14}));
  EXPECT_EQ((std::vector<uint16_t>(i.end() - 4, i.end())), (std::vector<uint16_t>{63, 65, 64, 65}));

  device.Calls.clear();
  sky.DrawSky(device);
  EXPECT_EQ(device.CallsStartingWith("DrawIndexedPrimitive")[0], "DrawIndexedPrimitive TriangleStrip 0 0 66 0 127");
  EXPECT_EQ(device.Calls[1], "SetStageState 0 ColorOp 7");      // added to the vertex colours
  EXPECT_EQ(device.Calls.back(), "SetStageState 0 ColorOp 4");  // back to modulate
}

TEST(Scenery, PolesKeepTheWatersOperationAndStandWhereTheyShould) {
  fakes::FakePlatform os;
  platform::RecordingDevice device;
  world::Scenery sets;
  sets.DrawPoles(device);
  EXPECT_TRUE(device.CallsStartingWith("SetStageState").empty());  // drawn with what the water left
  ASSERT_EQ(device.Draws.size(), 8u + 22u + 14u);
  EXPECT_FLOAT_EQ(device.Draws[0].World.M[3][2], -2.2f);  // the first ramp profile
  EXPECT_EQ(device.Draws[0].PrimitiveCount, 3);
  EXPECT_FLOAT_EQ(device.Draws[29].World.M[3][2], -5.65f);  // the last long panel
  EXPECT_FLOAT_EQ(device.Draws[30].World.M[3][0], -1.15f * 13 - 3);
  EXPECT_EQ(VerticesOf(device.Draws[4])[0].Y, 10.5f);  // the other face starts at the top
}

TEST(Scenery, TreesAndMountainsPlacement) {
  fakes::FakePlatform os;
  platform::RecordingDevice device;
  world::Scenery sets;
  sets.DrawTrees(device);
  ASSERT_EQ(device.Draws.size(), 2u);
  const auto strip1 = VerticesOf(device.Draws[0]);
  const auto foot1a = Transformed(strip1[1], device.Draws[0].World);
  const auto foot1b = Transformed(strip1[3], device.Draws[0].World);
  EXPECT_NEAR(foot1a.X, -145.8, 0.1);
  EXPECT_NEAR(foot1a.Y, 5, 0.01);
  EXPECT_NEAR(foot1a.Z, 183.5, 0.1);
  EXPECT_NEAR(foot1b.X, -505.5, 0.1);
  EXPECT_NEAR(foot1b.Z, -1159.1, 0.1);
  const auto strip2 = VerticesOf(device.Draws[1]);
  const auto foot2a = Transformed(strip2[1], device.Draws[1].World);
  const auto foot2b = Transformed(strip2[3], device.Draws[1].World);
  EXPECT_NEAR(foot2a.X, 141.9, 0.1);
  EXPECT_NEAR(foot2a.Y, 1, 0.01);
  EXPECT_NEAR(foot2a.Z, 220.8, 0.1);
  EXPECT_NEAR(foot2b.X, -99.6, 0.1);
  EXPECT_NEAR(foot2b.Z, 285.5, 0.1);

  device.Draws.clear();
  device.Calls.clear();
  sets.DrawMountains(device);
  EXPECT_EQ(device.Calls[1], "SetStageState 0 ColorOp 7");
  ASSERT_EQ(device.Draws.size(), 3u);
  const auto slope = VerticesOf(device.Draws[0]);
  EXPECT_EQ(slope[0].Diffuse, 0xFF325A96u);
  EXPECT_EQ(slope[1].Diffuse, 0xFF141E64u);
  EXPECT_EQ(slope[2].V, 0.15f);
  EXPECT_EQ(slope[3].U, 1);
}

TEST(Scenery, MissingPicturesAreReported) {
  fakes::FakePlatform os;
  platform::RecordingDevice device;
  world::Scenery sets;
  sets.LoadPoleTexture(device);
  sets.LoadTreeTexture(device);
  sets.LoadMountainTexture(device);
  ASSERT_EQ(os.Dialogs.Warnings.size(), 3u);
  EXPECT_EQ(platform::ShiftJisToUtf8(os.Dialogs.Warnings[1]), "樹木のテクスチャ作成に失敗しました");
  sets.DrawPoles(device);  // drawn without a texture
  EXPECT_EQ(device.Draws[0].Texture0, "");
}

}  // namespace
