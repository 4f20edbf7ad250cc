#include "platform/win32/win32_images.h"

#include "platform/win32/bitmap_file_check.h"
#include "platform/win32/gdi_image.h"
#include "platform/win32/win32_handles.h"
#include "resource.h"

namespace lumivane::win32 {

namespace {

Bitmap LoadBitmapHandle(HINSTANCE instance, LPCSTR name, UINT flags) {
  return Bitmap(static_cast<HBITMAP>(LoadImageA(instance, name, IMAGE_BITMAP, 0, 0, flags)));
}

}  // namespace

std::optional<Image> Win32MapImageLoader::LoadImageFile(const std::string& path) {
  if (!IsLoadableBitmapFile(path)) return std::nullopt;
  // Width and height 0: the picture's own size.
  const Bitmap bitmap = LoadBitmapHandle(nullptr, path.c_str(), LR_LOADFROMFILE);
  if (!bitmap) return std::nullopt;
  Image image = ImageFromBitmap(bitmap.get());
  return image.empty() ? std::nullopt : std::optional<Image>(std::move(image));
}

Image Win32BuiltinImages::Load(BuiltinImage image) {
  const Bitmap bitmap =
      LoadBitmapHandle(instance_, MAKEINTRESOURCEA(ResourceId(image)), LR_DEFAULTCOLOR);
  return ImageFromBitmap(bitmap.get());
}

HICON LoadAppIcon(HINSTANCE instance) {
  return LoadIconA(instance, MAKEINTRESOURCEA(IDI_APP_ICON));
}

}  // namespace lumivane::win32
