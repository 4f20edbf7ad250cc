#include "platform/qt/qt_image_convert.h"

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
  // Our pixels are already in this layout: wrapped, then copied.
  const QImage wrapped(reinterpret_cast<const uchar*>(source.pixels().data()), source.width(),
                       source.height(), source.width() * 4, QImage::Format_RGB32);
  return wrapped.copy();
}

}  // namespace lumivane
