#pragma once

#include <QIcon>

#include "render/ports.h"

namespace lumivane {

// The built-in pictures from the files embedded in the program, decoded with
// QImage. A picture that cannot be found or decoded comes back empty.
class QtBuiltinImageSource final : public BuiltinImageSource {
 public:
  Image Load(BuiltinImage image) override;
};

// The program icon (all its sizes and depths) from the embedded .ico file.
// Needs a QGuiApplication, as every QIcon that is drawn does.
QIcon AppIcon();

}  // namespace lumivane
