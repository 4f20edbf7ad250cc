#include "platform/qt/qt_builtin_images.h"

#include <QImage>
#include <QImageReader>
#include <QPixmap>
#include <QString>

#include "platform/qt/qt_image_convert.h"

// Resources compiled into a static library are only linked in, and
// registered, when something calls their initialiser; the macro has to be
// used outside any namespace.
static void RegisterBuiltinImageResources() { Q_INIT_RESOURCE(lumivane); }

namespace lumivane {
namespace {

constexpr char kResourcePrefix[] = ":/lumivane/";
constexpr char kAppIconFileName[] = "lumivane.ico";

void EnsureResourcesRegistered() {
  [[maybe_unused]] static const bool registered = (RegisterBuiltinImageResources(), true);
}

QString ResourcePath(const char* fileName) {
  return QString::fromLatin1(kResourcePrefix) + QString::fromLatin1(fileName);
}

bool HasTransparentPixels(const QImage& picture) {
  if (!picture.hasAlphaChannel()) return false;
  const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < argb.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
    for (int x = 0; x < argb.width(); ++x) {
      if (qAlpha(row[x]) < 255) return true;
    }
  }
  return false;
}

}  // namespace

Image QtBuiltinImageSource::Load(BuiltinImage image) {
  EnsureResourcesRegistered();
  return ImageFromQImage(QImage(ResourcePath(ResourceFileName(image))));
}

QIcon AppIcon() {
  EnsureResourcesRegistered();
  // Qt decodes an icon's 24-bit pictures without their transparency mask,
  // which would give them black corners; the paletted pictures of every
  // size keep it, and they are enough.
  QIcon icon;
  QImageReader reader(ResourcePath(kAppIconFileName));
  do {
    const QImage picture = reader.read();
    if (HasTransparentPixels(picture)) icon.addPixmap(QPixmap::fromImage(picture));
  } while (reader.jumpToNextImage());
  return icon;
}

}  // namespace lumivane
