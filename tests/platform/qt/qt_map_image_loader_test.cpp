#include "platform/qt/qt_map_image_loader.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDataStream>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

namespace lumivane {
namespace {

// A bitmap file with the given header fields and pixel bytes; the palette
// starts white, then red, then black for the rest.
QByteArray Bitmap(std::int32_t width, std::int32_t height, int bits, int compression,
                  const QByteArray& pixels) {
  const int colours = bits <= 8 ? 1 << bits : 0;
  QByteArray palette;
  for (int i = 0; i < colours; ++i) {
    palette += i == 0   ? QByteArray("\xFF\xFF\xFF\x00", 4)
               : i == 1 ? QByteArray("\x00\x00\xFF\x00", 4)
                        : QByteArray(4, '\0');
  }
  const auto offset = static_cast<quint32>(14 + 40 + palette.size());
  QByteArray headers = "BM";
  QDataStream out(&headers, QIODevice::Append);
  out.setByteOrder(QDataStream::LittleEndian);
  out << quint32(offset + pixels.size()) << quint32(0) << offset << quint32(40) << qint32(width)
      << qint32(height) << quint16(1) << quint16(bits) << quint32(compression)
      << quint32(pixels.size()) << quint32(0) << quint32(0) << quint32(colours) << quint32(0);
  return headers + palette + pixels;
}

class QtMapImageLoaderTest : public ::testing::Test {
 protected:
  std::string PathOf(const char* name) const { return (folder_.path() + "/" + name).toStdString(); }

  std::string Write(const char* name, const QByteArray& contents) const {
    QFile file(QString::fromStdString(PathOf(name)));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(contents);
    return PathOf(name);
  }

  // A 3 x 2 picture with a distinct colour in every pixel.
  static QImage Sample() {
    QImage image(3, 2, QImage::Format_RGB32);
    for (int y = 0; y < 2; ++y) {
      for (int x = 0; x < 3; ++x) image.setPixel(x, y, qRgb(40 * x, 100 * y, 7));
    }
    return image;
  }

