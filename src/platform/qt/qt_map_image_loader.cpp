#include "platform/qt/qt_map_image_loader.h"

#include <QImage>
#include <QImageReader>
#include <QString>

#include "platform/qt/qt_image_convert.h"

namespace lumivane {

std::optional<Image> QtMapImageLoader::LoadImageFile(const std::string& path) {
  if (path.empty()) return std::nullopt;
  QImageReader reader(QString::fromStdString(path));
  // A file named .bmp that holds a PNG (or the other way round) still loads.
  reader.setDecideFormatFromContent(true);
  QImage image;
  if (!reader.read(&image) || image.isNull()) return std::nullopt;
  return ImageFromQImage(image);
}

}  // namespace lumivane
