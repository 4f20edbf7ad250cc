#pragma once

#include <span>

#include "places/embedded_files.h"
#include "render/ports.h"

namespace lumivane {

// The built-in pictures of res/, built into the renderer (lumivane_image_data).
std::span<const EmbeddedFile> BuiltinImageFiles();

// The built-in pictures from the files built into the program, decoded
// without an image library, pixel for pixel as QImage decodes them. A
// picture that cannot be found or decoded comes back empty.
class EmbeddedBuiltinImageSource final : public BuiltinImageSource {
 public:
  Image Load(BuiltinImage image) override;
};

}  // namespace lumivane
