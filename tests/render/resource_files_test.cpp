// Checks the committed picture files byte by byte: the formats the Windows
// resource loader expects, and the shapes and colour rules marker drawing
// relies on. The uncompressed marker bitmaps are simple enough to decode here.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "render/builtin_images.h"
#include "render/image.h"
#include "render/pin_names.h"

namespace lumivane {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ReadResourceFile(const std::string& name) {
  std::ifstream in(std::string(LUMIVANE_RES_DIR) + "/" + name, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::uint32_t U16(const Bytes& b, std::size_t at) { return b.at(at) | b.at(at + 1) << 8; }
std::uint32_t U32(const Bytes& b, std::size_t at) { return U16(b, at) | U16(b, at + 2) << 16; }
std::int32_t I32(const Bytes& b, std::size_t at) { return static_cast<std::int32_t>(U32(b, at)); }

// The parts of a .bmp file's headers that the program depends on.
struct BitmapFile {
  Bytes bytes;
  std::uint32_t pixelOffset = 0;
  std::uint32_t infoSize = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;  // positive: rows stored bottom-up
  std::uint32_t planes = 0;
  std::uint32_t bitsPerPixel = 0;
  std::uint32_t compression = 0;
  std::size_t paletteEntries = 0;

  Pixel PaletteColour(std::size_t index) const {
    const std::size_t at = 14 + infoSize + 4 * index;
    return MakePixel(bytes.at(at + 2), bytes.at(at + 1), bytes.at(at));
  }

  // Uncompressed 1, 4 or 8 bits per pixel, bottom-up rows padded to 4 bytes.
  Image DecodeUncompressed() const {
    Image image(width, height);
    const std::size_t stride = (static_cast<std::size_t>(width) * bitsPerPixel + 31) / 32 * 4;
    for (std::int32_t y = 0; y < height; ++y) {
      const std::size_t rowStart = pixelOffset + stride * static_cast<std::size_t>(height - 1 - y);
      for (std::int32_t x = 0; x < width; ++x) {
        std::size_t index = 0;
        if (bitsPerPixel == 8) {
          index = bytes.at(rowStart + static_cast<std::size_t>(x));
        } else if (bitsPerPixel == 1) {
          const std::uint8_t eight = bytes.at(rowStart + static_cast<std::size_t>(x) / 8);
          index = eight >> (7 - x % 8) & 1;
        } else {
          const std::uint8_t pair = bytes.at(rowStart + static_cast<std::size_t>(x) / 2);
          index = x % 2 == 0 ? pair >> 4 : pair & 0x0F;
        }
        image.at(x, y) = PaletteColour(index);
      }
    }
    return image;
  }
};

BitmapFile ReadBitmap(BuiltinImage role) {
  BitmapFile file;
  file.bytes = ReadResourceFile(ResourceFileName(role));
  const Bytes& b = file.bytes;
  if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') {
    ADD_FAILURE() << ResourceFileName(role) << " is missing or not a bitmap";
    return file;
  }
  EXPECT_EQ(U32(b, 2), b.size()) << ResourceFileName(role);
  file.pixelOffset = U32(b, 10);
  file.infoSize = U32(b, 14);
  file.width = I32(b, 18);
  file.height = I32(b, 22);
  file.planes = U16(b, 26);
  file.bitsPerPixel = U16(b, 28);
  file.compression = U32(b, 30);
  file.paletteEntries = (file.pixelOffset - 14 - file.infoSize) / 4;
  return file;
}

constexpr Pixel kBlack = MakePixel(0, 0, 0);
constexpr Pixel kWhite = MakePixel(255, 255, 255);
constexpr Pixel kUnlitSlate = MakePixel(110, 110, 144);
constexpr std::uint32_t kUncompressed = 0;
constexpr std::uint32_t kRle8 = 1;

TEST(ResourceFiles, BitmapsHaveTheirExactFormats) {
  const struct {
    BuiltinImage role;
    std::int32_t width, height;
    std::uint32_t bitsPerPixel, compression;
    std::size_t paletteEntries;
  } formats[] = {
      {BuiltinImage::SunImage, 40, 40, 8, kUncompressed, 256},
      {BuiltinImage::SunMask, 40, 40, 4, kUncompressed, 16},
      {BuiltinImage::MoonFullImage, 20, 20, 8, kUncompressed, 256},
      {BuiltinImage::MoonNewImage, 20, 20, 8, kUncompressed, 256},
      {BuiltinImage::MoonMask, 20, 20, 8, kUncompressed, 256},
      {BuiltinImage::MoonFirstQuarterImage, 20, 20, 8, kUncompressed, 256},
      {BuiltinImage::MoonLastQuarterImage, 20, 20, 8, kUncompressed, 256},
      // The Earth map at the native size.
      {BuiltinImage::EarthMap, kDefaultEarthMapWidth, kDefaultEarthMapHeight, 8, kRle8, 256},
      // The city lights, twice the map's detail four times over.
      {BuiltinImage::NightLights, 1600, 800, 8, kRle8, 256},
      // The pins' font: 1199 cells of 6 x 13, 16 to a row.
      {BuiltinImage::PinFont, 96, 975, 1, kUncompressed, 2},
  };
  for (const auto& expected : formats) {
    SCOPED_TRACE(ResourceFileName(expected.role));
    const BitmapFile file = ReadBitmap(expected.role);
    EXPECT_EQ(file.infoSize, 40u);
    EXPECT_EQ(file.width, expected.width);
    EXPECT_EQ(file.height, expected.height);
    EXPECT_EQ(file.planes, 1u);
    EXPECT_EQ(file.bitsPerPixel, expected.bitsPerPixel);
    EXPECT_EQ(file.compression, expected.compression);
    EXPECT_EQ(file.paletteEntries, expected.paletteEntries);
  }
  EXPECT_EQ(kSunMarkerSize, 40);
  EXPECT_EQ(kMoonMarkerSize, 20);
  // RLE8 data ends with the end-of-bitmap escape.
  const Bytes map = ReadBitmap(BuiltinImage::EarthMap).bytes;
  ASSERT_GE(map.size(), 2u);
  EXPECT_EQ(map[map.size() - 2], 0);
  EXPECT_EQ(map[map.size() - 1], 1);
}

TEST(ResourceFiles, SunMaskUsesTheStandardSixteenColours) {
  const Pixel standard[16] = {
      MakePixel(0, 0, 0),       MakePixel(128, 0, 0),     MakePixel(0, 128, 0),
      MakePixel(128, 128, 0),   MakePixel(0, 0, 128),     MakePixel(128, 0, 128),
      MakePixel(0, 128, 128),   MakePixel(192, 192, 192), MakePixel(128, 128, 128),
      MakePixel(255, 0, 0),     MakePixel(0, 255, 0),     MakePixel(255, 255, 0),
      MakePixel(0, 0, 255),     MakePixel(255, 0, 255),   MakePixel(0, 255, 255),
      MakePixel(255, 255, 255),
  };
  const BitmapFile file = ReadBitmap(BuiltinImage::SunMask);
  for (std::size_t i = 0; i < 16; ++i) EXPECT_EQ(file.PaletteColour(i), standard[i]) << i;
}

std::vector<std::int32_t> BlackRunWidths(const Image& mask) {
  std::vector<std::int32_t> widths;
  for (std::int32_t y = 0; y < mask.height(); ++y) {
    std::int32_t first = -1, last = -1, count = 0;
    for (std::int32_t x = 0; x < mask.width(); ++x) {
      if (mask.at(x, y) != kBlack) continue;
      if (first < 0) first = x;
      last = x;
      ++count;
    }
    // One unbroken run, centred in the row.
    EXPECT_EQ(last - first + 1, count) << "row " << y;
    EXPECT_EQ(first, mask.width() - 1 - last) << "row " << y;
    widths.push_back(count);
  }
  return widths;
}

std::int32_t CountOf(const Image& image, Pixel colour) {
  std::int32_t count = 0;
  for (Pixel p : image.pixels()) count += p == colour;
  return count;
}

TEST(ResourceFiles, MoonMaskIsTheRoundDisc) {
  const Image mask = ReadBitmap(BuiltinImage::MoonMask).DecodeUncompressed();
  EXPECT_EQ(BlackRunWidths(mask),
            (std::vector<std::int32_t>{6,  10, 14, 16, 16, 18, 18, 20, 20, 20,
                                       20, 20, 20, 18, 18, 16, 16, 14, 10, 6}));
  EXPECT_EQ(CountOf(mask, kBlack), 316);
  EXPECT_EQ(CountOf(mask, kWhite), 84);
}

TEST(ResourceFiles, SunShapeCoversItsPixelCount) {
  const Image mask = ReadBitmap(BuiltinImage::SunMask).DecodeUncompressed();
  EXPECT_EQ(CountOf(mask, kBlack), 408);
  EXPECT_EQ(CountOf(mask, kWhite), 1600 - 408);
}

// Mask AND then image OR replaces the map inside the shape and leaves it
// alone outside: the mask is only black and white, and the image is black
// exactly where the mask is white.
void ExpectMaskAndImageAgree(BuiltinImage maskRole, BuiltinImage imageRole) {
  SCOPED_TRACE(ResourceFileName(imageRole));
  const Image mask = ReadBitmap(maskRole).DecodeUncompressed();
  const Image image = ReadBitmap(imageRole).DecodeUncompressed();
  ASSERT_EQ(mask.width(), image.width());
  ASSERT_EQ(mask.height(), image.height());
  for (std::int32_t y = 0; y < mask.height(); ++y) {
    for (std::int32_t x = 0; x < mask.width(); ++x) {
      const Pixel m = mask.at(x, y);
      ASSERT_TRUE(m == kBlack || m == kWhite) << x << "," << y;
      if (m == kWhite) {
        EXPECT_EQ(image.at(x, y), kBlack) << "outside the shape at " << x << "," << y;
      } else {
        EXPECT_NE(image.at(x, y), kBlack) << "inside the shape at " << x << "," << y;
      }
    }
  }
}

TEST(ResourceFiles, EveryMarkerImageFitsItsMask) {
  ExpectMaskAndImageAgree(BuiltinImage::SunMask, BuiltinImage::SunImage);
  for (BuiltinImage moon :
       {BuiltinImage::MoonFullImage, BuiltinImage::MoonNewImage,
        BuiltinImage::MoonFirstQuarterImage, BuiltinImage::MoonLastQuarterImage}) {
    ExpectMaskAndImageAgree(BuiltinImage::MoonMask, moon);
  }
}

// Counts the disc's pixels left of the split (columns 0-9) and right of it
// that are, or are not, the unlit slate.
struct Halves {
  std::int32_t unlitLeft = 0, litLeft = 0, unlitRight = 0, litRight = 0;
};

Halves CountHalves(BuiltinImage role) {
  const Image mask = ReadBitmap(BuiltinImage::MoonMask).DecodeUncompressed();
  const Image image = ReadBitmap(role).DecodeUncompressed();
  Halves halves;
  for (std::int32_t y = 0; y < 20; ++y) {
    for (std::int32_t x = 0; x < 20; ++x) {
      if (mask.at(x, y) != kBlack) continue;
      const bool unlit = image.at(x, y) == kUnlitSlate;
      if (x <= 9) {
        (unlit ? halves.unlitLeft : halves.litLeft)++;
      } else {
        (unlit ? halves.unlitRight : halves.litRight)++;
      }
    }
  }
  return halves;
}

TEST(ResourceFiles, MoonPhasesLightTheRightHalves) {
  const Halves fresh = CountHalves(BuiltinImage::MoonNewImage);
  EXPECT_EQ(fresh.unlitLeft + fresh.unlitRight, 316);

  const Halves full = CountHalves(BuiltinImage::MoonFullImage);
  EXPECT_EQ(full.litLeft + full.litRight, 316);

  const Halves waxing = CountHalves(BuiltinImage::MoonFirstQuarterImage);
  EXPECT_EQ(waxing.unlitLeft, 158);
  EXPECT_EQ(waxing.litRight, 158);

  const Halves waning = CountHalves(BuiltinImage::MoonLastQuarterImage);
  EXPECT_EQ(waning.litLeft, 158);
  EXPECT_EQ(waning.unlitRight, 158);
}

TEST(ResourceFiles, LitHalvesMatchTheFullMoon) {
  const Image full = ReadBitmap(BuiltinImage::MoonFullImage).DecodeUncompressed();
  const Image waxing = ReadBitmap(BuiltinImage::MoonFirstQuarterImage).DecodeUncompressed();
  const Image waning = ReadBitmap(BuiltinImage::MoonLastQuarterImage).DecodeUncompressed();
  for (std::int32_t y = 0; y < 20; ++y) {
    for (std::int32_t x = 0; x < 10; ++x) EXPECT_EQ(waning.at(x, y), full.at(x, y));
    for (std::int32_t x = 10; x < 20; ++x) EXPECT_EQ(waxing.at(x, y), full.at(x, y));
  }
}

// The 6 x 13 cell at (x, y) of the font as rows of '#' (black) and '.'.
std::vector<std::string> Cell(const Image& font, std::int32_t x, std::int32_t y) {
  std::vector<std::string> rows;
  for (std::int32_t row = y; row < y + 13; ++row) {
    std::string text;
    for (std::int32_t column = x; column < x + 6; ++column) {
      text += font.at(column, row) == kBlack ? '#' : '.';
    }
    rows.push_back(text);
  }
  return rows;
}

// Glyphs of the misc-fixed 6x13 font at the cells the ranges give them:
// cell n at column n % 16, row n / 16.
TEST(ResourceFiles, PinFontHoldsEachGlyphInItsCell) {
  const BitmapFile file = ReadBitmap(BuiltinImage::PinFont);
  EXPECT_EQ(file.PaletteColour(0), kBlack);
  EXPECT_EQ(file.PaletteColour(1), kWhite);
  const Image font = file.DecodeUncompressed();
  const std::vector<std::string> a = {
      "......", "......", "..#...", ".#.#..", "#...#.", "#...#.", "#...#.",
      "#####.", "#...#.", "#...#.", "#...#.", "......", "......",
  };
  const std::vector<std::string> question = {
      "......", "......", ".###..", "#...#.", "#...#.", "....#.", "...#..",
      "..#...", "..#...", "......", "..#...", "......", "......",
  };
  const std::vector<std::string> eAcute = {
      "......", "......", "...#..", "..#...", "......", ".###..", "#...#.",
      "#####.", "#.....", "#...#.", ".###..", "......", "......",
  };
  const std::vector<std::string> zhe = {
      "......", "......", "#.#.#.", "#.#.#.", "#.#.#.", ".###..", "..#...",
      ".###..", "#.#.#.", "#.#.#.", "#.#.#.", "......", "......",
  };
  EXPECT_EQ(Cell(font, 6, 26), a);           // 'A', cell 33
  EXPECT_EQ(Cell(font, 90, 13), question);   // '?', cell 31
  EXPECT_EQ(Cell(font, 48, 130), eAcute);    // U+00E9, cell 95 + 73 = 168
  EXPECT_EQ(Cell(font, 30, 559), zhe);       // U+0416, cell 95 + 432 + 144 + 22 = 693
  EXPECT_EQ(Cell(font, 42, 429), question);  // U+0378, not in the font: cell 535
  EXPECT_EQ(GlyphIndex(U'A'), 33);
  EXPECT_EQ(GlyphIndex(U'\u00E9'), 168);
  EXPECT_EQ(GlyphIndex(U'\u0416'), 693);
  EXPECT_EQ(GlyphIndex(U'\u0378'), 535);
  EXPECT_EQ(GlyphIndex(U'\u201F'), 1198);
  EXPECT_EQ(GlyphIndex(U'\u6771'), 31);  // CJK: '?'
  EXPECT_EQ(kGlyphCount, 1199);
}

// Icon directory entries: width, height, bits per pixel.
struct IconEntry {
  std::uint32_t width, height, bitsPerPixel;
  friend bool operator==(const IconEntry&, const IconEntry&) = default;
};

TEST(ResourceFiles, AppIconHoldsNineSizesAndDepthsWithMasks) {
  const Bytes b = ReadResourceFile("lumivane.ico");
  ASSERT_GE(b.size(), 6u);
  EXPECT_EQ(U16(b, 0), 0u);
  EXPECT_EQ(U16(b, 2), 1u);  // icon, not cursor
  const std::size_t count = U16(b, 4);
  std::vector<IconEntry> entries;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t dir = 6 + 16 * i;
    const std::uint32_t width = b.at(dir), height = b.at(dir + 1);
    const std::uint32_t bits = U16(b, dir + 6);
    const std::uint32_t bytes = U32(b, dir + 8), offset = U32(b, dir + 12);
    SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(bits));
    ASSERT_LE(offset + bytes, b.size());
    // Each image: a 40-byte header of double height (colours over the mask),
    // the palette, the colour rows and the 1-bit mask rows.
    EXPECT_EQ(U32(b, offset), 40u);
    EXPECT_EQ(I32(b, offset + 4), static_cast<std::int32_t>(width));
    EXPECT_EQ(I32(b, offset + 8), static_cast<std::int32_t>(2 * height));
    EXPECT_EQ(U16(b, offset + 14), bits);
    const std::uint32_t palette = bits <= 8 ? 4u << bits : 0u;
    const std::uint32_t colourRows = (width * bits + 31) / 32 * 4 * height;
    const std::uint32_t maskRows = (width + 31) / 32 * 4 * height;
    EXPECT_EQ(bytes, 40 + palette + colourRows + maskRows);
    entries.push_back({width, height, bits});
  }
  EXPECT_EQ(entries, (std::vector<IconEntry>{{16, 16, 4},
                                             {32, 32, 4},
                                             {16, 16, 8},
                                             {32, 32, 8},
                                             {48, 48, 8},
                                             {64, 64, 8},
                                             {16, 16, 24},
                                             {32, 32, 24},
                                             {48, 48, 24}}));
}

}  // namespace
}  // namespace lumivane
