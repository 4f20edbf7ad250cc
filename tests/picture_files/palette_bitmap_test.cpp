#include "picture_files/palette_bitmap.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "picture_files/little_endian.h"

namespace lumivane {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Four colours: 0x112233, 0x445566, 0x778899, 0xAABBCC.
const Bytes kColourTable = {0x33, 0x22, 0x11, 0, 0x66, 0x55, 0x44, 0,
                            0x99, 0x88, 0x77, 0, 0xCC, 0xBB, 0xAA, 0};

// A file with a 40-byte info header, the four colours and these pixel bytes.
Bytes Bitmap(std::int32_t width, std::int32_t height, std::uint32_t bits, std::uint32_t compression,
             const Bytes& pixels) {
  Bytes file = {'B', 'M'};
  const std::uint32_t offset = 14 + 40 + static_cast<std::uint32_t>(kColourTable.size());
  AppendLittleEndian32(file, offset + static_cast<std::uint32_t>(pixels.size()));
  AppendLittleEndian32(file, 0);
  AppendLittleEndian32(file, offset);
  AppendLittleEndian32(file, 40);
  AppendLittleEndian32(file, static_cast<std::uint32_t>(width));
  AppendLittleEndian32(file, static_cast<std::uint32_t>(height));
  AppendLittleEndian16(file, 1);
  AppendLittleEndian16(file, bits);
  AppendLittleEndian32(file, compression);
  AppendLittleEndian32(file, compression ? static_cast<std::uint32_t>(pixels.size()) : 0);
  AppendLittleEndian32(file, 2835);
  AppendLittleEndian32(file, 2835);
  AppendLittleEndian32(file, bits == 1 ? 2 : 4);  // colours used
  AppendLittleEndian32(file, 0);
  file.insert(file.end(), kColourTable.begin(), kColourTable.end());
  file.insert(file.end(), pixels.begin(), pixels.end());
  return file;
}

std::vector<Pixel> PixelsOf(const Image& image) {
  return std::vector<Pixel>(image.pixels().begin(), image.pixels().end());
}

TEST(DecodePaletteBitmap, EveryDepthAndCompressionGivesTheColoursOfItsIndexes) {
  const struct {
    const char* what;
    Bytes file;
    std::int32_t width;
    std::vector<Pixel> want;  // rows top-down
  } cases[] = {
      {"1 bit, bottom-up rows padded to 4 bytes",
       Bitmap(3, 2, 1, 0, {0b10100000, 0, 0, 0, 0b01000000, 0, 0, 0}),
       3,
       {0x112233, 0x445566, 0x112233, 0x445566, 0x112233, 0x445566}},
      {"4 bits, top-down",
       Bitmap(3, -2, 4, 0, {0x01, 0x20, 0, 0, 0x33, 0x10, 0, 0}),
       3,
       {0x112233, 0x445566, 0x778899, 0xAABBCC, 0xAABBCC, 0x445566}},
      {"8 bits, an index past the colour table is black",
       Bitmap(2, 1, 8, 0, {3, 200, 0, 0}),
       2,
       {0xAABBCC, 0x000000}},
      {"RLE8: a run, a literal stretch of odd length, end of line, end of picture",
       Bitmap(4, 2, 8, 1, {2, 1, 0, 0, 0, 3, 2, 3, 1, 0, 0, 1}),
       4,
       // The first row in the file is the bottom one; the second never
       // written stays black.
       {0x778899, 0xAABBCC, 0x445566, 0x000000, 0x445566, 0x445566, 0x000000, 0x000000}},
      {"RLE8: a jump leaves black behind it",
       Bitmap(3, 2, 8, 1, {1, 1, 0, 2, 1, 1, 1, 2, 0, 1}),
       3,
       {0x000000, 0x000000, 0x778899, 0x445566, 0x000000, 0x000000}},
      {"RLE4: runs alternate two indexes, literal nibbles in order",
       Bitmap(6, 1, 4, 2, {3, 0x12, 0, 3, 0x30, 0x10, 0, 1}),
       6,
       {0x445566, 0x778899, 0x445566, 0xAABBCC, 0x112233, 0x445566}},
  };
  for (const auto& c : cases) {
    const Image image = DecodePaletteBitmap(c.file);
    EXPECT_EQ(image.width(), c.width) << c.what;
    EXPECT_EQ(PixelsOf(image), c.want) << c.what;
  }
}

TEST(DecodePaletteBitmap, OtherKindsAndDamagedFilesGiveNoPicture) {
  const Bytes truecolour = Bitmap(1, 1, 24, 0, {1, 2, 3, 0});
  Bytes cut = Bitmap(4, 4, 8, 0, Bytes(16, 1));
  cut.resize(cut.size() - 1);
  const Bytes notABitmap = {'G', 'I', 'F', '8', '9', 'a'};
  for (const Bytes& file : {truecolour, cut, notABitmap}) {
    EXPECT_TRUE(DecodePaletteBitmap(file).empty());
  }
}

}  // namespace
}  // namespace lumivane
