#pragma once

#include <QImage>

#include "render/image.h"

namespace lumivane {

// Any QImage (every depth and palette QImage decodes) as our 0x00RRGGBB
// pixels; alpha is dropped, as the displays we draw on have none. An empty
// image when there is no memory for the conversion.
Image ImageFromQImage(const QImage& source);

// A Format_RGB32 copy of the image.
QImage QImageFromImage(const Image& source);

}  // namespace lumivane
