#include "picture_files/palette_bitmap.h"

#include <vector>

#include "picture_files/bmp_header.h"

namespace lumivane {

namespace {

constexpr std::uint32_t kUncompressed = 0;  // BI_RGB
constexpr std::uint32_t kRunLength8 = 1;    // BI_RLE8
constexpr std::uint32_t kRunLength4 = 2;    // BI_RLE4
constexpr std::size_t kFileHeaderBytes = 14;

// The pixels of one picture, written by row as the file stores them.
class PaletteCanvas {
 public:
  PaletteCanvas(const BmpHeader& header, std::vector<Pixel> colours)
      : image_(static_cast<std::int32_t>(header.width), static_cast<std::int32_t>(header.rows())),
        colours_(std::move(colours)),
        topDown_(header.topDown()) {}

  // x and row count from the file's first row; outside the picture nothing
  // is drawn.
  void Put(std::int64_t x, std::int64_t row, std::uint32_t index) {
    if (x < 0 || x >= image_.width() || row < 0 || row >= image_.height()) return;
    const auto y = static_cast<std::int32_t>(topDown_ ? row : image_.height() - 1 - row);
    image_.at(static_cast<std::int32_t>(x), y) = index < colours_.size() ? colours_[index] : 0;
  }

  std::int64_t width() const { return image_.width(); }
  std::int64_t height() const { return image_.height(); }
  Image Take() { return std::move(image_); }

 private:
  Image image_;
  std::vector<Pixel> colours_;
  bool topDown_;
};

// The index of pixel x in a row of packed indexes.
std::uint32_t IndexAt(std::span<const std::uint8_t> row, std::int64_t x, std::uint32_t bits) {
  const std::uint64_t bit = static_cast<std::uint64_t>(x) * bits;
  const std::uint32_t byte = row[bit / 8];
  return (byte >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
}

void DecodeRows(std::span<const std::uint8_t> pixels, std::uint32_t bits, PaletteCanvas& canvas) {
  const std::uint64_t stride = (static_cast<std::uint64_t>(canvas.width()) * bits + 31) / 32 * 4;
  for (std::int64_t row = 0; row < canvas.height(); ++row) {
    const auto line = pixels.subspan(static_cast<std::size_t>(row * stride), stride);
    for (std::int64_t x = 0; x < canvas.width(); ++x) canvas.Put(x, row, IndexAt(line, x, bits));
  }
}

// Run-length pixels: runs of one index (two alternating ones at 4 bits),
// literal stretches padded to whole 16-bit words, and the escapes for end of
// line, end of picture and a jump ahead.
void DecodeRuns(std::span<const std::uint8_t> data, std::uint32_t bits, PaletteCanvas& canvas) {
  std::size_t at = 0;
  std::int64_t x = 0;
  std::int64_t row = 0;
  const auto nibble = [bits](std::uint32_t byte, std::int64_t i) {
    return bits == 8 ? byte : (i % 2 == 0 ? byte >> 4 : byte & 0x0Fu);
  };
  while (at + 2 <= data.size() && row < canvas.height()) {
    const std::uint32_t count = data[at];
    const std::uint32_t value = data[at + 1];
    at += 2;
    if (count > 0) {
      for (std::uint32_t i = 0; i < count; ++i) canvas.Put(x++, row, nibble(value, i));
    } else if (value == 0) {  // end of line
      x = 0;
      ++row;
    } else if (value == 1) {  // end of picture
      break;
    } else if (value == 2) {  // jump right and up
      if (at + 2 > data.size()) break;
      x += data[at];
      row += data[at + 1];
      at += 2;
    } else {  // value literal indexes follow
      const std::size_t bytes = bits == 8 ? value : (value + 1) / 2;
      if (at + bytes > data.size()) break;
      for (std::uint32_t i = 0; i < value; ++i) {
        const std::uint32_t byte = data[at + (bits == 8 ? i : i / 2)];
        canvas.Put(x++, row, nibble(byte, i));
      }
      at += (bytes + 1) & ~std::size_t{1};
    }
  }
}

}  // namespace

Image DecodePaletteBitmap(std::span<const std::uint8_t> file) {
  if (!CheckBmpHeader(file, file.size()).ok) return Image();
  const BmpHeader header = *ReadBmpHeader(file, file.size()).header;
  const std::uint32_t bits = header.bitsPerPixel;
  if (bits > 8) return Image();

  // The colour table follows the info header: blue, green, red (and a
  // spare byte but in the oldest header).
  const std::uint64_t entries = header.paletteEntries ? header.paletteEntries : 1u << bits;
  std::vector<Pixel> colours;
  const std::size_t table = kFileHeaderBytes + header.infoSize;
  for (std::uint64_t i = 0; i < entries; ++i) {
    const std::size_t entry = table + i * header.paletteEntryBytes;
    colours.push_back(MakePixel(file[entry + 2], file[entry + 1], file[entry]));
  }

  PaletteCanvas canvas(header, std::move(colours));
  const auto pixels = file.subspan(static_cast<std::size_t>(header.pixelOffset));
  if (header.compression == kUncompressed) {
    DecodeRows(pixels, bits, canvas);
  } else if (header.compression == kRunLength8 || header.compression == kRunLength4) {
    DecodeRuns(pixels.first(static_cast<std::size_t>(header.compressedBytes)), bits, canvas);
  } else {
    return Image();
  }
  return canvas.Take();
}

}  // namespace lumivane
