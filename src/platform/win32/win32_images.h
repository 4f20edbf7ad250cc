#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "render/ports.h"
#include "settings/earth_map.h"

namespace lumivane::win32 {

// A user's map picture: any bitmap file the system's loader accepts (every
// depth, RLE compression), read with LoadImageA once its headers have been
// found sound.
class Win32MapImageLoader final : public MapImageLoader {
 public:
  std::optional<Image> LoadImageFile(const std::string& path) override;
};

// The built-in pictures, from the program's bitmap resources.
class Win32BuiltinImages final : public BuiltinImageSource {
 public:
  explicit Win32BuiltinImages(HINSTANCE instance) : instance_(instance) {}
  Image Load(BuiltinImage image) override;

 private:
  HINSTANCE instance_;
};

// The program icon (IDI_APP_ICON): shared, never destroyed.
HICON LoadAppIcon(HINSTANCE instance);

}  // namespace lumivane::win32
