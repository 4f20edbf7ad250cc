#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace lumivane {

// The most bytes of a file CheckBmpHeader looks at: the file header and the
// largest info header (BITMAPV5HEADER).
inline constexpr std::size_t kBmpHeaderBytes = 14 + 124;

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
