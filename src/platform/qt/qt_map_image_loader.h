#pragma once

#include "settings/earth_map.h"

namespace lumivane {

// Decodes a map picture with QImage: Windows bitmaps of every depth
// (including RLE4/RLE8), PNG and JPEG, recognised by content rather than by
// the file's extension.
class QtMapImageLoader final : public MapImageLoader {
 public:
  std::optional<Image> LoadImageFile(const std::string& path) override;
};

}  // namespace lumivane
