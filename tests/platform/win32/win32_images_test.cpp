#include "platform/win32/win32_images.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "picture_files/little_endian.h"

namespace lumivane::win32 {
namespace {

constexpr std::int32_t kWidth = 5;  // odd, so every depth pads its rows
constexpr std::int32_t kHeight = 3;

// A colour per palette index; all distinct and exact on a true-colour display.
Pixel PaletteColour(int index) {
  return MakePixel(static_cast<std::uint32_t>(index * 37 + 11) & 0xFF,
                   static_cast<std::uint32_t>(index * 91 + 5) & 0xFF,
                   static_cast<std::uint32_t>(255 - index * 13) & 0xFF);
}

// The picture every test file shows: palette index per pixel.
int IndexAt(std::int32_t x, std::int32_t y, int colours) { return (x + 2 * y) % colours; }

// An uncompressed bottom-up Windows bitmap file of the depth (1, 4, 8, 24 or
// 32).
std::vector<std::uint8_t> BitmapFile(int bitsPerPixel) {
  const int colours = bitsPerPixel <= 8 ? 1 << bitsPerPixel : 6;
  const int paletteEntries = bitsPerPixel <= 8 ? colours : 0;
  const std::uint32_t stride = ((kWidth * bitsPerPixel + 31) / 32) * 4;
  const std::uint32_t dataOffset = 14 + 40 + 4 * paletteEntries;
  std::vector<std::uint8_t> out;
  out.push_back('B');
  out.push_back('M');
  AppendLittleEndian32(out, dataOffset + stride * kHeight);
  AppendLittleEndian32(out, 0);
  AppendLittleEndian32(out, dataOffset);
  AppendLittleEndian32(out, 40);
  AppendLittleEndian32(out, kWidth);
  AppendLittleEndian32(out, kHeight);
  AppendLittleEndian16(out, 1);
  AppendLittleEndian16(out, static_cast<std::uint32_t>(bitsPerPixel));
  AppendLittleEndian32(out, 0);  // BI_RGB
  AppendLittleEndian32(out, stride * kHeight);
  AppendLittleEndian32(out, 2835);
  AppendLittleEndian32(out, 2835);
  AppendLittleEndian32(out, static_cast<std::uint32_t>(paletteEntries));
  AppendLittleEndian32(out, 0);
  for (int i = 0; i < paletteEntries; ++i) {
    const Pixel c = PaletteColour(i);
    out.insert(out.end(),
               {static_cast<std::uint8_t>(BlueOf(c)), static_cast<std::uint8_t>(GreenOf(c)),
                static_cast<std::uint8_t>(RedOf(c)), 0});
  }
  for (std::int32_t fileRow = 0; fileRow < kHeight; ++fileRow) {
    const std::int32_t y = kHeight - 1 - fileRow;
    std::vector<std::uint8_t> row(stride, 0);
    for (std::int32_t x = 0; x < kWidth; ++x) {
      const int index = IndexAt(x, y, colours);
      if (bitsPerPixel <= 8) {
        const int bit = x * bitsPerPixel;
        row[bit / 8] |= static_cast<std::uint8_t>(index << (8 - bitsPerPixel - bit % 8));
      } else {
        const Pixel c = PaletteColour(index);
        const std::size_t at = static_cast<std::size_t>(x) * (bitsPerPixel / 8);
        row[at] = static_cast<std::uint8_t>(BlueOf(c));
        row[at + 1] = static_cast<std::uint8_t>(GreenOf(c));
        row[at + 2] = static_cast<std::uint8_t>(RedOf(c));
      }
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

Image ExpectedPicture(int bitsPerPixel) {
  const int colours = bitsPerPixel <= 8 ? 1 << bitsPerPixel : 6;
  Image image(kWidth, kHeight);
  for (std::int32_t y = 0; y < kHeight; ++y) {
    for (std::int32_t x = 0; x < kWidth; ++x)
      image.at(x, y) = PaletteColour(IndexAt(x, y, colours));
  }
  return image;
}

class TempFile {
 public:
  explicit TempFile(const std::vector<std::uint8_t>& bytes) {
    char folder[MAX_PATH] = {};
    char name[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    GetTempFileNameA(folder, "lmv", 0, name);
    path_ = name;
    std::ofstream(path_, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
  }
  ~TempFile() { DeleteFileA(path_.c_str()); }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

class MapFileDepths : public ::testing::TestWithParam<int> {};

TEST_P(MapFileDepths, LoadsWithItsOwnSizeAndExactColours) {
  const TempFile file(BitmapFile(GetParam()));
  const std::optional<Image> image = Win32MapImageLoader().LoadImageFile(file.path());
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width(), kWidth);
  EXPECT_EQ(image->height(), kHeight);
  EXPECT_EQ(*image, ExpectedPicture(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(Win32MapImageLoader, MapFileDepths, ::testing::Values(1, 4, 8, 24, 32));

TEST(Win32MapImageLoader, MissingBrokenFolderDeviceAndLyingPathsFail) {
  Win32MapImageLoader loader;
  EXPECT_FALSE(loader.LoadImageFile("C:\\no such folder\\earth.bmp"));
  EXPECT_FALSE(loader.LoadImageFile(""));
  EXPECT_FALSE(loader.LoadImageFile("NUL"));
  const TempFile text(std::vector<std::uint8_t>{'n', 'o', 't', ' ', 'a', ' ', 'b', 'm', 'p'});
  EXPECT_FALSE(loader.LoadImageFile(text.path()));
  // Headers that promise more than the file holds never reach the system's
  // loader, which would read past the file's end: 65535 pixels a row.
  std::vector<std::uint8_t> wide = BitmapFile(32);
  wide[18] = 0xFF;
  wide[19] = 0xFF;
  const TempFile lying(wide);
  EXPECT_FALSE(loader.LoadImageFile(lying.path()));
  char folder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, folder);
  EXPECT_FALSE(loader.LoadImageFile(folder));
}

// The program's code page is UTF-8 (its manifest, linked into this test
// program too), so a path in any script reaches the file whole.
TEST(Win32MapImageLoader, LoadsFromFoldersNamedInAnyScript) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::vector<std::uint8_t> bytes = BitmapFile(24);
  const struct {
    const wchar_t* wide;
    const char* utf8;
  } folders[] = {
      {L"\x041A\x0430\x0440\x0442\x044B", "\xD0\x9A\xD0\xB0\xD1\x80\xD1\x82\xD1\x8B"},  // Карты
      {L"\x5730\x56FE", "\xE5\x9C\xB0\xE5\x9B\xBE"},                                    // 地图
      {L"\xD83C\xDF0D", "\xF0\x9F\x8C\x8D"},                                            // 🌍
  };
  char tempUtf8[3 * MAX_PATH] = {};
  WideCharToMultiByte(CP_UTF8, 0, temp, -1, tempUtf8, sizeof tempUtf8, nullptr, nullptr);
  for (const auto& [wide, utf8] : folders) {
    const std::wstring folder = std::wstring(temp) + wide;
    const std::wstring file = folder + L"\\map.bmp";
    CreateDirectoryW(folder.c_str(), nullptr);
    HANDLE out = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(out, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(out);

    const std::optional<Image> image =
        Win32MapImageLoader().LoadImageFile(std::string(tempUtf8) + utf8 + "\\map.bmp");
    EXPECT_TRUE(image) << utf8;
    DeleteFileW(file.c_str());
    RemoveDirectoryW(folder.c_str());
  }
}

// The resources are linked into this test program as into the real one.
TEST(Win32BuiltinImages, ResourcesHaveTheirSizesAndMatchTheFilesTheyCameFrom) {
  Win32BuiltinImages builtins(GetModuleHandleA(nullptr));
  Win32MapImageLoader files;
  const struct {
    BuiltinImage role;
    std::int32_t size;  // the markers are squares
  } roles[] = {
      {BuiltinImage::SunImage, 40},
      {BuiltinImage::SunMask, 40},
      {BuiltinImage::MoonFullImage, 20},
      {BuiltinImage::MoonNewImage, 20},
      {BuiltinImage::MoonMask, 20},
      {BuiltinImage::MoonFirstQuarterImage, 20},
      {BuiltinImage::MoonLastQuarterImage, 20},
  };
  for (const auto& [role, size] : roles) {
    const Image image = builtins.Load(role);
    EXPECT_EQ(image.width(), size) << ResourceFileName(role);
    EXPECT_EQ(image.height(), size) << ResourceFileName(role);
    const std::optional<Image> file =
        files.LoadImageFile(std::string(LUMIVANE_RES_DIR) + "/" + ResourceFileName(role));
    ASSERT_TRUE(file) << ResourceFileName(role);
    EXPECT_EQ(image, *file) << ResourceFileName(role);
  }
  const Image map = builtins.Load(BuiltinImage::EarthMap);  // RLE8 compressed
  EXPECT_EQ(map.width(), 400);
  EXPECT_EQ(map.height(), 200);
  EXPECT_EQ(map.at(0, 199), MakePixel(255, 255, 255));            // Antarctica's ice
  const Image lights = builtins.Load(BuiltinImage::NightLights);  // RLE8 too
  EXPECT_EQ(lights.width(), 1600);
  EXPECT_EQ(lights.height(), 800);
  const Image font = builtins.Load(BuiltinImage::PinFont);  // 1 bit per pixel
  EXPECT_EQ(font.width(), 96);
  EXPECT_EQ(font.height(), 975);
  const std::optional<Image> fontFile = files.LoadImageFile(
      std::string(LUMIVANE_RES_DIR) + "/" + ResourceFileName(BuiltinImage::PinFont));
  ASSERT_TRUE(fontFile);
  EXPECT_EQ(font, *fontFile);
}

TEST(Win32BuiltinImages, MasksArePureBlackOnPureWhite) {
  Win32BuiltinImages builtins(GetModuleHandleA(nullptr));
  for (const BuiltinImage mask : {BuiltinImage::SunMask, BuiltinImage::MoonMask}) {
    const Image image = builtins.Load(mask);
    int black = 0;
    for (const Pixel p : image.pixels()) {
      EXPECT_TRUE(p == 0 || p == 0xFFFFFFu) << std::hex << p;
      black += p == 0 ? 1 : 0;
    }
    EXPECT_EQ(black, mask == BuiltinImage::SunMask ? 408 : 316);
  }
}

TEST(LoadAppIcon, FindsTheProgramIcon) {
  EXPECT_NE(LoadAppIcon(GetModuleHandleA(nullptr)), nullptr);
}

}  // namespace
}  // namespace lumivane::win32
