#include "platform/gl/gl_font.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <vector>

#include "platform/gl/gl_device.h"
#include "platform/text/shift_jis.h"

namespace platform::gl {
namespace {

constexpr int kMaxHeight = 256;     // px; taller text is not drawn
constexpr int kMinAtlasSize = 256;  // texels per side
constexpr int kMaxAtlasSize = 2048;
constexpr int kGlyphsPerAtlasSide = 16;  // the atlas holds about 16 x 16 full-height glyphs
constexpr int kPadding = 1;              // texels between glyphs, so neighbours never bleed in
constexpr char32_t kReplacement = 0xFFFD;

// UTF-8 to code points; a malformed sequence gives one U+FFFD per byte.
std::u32string DecodeUtf8(const std::string& text) {
  std::u32string out;
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const size_t n = text.size();
  for (size_t i = 0; i < n;) {
    const unsigned char lead = p[i];
    const int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || i + static_cast<size_t>(length) > n) {
      out.push_back(kReplacement);
      ++i;
      continue;
    }
    char32_t c = length == 1 ? lead : lead & (0x7F >> length);
    bool valid = true;
    for (int k = 1; k < length; ++k) {
      valid = valid && (p[i + k] & 0xC0) == 0x80;
      c = (c << 6) | (p[i + k] & 0x3F);
    }
    if (!valid) {
      out.push_back(kReplacement);
      ++i;
      continue;
    }
    out.push_back(c);
    i += static_cast<size_t>(length);
  }
  return out;
}

int PixelsFrom26Dot6(long value) { return static_cast<int>((value + 32) >> 6); }

// A FreeType bitmap as tightly packed coverage bytes.
std::vector<uint8_t> Coverage(const FT_Bitmap& bitmap) {
  const int width = static_cast<int>(bitmap.width), height = static_cast<int>(bitmap.rows);
  std::vector<uint8_t> out(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
  for (int y = 0; y < height; ++y) {
    const unsigned char* row = bitmap.buffer + static_cast<ptrdiff_t>(y) * bitmap.pitch;
    uint8_t* dst = out.data() + static_cast<size_t>(y) * static_cast<size_t>(width);
    for (int x = 0; x < width; ++x) {
      if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
        dst[x] = (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
      } else {
        const int levels = std::max<int>(bitmap.num_grays - 1, 1);
        dst[x] = static_cast<uint8_t>(std::min(255, row[x] * 255 / levels));
      }
    }
  }
  return out;
}

}  // namespace

GlFont::GlFont(std::shared_ptr<DeviceLink> link, const FontDesc& desc, const FontFace& face) : link_(std::move(link)) {
  if (!link_ || !link_->Device || face.File.empty() || desc.Height < 1 || desc.Height > kMaxHeight) return;
  if (FT_Init_FreeType(&library_) != 0) {
    library_ = nullptr;
    return;
  }
  if (FT_New_Face(library_, face.File.c_str(), face.Index, &face_) != 0) {
    face_ = nullptr;
    return;
  }
  // The height is the character cell, ascender to descender, as a Windows font height
  // given as a positive number.
  FT_Size_RequestRec request{};
  request.type = FT_SIZE_REQUEST_TYPE_REAL_DIM;
  request.height = desc.Height * 64;  // 26.6 fixed point
  if (FT_Request_Size(face_, &request) != 0) {
    FT_Done_Face(face_);
    face_ = nullptr;
    return;
  }
  ascender_ = PixelsFrom26Dot6(face_->size->metrics.ascender);
  lineHeight_ = std::max(PixelsFrom26Dot6(face_->size->metrics.height), desc.Height);

  atlasSize_ = kMinAtlasSize;
  while (atlasSize_ < desc.Height * kGlyphsPerAtlasSide && atlasSize_ < kMaxAtlasSize) atlasSize_ *= 2;
  atlas_ = link_->Device->CreateAlphaTexture(atlasSize_);
}

GlFont::~GlFont() {
  if (atlas_ != 0 && link_->Device) link_->Device->DeleteAlphaTexture(atlas_);  // atlas_ implies a link
  if (face_) FT_Done_Face(face_);
  if (library_) FT_Done_FreeType(library_);
}

void GlFont::ResetAtlas() {
  glyphs_.clear();
  shelfX_ = shelfY_ = shelfHeight_ = 0;
}

bool GlFont::Reserve(int width, int height, int& x, int& y) {
  if (width + kPadding > atlasSize_ || height + kPadding > atlasSize_) return false;
  if (shelfX_ + width + kPadding > atlasSize_) {  // next shelf
    shelfY_ += shelfHeight_;
    shelfX_ = 0;
    shelfHeight_ = 0;
  }
  if (shelfY_ + height + kPadding > atlasSize_) return false;
  x = shelfX_;
  y = shelfY_;
  shelfX_ += width + kPadding;
  shelfHeight_ = std::max(shelfHeight_, height + kPadding);
  return true;
}

const GlFont::Glyph* GlFont::Find(char32_t c) {
  if (auto it = glyphs_.find(c); it != glyphs_.end()) return &it->second;

  Glyph glyph;
  // A character the face lacks draws the face's missing-glyph box, as Windows does.
  if (FT_Load_Char(face_, c, FT_LOAD_RENDER) == 0) {
    const FT_GlyphSlot slot = face_->glyph;
    glyph.Advance = PixelsFrom26Dot6(slot->advance.x);
    const FT_Bitmap& bitmap = slot->bitmap;
    const bool drawable = bitmap.width > 0 && bitmap.rows > 0 &&
                          (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY || bitmap.pixel_mode == FT_PIXEL_MODE_MONO);
    if (drawable) {
      glyph.Width = static_cast<int>(bitmap.width);
      glyph.Height = static_cast<int>(bitmap.rows);
      glyph.Left = slot->bitmap_left;
      glyph.Top = slot->bitmap_top;
      if (!Reserve(glyph.Width, glyph.Height, glyph.AtlasX, glyph.AtlasY)) return nullptr;
      const std::vector<uint8_t> coverage = Coverage(bitmap);
      link_->Device->UploadAlpha(atlas_, glyph.AtlasX, glyph.AtlasY, glyph.Width, glyph.Height, coverage.data());
    }
  }
  return &glyphs_.emplace(c, glyph).first->second;
}

void GlFont::DrawText(const std::string& sjisText, const PixelRect& rect, uint32_t argb) {
  if (!CanDraw() || !link_->Device) return;  // CanDraw implies a link
  GlDevice& device = *link_->Device;
  const std::u32string text = DecodeUtf8(ShiftJisToUtf8(sjisText));
  const uint8_t rgba[4] = {static_cast<uint8_t>(argb >> 16), static_cast<uint8_t>(argb >> 8),
                           static_cast<uint8_t>(argb), static_cast<uint8_t>(argb >> 24)};
  const float texel = 1.0f / static_cast<float>(atlasSize_);

  std::vector<OverlayVertex> vertices;
  int penX = rect.Left;
  int baseline = rect.Top + ascender_;
  for (const char32_t c : text) {
    if (c == U'\n') {
      penX = rect.Left;
      baseline += lineHeight_;
      continue;
    }
    const Glyph* glyph = Find(c);
    if (glyph == nullptr) {
      // The atlas is full: draw what uses it so far, then start it afresh.
      device.DrawOverlay(atlas_, vertices);
      vertices.clear();
      ResetAtlas();
      glyph = Find(c);
      if (glyph == nullptr) continue;  // larger than the whole atlas
    }
    if (glyph->Width > 0) {
      const float x0 = static_cast<float>(penX + glyph->Left), y0 = static_cast<float>(baseline - glyph->Top);
      const float x1 = x0 + static_cast<float>(glyph->Width), y1 = y0 + static_cast<float>(glyph->Height);
      const float u0 = static_cast<float>(glyph->AtlasX) * texel, v0 = static_cast<float>(glyph->AtlasY) * texel;
      const float u1 = u0 + static_cast<float>(glyph->Width) * texel,
                  v1 = v0 + static_cast<float>(glyph->Height) * texel;
      const OverlayVertex corners[4] = {{x0, y0, u0, v0, {rgba[0], rgba[1], rgba[2], rgba[3]}},
                                        {x1, y0, u1, v0, {rgba[0], rgba[1], rgba[2], rgba[3]}},
                                        {x0, y1, u0, v1, {rgba[0], rgba[1], rgba[2], rgba[3]}},
                                        {x1, y1, u1, v1, {rgba[0], rgba[1], rgba[2], rgba[3]}}};
      for (const int k : {0, 2, 1, 1, 2, 3}) vertices.push_back(corners[k]);
    }
    penX += glyph->Advance;
  }
  device.DrawOverlay(atlas_, vertices);
}

}  // namespace platform::gl
