#include "embedded_builtin_images.h"

#include <cstdint>

#include "picture_files/palette_bitmap.h"

namespace lumivane {

Image EmbeddedBuiltinImageSource::Load(BuiltinImage image) {
  const std::string_view name = ResourceFileName(image);
  for (const EmbeddedFile& file : BuiltinImageFiles()) {
    if (file.name != name) continue;
    return DecodePaletteBitmap(
        std::span(reinterpret_cast<const std::uint8_t*>(file.bytes.data()), file.bytes.size()));
  }
  return Image();
}

}  // namespace lumivane
