#include "render/bmp_header_check.h"

#include "render/picture_limits.h"

namespace lumivane {

namespace {

constexpr std::uint64_t kFileHeaderBytes = 14;
constexpr std::uint32_t kCoreHeaderBytes = 12;
constexpr std::uint32_t kInfoHeaderBytes = 40;
constexpr std::uint32_t kV4HeaderBytes = 108;
constexpr std::uint32_t kV5HeaderBytes = 124;
// The three colour masks that follow a 40-byte header when compressed as
// bit fields; the later headers hold them inside.
constexpr std::uint64_t kMaskBytes = 12;

// The info headers' compression codes.
constexpr std::uint32_t kUncompressed = 0;  // BI_RGB
constexpr std::uint32_t kRunLength8 = 1;    // BI_RLE8
constexpr std::uint32_t kRunLength4 = 2;    // BI_RLE4
constexpr std::uint32_t kBitFields = 3;     // BI_BITFIELDS

// The file's numbers are little-endian.
std::uint32_t U16(std::span<const std::uint8_t> bytes, std::size_t at) {
  return std::uint32_t{bytes[at]} | std::uint32_t{bytes[at + 1]} << 8;
}
std::uint32_t U32(std::span<const std::uint8_t> bytes, std::size_t at) {
  return U16(bytes, at) | U16(bytes, at + 2) << 16;
}
std::int32_t I32(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::int32_t>(U32(bytes, at));
}

bool CompressionFitsDepth(std::uint32_t compression, std::uint32_t bitsPerPixel) {
  switch (compression) {
    case kUncompressed: return true;
    case kRunLength8: return bitsPerPixel == 8;
    case kRunLength4: return bitsPerPixel == 4;
    case kBitFields: return bitsPerPixel == 16 || bitsPerPixel == 32;
    default: return false;
  }
}

constexpr BmpHeaderVerdict Refuse(std::string_view reason) { return {false, reason}; }

}  // namespace

BmpHeaderVerdict CheckBmpHeader(std::span<const std::uint8_t> head, std::uint64_t fileSize) {
  if (fileSize < kFileHeaderBytes + 4 || head.size() < kFileHeaderBytes + 4) {
    return Refuse("too short for a bitmap's headers");
  }
  if (head[0] != 'B' || head[1] != 'M') return Refuse("not a Windows bitmap");
  const std::uint64_t pixelOffset = U32(head, 10);
  const std::uint32_t infoSize = U32(head, 14);
  if (infoSize != kCoreHeaderBytes && infoSize != kInfoHeaderBytes &&
      infoSize != kV4HeaderBytes && infoSize != kV5HeaderBytes) {
    return Refuse("unknown kind of info header");
  }
  if (fileSize < kFileHeaderBytes + infoSize || head.size() < kFileHeaderBytes + infoSize) {
    return Refuse("headers cut short");
  }

  constexpr std::size_t info = kFileHeaderBytes;
  std::int64_t width = 0;
  std::int64_t height = 0;
  std::uint32_t planes = 0;
  std::uint32_t bitsPerPixel = 0;
  std::uint32_t compression = kUncompressed;
  std::uint64_t compressedBytes = 0;
  std::uint64_t paletteEntries = 0;  // 0: the whole range of a palette depth
  std::uint64_t paletteEntryBytes = 4;
  if (infoSize == kCoreHeaderBytes) {
    width = U16(head, info + 4);
    height = U16(head, info + 6);
    planes = U16(head, info + 8);
    bitsPerPixel = U16(head, info + 10);
    paletteEntryBytes = 3;
  } else {
    width = I32(head, info + 4);
    height = I32(head, info + 8);
    planes = U16(head, info + 12);
    bitsPerPixel = U16(head, info + 14);
    compression = U32(head, info + 16);
    compressedBytes = U32(head, info + 20);
    paletteEntries = U32(head, info + 32);
  }

  if (width <= 0 || height == 0) return Refuse("width or height is not positive");
  const bool topDown = height < 0;
  const std::int64_t rows = topDown ? -height : height;
  if (planes != 1) return Refuse("plane count is not 1");
  if (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8 && bitsPerPixel != 16 &&
      bitsPerPixel != 24 && bitsPerPixel != 32) {
    return Refuse("unknown bit depth");
  }
  if (!CompressionFitsDepth(compression, bitsPerPixel)) {
    return Refuse("compression does not fit the bit depth");
  }
  const bool runLength = compression == kRunLength8 || compression == kRunLength4;
  if (runLength && topDown) return Refuse("compressed rows cannot be top-down");
  if (width * rows > kMaxMapPixels) return Refuse("more pixels than a map may have");

  if (bitsPerPixel <= 8) {
    const std::uint64_t depthColours = std::uint64_t{1} << bitsPerPixel;
    if (paletteEntries > depthColours) return Refuse("colour table larger than the bit depth");
    if (paletteEntries == 0) paletteEntries = depthColours;
  }
  const std::uint64_t maskBytes =
      compression == kBitFields && infoSize == kInfoHeaderBytes ? kMaskBytes : 0;
  const std::uint64_t headersEnd = kFileHeaderBytes + infoSize + maskBytes;
  if (headersEnd + paletteEntries * paletteEntryBytes > fileSize) {
    return Refuse("colour table runs past the end of the file");
  }
  if (pixelOffset < headersEnd) return Refuse("pixels start inside the headers");

  // Uncompressed rows are padded to whole 32-bit words.
  const std::uint64_t stride = (static_cast<std::uint64_t>(width) * bitsPerPixel + 31) / 32 * 4;
  const std::uint64_t pixelBytes =
      runLength ? compressedBytes : stride * static_cast<std::uint64_t>(rows);
  // Run-length data has no size of its own; the loader stops at the size
  // the header gives.
  if (runLength && compressedBytes == 0) return Refuse("compressed pixels of no size");
  if (pixelOffset > fileSize || pixelBytes > fileSize - pixelOffset) {
    return Refuse("pixels run past the end of the file");
  }
  return {true, {}};
}

}  // namespace lumivane
