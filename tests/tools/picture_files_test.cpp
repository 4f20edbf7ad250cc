#include "picture_files.h"

#include <QByteArray>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "platform/qt/qt_image_convert.h"

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
    const PictureRead read = ReadPictureFile(PathIn(dir, name));
    ASSERT_TRUE(read.image) << read.error;
    EXPECT_EQ(*read.image, picture) << name;
  }
}

TEST(PictureFiles, ReadsJpegMaps) {
  QTemporaryDir dir;
  const std::string path = PathIn(dir, "map.jpg");
  QImage jpeg = QImageFromImage(Image(64, 32, MakePixel(20, 92, 188)));
  ASSERT_TRUE(QImageWriter(QString::fromStdString(path), "jpg").write(jpeg));
  const PictureRead read = ReadPictureFile(path);
  ASSERT_TRUE(read.image) << read.error;
  EXPECT_EQ(read.image->width(), 64);
  EXPECT_EQ(read.image->height(), 32);
  EXPECT_NEAR(static_cast<double>(BlueOf(read.image->at(10, 10))), 188.0, 4.0);
}

TEST(PictureFiles, FailuresSayWhyAndLeaveNoFile) {
  QTemporaryDir dir;
  const PictureRead missing = ReadPictureFile(PathIn(dir, "missing.bmp"));
  EXPECT_FALSE(missing.image);
  EXPECT_FALSE(missing.error.empty());

  QFile garbage(dir.filePath("garbage.png"));
  ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
  garbage.write("\x89PNG but nothing more");
  garbage.close();
  EXPECT_FALSE(ReadPictureFile(garbage.fileName().toStdString()).image);

  const auto problem =
      WritePicture(Gradient(4, 4), PathIn(dir, "no such folder/frame.png"), PictureFormat::Png);
  EXPECT_TRUE(problem);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::NoDotAndDotDot),
            QStringList({"garbage.png"}));
}

}  // namespace
}  // namespace lumivane
