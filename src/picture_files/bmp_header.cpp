#include "picture_files/bmp_header.h"

#include "picture_files/picture_limits.h"

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

BmpHeaderRead ReadBmpHeader(std::span<const std::uint8_t> head, std::uint64_t fileSize) {
  const auto refuse = [](std::string_view reason) { return BmpHeaderRead{std::nullopt, reason}; };
  if (fileSize < kFileHeaderBytes + 4 || head.size() < kFileHeaderBytes + 4) {
    return refuse("too short for a bitmap's headers");
  }
  if (head[0] != 'B' || head[1] != 'M') return refuse("not a Windows bitmap");
  BmpHeader header;
  header.pixelOffset = U32(head, 10);
  header.infoSize = U32(head, 14);
  if (header.infoSize != kCoreHeaderBytes && header.infoSize != kInfoHeaderBytes &&
      header.infoSize != kV4HeaderBytes && header.infoSize != kV5HeaderBytes) {
    return refuse("unknown kind of info header");
  }
  if (fileSize < kFileHeaderBytes + header.infoSize ||
      head.size() < kFileHeaderBytes + header.infoSize) {
    return refuse("headers cut short");
  }
  constexpr std::size_t info = kFileHeaderBytes;
  if (header.infoSize == kCoreHeaderBytes) {
    header.width = U16(head, info + 4);
    header.height = U16(head, info + 6);
    header.planes = U16(head, info + 8);
    header.bitsPerPixel = U16(head, info + 10);
    header.paletteEntryBytes = 3;
  } else {
    header.width = I32(head, info + 4);
    header.height = I32(head, info + 8);
    header.planes = U16(head, info + 12);
    header.bitsPerPixel = U16(head, info + 14);
    header.compression = U32(head, info + 16);
    header.compressedBytes = U32(head, info + 20);
    header.paletteEntries = U32(head, info + 32);
  }
  return {header, {}};
}

namespace {

// The colour table, the masks and the pixels the headers imply, all inside
// the file.
BmpHeaderVerdict CheckLayout(const BmpHeader& header, std::uint64_t fileSize) {
  std::uint64_t paletteEntries = header.paletteEntries;
  if (header.bitsPerPixel <= 8) {
    const std::uint64_t depthColours = std::uint64_t{1} << header.bitsPerPixel;
    if (paletteEntries > depthColours) return Refuse("colour table larger than the bit depth");
    if (paletteEntries == 0) paletteEntries = depthColours;
  }
  const std::uint64_t maskBytes =
      header.compression == kBitFields && header.infoSize == kInfoHeaderBytes ? kMaskBytes : 0;
  const std::uint64_t headersEnd = kFileHeaderBytes + header.infoSize + maskBytes;
  if (headersEnd + paletteEntries * header.paletteEntryBytes > fileSize) {
    return Refuse("colour table runs past the end of the file");
  }
  if (header.pixelOffset < headersEnd) return Refuse("pixels start inside the headers");

  // Uncompressed rows are padded to whole 32-bit words.
  const bool runLength = header.compression == kRunLength8 || header.compression == kRunLength4;
  const std::uint64_t stride =
      (static_cast<std::uint64_t>(header.width) * header.bitsPerPixel + 31) / 32 * 4;
  const std::uint64_t pixelBytes =
      runLength ? header.compressedBytes : stride * static_cast<std::uint64_t>(header.rows());
  // Run-length data has no size of its own; the loader stops at the size
  // the header gives.
  if (runLength && header.compressedBytes == 0) return Refuse("compressed pixels of no size");
  if (header.pixelOffset > fileSize || pixelBytes > fileSize - header.pixelOffset) {
    return Refuse("pixels run past the end of the file");
  }
  return {true, {}};
}

}  // namespace

BmpHeaderVerdict CheckBmpHeader(std::span<const std::uint8_t> head, std::uint64_t fileSize) {
  const BmpHeaderRead read = ReadBmpHeader(head, fileSize);
  if (!read.header) return Refuse(read.reason);
  const BmpHeader& header = *read.header;
  if (header.width <= 0 || header.height == 0) return Refuse("width or height is not positive");
  if (header.planes != 1) return Refuse("plane count is not 1");
  const std::uint32_t bits = header.bitsPerPixel;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
    return Refuse("unknown bit depth");
  }
  if (!CompressionFitsDepth(header.compression, bits)) {
    return Refuse("compression does not fit the bit depth");
  }
  const bool runLength = header.compression == kRunLength8 || header.compression == kRunLength4;
  if (runLength && header.topDown()) return Refuse("compressed rows cannot be top-down");
  if (header.width * header.rows() > kMaxMapPixels) {
    return Refuse("more pixels than a map may have");
  }
  return CheckLayout(header, fileSize);
}

}  // namespace lumivane
