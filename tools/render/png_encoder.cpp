#include <bit>
#include <csetjmp>
#include <cstdio>

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

void OnWarning(png_structp, png_const_charp) {}

void OnWrite(png_structp png, png_bytep data, png_size_t size) {
  auto* state = static_cast<PngState*>(png_get_io_ptr(png));
  if (!state->sink->Write(data, size)) {
    state->sinkFailed = true;
    png_error(png, "write failed");
  }
}

void OnFlush(png_structp) {}

// Returns false when libpng gave up; state says why.
bool Encode(png_structp png, png_infop info, const Image& picture, RowGate* gate) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width()),
               static_cast<png_uint_32>(picture.height()), 8, PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_compression_level(png, 1);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_UP);
  png_write_info(png, info);
  // In memory a pixel is B, G, R, 0: drop the fourth byte, swap to RGB.
  png_set_filler(png, 0, PNG_FILLER_AFTER);
  png_set_bgr(png);
  for (std::int32_t y = 0; y < picture.height(); ++y) {
    if (gate && !gate->WaitForRows(y + 1)) png_error(png, "the picture was not finished");
    png_write_row(png, reinterpret_cast<png_const_bytep>(picture.row(y)));
  }
  png_write_end(png, nullptr);
  return true;
}

}  // namespace

static_assert(std::endian::native == std::endian::little, "pixels are read as B, G, R, 0 bytes");

std::optional<std::string> EncodePng(const Image& picture, ByteSink& sink, RowGate* gate) {
  PngState state{&sink, false, "out of memory"};
  png_structp png =
      png_create_write_struct(PNG_LIBPNG_VER_STRING, &state, OnError, OnWarning);
  if (!png) return std::string("out of memory");
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(png, &state, OnWrite, OnFlush);
  const bool encoded = info && Encode(png, info, picture, gate);
  png_destroy_write_struct(&png, &info);
  if (encoded) return std::nullopt;
  return std::string(state.sinkFailed ? "write failed" : state.message);
}

}  // namespace lumivane
