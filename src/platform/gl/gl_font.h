#pragma once
// Text for the OpenGL device: FreeType glyphs of one face at one pixel height, kept in
// an alpha texture atlas and drawn as overlay quads in back-buffer pixels.
#include <memory>
#include <string>
#include <unordered_map>

#include "platform/gl/font_match.h"
#include "platform/gl/gl_texture.h"
#include "platform/gfx/graphics_resources.h"

struct FT_LibraryRec_;
struct FT_FaceRec_;

namespace platform::gl {

class GlFont final : public Font {
public:
  // A face that cannot be read (or an empty file name) gives a font that draws nothing.
  GlFont(std::shared_ptr<DeviceLink> link, const FontDesc& desc, const FontFace& face);
  ~GlFont() override;
  GlFont(const GlFont&) = delete;
  GlFont& operator=(const GlFont&) = delete;

  // The text's first line stands on the baseline at the rectangle's top plus the
  // face's ascender; it starts at the rectangle's left and is not clipped.
  void DrawText(const std::string& sjisText, const PixelRect& rect, uint32_t argb) override;

  bool CanDraw() const { return face_ != nullptr && atlas_ != 0; }

private:
  struct Glyph {
    int Left = 0, Top = 0;       // px from the pen on the baseline to the bitmap's top-left; Top counts up
    int Width = 0, Height = 0;   // px of the bitmap; 0 for blanks
    int AtlasX = 0, AtlasY = 0;  // texels
    int Advance = 0;             // px
  };

  const Glyph* Find(char32_t c);  // nothing when the atlas has no room left for it
  bool Reserve(int width, int height, int& x, int& y);
  void ResetAtlas();

  std::shared_ptr<DeviceLink> link_;
  FT_LibraryRec_* library_ = nullptr;
  FT_FaceRec_* face_ = nullptr;
  int ascender_ = 0;    // px above the baseline
  int lineHeight_ = 0;  // px between baselines
  GLuint atlas_ = 0;
  int atlasSize_ = 0;                              // texels per side
  int shelfX_ = 0, shelfY_ = 0, shelfHeight_ = 0;  // packing: rows of glyphs filled left to right
  std::unordered_map<char32_t, Glyph> glyphs_;
};

}  // namespace platform::gl
