#include <QImage>
#include <QImageWriter>
#include <QIODevice>

#include "picture_encoders.h"

namespace lumivane {

namespace {

// Hands what Qt's writer produces straight to the sink.
class SinkDevice final : public QIODevice {
 public:
  explicit SinkDevice(ByteSink& sink) : sink_(sink) { open(QIODevice::WriteOnly); }
  bool failed() const { return failed_; }

 protected:
  qint64 readData(char*, qint64) override { return -1; }
  qint64 writeData(const char* data, qint64 size) override {
    if (failed_ || !sink_.Write(data, static_cast<std::size_t>(size))) {
      failed_ = true;
      return -1;
    }
    return size;
  }

 private:
  ByteSink& sink_;
  bool failed_ = false;
};

}  // namespace

std::optional<std::string> EncodeBmp(const Image& picture, ByteSink& sink, RowGate* gate) {
  // BMP rows are stored bottom-up: the whole picture first.
  if (gate && !gate->WaitForRows(picture.height())) {
    return std::string("the picture was not finished");
  }
  // Our pixels are QImage's RGB32 layout: wrapped, not copied.
  const QImage image(reinterpret_cast<const uchar*>(picture.pixels().data()), picture.width(),
                     picture.height(), picture.width() * 4, QImage::Format_RGB32);
  SinkDevice device(sink);
  QImageWriter writer(&device, "bmp");
  if (writer.write(image) && !device.failed()) return std::nullopt;
  if (device.failed()) return std::string("write failed");
  return writer.errorString().toStdString();
}

}  // namespace lumivane
