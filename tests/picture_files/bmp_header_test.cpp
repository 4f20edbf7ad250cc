#include "picture_files/bmp_header.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "picture_files/little_endian.h"

namespace lumivane {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A bitmap file as its headers describe it; the pixel bytes themselves are
// never looked at, only counted in the file's size.
struct BitmapFile {
  std::uint32_t infoSize = 40;
  std::int32_t width = 4;
  std::int32_t height = 2;
  std::uint32_t planes = 1;
  std::uint32_t bitsPerPixel = 32;
  std::uint32_t compression = 0;
  std::uint32_t coloursUsed = 0;
  std::uint32_t compressedBytes = 0;        // also the size the header gives
  std::optional<std::uint64_t> pixelBytes;  // what the file holds; default: all rows
  std::int64_t offsetShift = 0;             // of the pixel offset, from where the pixels are
  std::uint64_t cut = 0;                    // bytes missing at the end of the file
};

struct Built {
  Bytes head;
  std::uint64_t fileSize = 0;
};

Built Build(const BitmapFile& f) {
  const bool core = f.infoSize == 12;
  Bytes info;
  AppendLittleEndian32(info, f.infoSize);
  if (core) {
    AppendLittleEndian16(info, static_cast<std::uint32_t>(f.width));
    AppendLittleEndian16(info, static_cast<std::uint32_t>(f.height));
    AppendLittleEndian16(info, f.planes);
    AppendLittleEndian16(info, f.bitsPerPixel);
  } else {
    AppendLittleEndian32(info, static_cast<std::uint32_t>(f.width));
    AppendLittleEndian32(info, static_cast<std::uint32_t>(f.height));
    AppendLittleEndian16(info, f.planes);
    AppendLittleEndian16(info, f.bitsPerPixel);
    AppendLittleEndian32(info, f.compression);
    AppendLittleEndian32(info, f.compressedBytes);
    AppendLittleEndian32(info, 2835);
    AppendLittleEndian32(info, 2835);
    AppendLittleEndian32(info, f.coloursUsed);
    AppendLittleEndian32(info, 0);
    info.resize(f.infoSize, 0);
  }
  if (f.compression == 3 && f.infoSize == 40) {
    for (std::uint32_t mask : {0x00FF0000u, 0x0000FF00u, 0x000000FFu})
      AppendLittleEndian32(info, mask);
  }
  std::uint64_t colours = f.coloursUsed;
  if (colours == 0 && f.bitsPerPixel <= 8) colours = std::uint64_t{1} << f.bitsPerPixel;
  const std::uint64_t paletteBytes = colours * (core ? 3 : 4);
  const std::uint64_t rowBytes =
      (std::uint64_t{static_cast<std::uint32_t>(f.width)} * f.bitsPerPixel + 31) / 32 * 4;
  const std::int64_t rows = f.height < 0 ? -std::int64_t{f.height} : f.height;
  const std::uint64_t pixels = f.pixelBytes.value_or(
      f.compression == 1 || f.compression == 2 ? f.compressedBytes
                                               : rowBytes * static_cast<std::uint64_t>(rows));

  const std::uint64_t offset = 14 + info.size() + paletteBytes;
  Built built;
  built.fileSize = offset + pixels - f.cut;
  Bytes& head = built.head;
  head = {'B', 'M'};
  AppendLittleEndian32(head, static_cast<std::uint32_t>(built.fileSize));
  AppendLittleEndian32(head, 0);
  AppendLittleEndian32(
      head, static_cast<std::uint32_t>(static_cast<std::int64_t>(offset) + f.offsetShift));
  head.insert(head.end(), info.begin(), info.end());
  // What a reader gets of the file's start.
  head.resize(std::min<std::uint64_t>(std::min<std::uint64_t>(head.size(), built.fileSize),
                                      kBmpHeaderBytes));
  return built;
}

struct Case {
  const char* what;
  void (*change)(BitmapFile&);
  const char* refusal;  // nullptr: accepted
};

const Case kCases[] = {
    // Sound files of every kind the check knows.
    {"32 bits, bottom-up", [](BitmapFile&) {}, nullptr},
    {"top-down rows", [](BitmapFile& f) { f.height = -2; }, nullptr},
    {"24 bits, padded rows", [](BitmapFile& f) { f.bitsPerPixel = 24, f.width = 5; }, nullptr},
    {"1 bit, two colours", [](BitmapFile& f) { f.bitsPerPixel = 1, f.coloursUsed = 2; }, nullptr},
    {"4 bits, whole table", [](BitmapFile& f) { f.bitsPerPixel = 4; }, nullptr},
    {"16 bits, bit fields", [](BitmapFile& f) { f.bitsPerPixel = 16, f.compression = 3; }, nullptr},
    {"V4 header", [](BitmapFile& f) { f.infoSize = 108, f.compression = 3; }, nullptr},
    {"V5 header", [](BitmapFile& f) { f.infoSize = 124; }, nullptr},
    {"core header, 8 bits", [](BitmapFile& f) { f.infoSize = 12, f.bitsPerPixel = 8; }, nullptr},
    {"RLE8", [](BitmapFile& f) { f.bitsPerPixel = 8, f.compression = 1, f.compressedBytes = 9; },
     nullptr},
    {"RLE4", [](BitmapFile& f) { f.bitsPerPixel = 4, f.compression = 2, f.compressedBytes = 9; },
     nullptr},
    {"bytes after the pixels", [](BitmapFile& f) { f.pixelBytes = 1000; }, nullptr},
    {"2^28 pixels", [](BitmapFile& f) { f.width = 1 << 14, f.height = 1 << 14; }, nullptr},
    // Hostile ones.
    {"10 bytes", [](BitmapFile& f) { f.pixelBytes = 0, f.cut = 44; }, "too short"},
    {"64-byte header", [](BitmapFile& f) { f.infoSize = 64; }, "unknown kind of info header"},
    {"V5 header cut", [](BitmapFile& f) { f.infoSize = 124, f.pixelBytes = 0, f.cut = 80; },
     "headers cut short"},
    {"width 0", [](BitmapFile& f) { f.width = 0; }, "not positive"},
    {"width negative", [](BitmapFile& f) { f.width = -4, f.pixelBytes = 32; }, "not positive"},
    {"height 0", [](BitmapFile& f) { f.height = 0; }, "not positive"},
    {"two planes", [](BitmapFile& f) { f.planes = 2; }, "plane count"},
    {"2 bits", [](BitmapFile& f) { f.bitsPerPixel = 2; }, "unknown bit depth"},
    {"64 bits", [](BitmapFile& f) { f.bitsPerPixel = 64; }, "unknown bit depth"},
    {"RLE8 at 4 bits", [](BitmapFile& f) { f.bitsPerPixel = 4, f.compression = 1; },
     "does not fit"},
    {"RLE4 at 8 bits", [](BitmapFile& f) { f.bitsPerPixel = 8, f.compression = 2; },
     "does not fit"},
    {"RLE8 at 32 bits", [](BitmapFile& f) { f.compression = 1; }, "does not fit"},
    {"bit fields at 24 bits", [](BitmapFile& f) { f.bitsPerPixel = 24, f.compression = 3; },
     "does not fit"},
    {"JPEG inside", [](BitmapFile& f) { f.compression = 4; }, "does not fit"},
    {"RLE8 top-down",
     [](BitmapFile& f) {
       f.bitsPerPixel = 8, f.compression = 1, f.compressedBytes = 9, f.height = -2;
     },
     "cannot be top-down"},
    {"2^28 + 1 pixels", [](BitmapFile& f) { f.width = (1 << 14) + 1, f.height = 1 << 14; },
     "more pixels"},
    {"height -2^31", [](BitmapFile& f) { f.height = INT32_MIN, f.pixelBytes = 0; }, "more pixels"},
    {"8 bits, 257 colours", [](BitmapFile& f) { f.bitsPerPixel = 8, f.coloursUsed = 257; },
     "colour table larger"},
    {"colour table cut", [](BitmapFile& f) { f.bitsPerPixel = 8, f.pixelBytes = 0, f.cut = 100; },
     "colour table runs past"},
    {"2^30 colours at 24 bits, none there",
     [](BitmapFile& f) { f.bitsPerPixel = 24, f.coloursUsed = 1 << 30, f.cut = 1ull << 32; },
     "colour table runs past"},
    {"pixels inside the header", [](BitmapFile& f) { f.offsetShift = -20; }, "inside the headers"},
    {"pixels over the masks",
     [](BitmapFile& f) { f.bitsPerPixel = 16, f.compression = 3, f.offsetShift = -12; },
     "inside the headers"},
    {"65535 wide, short file", [](BitmapFile& f) { f.width = 65535, f.pixelBytes = 64; },
     "pixels run past"},
    {"offset past the end", [](BitmapFile& f) { f.offsetShift = 1000, f.pixelBytes = 900; },
     "pixels run past"},
    {"last row's padding missing",
     [](BitmapFile& f) { f.bitsPerPixel = 1, f.width = 33, f.cut = 1; }, "pixels run past"},
    {"RLE8 of no size", [](BitmapFile& f) { f.bitsPerPixel = 8, f.compression = 1; }, "of no size"},
    {"RLE8 longer than the file",
     [](BitmapFile& f) {
       f.bitsPerPixel = 8, f.compression = 1, f.compressedBytes = 5000, f.pixelBytes = 100;
     },
     "pixels run past"},
};

TEST(CheckBmpHeader, AcceptsSoundHeadersAndRefusesEachInconsistency) {
  for (const Case& c : kCases) {
    BitmapFile file;
    c.change(file);
    const Built built = Build(file);
    const BmpHeaderVerdict verdict = CheckBmpHeader(built.head, built.fileSize);
    if (c.refusal == nullptr) {
      EXPECT_TRUE(verdict.ok) << c.what << ": " << verdict.reason;
    } else {
      EXPECT_FALSE(verdict.ok) << c.what;
      EXPECT_NE(verdict.reason.find(c.refusal), std::string_view::npos)
          << c.what << ": " << verdict.reason;
    }
  }
}

TEST(CheckBmpHeader, RefusesAFileThatIsNotABitmap) {
  const Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0,
                     0,    13,  'I', 'H', 'D',  'R',  0,    0,    1, 0};
  EXPECT_EQ(CheckBmpHeader(png, png.size()).reason, "not a Windows bitmap");
}

TEST(CheckBmpHeader, AcceptsTheBuiltInPictures) {
  for (const char* name : {"earth_map.bmp", "sun_image.bmp", "sun_mask.bmp", "moon_mask.bmp"}) {
    std::ifstream in(std::string(LUMIVANE_RES_DIR) + "/" + name, std::ios::binary);
    const Bytes bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ASSERT_GT(bytes.size(), kBmpHeaderBytes) << name;
    const Bytes head(bytes.begin(), bytes.begin() + kBmpHeaderBytes);
    const BmpHeaderVerdict verdict = CheckBmpHeader(head, bytes.size());
    EXPECT_TRUE(verdict.ok) << name << ": " << verdict.reason;
    // One byte less and the pixels no longer fit.
    EXPECT_FALSE(CheckBmpHeader(head, bytes.size() - 1).ok) << name;
  }
}

}  // namespace
}  // namespace lumivane
