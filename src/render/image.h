#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <vector>

namespace lumivane {

// One pixel as the displays take it directly: 0x00RRGGBB (a 32-bit top-down
// DIB, QImage::Format_RGB32). The top byte is always written as 0.
using Pixel = std::uint32_t;

constexpr Pixel MakePixel(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
  return (red & 0xFFu) << 16 | (green & 0xFFu) << 8 | (blue & 0xFFu);
}
constexpr std::uint32_t RedOf(Pixel p) { return (p >> 16) & 0xFFu; }
constexpr std::uint32_t GreenOf(Pixel p) { return (p >> 8) & 0xFFu; }
constexpr std::uint32_t BlueOf(Pixel p) { return p & 0xFFu; }

// W x H pixels, rows top-down. A size of 0 or less in either direction gives
// an empty image.
class Image {
 public:
  Image() = default;
  Image(std::int32_t width, std::int32_t height, Pixel fill = 0);
  // Pixels left as fresh memory has them, for a caller that writes every
  // one: filling a frame first costs as much as resampling into it.
  struct Unfilled {};
  Image(std::int32_t width, std::int32_t height, Unfilled);

  std::int32_t width() const { return width_; }
  std::int32_t height() const { return height_; }
  bool empty() const { return pixels_.empty(); }

  Pixel* row(std::int32_t y) { return pixels_.data() + Offset(0, y); }
  const Pixel* row(std::int32_t y) const { return pixels_.data() + Offset(0, y); }
  Pixel& at(std::int32_t x, std::int32_t y) { return pixels_[Offset(x, y)]; }
  Pixel at(std::int32_t x, std::int32_t y) const { return pixels_[Offset(x, y)]; }

  // A vector whose resize leaves new pixels unwritten.
  struct PixelAllocator : std::allocator<Pixel> {
    template <typename U>
    struct rebind {
      using other = PixelAllocator;
    };
    void construct(Pixel* at) { ::new (static_cast<void*>(at)) Pixel; }
    void construct(Pixel* at, Pixel value) { ::new (static_cast<void*>(at)) Pixel(value); }
  };
  using Pixels = std::vector<Pixel, PixelAllocator>;
  const Pixels& pixels() const { return pixels_; }
  // Decoders may leave the top byte set; every pixel of ours has it clear.
  void ClearTopBytes() {
    for (Pixel& pixel : pixels_) pixel &= 0x00FFFFFFu;
  }

  friend bool operator==(const Image&, const Image&) = default;

 private:
  std::size_t Offset(std::int32_t x, std::int32_t y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
           static_cast<std::size_t>(x);
  }

  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
  Pixels pixels_;
};

}  // namespace lumivane
