#pragma once

#include <optional>
#include <string>

#include "render/image.h"
#include "render_options.h"
#include "settings/earth_map.h"

namespace lumivane {

struct PictureRead {
  std::optional<Image> image;  // absent when the file cannot be read
  std::string error;           // why, in a few words
};

// Decodes any picture QImage reads: BMP of every depth (RLE4/RLE8 too),
// PNG, JPEG. Large maps are allowed (up to 1 GB decoded).
PictureRead ReadPictureFile(const std::string& path);

// The Earth map loader the settings' map rules use.
class QtMapImageLoader final : public MapImageLoader {
 public:
  std::optional<Image> LoadImageFile(const std::string& path) override;
};

// Writes the picture to the file, or as PNG to standard output for "-".
// A file is written whole or not at all (a failed write leaves no partial
// file behind). Returns the problem, or nothing on success.
std::optional<std::string> WritePicture(const Image& picture, const std::string& output,
                                        PictureFormat format);

}  // namespace lumivane
