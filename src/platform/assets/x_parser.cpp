#include "platform/assets/x_parser.h"

#include <string>
#include <utility>
#include <vector>

#include "platform/assets/x_lexer.h"

namespace platform::xfile {
namespace {

constexpr int kMaxFrameDepth = 256;  // deeper nesting is refused, so recursion stays bounded
constexpr uint64_t kNumbersPerVector = 3;
constexpr uint64_t kNumbersPerTexCoord = 2;
constexpr uint64_t kNumbersPerSkinWeight = 2;  // its vertex index and its weight
constexpr uint64_t kNumbersPerVertexElement = 4;
constexpr int kMatrixSize = 4;
constexpr int kNumbersPerFaceColor = 4;  // RGBA
constexpr int kNumbersPerColor = 3;      // RGB
// The longest path the game's file system takes; a longer name is dropped, which also
// keeps every copy of a material (one per reference to it) small.
constexpr size_t kMaxTextureFileName = 260;

// ---------------------------------------------------------------------------------
// Per-vertex data blocks the mesh does not use, checked against the vertex count.

constexpr uint32_t kFvfPointSize = 0x020;  // D3DFVF_PSIZE: one float
constexpr uint32_t kFvfSpecular = 0x080;   // D3DFVF_SPECULAR: one ARGB word
constexpr int kFvfTexCountShift = 8;
constexpr int kFvfTexSizeShift = 16;  // two bits per set from here on
constexpr uint32_t kMaxTexSets = 8;
constexpr uint32_t kFvfTexSizeBits = 0xFFFF0000;
constexpr uint32_t kTexSizeDwords[] = {2, 3, 4, 1};  // size codes 0..3: 2, 3, 4, 1 floats

// DWORDs per vertex of an FVFData block, or nothing for formats this reader does not
// size (positions and the rarer flags).
std::optional<uint64_t> FvfDataDwordsPerVertex(uint32_t fvf) {
  const uint32_t sized =
      Fvf::Normal | kFvfPointSize | Fvf::Diffuse | kFvfSpecular | Fvf::TexCountMask | kFvfTexSizeBits;
  const uint32_t texSets = (fvf & Fvf::TexCountMask) >> kFvfTexCountShift;
  if ((fvf & ~sized) != 0 || texSets > kMaxTexSets) return std::nullopt;
  uint64_t dwords = ((fvf & Fvf::Normal) ? kNumbersPerVector : 0) + ((fvf & kFvfPointSize) ? 1 : 0) +
                    ((fvf & Fvf::Diffuse) ? 1 : 0) + ((fvf & kFvfSpecular) ? 1 : 0);
  for (uint32_t set = 0; set < texSets; ++set) {
    dwords += kTexSizeDwords[(fvf >> (kFvfTexSizeShift + 2 * set)) & 3];
  }
  return dwords;
}

// DWORDs of each vertex-declaration element type (FLOAT1 ... FLOAT16_4).
constexpr uint32_t kDeclTypeDwords[] = {1, 2, 3, 4, 1, 1, 1, 2, 1, 1, 2, 1, 2, 1, 1, 1, 2};

// "3 texture coordinates", "1 material": a count and what it counts.
std::string Counted(uint64_t count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::string IndexBelow(const char* what, uint64_t limit) {
  return std::string(what) + " below " + std::to_string(limit);
}

// ---------------------------------------------------------------------------------
// Parser. Any inconsistency calls Fail(), which keeps the first fault and moves the
// lexer to the end, so every loop above it ends at once.

class XParser {
public:
  explicit XParser(std::string_view body) : lex_(body) {}

  SceneResult Parse() {
    ForEachChild(
        Scope::File, [&](const std::string& type, std::string_view name) { ParseObject(type, name, kNoFrame, 0); },
        IgnoreReference);
    if (failed_) return {std::nullopt, std::move(error_)};
    scene_.lastLine = last_.line;
    return {std::move(scene_), {}};
  }

private:
  // At file level a stray '}' is ignored; inside an object it closes the object.
  enum class Scope { File, Object };

  Token Next() { return last_ = lex_.Next(); }

  // The fault is at the token read last unless a line is given.
  void Fail(std::string expected) { FailAt(last_.line, std::move(expected)); }
  void FailAt(int line, std::string expected) {
    if (!failed_) error_ = {line, std::move(expected)};
    failed_ = true;
    lex_.Stop();
  }
  // Fail() for the read helpers, which answer whether they read what they should.
  bool Refuse(std::string expected) {
    Fail(std::move(expected));
    return false;
  }

  bool ReadUint(uint32_t& out, const char* what) {
    const Token token = Next();
    const auto value = token.kind == TokenKind::Number ? ToUint(token.text) : std::nullopt;
    if (!value) return Refuse(what);
    out = *value;
    return true;
  }

  bool ReadFloats(float* out, int count, const char* what) {
    for (int i = 0; i < count; ++i) {
      const Token token = Next();
      const auto value = token.kind == TokenKind::Number ? ToFloat(token.text) : std::nullopt;
      if (!value) return Refuse(what);
      out[i] = *value;
    }
    return true;
  }

  // A count of list entries of numbersEach numbers each. k numbers take at least 2k - 1
  // characters (a digit each and a separator between them), so a count the rest of the
  // text cannot hold is refused before anything is allocated for it.
  bool ReadCount(uint32_t& count, uint64_t numbersEach, const char* what) {
    if (!ReadUint(count, what)) return false;
    const uint64_t numbers = static_cast<uint64_t>(count) * numbersEach;
    if (numbers == 0 || 2 * numbers - 1 <= lex_.Remaining()) return true;
    return Refuse(std::string(what) + " the rest of the file can hold");
  }

  bool SkipNumbers(uint32_t count, const char* what) {
    for (uint32_t i = 0; i < count; ++i) {
      if (Next().kind != TokenKind::Number) return Refuse(what);
    }
    return true;
  }

  bool ReadVectors(std::vector<Vec3>& out, const char* countWhat, const char* vectorWhat) {
    uint32_t count = 0;
    if (!ReadCount(count, kNumbersPerVector, countWhat)) return false;
    out.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
      float v[kNumbersPerVector];
      if (!ReadFloats(v, kNumbersPerVector, vectorWhat)) return false;
      out.push_back({v[0], v[1], v[2]});
    }
    return true;
  }

  // Faces as "corner count; index, index, ...", every index below indexLimit; when
  // `matching` is given, face for face as many corners as it has.
  bool ReadFaces(size_t indexLimit, const char* indexWhat, FaceList& faces, const FaceList* matching = nullptr) {
    uint32_t faceCount = 0;
    if (!ReadCount(faceCount, 1, "a face count")) return false;
    if (matching && faceCount != matching->sizes.size()) {
      return Refuse(Counted(matching->sizes.size(), "face", "faces") + ", as many as the mesh has");
    }
    faces.sizes.reserve(faceCount);
    for (uint32_t f = 0; f < faceCount; ++f) {
      uint32_t corners = 0;
      if (!ReadCount(corners, 1, "a face's corner count")) return false;
      if (matching && corners != matching->sizes[f]) {
        const std::string wanted = Counted(matching->sizes[f], "corner", "corners");
        return Refuse(wanted + ", as the mesh's face " + std::to_string(f) + " has");
      }
      faces.sizes.push_back(corners);
      for (uint32_t k = 0; k < corners; ++k) {
        uint32_t index = 0;
        if (!ReadUint(index, indexWhat)) return false;
        if (index >= indexLimit) return Refuse(IndexBelow(indexWhat, indexLimit));
        faces.corners.push_back(index);
      }
    }
    return true;
  }

  // Reads up to the '}' that closes the current object, whatever it holds. Returns the
  // first name at its own level, which is what a reference "{ Name }" holds.
  std::string SkipObjectRest() {
    std::string firstName;
    for (int depth = 1; depth > 0;) {
      const Token token = Next();
      if (token.kind == TokenKind::End) break;
      if (token.kind == TokenKind::Open) ++depth;
      if (token.kind == TokenKind::Close) --depth;
      if (token.kind == TokenKind::Name && depth == 1 && firstName.empty()) firstName = token.text;
    }
    return firstName;
  }

  // "Type [Name] {" once Type has been read; false (nothing consumed but the name) when
  // no '{' follows.
  bool ReadObjectHeader(std::string_view& name) {
    Token next = lex_.Peek();
    if (next.kind == TokenKind::Name) {
      Next();
      name = next.text;
      next = lex_.Peek();
    }
    if (next.kind != TokenKind::Open) return false;
    Next();
    return true;
  }

  // Reads an object body (its '{' already read) up to its '}'; the end of the text closes
  // every open object. Each child object goes to onChild(type in lower case, name) with
  // its '{' read, and onChild reads it through its '}'; each reference "{ Name }" goes to
  // onReference(name, line). Anything else between them is ignored.
  template <class OnChild, class OnReference>
  void ForEachChild(Scope scope, OnChild&& onChild, OnReference&& onReference) {
    for (;;) {
      const Token token = Next();
      if (token.kind == TokenKind::End) return;
      if (token.kind == TokenKind::Close) {
        if (scope == Scope::Object) return;
      } else if (token.kind == TokenKind::Open) {
        onReference(SkipObjectRest(), token.line);
      } else if (token.kind == TokenKind::Name) {
        std::string_view name;
        if (ReadObjectHeader(name)) onChild(Lower(token.text), name);
      }
    }
  }

  static void IgnoreReference(const std::string&, int) {}

  // Objects that may stand at file level or in a Frame.
  void ParseObject(const std::string& type, std::string_view name, int frame, int depth) {
    if (type == "frame") {
      ParseFrame(frame, depth + 1);
    } else if (type == "mesh") {
      ParseMesh(frame);
    } else if (type == "material") {
      RegisterMaterial(name, ParseMaterial());
    } else if (type == "frametransformmatrix" && frame != kNoFrame) {
      ParseMatrix(frame);
    } else {
      SkipObjectRest();  // templates, headers, animations and everything else
    }
  }

  void ParseFrame(int parent, int depth) {
    if (depth > kMaxFrameDepth) return Fail("Frames nested at most " + std::to_string(kMaxFrameDepth) + " deep");
    const int frame = static_cast<int>(scene_.frames.size());
    scene_.frames.push_back({Identity(), parent});
    ForEachChild(
        Scope::Object, [&](const std::string& type, std::string_view name) { ParseObject(type, name, frame, depth); },
        IgnoreReference);
  }

  void ParseMatrix(int frame) {
    Matrix4 m;
    for (auto& row : m.M) {
      if (!ReadFloats(row.data(), kMatrixSize, "a matrix element (16 in all)")) return;
    }
    scene_.frames[static_cast<size_t>(frame)].local = m;
    SkipObjectRest();
  }

  void ParseMesh(int frame) {
    RawMesh mesh;
    mesh.frame = frame;
    mesh.line = last_.line;
    if (!ReadVectors(mesh.positions, "a vertex count", "a vertex coordinate") ||
        !ReadFaces(mesh.positions.size(), "a vertex index", mesh.faces)) {
      return;
    }
    ForEachChild(
        Scope::Object, [&](const std::string& type, std::string_view name) { ParseMeshChild(type, name, mesh); },
        IgnoreReference);
    if (!failed_) scene_.meshes.push_back(std::move(mesh));
  }

  void ParseMeshChild(const std::string& type, std::string_view name, RawMesh& mesh) {
    if (type == "meshnormals") {
      ParseNormals(mesh);
    } else if (type == "meshtexturecoords") {
      ParseTexCoords(mesh);
    } else if (type == "meshmateriallist") {
      ParseMaterialList(mesh);
    } else if (type == "fvfdata") {
      CheckFvfData(mesh);
    } else if (type == "decldata") {
      CheckDeclData(mesh);
    } else if (type == "skinweights") {
      CheckSkinWeights(mesh);
    } else if (type == "material") {
      RegisterMaterial(name, ParseMaterial());
    } else {
      SkipObjectRest();
    }
  }

  // Normal indices per face; the faces must match the mesh's face for face.
  void ParseNormals(RawMesh& mesh) {
    std::vector<Vec3> normals;
    FaceList faces;
    if (!ReadVectors(normals, "a normal count", "a normal coordinate") ||
        !ReadFaces(normals.size(), "a normal index", faces, &mesh.faces)) {
      return;
    }
    mesh.normals = std::move(normals);
    mesh.normalCorners = std::move(faces.corners);
    mesh.hasNormals = true;
    SkipObjectRest();
  }

  void ParseTexCoords(RawMesh& mesh) {
    uint32_t count = 0;
    if (!ReadCount(count, kNumbersPerTexCoord, "a texture coordinate count")) return;
    if (count != mesh.positions.size()) {
      return Fail(Counted(mesh.positions.size(), "texture coordinate", "texture coordinates") + ", one per vertex");
    }
    std::vector<TexCoord> texCoords(count);
    for (TexCoord& uv : texCoords) {
      if (!ReadFloats(uv.data(), static_cast<int>(uv.size()), "a texture coordinate")) return;
    }
    mesh.texCoords = std::move(texCoords);
    SkipObjectRest();
  }

  void ParseMaterialList(RawMesh& mesh) {
    uint32_t materialCount = 0, indexCount = 0;
    if (!ReadUint(materialCount, "a material count") || !ReadCount(indexCount, 1, "a face material count")) return;
    std::vector<uint32_t> faceMaterials(indexCount);
    for (uint32_t& material : faceMaterials) {
      if (!ReadUint(material, "a material index")) return;
      if (material >= materialCount) return Fail(IndexBelow("a material index", materialCount));
    }
    std::vector<MaterialSlot> slots;
    ForEachChild(
        Scope::Object,
        [&](const std::string& type, std::string_view name) {
          if (type == "material") {
            const int line = last_.line;
            MeshMaterial material = ParseMaterial();
            RegisterMaterial(name, material);
            slots.push_back({std::move(material), {}, line});
          } else {
            SkipObjectRest();
          }
        },
        [&](const std::string& reference, int line) {
          slots.push_back({std::nullopt, reference, line});
        });
    if (failed_) return;
    // Every declared material must be given; extra ones are not used.
    if (slots.size() < materialCount) {
      return Fail(Counted(materialCount, "material", "materials") + ", each as Material { ... } or { Name }");
    }
    slots.resize(materialCount);
    mesh.faceMaterials = std::move(faceMaterials);
    mesh.materials = std::move(slots);
  }

  // faceColor RGBA, power, specular RGB, emissive RGB, then optional children.
  MeshMaterial ParseMaterial() {
    constexpr const char* kValue = "a material value (face colour, power, specular, emissive)";
    MeshMaterial material;
    float face[kNumbersPerFaceColor], specular[kNumbersPerColor], emissive[kNumbersPerColor];
    if (!ReadFloats(face, kNumbersPerFaceColor, kValue) || !ReadFloats(&material.Colors.Power, 1, kValue) ||
        !ReadFloats(specular, kNumbersPerColor, kValue) || !ReadFloats(emissive, kNumbersPerColor, kValue)) {
      return material;
    }
    // The file gives no alpha for the specular and emissive colours; they count as opaque.
    material.Colors.Diffuse = {face[0], face[1], face[2], face[3]};
    material.Colors.Specular = {specular[0], specular[1], specular[2], 1.0f};
    material.Colors.Emissive = {emissive[0], emissive[1], emissive[2], 1.0f};
    ForEachChild(
        Scope::Object,
        [&](const std::string& type, std::string_view) {
          if (type == "texturefilename") {
            const Token token = lex_.Peek();
            if (token.kind == TokenKind::String) material.TextureFile = TextureFileName(Next().text);
          }
          SkipObjectRest();
        },
        IgnoreReference);
    return material;
  }

  // A name too long to be a file's gives no texture, as a missing texture file does.
  static std::string TextureFileName(std::string_view raw) {
    std::string name = Unescape(raw);
    return name.size() <= kMaxTextureFileName ? name : std::string();
  }

  void RegisterMaterial(std::string_view name, const MeshMaterial& material) {
    if (!failed_ && !name.empty()) scene_.namedMaterials.emplace(std::string(name), material);
  }

  // The DWORDs of a per-vertex block, which must be perVertex for every vertex when the
  // format is one this reader can size.
  void CheckVertexDwords(const RawMesh& mesh, std::optional<uint64_t> perVertex) {
    uint32_t dwordCount = 0;
    if (!ReadCount(dwordCount, 1, "a DWORD count")) return;
    const int countLine = last_.line;
    if (!SkipNumbers(dwordCount, "a DWORD of vertex data")) return;
    if (perVertex && dwordCount != *perVertex * mesh.positions.size()) {
      return FailAt(countLine, Counted(*perVertex * mesh.positions.size(), "DWORD", "DWORDs") + " (" +
                                   std::to_string(*perVertex) + " per vertex)");
    }
    SkipObjectRest();
  }

  // FVFData: a vertex format and its per-vertex DWORDs.
  void CheckFvfData(const RawMesh& mesh) {
    uint32_t fvf = 0;
    if (!ReadUint(fvf, "a vertex format")) return;
    CheckVertexDwords(mesh, FvfDataDwordsPerVertex(fvf));
  }

  // DeclData: vertex elements (type, method, usage, usage index) and their DWORDs.
  void CheckDeclData(const RawMesh& mesh) {
    uint32_t elementCount = 0;
    if (!ReadCount(elementCount, kNumbersPerVertexElement, "a vertex element count")) return;
    uint64_t perVertex = 0;
    bool sized = true;
    for (uint32_t e = 0; e < elementCount; ++e) {
      uint32_t type = 0;
      if (!ReadUint(type, "a vertex element type") ||
          !SkipNumbers(kNumbersPerVertexElement - 1, "a vertex element's method, usage and usage index")) {
        return;
      }
      if (type < std::size(kDeclTypeDwords)) {
        perVertex += kDeclTypeDwords[type];
      } else {
        sized = false;
      }
    }
    CheckVertexDwords(mesh, sized ? std::optional(perVertex) : std::nullopt);
  }

  // SkinWeights: a bone name and the vertices it moves, which must exist.
  void CheckSkinWeights(const RawMesh& mesh) {
    uint32_t weightCount = 0;
    if (Next().kind != TokenKind::String) return Fail("a bone name in quotes");
    if (!ReadCount(weightCount, kNumbersPerSkinWeight, "a skin weight count")) return;
    for (uint32_t i = 0; i < weightCount; ++i) {
      uint32_t vertex = 0;
      if (!ReadUint(vertex, "a vertex index")) return;
      if (vertex >= mesh.positions.size()) return Fail(IndexBelow("a vertex index", mesh.positions.size()));
    }
    SkipObjectRest();
  }

  Lexer lex_;
  Token last_;  // the token read last, where a fault is reported
  XScene scene_;
  bool failed_ = false;
  XFileError error_;
};

}  // namespace

SceneResult ParseXScene(std::string_view text) {
  if (!IsTextHeader(text)) {
    return {std::nullopt, {1, "a text X file header (\"xof \", 4-digit version, \"txt \", \"0032\" or \"0064\")"}};
  }
  // The header has no line break, so the body starts on line 1.
  return XParser(text.substr(kHeaderSize)).Parse();
}

}  // namespace platform::xfile
