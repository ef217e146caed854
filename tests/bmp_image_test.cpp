// BMP decoding: pictures written by other programs (tests/corpus/bmp), checked against
// a plain reading of their bytes and a few known pixels, and pictures built here for
// the cases the corpus lacks and for damaged headers.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "fakes/temp_dir.h"
#include "platform/gfx/graphics_device.h"
#include "platform/gfx/graphics_resources.h"
#include "fakes/recording_device.h"
#include "platform/os/resource_budget.h"

namespace {

using platform::DecodeBmp;
using platform::Image;

std::vector<uint8_t> ReadCorpus(const std::string& name) {
  const std::string bytes = fakes::ReadText(std::filesystem::path(VELKARO_TEST_CORPUS_DIR) / "bmp" / name);
  return {bytes.begin(), bytes.end()};
}

std::optional<Image> Decode(const std::vector<uint8_t>& bytes, uint32_t colorKey = 0) {
  return DecodeBmp(bytes.data(), bytes.size(), colorKey);
}

uint32_t At(const Image& image, int x, int y) { return image.Pixels[static_cast<size_t>(y * image.Width + x)]; }

uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (uint32_t{b[at + 3]} << 24);
}

// The pixels of an uncompressed (BI_RGB) 4-, 8-, 24- or 32-bit BMP read straight from
// its bytes, independently of the decoder: rows bottom-up unless the height is
// negative, each padded to 4 bytes, palette entries B, G, R, unused.
Image ReadPlainBmp(const std::vector<uint8_t>& b) {
  const uint32_t offset = Le32(b, 10), infoBytes = Le32(b, 14);
  const int width = static_cast<int32_t>(Le32(b, 18));
  const int signedHeight = static_cast<int32_t>(Le32(b, 22));
  const int bpp = b[28] | (b[29] << 8);
  const int height = std::abs(signedHeight);
  const size_t palette = 14 + infoBytes;
  const size_t rowBytes = (static_cast<size_t>(width) * bpp + 31) / 32 * 4;
  auto color = [&](size_t at) { return 0xFF000000u | (b[at + 2] << 16) | (b[at + 1] << 8) | b[at]; };

  Image image{width, height, std::vector<uint32_t>(static_cast<size_t>(width * height))};
  for (int y = 0; y < height; ++y) {
    const size_t row = offset + rowBytes * static_cast<size_t>(signedHeight > 0 ? height - 1 - y : y);
    for (int x = 0; x < width; ++x) {
      uint32_t pixel = 0;
      if (bpp == 24) pixel = color(row + 3 * x);
      if (bpp == 32) pixel = color(row + 4 * x);
      if (bpp == 8) pixel = color(palette + 4 * b[row + x]);
      if (bpp == 4) pixel = color(palette + 4 * ((x % 2 == 0) ? b[row + x / 2] >> 4 : b[row + x / 2] & 0xF));
      image.Pixels[static_cast<size_t>(y * width + x)] = pixel;
    }
  }
  return image;
}

// A BMP built in memory: BITMAPFILEHEADER + BITMAPINFOHEADER, an optional palette,
// then the given rows as stored (already padded).
struct BmpSpec {
  int Width = 2;
  int Height = 2;  // negative: top row first
  int Bpp = 24;
  uint32_t Compression = 0;
  std::vector<uint32_t> Palette;  // 0x00RRGGBB
  std::vector<uint8_t> Rows;
};

