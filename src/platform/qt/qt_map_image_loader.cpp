#include "platform/qt/qt_map_image_loader.h"

#include <QImage>
#include <QImageReader>
#include <algorithm>
#include <cstdlib>
#include <limits>
#include <span>
#include <new>

#include "platform/qt/qt_image_convert.h"
#include "platform/qt/regular_file.h"
#include "picture_files/bmp_header.h"
#include "picture_files/picture_limits.h"

namespace lumivane {
namespace {

// Qt's own decode limit, in MB, is set above ours (64-bit pixels of a
// 16-bit PNG at kMaxMapPixels) so that only our pixel count decides.
constexpr int kQtAllocationLimitMegabytes = static_cast<int>(kMaxMapPixels * 8 / (1024 * 1024));

MapPictureRead Failed(MapLoadProblem problem, std::int64_t width = 0, std::int64_t height = 0) {
  return MapPictureRead{std::nullopt, MapLoadFailure{problem, width, height}};
}

bool SharesLayoutWithOurs(QImage::Format format) {
  // 0xAARRGGBB words; ours are the same with the top byte cleared.
  return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32;
}

bool WithinLimit(QSize size) { return std::int64_t{size.width()} * size.height() <= kMaxMapPixels; }

MapPictureRead TooLarge(QSize size) {
  return Failed(MapLoadProblem::TooLarge, size.width(), size.height());
}

// Any other format (palettes, grey, 16 bits a channel) into ours.
MapPictureRead Converted(const QImage& decoded) {
  if (!WithinLimit(decoded.size())) return TooLarge(decoded.size());
  Image image = ImageFromQImage(decoded);
  if (image.empty()) return Failed(MapLoadProblem::OutOfMemory);
  return MapPictureRead{std::move(image), {}};
}

// Straight into our pixels: the readers fill an image of the size and format
// they would choose in place.
MapPictureRead DecodeInPlace(QImageReader& reader, QSize size, QImage::Format format) {
  // Zeroed first: rows a truncated or run-length file skips stay black
  // instead of showing whatever the memory held.
  Image image(size.width(), size.height());
  QImage decoded(reinterpret_cast<uchar*>(image.row(0)), size.width(), size.height(),
                 static_cast<qsizetype>(size.width()) * 4, format);
  if (!reader.read(&decoded) || decoded.isNull()) return Failed(MapLoadProblem::NotAPicture);
  if (decoded.constBits() == reinterpret_cast<const uchar*>(image.row(0))) {
    image.ClearTopBytes();
    return MapPictureRead{std::move(image), {}};
  }
  // The reader made a picture of its own after all (a size or format other
  // than its header said).
  image = Image();
  return Converted(decoded);
}

// Palettes, grey and 16-bit channels: decoded in the reader's format, then
// converted a strip at a time.
MapPictureRead DecodeAndConvert(QImageReader& reader, QSize size, QImage::Format format) {
  QImage decoded(size, format);
  if (decoded.isNull()) return Failed(MapLoadProblem::OutOfMemory);
  decoded.fill(0);  // as above: nothing left to chance
  if (!reader.read(&decoded) || decoded.isNull()) return Failed(MapLoadProblem::NotAPicture);
  return Converted(decoded);
}

// Qt's bitmap reader refuses a header above its own limit without giving
// the size; the size is read here so the failure can say why.
std::optional<QSize> ClaimedBitmapSize(QIODevice& file) {
  if (!file.seek(0)) return std::nullopt;
  const QByteArray start = file.read(kBmpHeaderBytes);
  const BmpHeaderRead read =
      ReadBmpHeader(std::span(reinterpret_cast<const std::uint8_t*>(start.constData()),
                              static_cast<std::size_t>(start.size())),
                    static_cast<std::uint64_t>(file.size()));
  if (!read.header || read.header->width <= 0 || read.header->height == 0 ||
      read.header->rows() > std::numeric_limits<int>::max() ||
      read.header->width > std::numeric_limits<int>::max()) {
    return std::nullopt;
  }
  return QSize(static_cast<int>(read.header->width), static_cast<int>(read.header->rows()));
}

MapPictureRead Decode(QImageReader& reader) {
  // From the header alone.
  const QSize size = reader.size();
  if (!size.isValid() || size.isEmpty()) {
    const std::optional<QSize> claimed = ClaimedBitmapSize(*reader.device());
    if (claimed && !WithinLimit(*claimed)) return TooLarge(*claimed);
    return Failed(MapLoadProblem::NotAPicture);
  }
  if (!WithinLimit(size)) return TooLarge(size);
  const QImage::Format format = reader.imageFormat();
  if (format == QImage::Format_Invalid) return Failed(MapLoadProblem::NotAPicture);
  return SharesLayoutWithOurs(format) ? DecodeInPlace(reader, size, format)
                                      : DecodeAndConvert(reader, size, format);
}

}  // namespace

MapPictureRead ReadMapPicture(const std::string& path) {
  try {
    OpenedFile opened = OpenRegularFile(path);
    if (!opened.file) return Failed(opened.problem);
    QImageReader::setAllocationLimit(kQtAllocationLimitMegabytes);
    QImageReader reader(opened.file.get());
    return Decode(reader);
  } catch (const std::bad_alloc&) {
    return Failed(MapLoadProblem::OutOfMemory);
  }
}

std::optional<Image> QtMapImageLoader::LoadImageFile(const std::string& path) {
  MapPictureRead read = ReadMapPicture(path);
  if (!read.image && report_) report_(path, read.failure);
  return std::move(read.image);
}

}  // namespace lumivane
