#pragma once

#include <windows.h>

#include "render/image.h"

namespace lumivane::win32 {

// Our Image is a 32-bit top-down DIB: 0x00RRGGBB is the DIB's blue, green,
// red, unused byte order in memory.
BITMAPINFO TopDownBitmapInfo(std::int32_t width, std::int32_t height);

// The pixels of a bitmap of any kind (device-dependent or DIB section, any
// depth). Empty when it cannot be read or is too large to hold.
Image ImageFromBitmap(HBITMAP bitmap);

// Draws the whole image with its top-left corner at (0, 0) of the context.
void DrawImage(HDC dc, const Image& image);

}  // namespace lumivane::win32