std::vector<uint8_t> BuildBmp(const BmpSpec& spec) {
  std::vector<uint8_t> b(54 + 4 * spec.Palette.size());
  auto put16 = [&](size_t at, uint32_t v) { b[at] = v & 0xFF, b[at + 1] = (v >> 8) & 0xFF; };
  auto put32 = [&](size_t at, uint32_t v) { put16(at, v & 0xFFFF), put16(at + 2, v >> 16); };
  b[0] = 'B', b[1] = 'M';
  put32(2, static_cast<uint32_t>(b.size() + spec.Rows.size()));
  put32(10, static_cast<uint32_t>(b.size()));
  put32(14, 40);
  put32(18, static_cast<uint32_t>(spec.Width));
  put32(22, static_cast<uint32_t>(spec.Height));
  put16(26, 1);
  put16(28, static_cast<uint32_t>(spec.Bpp));
  put32(30, spec.Compression);
  put32(34, static_cast<uint32_t>(spec.Rows.size()));
  put32(46, static_cast<uint32_t>(spec.Palette.size()));
  for (size_t i = 0; i < spec.Palette.size(); ++i) put32(54 + 4 * i, spec.Palette[i]);
  b.insert(b.end(), spec.Rows.begin(), spec.Rows.end());
  return b;
}

// 2 x 2, 24-bit: bottom row blue, green; top row red, white; rows padded from 6 to 8 bytes.
BmpSpec TwoByTwo() {
  BmpSpec spec;
  spec.Rows = {0xFF, 0, 0,    0,    0xFF, 0,    0, 0,   // stored first: the bottom row
               0,    0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0};  // then the top row
  return spec;
}

// [SECTION] Third-party pictures

TEST(BmpCorpus, SizesOfEveryPicture) {
  const struct {
    const char* File;
    int Width, Height;
  } cases[] = {
      {"goimage-colormap.bmp", 150, 103},
      {"goimage-video-001.bmp", 150, 103},
      {"goimage-yellow_rose-small-v5.bmp", 16, 12},
      {"goimage-yellow_rose-small.bmp", 16, 12},
      {"sdl2-axis.bmp", 50, 50},
      {"sdl2-button.bmp", 50, 50},
      {"sdl2-icon.bmp", 32, 32},
      {"sdl2-sample.bmp", 408, 167},
      {"sdl2image-palette.bmp", 23, 42},
      {"sdl2image-sample.bmp", 23, 42},
  };
  for (const auto& c : cases) {
    const auto image = Decode(ReadCorpus(c.File));
    ASSERT_TRUE(image) << c.File;
    EXPECT_EQ(image->Width, c.Width) << c.File;
    EXPECT_EQ(image->Height, c.Height) << c.File;
    EXPECT_EQ(image->Pixels.size(), static_cast<size_t>(c.Width * c.Height)) << c.File;
  }
}

TEST(BmpCorpus, UncompressedPicturesMatchTheirBytesPixelForPixel) {
  // Covers 4-bit and 8-bit palettes, 24-bit rows padded (69 to 72 and 450 to 452
  // bytes), V4 and V5 headers, and a top-down 32-bit picture.
  for (const char* file :
       {"sdl2-icon.bmp", "sdl2-sample.bmp", "sdl2-button.bmp", "sdl2image-palette.bmp", "sdl2image-sample.bmp",
        "goimage-video-001.bmp", "goimage-colormap.bmp", "goimage-yellow_rose-small.bmp"}) {
    const std::vector<uint8_t> bytes = ReadCorpus(file);
    const auto image = Decode(bytes);
    ASSERT_TRUE(image) << file;
    EXPECT_EQ(image->Pixels, ReadPlainBmp(bytes).Pixels) << file;
  }
}

TEST(BmpCorpus, KnownPixels) {
  const auto video = Decode(ReadCorpus("goimage-video-001.bmp"));  // bottom-up, 24-bit
  ASSERT_TRUE(video);
  EXPECT_EQ(At(*video, 0, 0), 0xFF7D0E02u);      // top-left
  EXPECT_EQ(At(*video, 149, 0), 0xFF820A00u);    // top-right
  EXPECT_EQ(At(*video, 149, 102), 0xFFA06102u);  // bottom-right

  const auto sample = Decode(ReadCorpus("sdl2image-sample.bmp"));  // 24-bit, V5 header
  ASSERT_TRUE(sample);
  EXPECT_EQ(At(*sample, 0, 0), 0xFFFC0201u);
  EXPECT_EQ(At(*sample, 22, 0), 0xFFCF240Cu);
  EXPECT_EQ(At(*sample, 22, 41), 0xFF359832u);

  // 32-bit bitfields with the alpha mask in the low byte: alpha is kept.
  const auto axis = Decode(ReadCorpus("sdl2-axis.bmp"));
  ASSERT_TRUE(axis);
  EXPECT_EQ(At(*axis, 0, 0), 0x00000000u);
  EXPECT_EQ(At(*axis, 25, 25), 0xFEFFFFFFu);
}

