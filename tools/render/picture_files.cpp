#include "picture_files.h"

#include <cstdio>

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageWriter>
#include <QSaveFile>
#include <QString>

#include "platform/qt/qt_image_convert.h"

namespace lumivane {

namespace {

// PNG "quality" 0..100 maps to zlib levels 9..0; 80 is level 1, which
// encodes about twice as fast as the default for a file a third larger.
// (90 and above store uncompressed: ten times the size.)
constexpr int kPngQuality = 80;

QString FromLocal(const std::string& text) { return QString::fromLocal8Bit(text); }

// The PNG encoder takes packed 24-bit rows fastest; built straight from our
// pixels rather than through a 32-bit copy.
QImage PackedRgb(const Image& picture) {
  QImage image(picture.width(), picture.height(), QImage::Format_RGB888);
  if (image.isNull()) return image;
  for (std::int32_t y = 0; y < picture.height(); ++y) {
    const Pixel* row = picture.row(y);
    uchar* out = image.scanLine(y);
    for (std::int32_t x = 0; x < picture.width(); ++x) {
      out[3 * x] = static_cast<uchar>(RedOf(row[x]));
      out[3 * x + 1] = static_cast<uchar>(GreenOf(row[x]));
      out[3 * x + 2] = static_cast<uchar>(BlueOf(row[x]));
    }
  }
  return image;
}

bool Encode(const QImage& image, QIODevice& device, PictureFormat format, QString& error) {
  QImageWriter writer(&device, format == PictureFormat::Png ? "png" : "bmp");
  if (format == PictureFormat::Png) writer.setQuality(kPngQuality);
  if (writer.write(image)) return true;
  error = writer.errorString();
  return false;
}

}  // namespace

std::optional<std::string> WritePicture(const Image& picture, const std::string& output,
                                        PictureFormat format) {
  const QImage image = format == PictureFormat::Png ? PackedRgb(picture) : QImageFromImage(picture);
  QString error;
  if (output == "-") {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!Encode(image, buffer, format, error)) return error.toStdString();
    const auto size = static_cast<std::size_t>(bytes.size());
    if (std::fwrite(bytes.constData(), 1, size, stdout) != size || std::fflush(stdout) != 0) {
      return std::string("cannot write to standard output");
    }
    return std::nullopt;
  }
  // The picture goes to a temporary file that replaces the target only once
  // it is complete.
  QSaveFile file(FromLocal(output));
  if (!file.open(QIODevice::WriteOnly)) return file.errorString().toStdString();
  if (!Encode(image, file, format, error)) {
    file.cancelWriting();
    return error.toStdString();
  }
  if (!file.commit()) return file.errorString().toStdString();
  return std::nullopt;
}

}  // namespace lumivane
