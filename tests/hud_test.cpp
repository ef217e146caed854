// The HUD's building blocks and the ranking list's lines.
#include "game/hud.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "fakes/fake_platform.h"
#include "fakes/recording_device.h"
#include "platform/text/shift_jis.h"
#include "platform/text/text_fields.h"
#include "ranking/ranking_line.h"

namespace {

std::array<int, 12> Codes(std::initializer_list<int> first) {
  std::array<int, 12> codes;
  codes.fill(-1);
  std::copy(first.begin(), first.end(), codes.begin());
  return codes;
}

TEST(DistanceText, CutAfterTwoDecimalsNotRounded) {
  EXPECT_EQ(platform::TwoDecimalText(152.3456), "152.34");
  EXPECT_EQ(platform::TwoDecimalText(-3.005), "-3.00");
  EXPECT_EQ(platform::TwoDecimalText(98.7f), "98.69");
  EXPECT_EQ(platform::TwoDecimalText(0), "0.00");
}

TEST(ResultDigits, RightAlignedInSixCells) {
  EXPECT_EQ(game::DigitCodes("12.50", 6), Codes({-1, 1, 2, 11, 5, 0}));
  EXPECT_EQ(game::DigitCodes("1234.56", 6), Codes({2, 3, 4, 11, 5, 6}));
  EXPECT_EQ(game::DigitCodes("-3.00", 6), Codes({-1, 0, 3, 11, 0, 0}));  // a minus shows as 0
}

TEST(ResultDigits, DrawsOneCellPerCharacterSideBySide) {
  fakes::FakePlatform os;
  platform::RecordingDevice device;
  game::ResultNumber result;
  result.DigitCount = 6;
  result.Place(0, 0, 100, 200);
  result.Draw(device, "12.50");
  ASSERT_EQ(device.Draws.size(), 5u);
  game::ScreenVertex first[4];
  std::memcpy(first, device.Draws[0].Vertices.data(), sizeof first);
  EXPECT_EQ(first[0].X, 100);  // cell 1: the first cell stays empty
  EXPECT_EQ(first[3].X, 200);
  EXPECT_EQ(first[3].Y, 200);
  EXPECT_EQ(device.Draws[0].Fvf, platform::Fvf::ScreenVertex);
  EXPECT_EQ(device.CallsStartingWith("SetRenderState")[1], "SetRenderState DestBlend 6");
}

TEST(ScreenQuad, VerticesTexturesAndStates) {
  fakes::FakePlatform os;
  platform::RecordingDevice device;
  game::ScreenQuad quad;
  quad.SetTexture(device, "image\\missing.bmp");
  ASSERT_EQ(os.Dialogs.Warnings.size(), 1u);
  EXPECT_EQ(platform::ShiftJisToUtf8(os.Dialogs.Warnings[0]), "0番テクスチャimage\\missing.bmpの作成に失敗しました");
  quad.SetSize(32, 256);
  quad.SetPosition(911, 322);
  EXPECT_EQ(quad.Vertices[1].Y, 322 + 256);
  EXPECT_EQ(quad.Vertices[2].X, 911 + 32);
  EXPECT_EQ(quad.Vertices[3].U0, 1);
  quad.Draw(device);
  EXPECT_EQ(device.Calls[0], "SetRenderState AlphaBlendEnable 1");
  EXPECT_EQ(device.CallsStartingWith("SetTexture")[0], "SetTexture 0 null");
  EXPECT_EQ(device.CallsStartingWith("DrawPrimitiveUp")[0], "DrawPrimitiveUp TriangleStrip 2 36");
  quad.Visible = 0;
  device.Calls.clear();
  quad.Draw(device);
  EXPECT_TRUE(device.Calls.empty());
}

TEST(ResultDigits, MissingPicturesAreReportedWithTheirIndex) {
  fakes::FakePlatform os;
  platform::RecordingDevice device;
  game::ResultNumber result;
  result.LoadTextures(device);
  ASSERT_EQ(os.Dialogs.Warnings.size(), 12u);
  EXPECT_EQ(platform::ShiftJisToUtf8(os.Dialogs.Warnings[11]), "11番Numテクスチャimage\\resultnumの作成に失敗しました");
}

// Every state a HUD picture draws with, in the order the device receives it: the quad
// sets its textures between blending and stage, the digits their vertex format.
TEST(ScreenStates, QuadAndDigitsSetTheirStatesInTheirOwnOrder) {
  const std::string stage[] = {"SetStageState 0 ColorOp 4", "SetStageState 0 ColorArg1 2",
                               "SetStageState 0 ColorArg2 0"};  // texture times diffuse
  const std::string fvf = "SetFvf 244";                         // pre-transformed, colour, two (u, v)
  fakes::FakePlatform os;
  platform::RecordingDevice device;
  game::ScreenQuad quad;
  quad.Draw(device);
  const std::vector<std::string> quadCalls = {"SetRenderState AlphaBlendEnable 1",
                                              "SetRenderState SrcBlend 5",
                                              "SetRenderState DestBlend 6",
                                              "SetTexture 0 null",
                                              stage[0],
                                              stage[1],
                                              stage[2],
                                              fvf,
                                              "DrawPrimitiveUp TriangleStrip 2 36"};
  EXPECT_EQ(device.Calls, quadCalls);

  device.Calls.clear();
  game::ResultNumber result;
  result.DigitCount = 2;
  result.Draw(device, "7");
  const std::vector<std::string> digitCalls = {"SetRenderState AlphaBlendEnable 1",
                                               "SetRenderState DestBlend 6",
                                               "SetRenderState SrcBlend 5",
                                               fvf,
                                               stage[0],
                                               stage[1],
                                               stage[2],
                                               "SetTexture 0 null",
                                               "DrawPrimitiveUp TriangleStrip 2 36"};
  EXPECT_EQ(device.Calls, digitCalls);
}

std::string Dots(int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += "\x81\x45";
  return s;
}

TEST(RankingLine, NamesOverTheDottedLeader) {
  using ranking::RankingLine;
  EXPECT_EQ(RankingLine({"ABC", 152.3456f}), "ABC " + Dots(6) + "152.34m");
  EXPECT_EQ(RankingLine({"No Name", 98.7f}), "No Name " + Dots(4) + "98.69m");
  EXPECT_EQ(RankingLine({"\x82\xa0\x82\xa2", 10}), "\x82\xa0\x82\xa2" + Dots(6) + "10.00m");  // two full-width
  EXPECT_EQ(RankingLine({"ABCDEFGHIJKLMNOPQRST", 5}), "ABCDEFGHIJKLMNOP5.00m");
  EXPECT_EQ(RankingLine({"", 0}), Dots(8) + "0.00m");
  // A two-byte character that would straddle byte 16 is left out whole.
  EXPECT_EQ(RankingLine({"ABCDEFGHIJKLMNO\x82\xa0", 1}), "ABCDEFGHIJKLMNO 1.00m");
}

}  // namespace
