#pragma once

#include <functional>
#include <optional>
#include <string>

#include "render/image.h"
#include "settings/earth_map.h"
#include "picture_files/map_load_failure.h"

namespace lumivane {

struct MapPictureRead {
  std::optional<Image> image;  // absent on failure
  MapLoadFailure failure;      // why, when absent
};

// Decodes a map picture with Qt's image readers: Windows bitmaps of every
// depth (including RLE4/RLE8), PNG and JPEG, recognised by content rather
// than by the file's extension. Only regular files are opened; the size is
// read from the header first and a picture above kMaxMapPixels is refused
// before any pixel is decoded. The pixels are decoded once, straight into
// the returned image where the format allows; pixels a damaged file never
// describes are black, so a file always gives the same picture.
MapPictureRead ReadMapPicture(const std::string& path);

// The Earth map loader of the Linux program and the renderer.
class QtMapImageLoader final : public MapImageLoader {
 public:
  // Told the cause of each failed load (the map rules only learn that it
  // failed).
  using FailureReport = std::function<void(const std::string& path, const MapLoadFailure&)>;

  QtMapImageLoader() = default;
  explicit QtMapImageLoader(FailureReport report) : report_(std::move(report)) {}

  std::optional<Image> LoadImageFile(const std::string& path) override;

 private:
  FailureReport report_;
};

}  // namespace lumivane
