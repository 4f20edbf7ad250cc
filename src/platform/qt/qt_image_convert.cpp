#include "platform/qt/qt_image_convert.h"

#include <algorithm>

namespace lumivane {
namespace {

constexpr int kConversionStripRows = 64;

}  // namespace

Image ImageFromQImage(const QImage& source) {
  if (source.isNull()) return Image();
  Image image(source.width(), source.height());
  const int width = image.width();
  // A few rows at a time, never a whole converted copy beside ours.
  for (int top = 0; top < image.height(); top += kConversionStripRows) {
    const int rows = std::min(kConversionStripRows, image.height() - top);
    const QImage strip = source.copy(0, top, width, rows).convertToFormat(QImage::Format_RGB32);
    if (strip.isNull()) return Image();
    for (int y = 0; y < rows; ++y) {
      const auto* line = reinterpret_cast<const Pixel*>(strip.constScanLine(y));
      std::copy(line, line + width, image.row(top + y));
    }
  }
  image.ClearTopBytes();
  return image;
}

QImage QImageFromImage(const Image& source) {
  // Our pixels are already in this layout: wrapped, then copied.
  const QImage wrapped(reinterpret_cast<const uchar*>(source.pixels().data()), source.width(),
                       source.height(), source.width() * 4, QImage::Format_RGB32);
  return wrapped.copy();
}

}  // namespace lumivane
