#include "platform/win32/gdi_image.h"

#include <cstdint>
#include <new>

#include "platform/win32/win32_handles.h"
#include "picture_files/picture_limits.h"

namespace lumivane::win32 {

BITMAPINFO TopDownBitmapInfo(std::int32_t width, std::int32_t height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // negative: rows top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

Image ImageFromBitmap(HBITMAP bitmap) {
  BITMAP header{};
  if (bitmap == nullptr || GetObjectA(bitmap, sizeof header, &header) == 0) return {};
  const std::int64_t pixelCount = std::int64_t{header.bmWidth} * header.bmHeight;
  if (header.bmWidth <= 0 || header.bmHeight <= 0 || pixelCount > kMaxMapPixels) {
    return {};
  }
  try {
    Image image(header.bmWidth, header.bmHeight);
    BITMAPINFO info = TopDownBitmapInfo(image.width(), image.height());
    // GetDIBits converts from whatever format the bitmap has; the screen's
    // context supplies the palette of a device-dependent bitmap.
    WindowDC screen(nullptr);
    const int rows = GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(image.height()),
                               image.row(0), &info, DIB_RGB_COLORS);
    if (rows != image.height()) return {};
    // The unused top byte is not guaranteed to be zero.
    image.ClearTopBytes();
    return image;
  } catch (const std::bad_alloc&) {
    return {};
  }
}

void DrawImage(HDC dc, const Image& image) {
  if (image.empty()) return;
  const BITMAPINFO info = TopDownBitmapInfo(image.width(), image.height());
  SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(image.width()), static_cast<DWORD>(image.height()),
                    0, 0, 0, static_cast<UINT>(image.height()), image.pixels().data(), &info,
                    DIB_RGB_COLORS);
}

}  // namespace lumivane::win32
