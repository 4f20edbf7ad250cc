#include "picture_files.h"

#include <QByteArray>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "platform/qt/qt_map_image_loader.h"

namespace lumivane {
namespace {

Image Gradient(std::int32_t width, std::int32_t height) {
  Image image(width, height);
  for (std::int32_t y = 0; y < height; ++y) {
    for (std::int32_t x = 0; x < width; ++x) image.at(x, y) = MakePixel(x * 4, y * 8, 128);
  }
  return image;
}

std::string PathIn(const QTemporaryDir& dir, const char* name) {
  return dir.filePath(QString::fromLatin1(name)).toStdString();
}

TEST(PictureFiles, WrittenPngAndBmpReadBackExactly) {
  QTemporaryDir dir;
  const Image picture = Gradient(40, 20);
  for (const auto& [name, format] : {std::pair{"frame.png", PictureFormat::Png},
                                     std::pair{"frame.bmp", PictureFormat::Bmp}}) {
    ASSERT_EQ(WritePicture(picture, PathIn(dir, name), format), std::nullopt) << name;
    const MapPictureRead read = ReadMapPicture(PathIn(dir, name));
    ASSERT_TRUE(read.image) << DescribeMapLoadFailure(read.failure);
    EXPECT_EQ(*read.image, picture) << name;
  }
}

TEST(PictureFiles, AFailedWriteSaysWhyAndLeavesNoFile) {
  QTemporaryDir dir;
  const auto problem =
      WritePicture(Gradient(4, 4), PathIn(dir, "no such folder/frame.png"), PictureFormat::Png);
  EXPECT_TRUE(problem);
  EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::NoDotAndDotDot).isEmpty());
}

}  // namespace
}  // namespace lumivane
