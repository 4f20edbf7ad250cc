#include <cstdint>
#include <vector>

#include "picture_encoders.h"
#include "picture_files/little_endian.h"

namespace lumivane {

namespace {

constexpr std::uint32_t kFileHeaderBytes = 14;
constexpr std::uint32_t kInfoHeaderBytes = 40;
constexpr std::uint16_t kBitsPerPixel = 24;
// 100 dots per inch, as Qt's writer stores it for a picture without a screen.
constexpr std::uint32_t kPixelsPerMeter = 3937;

}  // namespace

std::optional<std::string> EncodeBmp(const Image& picture, ByteSink& sink, RowGate* gate) {
  // BMP rows are stored bottom-up: the whole picture first.
  if (gate && !gate->WaitForRows(picture.height())) {
    return std::string("the picture was not finished");
  }
  const auto width = static_cast<std::uint32_t>(picture.width());
  const auto height = static_cast<std::uint32_t>(picture.height());
  // Three bytes a pixel, each row padded to whole 32-bit words.
  const std::uint32_t rowBytes = (width * 3 + 3) & ~3u;
  const std::uint32_t pixelBytes = rowBytes * height;

  std::vector<std::uint8_t> header;
  header.reserve(kFileHeaderBytes + kInfoHeaderBytes);
  header.push_back('B');
  header.push_back('M');
  AppendLittleEndian32(header, kFileHeaderBytes + kInfoHeaderBytes + pixelBytes);
  AppendLittleEndian32(header, 0);
  AppendLittleEndian32(header, kFileHeaderBytes + kInfoHeaderBytes);
  AppendLittleEndian32(header, kInfoHeaderBytes);
  AppendLittleEndian32(header, width);
  AppendLittleEndian32(header, height);
  AppendLittleEndian16(header, 1);  // planes
  AppendLittleEndian16(header, kBitsPerPixel);
  AppendLittleEndian32(header, 0);  // BI_RGB
  AppendLittleEndian32(header, pixelBytes);
  AppendLittleEndian32(header, kPixelsPerMeter);
  AppendLittleEndian32(header, kPixelsPerMeter);
  AppendLittleEndian32(header, 0);  // colours used
  AppendLittleEndian32(header, 0);  // colours important
  if (!sink.Write(header.data(), header.size())) return std::string("write failed");

  std::vector<std::uint8_t> row(rowBytes, 0);
  for (std::int32_t y = picture.height() - 1; y >= 0; --y) {
    const Pixel* pixels = picture.row(y);
    for (std::uint32_t x = 0; x < width; ++x) {
      row[3 * x] = static_cast<std::uint8_t>(BlueOf(pixels[x]));
      row[3 * x + 1] = static_cast<std::uint8_t>(GreenOf(pixels[x]));
      row[3 * x + 2] = static_cast<std::uint8_t>(RedOf(pixels[x]));
    }
    if (!sink.Write(row.data(), row.size())) return std::string("write failed");
  }
  return std::nullopt;
}

}  // namespace lumivane