  QTemporaryDir folder_;
};

TEST_F(QtMapImageLoaderTest, LoadsEveryKindOfPictureWithItsPixels) {
  QImage translucent = Sample().convertToFormat(QImage::Format_ARGB32);
  translucent.setPixel(2, 1, qRgba(80, 100, 7, 0x40));
  const struct {
    const char* name;
    QImage picture;
    const char* format;
  } pictures[] = {
      {"map.bmp", Sample(), "BMP"},
      {"map.png", Sample(), "PNG"},
      {"indexed.bmp", Sample().convertToFormat(QImage::Format_Indexed8), "BMP"},
      {"translucent.png", translucent, "PNG"},
      {"deep.png", Sample().convertToFormat(QImage::Format_RGBX64), "PNG"},
      {"really_a_png.bmp", Sample(), "PNG"},  // recognised by its content
  };
  for (const auto& [name, picture, format] : pictures) {
    ASSERT_TRUE(picture.save(QString::fromStdString(PathOf(name)), format)) << name;
    const MapPictureRead read = ReadMapPicture(PathOf(name));
    ASSERT_TRUE(read.image.has_value()) << name << ": " << DescribeMapLoadFailure(read.failure);
    EXPECT_EQ(read.image->width(), 3) << name;
    EXPECT_EQ(read.image->height(), 2) << name;
    EXPECT_EQ(read.image->at(0, 0), MakePixel(0, 0, 7)) << name;
    EXPECT_EQ(read.image->at(2, 1), MakePixel(80, 100, 7)) << name;
  }
}

TEST_F(QtMapImageLoaderTest, LoadsJpegMaps) {
  QImage jpeg(64, 32, QImage::Format_RGB32);
  jpeg.fill(qRgb(20, 92, 188));
  ASSERT_TRUE(jpeg.save(QString::fromStdString(PathOf("map.jpg")), "JPG"));
  const MapPictureRead read = ReadMapPicture(PathOf("map.jpg"));
  ASSERT_TRUE(read.image.has_value());
  EXPECT_EQ(read.image->width(), 64);
  EXPECT_NEAR(static_cast<double>(BlueOf(read.image->at(10, 10))), 188.0, 4.0);
  EXPECT_EQ(read.image->at(10, 10) >> 24, 0u);
}

TEST_F(QtMapImageLoaderTest, PixelsADamagedFileNeverDescribesAreTheSameEveryTime) {
  // Run-length data that fills two pixels of the bottom row with colour 1,
  // then ends the picture early.
  const std::string rle = Write("rle.bmp", Bitmap(4, 2, 8, 1, QByteArray("\x02\x01\x00\x01", 4)));
  // A 24-bit picture whose last row is cut off.
  const std::string cut = Write("cut.bmp", Bitmap(4, 2, 24, 0, QByteArray(12, '\x40')));
  for (const std::string& path : {rle, cut}) {
    const MapPictureRead first = ReadMapPicture(path);
    const MapPictureRead second = ReadMapPicture(path);
    EXPECT_EQ(first.image, second.image) << path;
  }
  const std::optional<Image> image = ReadMapPicture(rle).image;
  ASSERT_TRUE(image.has_value());
  const Pixel red = MakePixel(255, 0, 0);
  const Pixel first = MakePixel(255, 255, 255);  // the palette's first colour
  EXPECT_EQ(image->pixels(), (Image::Pixels{first, first, first, first,  //
                                            red, red, first, first}));
}

TEST_F(QtMapImageLoaderTest, FailuresNameTheirCause) {
  const std::string folder = PathOf("maps");
  ASSERT_EQ(::mkdir(folder.c_str(), 0700), 0);
  const std::string fifo = PathOf("fifo.bmp");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string dangling = PathOf("dangling.bmp");
  ASSERT_EQ(::symlink("nowhere.bmp", dangling.c_str()), 0);
  const std::string loop = PathOf("loop.bmp");
  ASSERT_EQ(::symlink("loop.bmp", loop.c_str()), 0);
  const std::string locked = Write("locked.bmp", Bitmap(1, 1, 24, 0, QByteArray(4, '\0')));
  ASSERT_EQ(::chmod(locked.c_str(), 0), 0);

  const struct {
    std::string path;
    MapLoadProblem problem;
  } cases[] = {
      {PathOf("missing.bmp"), MapLoadProblem::NotFound},
      {"", MapLoadProblem::NotFound},
      {dangling, MapLoadProblem::NotFound},
      {loop, MapLoadProblem::LinkLoop},
      {folder, MapLoadProblem::NotARegularFile},
      {fifo, MapLoadProblem::NotARegularFile},  // never waits for a writer
      {"/dev/zero", MapLoadProblem::NotARegularFile},
      {locked, MapLoadProblem::PermissionDenied},
      {Write("empty.bmp", {}), MapLoadProblem::NotAPicture},
      {Write("broken.bmp", "BM this is not a bitmap"), MapLoadProblem::NotAPicture},
      {Write("cut.png", "\x89PNG\r\n\x1a\n"), MapLoadProblem::NotAPicture},
  };
  for (const auto& [path, problem] : cases) {
    // Root reads any file, whatever its mode.
    if (path == locked && ::geteuid() == 0) continue;
    const MapPictureRead read = ReadMapPicture(path);
    EXPECT_FALSE(read.image.has_value()) << path;
    EXPECT_EQ(read.failure.problem, problem) << path;
  }
}

TEST_F(QtMapImageLoaderTest, AHeaderClaimingTooManyPixelsIsRefusedWithItsSize) {
  // 16385 x 16384 is one row over the limit; the file holds no pixels at all.
  const std::string path = Write("huge.bmp", Bitmap(16385, 16384, 8, 1, QByteArray("\x00\x01", 2)));
  const MapPictureRead read = ReadMapPicture(path);
  EXPECT_FALSE(read.image.has_value());
  EXPECT_EQ(read.failure.problem, MapLoadProblem::TooLarge);
  EXPECT_EQ(read.failure.width, 16385);
  EXPECT_EQ(read.failure.height, 16384);
}

TEST_F(QtMapImageLoaderTest, TheLoaderReportsTheCauseOfEachFailure) {
  std::vector<std::string> reports;
  QtMapImageLoader loader([&reports](const std::string& path, const MapLoadFailure& failure) {
    reports.push_back(path + ": " + DescribeMapLoadFailure(failure));
  });
  ASSERT_TRUE(Sample().save(QString::fromStdString(PathOf("map.png")), "PNG"));
  EXPECT_TRUE(loader.LoadImageFile(PathOf("map.png")).has_value());
  EXPECT_FALSE(loader.LoadImageFile(PathOf("gone.png")).has_value());
  EXPECT_EQ(reports, std::vector<std::string>{PathOf("gone.png") + ": not found"});
}

}  // namespace
}  // namespace lumivane
