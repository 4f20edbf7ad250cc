// Any bytes as a map file, through the loader the programs use.
#include <QByteArray>
#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

#include "platform/qt/qt_map_image_loader.h"

namespace {

// Pictures claiming more pixels than this are only checked for their size:
// zeroing a gigabyte for each such input would leave no time for the
// decoders. The limit itself has its own tests.
constexpr std::int64_t kLargestDecodedPixels = std::int64_t{1} << 22;

QTemporaryDir* folder = nullptr;

bool ClaimsManyPixels(const QByteArray& bytes) {
  QBuffer buffer;
  buffer.setData(bytes);
  buffer.open(QIODevice::ReadOnly);
  const QSize size = QImageReader(&buffer).size();
  return std::int64_t{size.width()} * size.height() > kLargestDecodedPixels;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  folder = new QTemporaryDir();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  if (ClaimsManyPixels(bytes)) return -1;  // kept out of the corpus
  const QString path = folder->filePath(QStringLiteral("map"));
  {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) std::abort();
  }
  const lumivane::MapPictureRead read = lumivane::ReadMapPicture(path.toStdString());
  if (read.image) {
    // Every pixel of the result is ours: the top byte is always clear.
    for (const lumivane::Pixel pixel : read.image->pixels()) {
      if (pixel >> 24 != 0) std::abort();
    }
  }
  // The same file gives the same picture (or the same failure) every time:
  // no pixel comes from memory the decoder never wrote.
  const lumivane::MapPictureRead again = lumivane::ReadMapPicture(path.toStdString());
  if (again.image != read.image || again.failure.problem != read.failure.problem) std::abort();
  return 0;
}
