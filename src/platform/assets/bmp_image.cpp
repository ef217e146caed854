// BMP pictures into 32-bit images. The header is checked here before stb_image sees
// the file, so that a damaged or hostile header is refused without a large allocation:
// the pixel rows it announces must be in the file, and the size must be sane.
#include <stb_image.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "platform/io/files.h"
#include "platform/gfx/graphics_resources.h"

namespace platform {
namespace {

constexpr size_t kFileHeaderBytes = 14;           // BITMAPFILEHEADER
constexpr uint32_t kCoreHeaderBytes = 12;         // BITMAPCOREHEADER (OS/2): 16-bit sizes, no compression field
constexpr uint32_t kCompressionRgb = 0;           // BI_RGB
constexpr uint32_t kCompressionBitfields = 3;     // BI_BITFIELDS (16 and 32 bits only)
constexpr int kMaxDimension = 16384;              // px; larger than any texture a driver takes
constexpr int64_t kMaxPixels = int64_t{1} << 24;  // 64 MB of 32-bit pixels (4096 x 4096), far above any scene texture
constexpr size_t kMaxFileBytes = 128u << 20;      // a prefix this long holds any picture we accept

uint32_t Read16(const uint8_t* p) { return p[0] | (p[1] << 8); }
uint32_t Read32(const uint8_t* p) {
  return uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}

// What the header announces, and whether the file can hold it.
struct BmpHeader {
  uint32_t InfoBytes = 0;
  uint32_t PixelOffset = 0;  // bytes from the file's start
  int Width = 0;
  int Height = 0;            // rows, whatever their order
  bool TopRowFirst = false;  // a negative height
  int BitsPerPixel = 0;
  uint32_t Compression = kCompressionRgb;
  int64_t RowBytes = 0;  // padded to 4
};

std::optional<BmpHeader> CheckHeader(const uint8_t* data, size_t size) {
  if (size < kFileHeaderBytes + 4 || data[0] != 'B' || data[1] != 'M') return std::nullopt;
  const uint32_t pixelOffset = Read32(data + 10);
  const uint32_t infoBytes = Read32(data + kFileHeaderBytes);
  if (infoBytes != kCoreHeaderBytes && infoBytes != 40 && infoBytes != 56 && infoBytes != 108 && infoBytes != 124) {
    return std::nullopt;
  }
  if (size < kFileHeaderBytes + infoBytes) return std::nullopt;
  // The pixels start after the headers (and a palette, which stb sizes by this offset).
  if (pixelOffset < kFileHeaderBytes + infoBytes) return std::nullopt;
  const uint8_t* info = data + kFileHeaderBytes;

  BmpHeader header;
  header.InfoBytes = infoBytes;
  header.PixelOffset = pixelOffset;
  int64_t height = 0;
  if (infoBytes == kCoreHeaderBytes) {
    header.Width = static_cast<int>(Read16(info + 4));
    height = Read16(info + 6);
    header.BitsPerPixel = static_cast<int>(Read16(info + 10));
  } else {
    header.Width = static_cast<int32_t>(Read32(info + 4));
    height = static_cast<int32_t>(Read32(info + 8));  // negative: top row first
    header.BitsPerPixel = static_cast<int>(Read16(info + 14));
    header.Compression = Read32(info + 16);
  }
  header.TopRowFirst = height < 0;
  height = std::llabs(height);
  if (header.Width <= 0 || height == 0 || header.Width > kMaxDimension || height > kMaxDimension) return std::nullopt;
  header.Height = static_cast<int>(height);
  if (int64_t{header.Width} * header.Height > kMaxPixels) return std::nullopt;

  const int bpp = header.BitsPerPixel;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return std::nullopt;
  // RLE (1, 2) and embedded JPEG/PNG (4, 5) are refused like any unreadable picture.
  const bool bitfields = header.Compression == kCompressionBitfields && (bpp == 16 || bpp == 32);
  if (header.Compression != kCompressionRgb && !bitfields) return std::nullopt;

  // Rows are padded to 4 bytes; the last row's padding may be missing in files from
  // careless writers, so only its pixels must be present.
  const int64_t rowBits = int64_t{header.Width} * bpp;
  header.RowBytes = (rowBits + 31) / 32 * 4;
  const int64_t pixelBytes = header.RowBytes * (header.Height - 1) + (rowBits + 7) / 8;
  if (pixelOffset > size || pixelBytes > static_cast<int64_t>(size - pixelOffset)) return std::nullopt;
  return header;
}

void Write16(uint8_t* p, uint32_t v) { p[0] = v & 0xFF, p[1] = (v >> 8) & 0xFF; }
void Write32(uint8_t* p, uint32_t v) { Write16(p, v & 0xFFFF), Write16(p + 2, v >> 16); }

// stb sizes a palette by the pixel offset, reads a BITMAPCOREHEADER's palette four
// entries short, and leaves the entries it did not read uninitialised, so an index
// beyond the palette would give random colours. A paletted picture is therefore
// handed to it rewritten: a 40-byte header, all 2^bpp entries (those the file lacks
// black), then the pixel rows as they are.
std::vector<uint8_t> WithFullPalette(const uint8_t* data, size_t size, const BmpHeader& header) {
  const uint32_t entries = 1u << header.BitsPerPixel;
  const bool core = header.InfoBytes == kCoreHeaderBytes;
  const uint32_t entryBytes = core ? 3 : 4;  // B, G, R (, unused)
  const uint32_t paletteStart = kFileHeaderBytes + header.InfoBytes;
  const uint32_t present = std::min(entries, (header.PixelOffset - paletteStart) / entryBytes);
  const size_t pixelBytes = std::min<size_t>(size - header.PixelOffset,
                                             static_cast<size_t>(header.RowBytes) * static_cast<size_t>(header.Height));
  constexpr uint32_t kInfoBytes = 40;
  const uint32_t offset = kFileHeaderBytes + kInfoBytes + 4 * entries;

  std::vector<uint8_t> out(offset + pixelBytes, 0);
  uint8_t* p = out.data();
  p[0] = 'B', p[1] = 'M';
  Write32(p + 2, static_cast<uint32_t>(out.size()));
  Write32(p + 10, offset);
  uint8_t* info = p + kFileHeaderBytes;
  Write32(info, kInfoBytes);
  Write32(info + 4, static_cast<uint32_t>(header.Width));
  Write32(info + 8, static_cast<uint32_t>(header.TopRowFirst ? -header.Height : header.Height));
  Write16(info + 12, 1);  // planes
  Write16(info + 14, static_cast<uint32_t>(header.BitsPerPixel));
  Write32(info + 32, entries);  // colours used
  for (uint32_t i = 0; i < present; ++i) {
    std::memcpy(p + kFileHeaderBytes + kInfoBytes + 4 * i, data + paletteStart + entryBytes * i, 3);
  }
  std::memcpy(p + offset, data + header.PixelOffset, pixelBytes);
  return out;
}

struct StbFree {
  void operator()(stbi_uc* p) const { stbi_image_free(p); }
};

}  // namespace

std::optional<Image> DecodeBmp(const uint8_t* data, size_t size, uint32_t colorKey) {
  if (data == nullptr) return std::nullopt;
  const std::optional<BmpHeader> header = CheckHeader(data, size);
  if (!header) return std::nullopt;

  std::vector<uint8_t> rewritten;
  if (header->BitsPerPixel <= 8) {
    rewritten = WithFullPalette(data, size, *header);
    data = rewritten.data();
    size = rewritten.size();
  }

  int width = 0, height = 0, channels = 0;
  constexpr int kRgba = 4;
  const std::unique_ptr<stbi_uc, StbFree> rgba(stbi_load_from_memory(
      data, static_cast<int>(std::min<size_t>(size, INT_MAX)), &width, &height, &channels, kRgba));
  if (!rgba || width != header->Width || height != header->Height) return std::nullopt;

  // The fourth byte of a 32-bit BI_RGB pixel is unused padding, not alpha (the picture
  // loads as X8R8G8B8), although stb keeps it when it is not all zero.
  const bool opaque = header->BitsPerPixel == 32 && header->Compression == kCompressionRgb;

  Image image;
  image.Width = width;
  image.Height = height;
  image.Pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
  const stbi_uc* p = rgba.get();
  for (uint32_t& pixel : image.Pixels) {
    const uint32_t alpha = opaque ? 0xFFu : p[3];
    pixel = (alpha << 24) | (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
    if (colorKey != 0 && pixel == colorKey) pixel = 0;  // transparent black
    p += kRgba;
  }
  return image;
}

std::optional<Image> LoadBmpImage(std::string_view gameFileName, uint32_t colorKey) {
  const std::optional<std::string> bytes = ReadFilePrefix(gameFileName, kMaxFileBytes);
  if (!bytes) return std::nullopt;
  return DecodeBmp(reinterpret_cast<const uint8_t*>(bytes->data()), bytes->size(), colorKey);
}

}  // namespace platform
