#include <bit>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

#include <png.h>

#include "picture_encoders.h"

namespace lumivane {

namespace {

// libpng reports errors by longjmp; nothing with a destructor may live in
// the frames it jumps over, so the state is plain data.
struct PngState {
  ByteSink* sink;
  // The sink knows the cause of a failed write; libpng's message is then
  // only "write failed".
  bool sinkFailed;
  char message[128];
};

void OnError(png_structp png, png_const_charp message) {
  auto* state = static_cast<PngState*>(png_get_error_ptr(png));
  std::snprintf(state->message, sizeof state->message, "%s", message);
  png_longjmp(png, 1);
}

void OnWrite(png_structp png, png_bytep data, png_size_t size) {
  auto* state = static_cast<PngState*>(png_get_io_ptr(png));
  if (!state->sink->Write(data, size)) {
    state->sinkFailed = true;
    png_error(png, "write failed");
  }
}

// One row as R, G, B bytes. libpng's own filler and BGR transforms do the
// same in two byte-at-a-time passes that cost more than the rest of libpng.
// Each pixel is stored as four bytes R, G, B, 0, the next one overwriting
// the 0; rgb has one spare byte at the end.
void ToRgb(const Pixel* pixels, std::int32_t width, png_bytep rgb) {
  for (std::int32_t x = 0; x < width; ++x) {
    // 0x00RRGGBB -> 0x00BBGGRR, that is the bytes R, G, B, 0 in memory.
    const std::uint32_t rgb0 = __builtin_bswap32(pixels[x]) >> 8;
    std::memcpy(rgb + 3 * static_cast<std::size_t>(x), &rgb0, 4);
  }
}

// Returns false when libpng gave up; state says why. rgbRow holds one row.
bool Encode(png_structp png, png_infop info, const Image& picture, RowGate* gate,
            png_bytep rgbRow) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width()),
               static_cast<png_uint_32>(picture.height()), 8, PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_compression_level(png, 1);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_UP);
  png_write_info(png, info);
  for (std::int32_t y = 0; y < picture.height(); ++y) {
    if (gate && !gate->WaitForRows(y + 1)) png_error(png, "the picture was not finished");
    ToRgb(picture.row(y), picture.width(), rgbRow);
    png_write_row(png, rgbRow);
  }
  png_write_end(png, nullptr);
  return true;
}

}  // namespace

static_assert(std::endian::native == std::endian::little, "rows are stored as R, G, B, 0 words");

std::optional<std::string> EncodePng(const Image& picture, ByteSink& sink, RowGate* gate) {
  // Outside Encode: libpng's longjmp must not skip its destructor.
  std::vector<png_byte> rgbRow(static_cast<std::size_t>(picture.width()) * 3 + 1);
  PngState state{&sink, false, "out of memory"};
  png_structp png =
      png_create_write_struct(PNG_LIBPNG_VER_STRING, &state, OnError,
                              [](png_structp, png_const_charp) {});  // warnings stay quiet
  if (!png) return std::string("out of memory");
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(png, &state, OnWrite, [](png_structp) {});
  const bool encoded = info && Encode(png, info, picture, gate, rgbRow.data());
  png_destroy_write_struct(&png, &info);
  if (encoded) return std::nullopt;
  return std::string(state.sinkFailed ? "write failed" : state.message);
}

}  // namespace lumivane
