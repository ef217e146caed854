#include "platform/assets/x_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <string>

#include "fakes/temp_dir.h"
#include "platform/io/files.h"
#include "platform/gfx/graphics_device.h"

namespace {

using platform::LoadedMesh;
using platform::Mesh;
using platform::ParseXFileMesh;
using platform::Vec3;
using platform::Fvf::MeshVertex;

constexpr uint32_t kPositionOnly = platform::Fvf::Xyz;
constexpr uint32_t kPositionTex = platform::Fvf::Xyz | platform::Fvf::Tex1;  // 0x102

std::string X(const std::string& body) { return "xof 0302txt 0032\n" + body; }

// One triangle, optionally with more objects inside the Mesh.
std::string TriangleMesh(const std::string& children = "") {
  return "Mesh tri {\n 3;\n 0;0;0;,\n 1;0;0;,\n 0;1;0;;\n 1;\n 3;0,1,2;;\n" + children + "}\n";
}
std::string Triangle(const std::string& children = "") { return X(TriangleMesh(children)); }

struct Vertex {
  Vec3 Position, Normal;
  float U = 0, V = 0;
};

Vertex At(const Mesh& mesh, int i) {
  Vertex v;
  const uint8_t* p = mesh.VertexData() + static_cast<size_t>(i) * mesh.Stride();
  std::memcpy(&v.Position, p + mesh.PositionOffset(), sizeof v.Position);
  if (mesh.NormalOffset() >= 0) std::memcpy(&v.Normal, p + mesh.NormalOffset(), sizeof v.Normal);
  if (mesh.TexCoordOffset() >= 0) {
    std::memcpy(&v.U, p + mesh.TexCoordOffset(), sizeof v.U);
    std::memcpy(&v.V, p + mesh.TexCoordOffset() + sizeof v.U, sizeof v.V);
  }
  return v;
}

void ExpectNear(const Vec3& actual, const Vec3& expected) {
  EXPECT_NEAR(actual.X, expected.X, 1e-5f);
  EXPECT_NEAR(actual.Y, expected.Y, 1e-5f);
  EXPECT_NEAR(actual.Z, expected.Z, 1e-5f);
}

// ---------------------------------------------------------------------------------

TEST(XFileHeader, OnlyTextFilesAreRead) {
  const std::string body = "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; }";
  EXPECT_TRUE(ParseXFileMesh("xof 0302txt 0032" + body));
  EXPECT_TRUE(ParseXFileMesh("xof 0303txt 0064" + body));
  for (const char* header : {"xof 0302bin 0032", "xof 0303tzip0032", "xof 0303bzip0064", "xof 0302txt 0016",
                             "xof 03x2txt 0032", "XOF 0302txt 0032", "xof 0302txt"}) {
    EXPECT_FALSE(ParseXFileMesh(header + body)) << header;
  }
}

TEST(XFileSyntax, LooseSeparatorsCommentsAndCaseAreTolerated) {
  // Commas for semicolons, doubled and trailing separators, comments holding braces,
  // keywords in any case, GUIDs, templates and unknown objects with braces in strings.
  const auto mesh = ParseXFileMesh(X(R"(
template Mesh { <3d82ab44-62da-11cf-ab39-0020af71e433> DWORD nVertices; [...] }
Header {1; 0; 1;}
KeyValuePair { "odd }"; "{ braces"; }   # a comment with } in it
MESH {   // and another {
 3,
 0.5;0;0;;; -1.00E+00, 0, 0,,
 0;+1;0;,
 1;
 3;0,1,2,,
 meshtexturecoords uv { 3; 0;0;; 1;0; 0;1;, }
 MeshMaterialList { 1; 1; 0;; Material { 1;0;0;1;; 5; 0;0;0;; 0;0;0;; TEXTUREFILENAME { "a.bmp"; } } }
 SomethingElse { 1; { nested } 2; }
}
}
)"));
  ASSERT_TRUE(mesh);
  const Mesh& g = *mesh->Geometry;
  EXPECT_EQ(g.Fvf(), kPositionTex);
  ASSERT_EQ(g.VertexCount(), 3);
  EXPECT_EQ(At(g, 0).Position, (Vec3{0.5f, 0, 0}));
  EXPECT_EQ(At(g, 1).Position, (Vec3{-1, 0, 0}));
  EXPECT_EQ(At(g, 2).Position, (Vec3{0, 1, 0}));
  EXPECT_EQ(At(g, 2).V, 1.0f);
  EXPECT_EQ(g.Indices, (std::vector<uint32_t>{0, 1, 2}));
  ASSERT_EQ(mesh->Materials.size(), 1u);
  EXPECT_EQ(mesh->Materials[0].TextureFile, "a.bmp");
  EXPECT_EQ(mesh->Materials[0].Colors.Power, 5.0f);
}

TEST(XFileSyntax, UnbalancedBraces) {
  EXPECT_TRUE(ParseXFileMesh(Triangle() + "}\n}"));  // extra closing braces
  EXPECT_TRUE(ParseXFileMesh(X("}\n" + TriangleMesh())));
  // The text ends inside the Mesh and the Frame, after all the data.
  EXPECT_TRUE(ParseXFileMesh(X("Frame f { Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;;")));
  // The text ends inside the vertex list.
  EXPECT_FALSE(ParseXFileMesh(X("Frame f { Mesh { 3; 0;0;0;, 1;0;0;,")));
}

TEST(XFileSyntax, TextureNamesKeepTheirBytesExceptEscapedBackslashes) {
  auto texture = [](const std::string& literal) {
    const auto mesh =
        ParseXFileMesh(Triangle("MeshMaterialList { 1; 1; 0; Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; "
                                "TextureFilename { \"" +
                                literal + "\"; } } }"));
    return mesh ? mesh->Materials.at(0).TextureFile : std::string("<refused>");
  };
  EXPECT_EQ(texture(R"(Light Probes\\cross.dds)"), R"(Light Probes\cross.dds)");
  EXPECT_EQ(texture(R"(image\x.bmp)"), R"(image\x.bmp)");  // a lone backslash stays
  // The Shift-JIS character 0x95 0x5C, then a folder separator: the trail byte starts no escape.
  EXPECT_EQ(texture("\x95\x5C\\x.bmp"), "\x95\x5C\\x.bmp");
  EXPECT_EQ(texture(std::string(300, 'a')), "");  // longer than any path: no texture
}

// ---------------------------------------------------------------------------------

TEST(XFileGeometry, PolygonsBecomeFans) {
  const auto mesh = ParseXFileMesh(X("Mesh { 5; 0;0;0;, 1;0;0;, 2;1;0;, 1;2;0;, 0;1;0;; 2; 5;0,1,2,3,4;, 2;0,1;; }"));
  ASSERT_TRUE(mesh);
  // A face of two corners draws nothing but keeps the list in step.
  EXPECT_EQ(mesh->Geometry->Indices, (std::vector<uint32_t>{0, 1, 2, 0, 2, 3, 0, 3, 4}));
  EXPECT_EQ(mesh->Geometry->Fvf(), kPositionOnly);
  ASSERT_EQ(mesh->Materials.size(), 1u);  // the default material
  EXPECT_EQ(mesh->Materials[0].Colors.Diffuse, (platform::ColorValue{1, 1, 1, 1}));
  EXPECT_EQ(mesh->Materials[0].TextureFile, "");
}

TEST(XFileGeometry, NormalIndicesSplitVerticesOnlyWhereTheNormalDiffers) {
  // Two triangles share the edge 1-2. Normals 0 and 1 are equal vectors; normal 2 differs,
  // so only position 2 of the second face needs a vertex of its own.
  const auto mesh = ParseXFileMesh(X(R"(
Mesh { 4; 0;0;0;, 1;0;0;, 0;1;0;, 1;1;0;;
 2; 3;0,1,2;, 3;2,1,3;;
 MeshNormals { 3; 0;0;1;, 0;0;1;, 1;0;0;; 2; 3;0,0,0;, 3;2,1,1;; }
 MeshTextureCoords { 4; 0;0;, 1;0;, 0;1;, 1;1;; }
})"));
  ASSERT_TRUE(mesh);
  const Mesh& g = *mesh->Geometry;
  EXPECT_EQ(g.Fvf(), MeshVertex);
  ASSERT_EQ(g.VertexCount(), 5);
  EXPECT_EQ(g.Indices, (std::vector<uint32_t>{0, 1, 2, 4, 1, 3}));
  const Vertex split = At(g, 4);
  EXPECT_EQ(split.Position, (Vec3{0, 1, 0}));
  EXPECT_EQ(split.Normal, (Vec3{1, 0, 0}));
  EXPECT_EQ(split.V, 1.0f);  // texture coordinates follow the position
  EXPECT_EQ(At(g, 2).Normal, (Vec3{0, 0, 1}));
}

TEST(XFileGeometry, FramesMoveMeshesAndAllMeshesAreMerged) {
  // The inner mesh sits in a frame scaled by 2 and turned 90 degrees about z, inside a
  // frame moved by (10, 0, 0); the outer mesh only moves.
  const auto mesh = ParseXFileMesh(X(R"(
Frame outer {
 Mesh a { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;;
  MeshNormals { 1; 0;0;1;; 1; 3;0,0,0;; }
  MeshMaterialList { 1; 1; 0; { red } } }
 FrameTransformMatrix { 1,0,0,0, 0,1,0,0, 0,0,1,0, 10,0,0,1;; }
 Frame inner {
  FrameTransformMatrix { 0,2,0,0, -2,0,0,0, 0,0,2,0, 0,0,0,1;; }
  Mesh b { 3; 1;0;0;, 0;1;0;, 0;0;1;; 1; 3;0,1,2;;
   MeshNormals { 1; 1;0;0;; 1; 3;0,0,0;; } }
 }
}
Material red { 1;0;0;1;; 0; 0;0;0;; 0;0;0;; }
)"));
  ASSERT_TRUE(mesh);
  const Mesh& g = *mesh->Geometry;
  ASSERT_EQ(g.VertexCount(), 6);
  EXPECT_EQ(At(g, 1).Position, (Vec3{11, 0, 0}));
  ExpectNear(At(g, 3).Position, {10, 2, 0});  // (1, 0, 0) scaled, turned, moved
  ExpectNear(At(g, 4).Position, {8, 0, 0});
  ExpectNear(At(g, 3).Normal, {0, 1, 0});  // turned and of unit length again
  EXPECT_EQ(g.Indices, (std::vector<uint32_t>{0, 1, 2, 3, 4, 5}));
  ASSERT_EQ(mesh->Materials.size(), 2u);  // the referenced one (defined later), then the default
  EXPECT_EQ(mesh->Materials[0].Colors.Diffuse, (platform::ColorValue{1, 0, 0, 1}));
  EXPECT_EQ(mesh->Materials[1].Colors.Diffuse, (platform::ColorValue{1, 1, 1, 1}));
  ASSERT_EQ(g.Subsets.size(), 2u);
  EXPECT_EQ(g.Subsets[1].StartIndex, 3u);
}

TEST(XFileGeometry, NormalsOnlyWhenEveryMeshHasThem) {
  const auto mesh = ParseXFileMesh(X(R"(
Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; MeshNormals { 1; 0;0;1;; 1; 3;0,0,0;; } }
Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; MeshTextureCoords { 3; 0;0;, 1;0;, 0;1;; } }
)"));
  ASSERT_TRUE(mesh);
  EXPECT_EQ(mesh->Geometry->Fvf(), kPositionTex);  // the game then computes the normals
}

// ---------------------------------------------------------------------------------

TEST(XFileMaterials, FacesAreSortedIntoOneSubsetPerMaterial) {
  // Four faces with materials 1, 0, 1 and then (list too short) 1 again; material 2 is unused.
  const auto mesh = ParseXFileMesh(X(R"(
Material shared { 0;0;1;1;; 8; 1;1;1;; 0.5;0.5;0.5;; TextureFileName { "b.bmp"; } }
Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 4; 3;0,1,2;, 3;0,2,1;, 3;1,2,0;, 3;2,0,1;;
 MeshMaterialList { 3; 3; 1, 0, 1;
  Material { 0;1;0;0.5;; 2; 0;0;0;; 0;0;0;; }
  {shared}
  { shared }
 }
})"));
  ASSERT_TRUE(mesh);
  const Mesh& g = *mesh->Geometry;
  EXPECT_EQ(g.Indices, (std::vector<uint32_t>{0, 2, 1, 0, 1, 2, 1, 2, 0, 2, 0, 1}));
  ASSERT_EQ(g.Subsets.size(), 3u);
  EXPECT_EQ(g.Subsets[0].IndexCount, 3u);
  EXPECT_EQ(g.Subsets[1].StartIndex, 3u);
  EXPECT_EQ(g.Subsets[1].IndexCount, 9u);
  EXPECT_EQ(g.Subsets[2].IndexCount, 0u);
  const platform::Material& blue = mesh->Materials[1].Colors;
  EXPECT_EQ(blue.Diffuse, (platform::ColorValue{0, 0, 1, 1}));
  EXPECT_EQ(blue.Power, 8.0f);
  EXPECT_EQ(blue.Specular, (platform::ColorValue{1, 1, 1, 1}));
  EXPECT_EQ(blue.Emissive, (platform::ColorValue{0.5f, 0.5f, 0.5f, 1}));
  EXPECT_EQ(blue.Ambient, platform::ColorValue{});  // the game sets ambient itself
  EXPECT_EQ(mesh->Materials[1].TextureFile, "b.bmp");
  EXPECT_EQ(mesh->Materials[0].Colors.Diffuse.A, 0.5f);
}

// ---------------------------------------------------------------------------------

TEST(XFileRobustness, InconsistentMeshesAreRefused) {
  const std::string material = "Material m { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; }\n";
  const char* cases[] = {
      "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,3;; }",            // index past the vertices
      "Mesh { 0;; 0;; }",                                            // no vertices
      "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 0;; }",                     // no faces
      "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 2;0,1;; }",              // nothing to draw
      "Mesh { 4000000000; 0;0;0;; }",                                // count beyond the text
      "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 4000000000; 0,1,2;; }",  // corners beyond the text
      "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 99999999999; }",            // not a 32-bit count
      "Mesh { -3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; }",           // negative count
      "Mesh { 3; 0;0;0;, 1e999;0;0;, 0;1;0;; 1; 3;0,1,2;; }",        // beyond float range
      "Mesh { 3; 0;0;0;, x;0;0;, 0;1;0;; 1; 3;0,1,2;; }",            // not a number
      "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; MeshNormals { 1; 0;0;1;; 1; 3;0,0,1;; } }",
      "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; MeshNormals { 1; 0;0;1;; 1; 4;0,0,0,0;; } }",
      "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; MeshNormals { 1; 0;0;1;; 0;; } }",
      "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; MeshTextureCoords { 2; 0;0;, 1;0;; } }",
      "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; MeshMaterialList { 1; 1; 1; {m} } }",  // index
      "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; MeshMaterialList { 2; 1; 0; {m} } }",  // too few
      "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; MeshMaterialList { 1; 1; 0; {nowhere} } }",
      "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; FVFData { 256; 2; 0, 0; } }",
      "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; DeclData { 1; 1;0;5;0;; 4; 0,0,0,0; } }",
      "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; SkinWeights { \"b\"; 1; 3; 1.0; } }",
      "AnimationSet { Animation { { Bone } AnimationKey { 0; 1; 0; 3; 0,0,0;;; } } }",  // no mesh at all
  };
  for (const char* body : cases) {
    EXPECT_FALSE(ParseXFileMesh(X(material + body))) << body;
  }
  // The same per-vertex blocks, consistent with three vertices, are fine.
  EXPECT_TRUE(
      ParseXFileMesh(Triangle("FVFData { 256; 6; 0,0,0,0,0,0; }"
                              "DeclData { 1; 1;0;5;0;; 6; 0,0,0,0,0,0; }"
                              "SkinWeights { \"b\"; 1; 2; 1.0; 1,0,0,0,0,1,0,0,0,0,1,0,0,0,0,1;; }")));
}

TEST(XFileRobustness, DeepNestingIsBounded) {
  auto nested = [](int depth) {
    std::string text;
    for (int i = 0; i < depth; ++i) text += "Frame {";
    return X(text + "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; }");
  };
  EXPECT_TRUE(ParseXFileMesh(nested(200)));
  EXPECT_FALSE(ParseXFileMesh(nested(100000)));  // refused, not a stack overflow
  // Unknown objects are skipped without recursion, however deep.
  EXPECT_TRUE(ParseXFileMesh(X(std::string(100000, '{') + std::string(100000, '}') + TriangleMesh())));
}

TEST(XFileRobustness, LoadXFileMeshReadsGameFileNames) {
  fakes::TempWorkingDir dir;
  fakes::WriteText("pol/tri.x", Triangle());
  EXPECT_TRUE(platform::LoadXFileMesh("pol\\tri.x"));
  EXPECT_FALSE(platform::LoadXFileMesh("pol\\missing.x"));
  // A file past the size limit is refused rather than read cut off.
  std::string big = Triangle();
  big += std::string(16 * 1024 * 1024, ' ');
  fakes::WriteText("big.x", big);
  EXPECT_FALSE(platform::LoadXFileMesh("big.x"));
}

// ---------------------------------------------------------------------------------
// Faults name the line (the header is line 1) and what the reader needed there.

// The file made of the header line and then these lines.
std::string XLines(std::initializer_list<const char*> lines) {
  std::string text = "xof 0302txt 0032";
  for (const char* line : lines) text = text + "\n" + line;
  return text;
}

struct Fault {
  const char* Case;
  std::string Text;
  int Line;
  std::string Expected;
};

void ExpectFaults(std::initializer_list<Fault> faults) {
  for (const Fault& f : faults) {
    SCOPED_TRACE(f.Case);
    const platform::XFileResult result = platform::ReadXFileMesh(f.Text);
    ASSERT_FALSE(result.Mesh);
    EXPECT_EQ(result.Error.Line, f.Line);
    EXPECT_EQ(result.Error.Expected, f.Expected);
    EXPECT_FALSE(ParseXFileMesh(f.Text)) << "the mesh-only reader agrees";
  }
}

TEST(XFileErrors, ALoadedFileHasNoFault) {
  const platform::XFileResult result = platform::ReadXFileMesh(Triangle());
  ASSERT_TRUE(result.Mesh);
  EXPECT_EQ(result.Error.Line, 0);
  EXPECT_EQ(result.Error.Expected, "");
}

TEST(XFileErrors, TruncatedTextIsReportedWhereItStops) {
  ExpectFaults({
      {"number cut short", XLines({"Mesh tri {", " 3;", " 0;0;0;,", " 1;0;0;,", " 0;1.5e"}), 6, "a vertex coordinate"},
      {"the end of the text is on its last line", XLines({"Mesh tri {", " 3;", " 0;0;0;,", " 1;0;0;,", " 0;1;", ""}), 6,
       "a vertex coordinate"},
      {"unterminated string: where it opens",
       XLines({"Mesh tri {", " 3; 0;0;0;, 1;0;0;, 0;1;0;;", " 1; 3;0,1,2;;", " SkinWeights {", "  \"bone",
               "  1; 0; 1.0;"}),
       6, "a bone name in quotes"},
      {"not a text file", "xof 0302bin 0032", 1,
       "a text X file header (\"xof \", 4-digit version, \"txt \", \"0032\" or \"0064\")"},
  });
}

TEST(XFileErrors, CountsAndIndicesNameWhatTheyMustMatch) {
  const char* mesh = "Mesh tri { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;;";
  ExpectFaults({
      {"count beyond the text", XLines({"Mesh {", " 4000000000;", " 0;0;0;; }"}), 3,
       "a vertex count the rest of the file can hold"},
      {"index past the vertices", XLines({"Mesh {", " 3; 0;0;0;, 1;0;0;, 0;1;0;;", " 1;", " 3;0,1,3;;", "}"}), 5,
       "a vertex index below 3"},
      {"one texture coordinate per vertex", XLines({mesh, " MeshTextureCoords {", "  2;", "  0;0;, 1;0;;", " }", "}"}),
       4, "3 texture coordinates, one per vertex"},
      {"normal faces like the mesh's",
       XLines({mesh, " MeshNormals {", "  1; 0;0;1;;", "  1;", "  4;0,0,0,0;;", " }", "}"}), 6,
       "3 corners, as the mesh's face 0 has"},
      {"per-vertex data for every vertex", XLines({mesh, " FVFData {", "  256;", "  2;", "  0, 0;", " }", "}"}), 5,
       "6 DWORDs (2 per vertex)"},
      {"material index past the list", XLines({mesh, " MeshMaterialList {", "  1; 1;", "  1;", "  {m}", " }", "}"}), 5,
       "a material index below 1"},
  });
}

TEST(XFileErrors, MissingBracesAndNamesAreReportedWhereTheyShowUp) {
  const char* mesh = "Mesh tri { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;;";
  ExpectFaults({
      {"a material without its brace: the list ends short",
       XLines({mesh, " MeshMaterialList {", "  1; 1; 0;", "  Material 1;1;1;1;; 0; 0;0;0;; 0;0;0;;", " }", "}"}), 6,
       "1 material, each as Material { ... } or { Name }"},
      {"a mesh without its brace is no mesh: the end of the file",
       XLines({"// one triangle", "Mesh tri", " 3; 0;0;0;, 1;0;0;, 0;1;0;;", " 1; 3;0,1,2;;", "}"}), 6,
       "a Mesh with vertices and faces"},
      {"a reference to no material", XLines({mesh, " MeshMaterialList {", "  1; 1; 0;", "  { nowhere }", " }", "}"}), 5,
       "a Material named \"nowhere\""},
      {"lines inside comments and templates count",
       XLines({"template Mesh {", " <3D82AB44-62DA-11cf-AB39-", "  0020AF71E433>", "}", "# comment {", "Mesh {",
               " 3; 0;0;0;, 1;0;0;, 0;1;0;;", " 1; 3;0,1,3;;", "}"}),
       9, "a vertex index below 3"},
  });
}

// ---------------------------------------------------------------------------------

TEST(XFileMesh, ComponentOffsetsFollowTheVertexLayout) {
  const Mesh scene(platform::Fvf::SceneVertex, 1);
  EXPECT_EQ(scene.Stride(), 36);
  EXPECT_EQ(scene.NormalOffset(), 12);
  EXPECT_EQ(scene.DiffuseOffset(), 24);
  EXPECT_EQ(scene.TexCoordOffset(), 28);
  const Mesh screen(platform::Fvf::ScreenVertex, 2);
  EXPECT_EQ(screen.PositionOffset(), 0);
  EXPECT_EQ(screen.NormalOffset(), -1);
  EXPECT_EQ(screen.DiffuseOffset(), 16);
  EXPECT_EQ(screen.TexCoordOffset(), 20);
}

TEST(XFileMesh, ComputeNormalsWeightsFacesByArea) {
  // Vertex 0 is shared by a large triangle facing -z and a small one facing +x; vertex 4
  // belongs to no face.
  Mesh mesh(MeshVertex, 5);
  const Vec3 positions[] = {{0, 0, 0}, {0, 3, 0}, {3, 0, 0}, {0, 0, 1}, {9, 9, 9}};
  float* v = mesh.LockVertices();
  for (int i = 0; i < 5; ++i) std::memcpy(v + i * 8, &positions[i], sizeof(Vec3));
  mesh.UnlockVertices();
  mesh.Indices = {0, 1, 2, 0, 1, 3};
  const uint64_t before = mesh.Version();
  mesh.ComputeNormals();
  EXPECT_GT(mesh.Version(), before);
  ExpectNear(At(mesh, 2).Normal, {0, 0, -1});
  ExpectNear(At(mesh, 3).Normal, {1, 0, 0});
  // Areas 4.5 and 1.5: (1.5, 0, -4.5) normalised.
  const float len = std::sqrt(1.5f * 1.5f + 4.5f * 4.5f);
  ExpectNear(At(mesh, 0).Normal, {1.5f / len, 0, -4.5f / len});
  EXPECT_EQ(At(mesh, 4).Normal, (Vec3{0, 0, 0}));
}

TEST(XFileMesh, CloneCarriesPositionsNormalsAndTexCoords) {
  auto loaded =
      ParseXFileMesh(Triangle("MeshTextureCoords { 3; 0.25;0.5;, 1;0;, 0;1;; }"
                              "MeshMaterialList { 1; 1; 0; Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; } }"));
  ASSERT_TRUE(loaded);
  ASSERT_EQ(loaded->Geometry->Fvf(), kPositionTex);
  auto clone = loaded->Geometry->CloneWithFvf(MeshVertex);
  ASSERT_TRUE(clone);
  EXPECT_EQ(clone->Fvf(), MeshVertex);
  EXPECT_EQ(clone->Stride(), 32);
  EXPECT_EQ(clone->Indices, loaded->Geometry->Indices);
  ASSERT_EQ(clone->Subsets.size(), 1u);
  EXPECT_EQ(clone->Subsets[0].IndexCount, 3u);
  EXPECT_EQ(At(*clone, 1).Position, (Vec3{1, 0, 0}));
  EXPECT_EQ(At(*clone, 0).U, 0.25f);
  EXPECT_EQ(At(*clone, 0).V, 0.5f);
  EXPECT_EQ(At(*clone, 0).Normal, (Vec3{0, 0, 0}));  // none to carry
  clone->ComputeNormals();
  ExpectNear(At(*clone, 0).Normal, {0, 0, 1});
  // And back: a format with fewer components keeps what it has.
  auto back = clone->CloneWithFvf(kPositionOnly);
  ASSERT_TRUE(back);
  EXPECT_EQ(At(*back, 2).Position, (Vec3{0, 1, 0}));
  EXPECT_FALSE(clone->CloneWithFvf(platform::Fvf::Normal));  // no position: no mesh
}

// ---------------------------------------------------------------------------------
// Text X files written by other programs (tests/corpus/README.md).

std::optional<LoadedMesh> LoadCorpus(const char* name) {
  const auto text = platform::ReadFilePrefix(std::string(VELKARO_TEST_CORPUS_DIR "/x/") + name, 1 << 20);
  if (!text) ADD_FAILURE() << "missing corpus file " << name;
  return text ? ParseXFileMesh(*text) : std::nullopt;
}

TEST(XFileCorpus, EveryFileLoadsOrIsRefusedAsExpected) {
  struct Expected {
    const char* file;
    bool loads;
    uint32_t fvf;
    int vertices;
    size_t indices, materials;
  };
  const Expected expected[] = {
      {"assimp-kwxport_test_cubewithvcolors.x", true, MeshVertex, 24, 36, 3},
      {"assimp-malformed_fvf_texcoord_oob.x", false, 0, 0, 0, 0},  // FVFData too short for its vertices
      {"assimp-malformed_skinweights_oob.x", false, 0, 0, 0, 0},   // skin weight on vertex 1000000
      {"assimp-test.x", true, MeshVertex, 24, 36, 1},
      {"assimp-test_cube_text.x", true, MeshVertex, 24, 36, 1},
      {"blitz3d-crate.x", true, MeshVertex, 48, 72, 2},
      {"blitz3d-facia.x", true, MeshVertex, 82, 84, 14},
      {"blitz3d-ladders.x", true, MeshVertex, 14, 18, 2},
      {"dxlegacy-Cube.x", true, kPositionOnly, 24, 36, 1},
      {"dxlegacy-alley_skybox.x", true, kPositionOnly, 24, 36, 1},
      {"dxlegacy-quad.x", true, MeshVertex, 4, 6, 1},
      {"dxlegacy-quadlow.x", true, MeshVertex, 4, 6, 2},
      {"dxlegacy-skybox01.x", true, kPositionOnly, 24, 36, 1},
      {"dxlegacy-spotlight.x", true, MeshVertex, 53, 192, 1},
      {"dxsdk-lobby_skybox.x", true, MeshVertex, 24, 36, 6},
      {"threejs-stand.x", false, 0, 0, 0, 0},  // animation only
  };
  size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(VELKARO_TEST_CORPUS_DIR "/x")) {
    files += entry.path().extension() == ".x";
  }
  EXPECT_EQ(files, std::size(expected)) << "a corpus file without an expectation";
  for (const Expected& e : expected) {
    SCOPED_TRACE(e.file);
    const auto mesh = LoadCorpus(e.file);
    ASSERT_EQ(mesh.has_value(), e.loads);
    if (!mesh) continue;
    const Mesh& g = *mesh->Geometry;
    EXPECT_EQ(g.Fvf(), e.fvf);
    EXPECT_EQ(g.VertexCount(), e.vertices);
    EXPECT_EQ(g.Indices.size(), e.indices);
    EXPECT_EQ(mesh->Materials.size(), e.materials);
    ASSERT_EQ(g.Subsets.size(), e.materials);
    uint32_t next = 0;
    for (const auto& subset : g.Subsets) {
      EXPECT_EQ(subset.StartIndex, next);
      next += subset.IndexCount;
    }
    EXPECT_EQ(next, g.Indices.size());
    for (uint32_t index : g.Indices) ASSERT_LT(index, static_cast<uint32_t>(g.VertexCount()));
  }
}

TEST(XFileCorpus, ValuesArriveAsWritten) {
  // The root frame swaps y and z: (-1, -1, 1) becomes (-1, 1, -1), normal (0, -1, 0) becomes (0, 0, -1).
  const auto cube = LoadCorpus("assimp-test_cube_text.x");
  ASSERT_TRUE(cube);
  EXPECT_EQ(At(*cube->Geometry, 0).Position, (Vec3{-1, 1, -1}));
  EXPECT_EQ(At(*cube->Geometry, 0).Normal, (Vec3{0, 0, -1}));
  EXPECT_EQ(cube->Materials[0].Colors.Diffuse, (platform::ColorValue{0.639216f, 0.639216f, 0.639216f, 1}));

  const auto maya = LoadCorpus("assimp-test.x");  // negative v stays negative
  ASSERT_TRUE(maya);
  EXPECT_EQ(At(*maya->Geometry, 0).V, -0.358017f);
  EXPECT_EQ(maya->Materials[0].TextureFile, R"(.\test.png)");

  const auto ladders = LoadCorpus("blitz3d-ladders.x");  // exponent floats, three nested frame moves
  ASSERT_TRUE(ladders);
  ExpectNear(At(*ladders->Geometry, 0).Position, {3.01f, 0, 1.85f});
  EXPECT_EQ(ladders->Materials[0].TextureFile, "stone_yellow1.BMP");
  EXPECT_EQ(ladders->Materials[0].Colors.Power, 38.4f);

  const auto kw = LoadCorpus("assimp-kwxport_test_cubewithvcolors.x");
  ASSERT_TRUE(kw);
  EXPECT_EQ(kw->Materials[2].TextureFile, R"(C:\code\sourceforge\kwxport\trunkMerged\test\data\updown.tga)");

  const auto alley = LoadCorpus("dxlegacy-alley_skybox.x");
  ASSERT_TRUE(alley);
  EXPECT_EQ(alley->Materials[0].TextureFile, R"(Light Probes\uffizi_cross.dds)");
  EXPECT_EQ(At(*alley->Geometry, 0).Position, (Vec3{-3, -3, -3}));  // frame scale 3
}

}  // namespace
