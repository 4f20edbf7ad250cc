#include "picture_writer.h"

#include "output_file.h"
#include "picture_encoders.h"

namespace lumivane {

namespace {

std::optional<std::string> Encode(const Image& picture, PictureFormat format, int quality,
                                  DescriptorSink& sink, RowGate* gate) {
  std::optional<std::string> problem;
  switch (format) {
    case PictureFormat::Png: problem = EncodePng(picture, sink, gate); break;
    case PictureFormat::Jpeg: problem = EncodeJpeg(picture, quality, sink, gate); break;
    case PictureFormat::Bmp: problem = EncodeBmp(picture, sink, gate); break;
  }
  if (!problem && !sink.Flush()) problem = std::string();
  // A failed write: the sink knows why ("No space left on device").
  if (problem && !sink.error().empty()) return sink.error();
  return problem;
}

}  // namespace

std::optional<std::string> WritePicture(const Image& picture, const std::string& output,
                                        PictureFormat format, int quality, RowGate* gate) {
  if (output == "-") {
    StandardOutputSink out;
    auto problem = Encode(picture, format, quality, out, gate);
    // The reader took what it wanted and closed the pipe (as head does):
    // nothing more is asked of us, which is no failure.
    if (problem && out.readerGone()) return std::nullopt;
    return problem;
  }
  if (auto problem = CheckOutputPath(output)) return problem;
  AtomicFile file(output);
  if (!file.isOpen()) return file.error();
  if (auto problem = Encode(picture, format, quality, file, gate)) return problem;
  return file.Commit();
}

}  // namespace lumivane
