#pragma once

#include <cstdint>
#include <span>

#include "render/image.h"

namespace lumivane {

// Decodes a Windows bitmap with a colour table (1, 4 or 8 bits a pixel,
// uncompressed or run-length), the kind of file the program's built-in
// pictures are, without any image library. Pixels the runs never reach and
// indexes past the colour table are black. Any other kind of file, or one
// CheckBmpHeader refuses, gives an empty image.
Image DecodePaletteBitmap(std::span<const std::uint8_t> file);

}  // namespace lumivane
