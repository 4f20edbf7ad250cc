#include "platform/qt/qt_map_image_loader.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

namespace lumivane {
namespace {

class QtMapImageLoaderTest : public ::testing::Test {
 protected:
  QString PathOf(const char* name) const { return folder_.path() + "/" + name; }

  // A 3 x 2 picture with a distinct colour in every pixel.
  static QImage Sample() {
    QImage image(3, 2, QImage::Format_RGB32);
    for (int y = 0; y < 2; ++y) {
      for (int x = 0; x < 3; ++x) image.setPixel(x, y, qRgb(40 * x, 100 * y, 7));
    }
    return image;
  }

  QTemporaryDir folder_;
  QtMapImageLoader loader_;
};

TEST_F(QtMapImageLoaderTest, LoadsBitmapsPngAndPalettedPicturesWithTheirPixels) {
  ASSERT_TRUE(Sample().save(PathOf("map.bmp"), "BMP"));
  ASSERT_TRUE(Sample().save(PathOf("map.png"), "PNG"));
  ASSERT_TRUE(Sample().convertToFormat(QImage::Format_Indexed8).save(PathOf("indexed.bmp"), "BMP"));
  for (const char* name : {"map.bmp", "map.png", "indexed.bmp"}) {
    const std::optional<Image> image = loader_.LoadImageFile(PathOf(name).toStdString());
    ASSERT_TRUE(image.has_value()) << name;
    EXPECT_EQ(image->width(), 3);
    EXPECT_EQ(image->height(), 2);
    EXPECT_EQ(image->at(2, 1), MakePixel(80, 100, 7)) << name;
  }
}

TEST_F(QtMapImageLoaderTest, AMisnamedPictureLoadsByItsContent) {
  ASSERT_TRUE(Sample().save(PathOf("really_a_png.bmp"), "PNG"));
  EXPECT_TRUE(loader_.LoadImageFile(PathOf("really_a_png.bmp").toStdString()).has_value());
}

TEST_F(QtMapImageLoaderTest, GivesNothingForMissingEmptyOrBrokenFiles) {
  QFile broken(PathOf("broken.bmp"));
  ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
  broken.write("BM this is not a bitmap");
  broken.close();
  EXPECT_FALSE(loader_.LoadImageFile(PathOf("broken.bmp").toStdString()).has_value());
  EXPECT_FALSE(loader_.LoadImageFile(PathOf("missing.bmp").toStdString()).has_value());
  EXPECT_FALSE(loader_.LoadImageFile(folder_.path().toStdString()).has_value());
  EXPECT_FALSE(loader_.LoadImageFile("").has_value());
}

}  // namespace
}  // namespace lumivane
