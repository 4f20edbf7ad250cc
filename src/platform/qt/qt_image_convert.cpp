#include "platform/qt/qt_image_convert.h"

#include <cstring>

namespace lumivane {

Image ImageFromQImage(const QImage& source) {
  if (source.isNull()) return Image();
  const QImage rgb = source.convertToFormat(QImage::Format_RGB32);
  Image image(rgb.width(), rgb.height());
  for (std::int32_t y = 0; y < image.height(); ++y) {
    const auto* line = reinterpret_cast<const Pixel*>(rgb.constScanLine(y));
    Pixel* row = image.row(y);
    for (std::int32_t x = 0; x < image.width(); ++x) row[x] = line[x] & 0x00FFFFFFu;
  }
  return image;
}

QImage QImageFromImage(const Image& source) {
  QImage result(source.width(), source.height(), QImage::Format_RGB32);
  if (result.isNull()) return result;
  const auto rowBytes = static_cast<std::size_t>(source.width()) * sizeof(Pixel);
  for (std::int32_t y = 0; y < source.height(); ++y) {
    std::memcpy(result.scanLine(y), source.row(y), rowBytes);
  }
  return result;
}

}  // namespace lumivane
