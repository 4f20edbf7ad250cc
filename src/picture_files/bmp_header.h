#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace lumivane {

// The most bytes of a file CheckBmpHeader looks at: the file header and the
// largest info header (BITMAPV5HEADER).
inline constexpr std::size_t kBmpHeaderBytes = 14 + 124;

// A bitmap file's headers as they stand, numbers unchecked.
struct BmpHeader {
  std::uint64_t pixelOffset = 0;  // where the pixels start in the file
  std::uint32_t infoSize = 0;     // 12, 40, 108 or 124
  std::int64_t width = 0;
  std::int64_t height = 0;  // negative: rows top-down
  std::uint32_t planes = 0;
  std::uint32_t bitsPerPixel = 0;
  std::uint32_t compression = 0;  // BI_RGB, BI_RLE8, BI_RLE4, BI_BITFIELDS ...
  std::uint64_t compressedBytes = 0;
  std::uint64_t paletteEntries = 0;  // 0: the whole range of a palette depth
  std::uint64_t paletteEntryBytes = 4;

  bool topDown() const { return height < 0; }
  std::int64_t rows() const { return topDown() ? -height : height; }
};

struct BmpHeaderRead {
  std::optional<BmpHeader> header;
  std::string_view reason;  // why there is none
};

// The one reader of a bitmap file's headers: "BM", a known info header and
// enough bytes for it. head holds the file's first bytes (at least
// min(fileSize, kBmpHeaderBytes) of them); fileSize is the whole file's.
BmpHeaderRead ReadBmpHeader(std::span<const std::uint8_t> head, std::uint64_t fileSize);

struct BmpHeaderVerdict {
  bool ok = false;
  std::string_view reason;  // why the file is refused; empty when ok
};

// Whether a Windows bitmap file's headers are sound and consistent with its
// size, so a loader that trusts them reads only bytes the file has: a known
// info header (core, 40-byte, V4, V5), a positive width, a non-zero height
// (negative: rows top-down), one plane, 1/4/8/16/24/32 bits per pixel, a
// compression that fits the depth, at most kMaxMapPixels pixels, and the
// colour table, the bit masks and the pixel bytes the headers imply all
// inside the file. head holds the file's first bytes (at least
// min(fileSize, kBmpHeaderBytes) of them); fileSize is the whole file's size
// in bytes.
BmpHeaderVerdict CheckBmpHeader(std::span<const std::uint8_t> head, std::uint64_t fileSize);

}  // namespace lumivane