TEST(BmpCorpus, TopDownAndBottomUpCopiesOfOnePictureAgree) {
  // The same rose as 32-bit BI_RGB stored top-down and as 32-bit bitfields with an
  // alpha mask stored bottom-up. Colours agree everywhere; the BI_RGB copy's fourth
  // byte is padding (opaque), the bitfields copy's is alpha.
  const auto topDown = Decode(ReadCorpus("goimage-yellow_rose-small.bmp"));
  const auto bottomUp = Decode(ReadCorpus("goimage-yellow_rose-small-v5.bmp"));
  ASSERT_TRUE(topDown && bottomUp);
  int translucent = 0;
  for (size_t i = 0; i < topDown->Pixels.size(); ++i) {
    EXPECT_EQ(topDown->Pixels[i] & 0xFFFFFF, bottomUp->Pixels[i] & 0xFFFFFF) << i;
    EXPECT_EQ(topDown->Pixels[i] >> 24, 0xFFu) << i;
    if ((bottomUp->Pixels[i] >> 24) != 0xFF) ++translucent;
  }
  EXPECT_GT(translucent, 0);
  EXPECT_EQ(At(*topDown, 15, 0), 0xFF71484Du);  // top-right
}

TEST(BmpCorpus, ColourKeyOfTheTopLeftPixel) {
  // SDL's sprite test keys this picture on its top-left colour (opaque black).
  const std::vector<uint8_t> bytes = ReadCorpus("sdl2-sample.bmp");
  const auto plain = Decode(bytes);
  const auto keyed = Decode(bytes, 0xFF000000);
  ASSERT_TRUE(plain && keyed);
  int transparent = 0;
  for (size_t i = 0; i < plain->Pixels.size(); ++i) {
    if (plain->Pixels[i] == 0xFF000000) {
      EXPECT_EQ(keyed->Pixels[i], 0u);
      ++transparent;
    } else {
      EXPECT_EQ(keyed->Pixels[i], plain->Pixels[i]);
    }
  }
  EXPECT_EQ(transparent, 24713);
}

// [SECTION] Pictures built here

TEST(BmpBuilt, RowOrderFollowsTheSignOfTheHeight) {
  const auto bottomUp = Decode(BuildBmp(TwoByTwo()));
  ASSERT_TRUE(bottomUp);
  EXPECT_EQ(bottomUp->Pixels, (std::vector<uint32_t>{0xFFFF0000, 0xFFFFFFFF, 0xFF0000FF, 0xFF00FF00}));

  BmpSpec topDown = TwoByTwo();
  topDown.Height = -2;  // the same rows now read from the top
  const auto flipped = Decode(BuildBmp(topDown));
  ASSERT_TRUE(flipped);
  EXPECT_EQ(flipped->Pixels, (std::vector<uint32_t>{0xFF0000FF, 0xFF00FF00, 0xFFFF0000, 0xFFFFFFFF}));
}

TEST(BmpBuilt, OneBitPaletteWithPaddedRows) {
  BmpSpec spec;
  spec.Width = 9;  // 2 bytes of pixels, padded to 4
  spec.Height = 1;
  spec.Bpp = 1;
  spec.Palette = {0x000000, 0xFF8000};
  spec.Rows = {0b10000000, 0b10000000, 0xAA, 0xAA};  // pixels 0 and 8 set; padding ignored
  const auto image = Decode(BuildBmp(spec));
  ASSERT_TRUE(image);
  ASSERT_EQ(image->Pixels.size(), 9u);
  EXPECT_EQ(image->Pixels[0], 0xFFFF8000u);
  EXPECT_EQ(image->Pixels[1], 0xFF000000u);
  EXPECT_EQ(image->Pixels[8], 0xFFFF8000u);
}

