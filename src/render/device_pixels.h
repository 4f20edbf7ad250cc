#pragma once

#include <cstdint>

#include "render/compose_frame.h"

namespace lumivane {

// The frame for a window whose pixels on the screen are devicePixelRatio
// device pixels each (2 on a screen scaled to 200 %): its size and its
// markers in device pixels, each length rounded to the nearest pixel as
// window systems round a window's size. Ratios of 1 or less, and ratios that
// are not numbers, change nothing: the frame stays exactly as it was.
FrameOptions AtDevicePixelRatio(FrameOptions options, double devicePixelRatio);

// One length so scaled, as the frame's sizes are: windows sized with it get
// frames of exactly their size.
std::int32_t InDevicePixels(std::int32_t length, double devicePixelRatio);

}  // namespace lumivane
