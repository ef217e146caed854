// The aircraft's model built from "plane.txt" and unit meshes, and frames drawn in
// their hierarchy.
#include "aircraft/aircraft_model.h"

#include <gtest/gtest.h>

#include "fakes/fake_platform.h"
#include "fakes/temp_dir.h"
#include "fakes/test_aircraft.h"
#include "fakes/recording_device.h"
#include "platform/text/shift_jis.h"

namespace {

// A unit box along one axis: x 0..1 (chord), y 0..0.1, z 0..span (span -1 or +1), no
// normals, so loading converts it and computes them.
std::string UnitStrip(int span) {
  std::string v;
  for (int i = 0; i < 8; ++i) {
    const float x = (i & 1) ? 1.0f : 0.0f, y = (i & 2) ? 0.1f : 0.0f, z = (i & 4) ? float(span) : 0.0f;
    v += std::to_string(x) + ";" + std::to_string(y) + ";" + std::to_string(z) + (i == 7 ? ";;\n" : ";,\n");
  }
  return "xof 0302txt 0032\nMesh {\n8;\n" + v +
         "12;\n3;0,1,3;,3;0,3,2;,3;4,7,5;,3;4,6,7;,3;0,4,5;,3;0,5,1;,3;2,3,7;,3;2,7,6;,3;0,2,6;,3;0,6,4;,3;1,5,7;,3;1,"
         "7,3;;\n"
         "MeshMaterialList { 1; 12; 0,0,0,0,0,0,0,0,0,0,0,0;; Material { 1.0;1.0;1.0;1.0;; 5.0; 0.0;0.0;0.0;; "
         "0.0;0.0;0.0;; } }\n"
         "}\n";
}

struct ModelTest : ::testing::Test {
  fakes::FakePlatform os;
  fakes::TempWorkingDir dir;
  platform::RecordingDevice device;
  void SetUp() override {
    fakes::WriteText("model/part.x", UnitStrip(1));
    fakes::WriteText("model/wingR.x", UnitStrip(-1));
    fakes::WriteText("model/wingL.x", UnitStrip(1));
    fakes::WriteText("plane.txt",
                     "model\\part\r\nmodel\\part\r\nmodel\\part\r\nmodel\\part\r\nmodel\\part\r\nmodel\\part\r\n"
                     "model\\wingR\r\nmodel\\wingL\r\n");
  }
  std::unique_ptr<aircraft::AircraftFrames> Build(const flight::AircraftSpec& spec) {
    auto a = fakes::MakeAircraft(spec);
    return aircraft::BuildAircraftModel(*a, device);
  }
  // Largest |x| of a frame's vertices (its chord after scaling and tapering).
  static float ExtentX(const aircraft::Frame& f, float atZ) {
    const platform::Mesh& m = *f.Mesh;
    float best = 0;
    for (int i = 0; i < m.VertexCount(); ++i) {
      const float* p = reinterpret_cast<const float*>(m.VertexData() + i * m.Stride());
      if (std::abs(p[2] - atZ) < 1e-4f) best = std::max(best, std::abs(p[0]));
    }
    return best;
  }
};

flight::AircraftSpec Strips(int count, double taper = 1) {
  flight::AircraftSpec s = fakes::GliderSpec();
  s.SectionEnabled = {1, 0, 0, 0};
  s.SectionSpan = {static_cast<double>(count), 0, 0, 0};
  s.SectionRootChord = {1, 0, 0, 0};
  s.SectionTaper = {taper, 0, 0, 0};
  s.SectionDihedral = {3, 0, 0, 0};
  return s;
}

TEST_F(ModelTest, SingleStripModelHasNineFrames) {
  const auto model = Build(Strips(1));
  ASSERT_EQ(model->Frames.size(), 9u);
  const auto& root = model->Frames[0];
  EXPECT_TRUE(root.Hidden);
  ASSERT_EQ(root.Children.size(), 8u);
  EXPECT_EQ(root.Children[6], &model->Frames[7]);
  EXPECT_EQ(root.Children[7], &model->Frames[8]);
  EXPECT_FLOAT_EQ(model->Frames[7].Rotation.X, static_cast<float>(3 * 3.14159 / 180));
  EXPECT_FLOAT_EQ(model->Frames[8].Rotation.X, -static_cast<float>(3 * 3.14159 / 180));
  EXPECT_TRUE(model->Frames[3].Hidden);
  EXPECT_TRUE(model->Frames[6].Hidden);
  EXPECT_EQ(model->Frames[1].Mesh->Fvf(), platform::Fvf::MeshVertex);  // converted, with normals
  EXPECT_TRUE(os.Dialogs.Warnings.empty());
}

TEST_F(ModelTest, ThirtyStripsChainOnBothSides) {
  const auto model = Build(Strips(30));
  ASSERT_EQ(model->Frames.size(), 67u);
  for (int s = 1; s < 30; ++s) {
    ASSERT_EQ(model->Frames[7 + s - 1].Children.size(), 1u);
    EXPECT_EQ(model->Frames[7 + s - 1].Children[0], &model->Frames[7 + s]);
    EXPECT_EQ(model->Frames[37 + s - 1].Children[0], &model->Frames[37 + s]);
    EXPECT_EQ(model->Frames[7 + s].Offset.Z, -1);
    EXPECT_EQ(model->Frames[37 + s].Offset.Z, 1);
    EXPECT_EQ(model->Frames[7 + s].Rotation.X, 0);  // dihedral only on the section's first strip
  }
}

TEST_F(ModelTest, TailArmPlacesAndStretchesTheTailParts) {
  flight::AircraftSpec s = Strips(1);
  s.CgPosition = 0;
  s.TailPosition = 3;  // tail arm -3
  const auto model = Build(s);
  EXPECT_EQ(model->Frames[4].Offset, (platform::Vec3{-3, 0.1f, 0}));
  EXPECT_EQ(model->Frames[5].Offset, (platform::Vec3{-3.35f, -0.1f, 0}));
  EXPECT_FLOAT_EQ(ExtentX(model->Frames[2], 1), 4);  // the unit boom stretched by 1 - (-3)
  EXPECT_EQ(model->Frames[1].Offset, (platform::Vec3{0.2f, -0.2f, 0}));
}

TEST_F(ModelTest, TaperNarrowsTheStripTowardItsEnd) {
  const auto straight = Build(Strips(1, 1));
  EXPECT_FLOAT_EQ(ExtentX(straight->Frames[7], -1), 1);  // TaperSlope 0 keeps the chord
  const auto tapered = Build(Strips(1, 0.9));            // TaperSlope 0.1 over 1 m
  EXPECT_FLOAT_EQ(ExtentX(tapered->Frames[7], -1), 0.9f);
  EXPECT_FLOAT_EQ(ExtentX(tapered->Frames[7], 0), 1);
}

TEST_F(ModelTest, FlightWritesRotationsOnlyToFramesThatExist) {
  auto model = Build(Strips(2));
  model->SetRotation(4, 0, 0, 0.5f);
  model->SetRotation(99, 1, 1, 1);
  model->SetRotation(-1, 1, 1, 1);
  EXPECT_EQ(model->Frames[4].Rotation.Z, 0.5f);
}

TEST_F(ModelTest, MissingFilesAreReportedAndLeaveGaps) {
  std::filesystem::remove("model/wingL.x");
  const auto model = Build(Strips(2));
  ASSERT_EQ(os.Dialogs.Warnings.size(), 2u);  // the left root strip and its second strip
  EXPECT_EQ(platform::ShiftJisToUtf8(os.Dialogs.Warnings[0]), "model\\wingL.xが見つかりません");
  EXPECT_FALSE(model->Frames[9].Mesh);

  std::filesystem::remove("plane.txt");
  os.Dialogs.Warnings.clear();
  EXPECT_FALSE(Build(Strips(2)));
  EXPECT_EQ(platform::ShiftJisToUtf8(os.Dialogs.Warnings.at(0)), "キャラクタデータのオープン失敗");
}

// A name of exactly the 99 bytes a line of "plane.txt" keeps, for model/<file>.x
// reached through "." folders.
std::string FullLengthName(const std::string& file) {
  constexpr size_t kKept = 99;
  std::string name = "model\\";
  while (name.size() + 2 + file.size() <= kKept) name += ".\\";
  if (name.size() + file.size() < kKept) name += "\\";  // an empty folder name between
  return name + file;
}

// A "plane.txt" whose last name, the left wing, is cut by the read limit: seven lines,
// each a full-length name and padding past it, end 8 bytes short of the limit, so only
// "model\wi" of the eighth line is read.
std::string PlaneTextCutInTheLastName() {
  constexpr size_t kCutLineStart = aircraft::kPlaneFileReadLimit - 8;
  constexpr size_t kLineBytes = kCutLineStart / 7;
  static_assert(kLineBytes * 7 == kCutLineStart);
  std::string text;
  for (int i = 1; i <= 7; ++i) {
    std::string line = FullLengthName(i == 7 ? "wingR" : "part");
    line.resize(kLineBytes - 2, 'x');
    text += line + "\r\n";
  }
  return text + "model\\wingL\r\n";
}

TEST_F(ModelTest, TextInMemoryReadsOnlyWhatTheFileWouldGive) {
  const std::string text = PlaneTextCutInTheLastName();
  ASSERT_EQ(text.find("model\\wingL"), aircraft::kPlaneFileReadLimit - 8);
  auto a = fakes::MakeAircraft(Strips(1));
  const auto fromText = aircraft::BuildAircraftModelFromText(*a, text, device);
  for (int part = 1; part <= 7; ++part) EXPECT_TRUE(fromText->Frames[part].Mesh) << part;
  EXPECT_FALSE(fromText->Frames[8].Mesh);  // "model\wi.x"
  ASSERT_EQ(os.Dialogs.Warnings.size(), 1u);
  EXPECT_EQ(platform::ShiftJisToUtf8(os.Dialogs.Warnings[0]), "model\\wi.xが見つかりません");

  fakes::WriteText("plane.txt", text);
  const auto fromFile = aircraft::BuildAircraftModel(*a, device);
  for (size_t f = 0; f < fromText->Frames.size(); ++f) {
    EXPECT_EQ(fromFile->Frames[f].MeshFile, fromText->Frames[f].MeshFile) << f;
  }
}

TEST_F(ModelTest, AircraftWithoutStripsHasNoWingFrames) {
  flight::AircraftSpec s = Strips(1);
  s.SectionEnabled = {0, 0, 0, 0};
  s.SectionSpan = {0, 0, 0, 0};
  const auto model = Build(s);
  ASSERT_EQ(model->Frames.size(), 7u);
  EXPECT_EQ(model->Frames[0].Children.size(), 6u);
}

TEST_F(ModelTest, DrawingFollowsTheHierarchyAndSkipsHiddenMeshes) {
  auto a = fakes::MakeAircraft(Strips(2));
  a->Model = aircraft::BuildAircraftModel(*a, device);
  a->DisplayX = 5;
  a->DisplayHeight = 11;
  device.Calls.clear();
  aircraft::DrawAircraftModel(*a, device);
  // 11 frames, of which the root and the two spare parts draw no subset.
  EXPECT_EQ(device.CallsStartingWith("SetTransform World").size(), 11u);
  EXPECT_EQ(device.CallsStartingWith("DrawSubset").size(), 8u);
  EXPECT_FLOAT_EQ(device.World.M[3][0], 5);  // the last strip hangs under the aircraft's place
}

}  // namespace
