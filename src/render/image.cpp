#include "render/image.h"

#include <algorithm>

namespace lumivane {

Image::Image(std::int32_t width, std::int32_t height, Pixel fill)
    : Image(width, height, Unfilled{}) {
  std::fill(pixels_.begin(), pixels_.end(), fill);
}

Image::Image(std::int32_t width, std::int32_t height, Unfilled) {
  if (width <= 0 || height <= 0) return;
  width_ = width;
  height_ = height;
  pixels_.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
}

}  // namespace lumivane
