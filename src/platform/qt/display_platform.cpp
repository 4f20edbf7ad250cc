#include "platform/qt/display_platform.h"

#include <QtGlobal>

namespace lumivane {

QByteArray PlatformToForce(const QByteArray& chosenPlatform, const QByteArray& display) {
  if (!chosenPlatform.isEmpty() || display.isEmpty()) return {};
  return QByteArrayLiteral("xcb");
}

void PreferX11Platform() {
  const QByteArray platform =
      PlatformToForce(qgetenv("QT_QPA_PLATFORM"), qgetenv("DISPLAY"));
  if (!platform.isEmpty()) qputenv("QT_QPA_PLATFORM", platform);
}

}  // namespace lumivane