TEST(BmpBuilt, CoreHeaderPaletteWithIndicesBeyondIt) {
  // BITMAPCOREHEADER (16-bit sizes, 3-byte palette entries), 3 x 1, 4-bit, 5 colours.
  // The pixels use the last entry and an index past the palette, which reads black.
  const std::vector<uint8_t> bytes = {
      'B',  'M',  45,   0, 0, 0,    0, 0, 0,    0, 41, 0,    0,    0,        // pixels at 14 + 12 + 15
      12,   0,    0,    0, 3, 0,    1, 0, 1,    0, 4,  0,                    // 3 x 1, 1 plane, 4 bits
      0,    0,    0x10, 0, 0, 0x20, 0, 0, 0x30, 0, 0,  0x40, 0xFF, 0, 0x50,  // B, G, R
      0x49, 0x00, 0,    0};                                                  // indices 4, 9, 0
  const auto image = Decode(bytes);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->Pixels, (std::vector<uint32_t>{0xFF5000FF, 0xFF000000, 0xFF100000}));
}

TEST(BmpBuilt, SixteenBitFiveFiveFive) {
  BmpSpec spec;
  spec.Width = 2;
  spec.Height = 1;
  spec.Bpp = 16;
  spec.Rows = {0x00, 0x7C, 0x1F, 0x00};  // 0x7C00 red, 0x001F blue
  const auto image = Decode(BuildBmp(spec));
  ASSERT_TRUE(image);
  EXPECT_EQ(image->Pixels, (std::vector<uint32_t>{0xFFFF0000, 0xFF0000FF}));
}

TEST(BmpBuilt, FourthByteOfThirtyTwoBitRgbIsNotAlpha) {
  BmpSpec spec;
  spec.Width = 2;
  spec.Height = 1;
  spec.Bpp = 32;
  spec.Rows = {0x10, 0x20, 0x30, 0x00, 0x40, 0x50, 0x60, 0x80};
  const auto image = Decode(BuildBmp(spec));
  ASSERT_TRUE(image);
  EXPECT_EQ(image->Pixels, (std::vector<uint32_t>{0xFF302010, 0xFF605040}));
}

TEST(BmpBuilt, ColourKeyMatchesOnlyTheExactColour) {
  const std::vector<uint8_t> bytes = BuildBmp(TwoByTwo());
  const auto keyed = Decode(bytes, 0xFF00FF00);  // the game's pure green
  ASSERT_TRUE(keyed);
  EXPECT_EQ(keyed->Pixels, (std::vector<uint32_t>{0xFFFF0000, 0xFFFFFFFF, 0xFF0000FF, 0x00000000}));

  EXPECT_EQ(Decode(bytes, 0xFF00FE00)->Pixels, Decode(bytes)->Pixels);  // one step off: no match
  EXPECT_EQ(Decode(bytes, 0x0000FF00)->Pixels, Decode(bytes)->Pixels);  // alpha differs: no match
}

// [SECTION] Refused input

TEST(BmpRefused, DamagedOrUnsupportedHeaders) {
  const std::vector<uint8_t> good = BuildBmp(TwoByTwo());
  ASSERT_TRUE(Decode(good));
  auto patched = [&good](size_t at, std::vector<uint8_t> bytes) {
    std::vector<uint8_t> b = good;
    std::memcpy(b.data() + at, bytes.data(), bytes.size());
    return b;
  };
  EXPECT_FALSE(Decode(patched(0, {'B', 'A'}))) << "wrong signature";
  EXPECT_FALSE(Decode(patched(30, {1, 0, 0, 0}))) << "RLE8";
  EXPECT_FALSE(Decode(patched(30, {2, 0, 0, 0}))) << "RLE4";
  EXPECT_FALSE(Decode(patched(30, {4, 0, 0, 0}))) << "embedded JPEG";
  EXPECT_FALSE(Decode(patched(28, {7, 0}))) << "7 bits per pixel";
  EXPECT_FALSE(Decode(patched(14, {41, 0, 0, 0}))) << "unknown header size";
  EXPECT_FALSE(Decode(patched(18, {0, 0, 0, 0}))) << "zero width";
  EXPECT_FALSE(Decode(patched(18, {0xFF, 0xFF, 0xFF, 0xFF}))) << "negative width";
  EXPECT_FALSE(Decode(patched(22, {0, 0, 0, 0x80}))) << "height -2^31";
  EXPECT_FALSE(Decode(patched(10, {0xFF, 0xFF, 0, 0}))) << "pixels beyond the end";
  EXPECT_FALSE(Decode(patched(10, {20, 0, 0, 0}))) << "pixels inside the headers";
}

