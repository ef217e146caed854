#include "platform/x_file.h"

#include <algorithm>
#include <array>
#include <cfloat>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>
#include <map>
#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "platform/files.h"
#include "platform/graphics_device.h"
#include "platform/matrix.h"

namespace platform {
namespace {

// The largest X file the game reads; bigger files are refused rather than parsed cut off.
constexpr size_t kXFileReadLimit = 16 * 1024 * 1024;

// ---------------------------------------------------------------------------------
// Header: "xof " + 4-digit version + 4-character format + 4-digit float size.

constexpr std::string_view kMagic = "xof ";
constexpr size_t kVersionOffset = 4;
constexpr size_t kFormatOffset = 8;
constexpr size_t kFloatSizeOffset = 12;
constexpr size_t kHeaderFieldSize = 4;
constexpr size_t kHeaderSize = 16;
constexpr std::string_view kTextFormat = "txt ";  // others: "bin ", "tzip", "bzip"

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsTextHeader(std::string_view text) {
  if (text.size() < kHeaderSize || text.substr(0, kMagic.size()) != kMagic) return false;
  const std::string_view version = text.substr(kVersionOffset, kHeaderFieldSize);
  if (!std::all_of(version.begin(), version.end(), IsDigit)) return false;
  if (text.substr(kFormatOffset, kHeaderFieldSize) != kTextFormat) return false;
  const std::string_view floatSize = text.substr(kFloatSizeOffset, kHeaderFieldSize);
  return floatSize == "0032" || floatSize == "0064";
}

// ---------------------------------------------------------------------------------
// Lexer. Separators ("," and ";") carry no meaning once every list is read by its
// count, so they are skipped like white space; that makes doubled, missing and
// trailing separators harmless. GUIDs ("<...>") only matter to templates, which are
// skipped, so they are dropped too.

enum class TokenKind { End, Name, Number, String, Open, Close, Other };

struct Token {
  TokenKind kind = TokenKind::End;
  std::string_view text;  // for strings: what stands between the quotes
};

bool IsLetter(unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Names may hold non-ASCII text (Shift-JIS or UTF-8 object names).
bool IsNameStart(unsigned char c) { return IsLetter(c) || c == '_' || c >= 0x80; }
bool IsNameChar(unsigned char c) { return IsNameStart(c) || IsDigit(c) || c == '-' || c == '.'; }
bool IsNumberChar(char c) { return IsDigit(c) || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E'; }

// A Shift-JIS lead byte; its trail byte may look like '{', '}' or '\', so the two are
// read as one character.
bool IsShiftJisLead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v' || c == ',' || c == ';';
}

class Lexer {
public:
  explicit Lexer(std::string_view text) : text_(text) {}

  Token Next() { return Scan(); }
  Token Peek() {
    const size_t saved = pos_;
    const Token token = Scan();
    pos_ = saved;
    return token;
  }
  size_t Remaining() const { return text_.size() - pos_; }
  void Stop() { pos_ = text_.size(); }

private:
  char At(size_t i) const { return i < text_.size() ? text_[i] : '\0'; }

  void SkipTo(char end) {
    const size_t found = text_.find(end, pos_);
    pos_ = found == std::string_view::npos ? text_.size() : found + 1;
  }

  void SkipBlanks() {
    while (pos_ < text_.size()) {
      const char c = text_[pos_];
      if (IsBlank(c)) {
        ++pos_;
      } else if (c == '#' || (c == '/' && At(pos_ + 1) == '/')) {
        SkipTo('\n');
      } else if (c == '<') {
        SkipTo('>');
      } else {
        break;
      }
    }
  }

  size_t CharLength(size_t i) const {
    return IsShiftJisLead(static_cast<unsigned char>(text_[i])) && i + 1 < text_.size() ? 2 : 1;
  }

  Token Take(TokenKind kind, size_t start) { return {kind, text_.substr(start, pos_ - start)}; }

  Token ScanString() {
    const size_t start = ++pos_;
    while (pos_ < text_.size() && text_[pos_] != '"') pos_ += CharLength(pos_);
    if (pos_ >= text_.size()) return {TokenKind::Other, {}};  // unterminated: the text ends here
    const Token token = Take(TokenKind::String, start);
    ++pos_;
    return token;
  }

  // A number, or a name; names may begin with digits ("01_Box"), so a word is a number
  // only when it begins like one and holds nothing but number characters.
  Token ScanWord(size_t start) {
    bool numeric = !IsNameStart(static_cast<unsigned char>(text_[start]));
    while (pos_ < text_.size()) {
      const auto c = static_cast<unsigned char>(text_[pos_]);
      if (!IsNameChar(c) && !IsNumberChar(static_cast<char>(c))) break;
      numeric = numeric && IsNumberChar(static_cast<char>(c));
      pos_ += CharLength(pos_);
    }
    return Take(numeric ? TokenKind::Number : TokenKind::Name, start);
  }

  Token Scan() {
    SkipBlanks();
    if (pos_ >= text_.size()) return {};
    const size_t start = pos_;
    const char c = text_[pos_];
    if (c == '{' || c == '}') {
      ++pos_;
      return Take(c == '{' ? TokenKind::Open : TokenKind::Close, start);
    }
    if (c == '"') return ScanString();
    const bool signedNumber = (c == '-' || c == '+' || c == '.') && (IsDigit(At(pos_ + 1)) || At(pos_ + 1) == '.');
    if (IsDigit(c) || signedNumber || IsNameStart(static_cast<unsigned char>(c))) return ScanWord(start);
    ++pos_;
    return Take(TokenKind::Other, start);
  }

  std::string_view text_;
  size_t pos_ = 0;
};

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

// String contents stay as written, except that an escaped backslash ("\\") becomes one.
std::string Unescape(std::string_view raw) {
  std::string out;
  out.reserve(raw.size());
  for (size_t i = 0; i < raw.size();) {
    if (IsShiftJisLead(static_cast<unsigned char>(raw[i])) && i + 1 < raw.size()) {
      out.append(raw.substr(i, 2));
      i += 2;
    } else if (raw[i] == '\\' && i + 1 < raw.size() && raw[i + 1] == '\\') {
      out += '\\';
      i += 2;
    } else {
      out += raw[i++];
    }
  }
  return out;
}

std::string_view WithoutPlus(std::string_view s) { return !s.empty() && s[0] == '+' ? s.substr(1) : s; }

std::optional<uint32_t> ToUint(std::string_view s) {
  s = WithoutPlus(s);
  uint32_t value = 0;
  const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (error != std::errc() || end != s.data() + s.size()) return std::nullopt;
  return value;
}

std::optional<float> ToFloat(std::string_view s) {
  s = WithoutPlus(s);
  const char* last = s.data() + s.size();
  float value = 0;
  const auto [end, error] = std::from_chars(s.data(), last, value);
  if (end != last) return std::nullopt;
  if (error == std::errc()) return value;
  if (error != std::errc::result_out_of_range) return std::nullopt;
  // Out of float range: a tiny value becomes its nearest float; a huge one is refused.
  double wide = 0;
  const auto [wideEnd, wideError] = std::from_chars(s.data(), last, wide);
  if (wideError != std::errc() || wideEnd != last || std::fabs(wide) > FLT_MAX) return std::nullopt;
  return static_cast<float>(wide);
}

// ---------------------------------------------------------------------------------
// What the parser keeps of the file.

constexpr int kNoFrame = -1;
constexpr uint32_t kNoIndex = UINT32_MAX;
constexpr int kMaxFrameDepth = 256;  // deeper nesting is refused, so recursion stays bounded
constexpr uint64_t kNumbersPerVector = 3;
constexpr uint64_t kNumbersPerTexCoord = 2;
constexpr uint64_t kNumbersPerSkinWeight = 2;  // its vertex index and its weight
constexpr uint64_t kNumbersPerVertexElement = 4;
constexpr int kMatrixSize = 4;
// A reference "{a}" costs three characters but copies a whole material, so the merged
// mesh's materials and their texture names are capped to keep memory in proportion.
constexpr size_t kMaxMaterials = 65536;
constexpr size_t kMaxTextureFileName = 260;  // the longest path the game's file system takes

using TexCoord = std::array<float, 2>;

struct FaceList {
  std::vector<uint32_t> sizes;    // corners of each face
  std::vector<uint32_t> corners;  // the index of every corner, face after face
};

// One material of a MeshMaterialList: written in place, or a reference by name.
struct MaterialSlot {
  std::optional<MeshMaterial> material;
  std::string reference;
};

struct RawMesh {
  int frame = kNoFrame;
  std::vector<Vec3> positions;
  FaceList faces;
  std::vector<Vec3> normals;
  bool hasNormals = false;
  std::vector<uint32_t> normalCorners;  // parallel to faces.corners when hasNormals
  std::vector<TexCoord> texCoords;      // one per position; empty without MeshTextureCoords
  std::vector<uint32_t> faceMaterials;  // may be shorter than the face list
  std::vector<MaterialSlot> materials;  // empty without MeshMaterialList

  bool Contributes() const { return !positions.empty() && !faces.sizes.empty(); }
};

struct FrameNode {
  Matrix4 local = Identity();
  int parent = kNoFrame;
};

struct XScene {
  std::vector<RawMesh> meshes;
  std::vector<FrameNode> frames;  // a frame's parent always comes before it
  std::map<std::string, MeshMaterial> namedMaterials;
};

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
  const uint32_t sized = Fvf::Normal | kFvfPointSize | Fvf::Diffuse | kFvfSpecular | Fvf::TexCountMask | kFvfTexSizeBits;
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

// ---------------------------------------------------------------------------------
// Parser. Any inconsistency calls Fail(), which also moves the lexer to the end, so
// every loop above it ends at once.

class XParser {
public:
  explicit XParser(std::string_view body) : lex_(body) {}

  std::optional<XScene> Parse() {
    ForEachChild(
        Scope::File, [&](const std::string& type, std::string_view name) { ParseObject(type, name, kNoFrame, 0); },
        IgnoreReference);
    if (failed_) return std::nullopt;
    return std::move(scene_);
  }

private:
  // At file level a stray '}' is ignored; inside an object it closes the object.
  enum class Scope { File, Object };

  void Fail() {
    failed_ = true;
    lex_.Stop();
  }

  bool ReadUint(uint32_t& out) {
    const Token token = lex_.Next();
    const auto value = token.kind == TokenKind::Number ? ToUint(token.text) : std::nullopt;
    if (value) out = *value;
    return value.has_value();
  }

  bool ReadFloat(float& out) {
    const Token token = lex_.Next();
    const auto value = token.kind == TokenKind::Number ? ToFloat(token.text) : std::nullopt;
    if (value) out = *value;
    return value.has_value();
  }

  bool ReadFloats(float* out, int count) {
    for (int i = 0; i < count; ++i) {
      if (!ReadFloat(out[i])) return false;
    }
    return true;
  }

  // A count of list entries of numbersEach numbers each. k numbers take at least 2k - 1
  // characters (a digit each and a separator between them), so a count the rest of the
  // text cannot hold is refused before anything is allocated for it.
  bool ReadCount(uint32_t& count, uint64_t numbersEach) {
    if (!ReadUint(count)) return false;
    const uint64_t numbers = static_cast<uint64_t>(count) * numbersEach;
    return numbers == 0 || 2 * numbers - 1 <= lex_.Remaining();
  }

  bool SkipNumbers(uint32_t count) {
    for (uint32_t i = 0; i < count; ++i) {
      if (lex_.Next().kind != TokenKind::Number) return false;
    }
    return true;
  }

  bool ReadVectors(std::vector<Vec3>& out) {
    uint32_t count = 0;
    if (!ReadCount(count, kNumbersPerVector)) return false;
    out.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
      float v[kNumbersPerVector];
      if (!ReadFloats(v, kNumbersPerVector)) return false;
      out.push_back({v[0], v[1], v[2]});
    }
    return true;
  }

  // Faces as "corner count; index, index, ...", every index below indexLimit.
  bool ReadFaces(size_t indexLimit, FaceList& faces) {
    uint32_t faceCount = 0;
    if (!ReadCount(faceCount, 1)) return false;
    faces.sizes.reserve(faceCount);
    for (uint32_t f = 0; f < faceCount; ++f) {
      uint32_t corners = 0;
      if (!ReadCount(corners, 1)) return false;
      faces.sizes.push_back(corners);
      for (uint32_t k = 0; k < corners; ++k) {
        uint32_t index = 0;
        if (!ReadUint(index) || index >= indexLimit) return false;
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
      const Token token = lex_.Next();
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
      lex_.Next();
      name = next.text;
      next = lex_.Peek();
    }
    if (next.kind != TokenKind::Open) return false;
    lex_.Next();
    return true;
  }

  // Reads an object body (its '{' already read) up to its '}'; the end of the text closes
  // every open object. Each child object goes to onChild(type in lower case, name) with
  // its '{' read, and onChild reads it through its '}'; each reference "{ Name }" goes to
  // onReference(name). Anything else between them is ignored.
  template <class OnChild, class OnReference>
  void ForEachChild(Scope scope, OnChild&& onChild, OnReference&& onReference) {
    for (;;) {
      const Token token = lex_.Next();
      if (token.kind == TokenKind::End) return;
      if (token.kind == TokenKind::Close) {
        if (scope == Scope::Object) return;
      } else if (token.kind == TokenKind::Open) {
        onReference(SkipObjectRest());
      } else if (token.kind == TokenKind::Name) {
        std::string_view name;
        if (ReadObjectHeader(name)) onChild(Lower(token.text), name);
      }
    }
  }

  static void IgnoreReference(const std::string&) {}

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
    if (depth > kMaxFrameDepth) return Fail();
    const int frame = static_cast<int>(scene_.frames.size());
    scene_.frames.push_back({Identity(), parent});
    ForEachChild(
        Scope::Object,
        [&](const std::string& type, std::string_view name) { ParseObject(type, name, frame, depth); },
        IgnoreReference);
  }

  void ParseMatrix(int frame) {
    Matrix4 m;
    for (auto& row : m.M) {
      if (!ReadFloats(row.data(), kMatrixSize)) return Fail();
    }
    scene_.frames[static_cast<size_t>(frame)].local = m;
    SkipObjectRest();
  }

  void ParseMesh(int frame) {
    RawMesh mesh;
    mesh.frame = frame;
    if (!ReadVectors(mesh.positions) || !ReadFaces(mesh.positions.size(), mesh.faces)) return Fail();
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
    if (!ReadVectors(normals) || !ReadFaces(normals.size(), faces) || faces.sizes != mesh.faces.sizes) return Fail();
    mesh.normals = std::move(normals);
    mesh.normalCorners = std::move(faces.corners);
    mesh.hasNormals = true;
    SkipObjectRest();
  }

  void ParseTexCoords(RawMesh& mesh) {
    uint32_t count = 0;
    if (!ReadCount(count, kNumbersPerTexCoord) || count != mesh.positions.size()) return Fail();
    std::vector<TexCoord> texCoords(count);
    for (TexCoord& uv : texCoords) {
      if (!ReadFloats(uv.data(), static_cast<int>(uv.size()))) return Fail();
    }
    mesh.texCoords = std::move(texCoords);
    SkipObjectRest();
  }

  void ParseMaterialList(RawMesh& mesh) {
    uint32_t materialCount = 0, indexCount = 0;
    if (!ReadUint(materialCount) || !ReadCount(indexCount, 1)) return Fail();
    std::vector<uint32_t> faceMaterials(indexCount);
    for (uint32_t& material : faceMaterials) {
      if (!ReadUint(material) || material >= materialCount) return Fail();
    }
    std::vector<MaterialSlot> slots;
    ForEachChild(
        Scope::Object,
        [&](const std::string& type, std::string_view name) {
          if (type == "material") {
            MeshMaterial material = ParseMaterial();
            RegisterMaterial(name, material);
            slots.push_back({std::move(material), {}});
          } else {
            SkipObjectRest();
          }
        },
        [&](const std::string& reference) { slots.push_back({std::nullopt, reference}); });
    // Every declared material must be given; extra ones are not used.
    if (failed_ || slots.size() < materialCount) return Fail();
    slots.resize(materialCount);
    mesh.faceMaterials = std::move(faceMaterials);
    mesh.materials = std::move(slots);
  }

  // faceColor RGBA, power, specular RGB, emissive RGB, then optional children.
  MeshMaterial ParseMaterial() {
    MeshMaterial material;
    float face[4], specular[3], emissive[3];
    if (!ReadFloats(face, 4) || !ReadFloat(material.Colors.Power) || !ReadFloats(specular, 3) ||
        !ReadFloats(emissive, 3)) {
      Fail();
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
            if (token.kind == TokenKind::String) material.TextureFile = TextureFileName(lex_.Next().text);
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

  // FVFData: a vertex format and its per-vertex DWORDs.
  void CheckFvfData(const RawMesh& mesh) {
    uint32_t fvf = 0, dwordCount = 0;
    if (!ReadUint(fvf) || !ReadCount(dwordCount, 1) || !SkipNumbers(dwordCount)) return Fail();
    const auto perVertex = FvfDataDwordsPerVertex(fvf);
    if (perVertex && dwordCount != *perVertex * mesh.positions.size()) return Fail();
    SkipObjectRest();
  }

  // DeclData: vertex elements (type, method, usage, usage index) and their DWORDs.
  void CheckDeclData(const RawMesh& mesh) {
    uint32_t elementCount = 0;
    if (!ReadCount(elementCount, kNumbersPerVertexElement)) return Fail();
    uint64_t perVertex = 0;
    bool sized = true;
    for (uint32_t e = 0; e < elementCount; ++e) {
      uint32_t type = 0;
      if (!ReadUint(type) || !SkipNumbers(kNumbersPerVertexElement - 1)) return Fail();
      if (type < std::size(kDeclTypeDwords)) {
        perVertex += kDeclTypeDwords[type];
      } else {
        sized = false;
      }
    }
    uint32_t dwordCount = 0;
    if (!ReadCount(dwordCount, 1) || !SkipNumbers(dwordCount)) return Fail();
    if (sized && dwordCount != perVertex * mesh.positions.size()) return Fail();
    SkipObjectRest();
  }

  // SkinWeights: a bone name and the vertices it moves, which must exist.
  void CheckSkinWeights(const RawMesh& mesh) {
    uint32_t weightCount = 0;
    if (lex_.Next().kind != TokenKind::String || !ReadCount(weightCount, kNumbersPerSkinWeight)) return Fail();
    for (uint32_t i = 0; i < weightCount; ++i) {
      uint32_t vertex = 0;
      if (!ReadUint(vertex) || vertex >= mesh.positions.size()) return Fail();
    }
    SkipObjectRest();
  }

  Lexer lex_;
  XScene scene_;
  bool failed_ = false;
};

// ---------------------------------------------------------------------------------
// Building the merged mesh.

struct BuildVertex {
  Vec3 position;
  Vec3 normal;
  TexCoord uv{};
};

// Where a mesh's frames put it: positions move by the matrix, normals turn by its
// inverse transpose. The identity is left alone so values stay exactly as written.
class Placement {
public:
  explicit Placement(const Matrix4& m) : m_(m), identity_(m == Identity()) {
    // The cofactor matrix is the inverse transpose times the determinant; only its
    // direction matters, but a mirroring matrix (negative determinant) flips it.
    for (int i = 0; i < 3; ++i) {
      for (int j = 0; j < 3; ++j) {
        normal_[i][j] = m.M[(i + 1) % 3][(j + 1) % 3] * m.M[(i + 2) % 3][(j + 2) % 3] -
                        m.M[(i + 1) % 3][(j + 2) % 3] * m.M[(i + 2) % 3][(j + 1) % 3];
      }
    }
    const float det = m.M[0][0] * normal_[0][0] + m.M[0][1] * normal_[0][1] + m.M[0][2] * normal_[0][2];
    if (det < 0) {
      for (auto& row : normal_) {
        for (float& x : row) x = -x;
      }
    }
  }

  Vec3 Position(const Vec3& p) const {
    if (identity_) return p;
    const auto& m = m_.M;
    return {p.X * m[0][0] + p.Y * m[1][0] + p.Z * m[2][0] + m[3][0],
            p.X * m[0][1] + p.Y * m[1][1] + p.Z * m[2][1] + m[3][1],
            p.X * m[0][2] + p.Y * m[1][2] + p.Z * m[2][2] + m[3][2]};
  }

  Vec3 Normal(const Vec3& n) const {
    if (identity_) return n;
    // Row vector times the cofactor matrix transposed back: n' = n * inverse(M)^T.
    const Vec3 t = {n.X * normal_[0][0] + n.Y * normal_[1][0] + n.Z * normal_[2][0],
                    n.X * normal_[0][1] + n.Y * normal_[1][1] + n.Z * normal_[2][1],
                    n.X * normal_[0][2] + n.Y * normal_[1][2] + n.Z * normal_[2][2]};
    const float length = std::sqrt(t.X * t.X + t.Y * t.Y + t.Z * t.Z);
    if (!(length > 0) || !std::isfinite(length)) return t;
    return {t.X / length, t.Y / length, t.Z / length};
  }

private:
  Matrix4 m_;
  bool identity_;
  float normal_[3][3];
};

MeshMaterial DefaultMaterial() {
  MeshMaterial material;
  material.Colors.Diffuse = {1, 1, 1, 1};
  return material;
}

class MeshBuilder {
public:
  MeshBuilder(bool withNormals, bool withTexCoords) : withNormals_(withNormals), withTexCoords_(withTexCoords) {}

  void Add(const RawMesh& mesh, const Placement& placement, std::vector<MeshMaterial> materials) {
    const auto base = static_cast<uint32_t>(vertices_.size());
    const auto materialBase = static_cast<uint32_t>(materials_.size());
    for (MeshMaterial& m : materials) materials_.push_back(std::move(m));
    trianglesByMaterial_.resize(materials_.size());

    const std::vector<uint32_t> cornerVertex = AddVertices(mesh, placement);
    size_t corner = 0;
    for (size_t f = 0; f < mesh.faces.sizes.size(); ++f) {
      const uint32_t size = mesh.faces.sizes[f];
      std::vector<uint32_t>& out = trianglesByMaterial_[materialBase + FaceMaterial(mesh, f)];
      // A polygon becomes a fan around its first corner; fewer than 3 corners draw nothing.
      for (uint32_t k = 1; k + 1 < size; ++k) {
        for (size_t c : {corner, corner + k, corner + k + 1}) out.push_back(base + cornerVertex[c]);
      }
      corner += size;
    }
  }

  std::optional<LoadedMesh> Finish() {
    size_t indexCount = 0;
    for (const auto& list : trianglesByMaterial_) indexCount += list.size();
    if (indexCount == 0 || vertices_.size() > static_cast<size_t>(INT_MAX)) return std::nullopt;

    const uint32_t fvf = Fvf::Xyz | (withNormals_ ? Fvf::Normal : 0u) | (withTexCoords_ ? Fvf::Tex1 : 0u);
    auto mesh = std::make_unique<Mesh>(fvf, static_cast<int>(vertices_.size()));
    WriteVertices(*mesh);
    mesh->Indices.reserve(indexCount);
    for (const auto& list : trianglesByMaterial_) {
      mesh->Subsets.push_back({static_cast<uint32_t>(mesh->Indices.size()), static_cast<uint32_t>(list.size())});
      mesh->Indices.insert(mesh->Indices.end(), list.begin(), list.end());
    }
    return LoadedMesh{std::move(mesh), std::move(materials_)};
  }

private:
  static uint32_t FaceMaterial(const RawMesh& mesh, size_t face) {
    if (mesh.faceMaterials.empty()) return 0;
    return mesh.faceMaterials[std::min(face, mesh.faceMaterials.size() - 1)];
  }

  // Normal indices with equal vectors mapped to the first of them, so that a file that
  // repeats a normal under several indices does not split vertices for nothing.
  static std::vector<uint32_t> CanonicalNormals(const std::vector<Vec3>& normals) {
    std::map<std::tuple<float, float, float>, uint32_t> firstWithValue;
    std::vector<uint32_t> canonical(normals.size());
    for (uint32_t n = 0; n < normals.size(); ++n) {
      canonical[n] = firstWithValue.emplace(std::tuple(normals[n].X, normals[n].Y, normals[n].Z), n).first->second;
    }
    return canonical;
  }

  // Appends one vertex per position, in file order, plus one for every further normal
  // a position is used with; returns the mesh-local vertex of every corner.
  std::vector<uint32_t> AddVertices(const RawMesh& mesh, const Placement& placement) {
    std::vector<uint32_t> cornerVertex = mesh.faces.corners;
    std::vector<uint32_t> firstNormal(mesh.positions.size(), kNoIndex);
    std::vector<std::pair<uint32_t, uint32_t>> extra;  // (position, normal) beyond the first
    if (withNormals_ && mesh.hasNormals) {
      const std::vector<uint32_t> canonical = CanonicalNormals(mesh.normals);
      std::unordered_map<uint64_t, uint32_t> extraIndex;
      const auto positionCount = static_cast<uint32_t>(mesh.positions.size());
      for (size_t c = 0; c < cornerVertex.size(); ++c) {
        const uint32_t p = mesh.faces.corners[c], n = canonical[mesh.normalCorners[c]];
        if (firstNormal[p] == kNoIndex) firstNormal[p] = n;
        if (firstNormal[p] == n) continue;
        const uint64_t key = (static_cast<uint64_t>(p) << 32) | n;
        const auto [it, added] = extraIndex.emplace(key, positionCount + static_cast<uint32_t>(extra.size()));
        if (added) extra.emplace_back(p, n);
        cornerVertex[c] = it->second;
      }
    }
    for (uint32_t p = 0; p < mesh.positions.size(); ++p) AddVertex(mesh, placement, p, firstNormal[p]);
    for (const auto& [p, n] : extra) AddVertex(mesh, placement, p, n);
    return cornerVertex;
  }

  void AddVertex(const RawMesh& mesh, const Placement& placement, uint32_t position, uint32_t normal) {
    BuildVertex v;
    v.position = placement.Position(mesh.positions[position]);
    if (normal != kNoIndex) v.normal = placement.Normal(mesh.normals[normal]);
    if (!mesh.texCoords.empty()) v.uv = mesh.texCoords[position];
    vertices_.push_back(v);
  }

  void WriteVertices(Mesh& mesh) const {
    auto* bytes = reinterpret_cast<uint8_t*>(mesh.LockVertices());
    if (!bytes) return;
    const auto stride = static_cast<size_t>(mesh.Stride());
    for (size_t i = 0; i < vertices_.size(); ++i) {
      uint8_t* vertex = bytes + i * stride;
      const BuildVertex& v = vertices_[i];
      const float position[] = {v.position.X, v.position.Y, v.position.Z};
      std::memcpy(vertex + mesh.PositionOffset(), position, sizeof position);
      if (withNormals_) {
        const float normal[] = {v.normal.X, v.normal.Y, v.normal.Z};
        std::memcpy(vertex + mesh.NormalOffset(), normal, sizeof normal);
      }
      if (withTexCoords_) std::memcpy(vertex + mesh.TexCoordOffset(), v.uv.data(), sizeof v.uv);
    }
    mesh.UnlockVertices();
  }

  bool withNormals_, withTexCoords_;
  std::vector<BuildVertex> vertices_;
  std::vector<MeshMaterial> materials_;
  std::vector<std::vector<uint32_t>> trianglesByMaterial_;  // indices, one list per material
};

std::vector<Matrix4> WorldMatrices(const std::vector<FrameNode>& frames) {
  std::vector<Matrix4> world;
  world.reserve(frames.size());
  for (const FrameNode& frame : frames) {
    // Row vectors: the frame's own matrix first, then its parent's.
    world.push_back(frame.parent == kNoFrame ? frame.local
                                             : Multiply(frame.local, world[static_cast<size_t>(frame.parent)]));
  }
  return world;
}

// The mesh's materials with references looked up; nothing when one names no material.
std::optional<std::vector<MeshMaterial>> ResolveMaterials(const RawMesh& mesh, const XScene& scene) {
  if (mesh.materials.empty()) return std::vector<MeshMaterial>{DefaultMaterial()};
  std::vector<MeshMaterial> materials;
  for (const MaterialSlot& slot : mesh.materials) {
    if (slot.material) {
      materials.push_back(*slot.material);
      continue;
    }
    const auto found = scene.namedMaterials.find(slot.reference);
    if (found == scene.namedMaterials.end()) return std::nullopt;
    materials.push_back(found->second);
  }
  return materials;
}

std::optional<LoadedMesh> BuildLoadedMesh(const XScene& scene) {
  bool allNormals = true, anyTexCoords = false;
  size_t materialCount = 0;  // a mesh without a material list gets one
  for (const RawMesh& mesh : scene.meshes) {
    if (!mesh.Contributes()) continue;
    allNormals = allNormals && mesh.hasNormals;
    anyTexCoords = anyTexCoords || !mesh.texCoords.empty();
    materialCount += std::max<size_t>(mesh.materials.size(), 1);
  }
  if (materialCount == 0 || materialCount > kMaxMaterials) return std::nullopt;

  const std::vector<Matrix4> world = WorldMatrices(scene.frames);
  MeshBuilder builder(allNormals, anyTexCoords);
  for (const RawMesh& mesh : scene.meshes) {
    if (!mesh.Contributes()) continue;
    auto materials = ResolveMaterials(mesh, scene);
    if (!materials) return std::nullopt;
    const Matrix4 placement = mesh.frame == kNoFrame ? Identity() : world[static_cast<size_t>(mesh.frame)];
    builder.Add(mesh, Placement(placement), std::move(*materials));
  }
  return builder.Finish();
}

}  // namespace

std::optional<LoadedMesh> ParseXFileMesh(std::string_view text) {
  if (!IsTextHeader(text)) return std::nullopt;
  std::optional<XScene> scene = XParser(text.substr(kHeaderSize)).Parse();
  if (!scene) return std::nullopt;
  return BuildLoadedMesh(*scene);
}

std::optional<LoadedMesh> LoadXFileMesh(std::string_view gameFileName) {
  // One byte past the limit tells a file that is too large from one that just fits.
  const auto text = ReadFilePrefix(gameFileName, kXFileReadLimit + 1);
  if (!text || text->size() > kXFileReadLimit) return std::nullopt;
  return ParseXFileMesh(*text);
}

}  // namespace platform
