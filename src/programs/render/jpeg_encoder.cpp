#include <csetjmp>
#include <cstdio>
#include <memory>

#include <jpeglib.h>
// After jpeglib.h, which it needs.
#include <jerror.h>

#include "picture_encoders.h"

namespace lumivane {

namespace {

constexpr std::size_t kChunkBytes = 1 << 16;

// libjpeg reports errors by longjmp; nothing with a destructor may live in
// the frames it jumps over, so the state is plain data.
struct JpegErrors {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

struct JpegDestination {
  jpeg_destination_mgr manager;
  ByteSink* sink;
  bool sinkFailed;
  JOCTET chunk[kChunkBytes];
};

void OnError(j_common_ptr info) {
  auto* errors = reinterpret_cast<JpegErrors*>(info->err);
  (*info->err->format_message)(info, errors->message);
  std::longjmp(errors->jump, 1);
}

JpegDestination& DestinationOf(j_compress_ptr info) {
  return *reinterpret_cast<JpegDestination*>(info->dest);
}

void StartChunk(j_compress_ptr info) {
  JpegDestination& d = DestinationOf(info);
  d.manager.next_output_byte = d.chunk;
  d.manager.free_in_buffer = kChunkBytes;
}

void PutBytes(j_compress_ptr info, std::size_t size) {
  JpegDestination& d = DestinationOf(info);
  if (!d.sink->Write(d.chunk, size)) {
    d.sinkFailed = true;
    info->err->msg_code = JERR_FILE_WRITE;
    (*info->err->error_exit)(reinterpret_cast<j_common_ptr>(info));
  }
}

boolean OnChunkFull(j_compress_ptr info) {
  PutBytes(info, kChunkBytes);
  StartChunk(info);
  return TRUE;
}

void OnFinish(j_compress_ptr info) {
  PutBytes(info, kChunkBytes - DestinationOf(info).manager.free_in_buffer);
}

// Returns false when libjpeg gave up; errors says why.
bool Encode(jpeg_compress_struct& info, JpegErrors& errors, JpegDestination& destination,
            const Image& picture, int quality, RowGate* gate) {
  if (setjmp(errors.jump)) return false;
  jpeg_create_compress(&info);
  info.dest = &destination.manager;
  info.image_width = static_cast<JDIMENSION>(picture.width());
  info.image_height = static_cast<JDIMENSION>(picture.height());
  // In memory a pixel is B, G, R, 0.
  info.input_components = 4;
  info.in_color_space = JCS_EXT_BGRX;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    if (gate && !gate->WaitForRows(static_cast<std::int32_t>(info.next_scanline) + 1)) {
      std::snprintf(errors.message, sizeof errors.message, "the picture was not finished");
      jpeg_abort_compress(&info);
      return false;
    }
    // libjpeg only reads the rows; its type just lacks const.
    auto* row = reinterpret_cast<JSAMPLE*>(
        const_cast<Pixel*>(picture.row(static_cast<std::int32_t>(info.next_scanline))));
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  return true;
}

}  // namespace

std::optional<std::string> EncodeJpeg(const Image& picture, int quality, ByteSink& sink,
                                      RowGate* gate) {
  jpeg_compress_struct info{};
  JpegErrors errors{};
  info.err = jpeg_std_error(&errors.manager);
  errors.manager.error_exit = OnError;
  // Warnings and traces stay quiet.
  errors.manager.emit_message = [](j_common_ptr, int) {};
  errors.manager.output_message = [](j_common_ptr) {};
  auto destination = std::make_unique<JpegDestination>();
  destination->manager.init_destination = StartChunk;
  destination->manager.empty_output_buffer = OnChunkFull;
  destination->manager.term_destination = OnFinish;
  destination->sink = &sink;

  const bool encoded = Encode(info, errors, *destination, picture, quality, gate);
  jpeg_destroy_compress(&info);
  if (encoded) return std::nullopt;
  return std::string(destination->sinkFailed ? "write failed" : errors.message);
}

}  // namespace lumivane
