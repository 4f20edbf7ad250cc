#include "platform/qt/qt_builtin_images.h"

#include <QImage>
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
  static const bool registered = (RegisterBuiltinImageResources(), true);
  (void)registered;
}

QString ResourcePath(const char* fileName) {
  return QString::fromLatin1(kResourcePrefix) + QString::fromLatin1(fileName);
}

}  // namespace

Image QtBuiltinImageSource::Load(BuiltinImage image) {
  EnsureResourcesRegistered();
  return ImageFromQImage(QImage(ResourcePath(ResourceFileName(image))));
}

QIcon AppIcon() {
  EnsureResourcesRegistered();
  return QIcon(ResourcePath(kAppIconFileName));
}

}  // namespace lumivane