TEST(BmpRefused, HugeSizesWithFewBytes) {
  BmpSpec spec = TwoByTwo();
  spec.Width = 100000;
  EXPECT_FALSE(Decode(BuildBmp(spec))) << "wider than any texture";
  spec.Width = 16000;
  spec.Height = 16000;
  EXPECT_FALSE(Decode(BuildBmp(spec))) << "768 MB of pixels announced in 70 bytes";
  spec.Width = 30000;
  spec.Height = -30000;
  spec.Bpp = 1;
  EXPECT_FALSE(Decode(BuildBmp(spec)));
}

TEST(BmpRefused, TruncatedFilesAndNoData) {
  const std::vector<uint8_t> whole = ReadCorpus("goimage-video-001.bmp");
  for (size_t keep : {size_t{0}, size_t{2}, size_t{13}, size_t{30}, size_t{54}, whole.size() / 2, whole.size() - 4}) {
    const std::vector<uint8_t> cut(whole.begin(), whole.begin() + static_cast<ptrdiff_t>(keep));
    EXPECT_FALSE(DecodeBmp(cut.data(), cut.size())) << keep << " bytes";
  }
  EXPECT_FALSE(DecodeBmp(nullptr, 100));

  // Only the last row's padding missing (two bytes): every pixel is there.
  const std::vector<uint8_t> unpadded(whole.begin(), whole.end() - 2);
  EXPECT_EQ(Decode(unpadded)->Pixels, Decode(whole)->Pixels);
}

// [SECTION] Files

TEST(BmpFile, LoadsThroughAGamePathWithBackslashes) {
  fakes::TempWorkingDir dir;
  const std::vector<uint8_t> bytes = BuildBmp(TwoByTwo());
  fakes::WriteText(dir.Path() / "image" / "pic.bmp", std::string(bytes.begin(), bytes.end()));
  const auto image = platform::LoadBmpImage("image\\pic.bmp", 0xFF00FF00);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->Pixels[3], 0u);
  EXPECT_FALSE(platform::LoadBmpImage("image\\missing.bmp"));
  EXPECT_FALSE(platform::LoadBmpImage("image"));  // a folder
}

// Pictures share one memory budget: past it a picture is refused like an unreadable
// file, and a picture that is released gives its share back.
TEST(BmpFile, PicturesShareOneMemoryBudget) {
  fakes::TempWorkingDir dir;
  const std::vector<uint8_t> bytes = BuildBmp(TwoByTwo());
  fakes::WriteText(dir.Path() / "pic.bmp", std::string(bytes.begin(), bytes.end()));
  const size_t inUse = platform::ResourceBytesInUse();
  const size_t onePicture = 2 * 2 * sizeof(uint32_t);
  platform::testing::SetResourceBudget(inUse + 2 * onePicture);
  platform::RecordingDevice device(16, 16);
  auto first = platform::LoadTexture(device, "pic.bmp");
  auto second = platform::LoadTexture(device, "pic.bmp");
  EXPECT_TRUE(first && second);
  EXPECT_FALSE(platform::LoadTexture(device, "pic.bmp"));
  first.reset();
  EXPECT_TRUE(platform::LoadTexture(device, "pic.bmp"));
  platform::testing::SetResourceBudget(0);
  second.reset();
  EXPECT_EQ(platform::ResourceBytesInUse(), inUse);
}

}  // namespace
