#include "platform/win32/bitmap_file_check.h"

#include <windows.h>

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "platform/win32/win32_handles.h"
#include "picture_files/bmp_header.h"

namespace lumivane::win32 {

namespace {

bool Refuse(const std::string& path, std::string_view reason) {
  const std::string line = "Lumivane: " + path + ": " + std::string(reason) + "\n";
  OutputDebugStringA(line.c_str());
  return false;
}

}  // namespace

bool IsLoadableBitmapFile(const std::string& path) {
  // Opening a device can wait for it; a folder is no picture either.
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return Refuse(path, "cannot be found");
  if ((attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0) {
    return Refuse(path, "not a regular file");
  }
  constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  const HANDLE opened = CreateFileA(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  const FileHandle file(opened == INVALID_HANDLE_VALUE ? nullptr : opened);
  if (!file) return Refuse(path, "cannot be opened");
  if (GetFileType(file.get()) != FILE_TYPE_DISK) return Refuse(path, "not a regular file");
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0) return Refuse(path, "no size");

  std::array<std::uint8_t, kBmpHeaderBytes> head{};
  DWORD filled = 0;
  while (filled < head.size()) {
    DWORD read = 0;
    if (!ReadFile(file.get(), head.data() + filled, static_cast<DWORD>(head.size() - filled), &read,
                  nullptr)) {
      return Refuse(path, "cannot be read");
    }
    if (read == 0) break;
    filled += read;
  }
  const BmpHeaderVerdict verdict =
      CheckBmpHeader(std::span(head.data(), filled), static_cast<std::uint64_t>(size.QuadPart));
  if (!verdict.ok) return Refuse(path, verdict.reason);
  return true;
}

}  // namespace lumivane::win32
