#include "picture_writer.h"

#include <cstdlib>

#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "output_file.h"

namespace lumivane {
namespace {

// Smooth enough for JPEG to keep it close, varied enough to catch a channel
// or row order mistake.
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

QStringList FilesIn(const QTemporaryDir& dir) {
  return QDir(dir.path())
      .entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

TEST(WritePicture, EveryFormatReadsBack) {
  QTemporaryDir dir;
  const Image picture = Gradient(60, 30);
  const struct {
    const char* name;
    PictureFormat format;
    int largestError;  // per channel
  } cases[] = {{"frame.png", PictureFormat::Png, 0},
               {"frame.bmp", PictureFormat::Bmp, 0},
               {"frame.jpg", PictureFormat::Jpeg, 6}};
  for (const auto& c : cases) {
    ASSERT_EQ(WritePicture(picture, PathIn(dir, c.name), c.format, 95), std::nullopt) << c.name;
    const QImage read(QString::fromStdString(PathIn(dir, c.name)));
    ASSERT_EQ(read.width(), 60) << c.name;
    ASSERT_EQ(read.height(), 30) << c.name;
    int largest = 0;
    for (int y = 0; y < 30; ++y) {
      for (int x = 0; x < 60; ++x) {
        const QRgb got = read.pixel(x, y);
        const Pixel want = picture.at(x, y);
        largest = std::max({largest, std::abs(qRed(got) - static_cast<int>(RedOf(want))),
                            std::abs(qGreen(got) - static_cast<int>(GreenOf(want))),
                            std::abs(qBlue(got) - static_cast<int>(BlueOf(want)))});
      }
    }
    EXPECT_LE(largest, c.largestError) << c.name;
  }
  EXPECT_EQ(FilesIn(dir), QStringList({"frame.bmp", "frame.jpg", "frame.png"}));
}

TEST(WritePicture, BitmapsAreByteForByteWhatQtWrites) {
  QTemporaryDir dir;
  // Odd widths: each row padded by 3, 2 and 1 bytes.
  for (const std::int32_t width : {1, 2, 3, 61}) {
    const Image picture = Gradient(width, 5);
    const std::string path = PathIn(dir, "frame.bmp");
    ASSERT_EQ(WritePicture(picture, path, PictureFormat::Bmp, 90), std::nullopt);
    QFile written(QString::fromStdString(path));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    QBuffer qt;
    qt.open(QIODevice::WriteOnly);
    const QImage wrapped(reinterpret_cast<const uchar*>(picture.pixels().data()), width, 5,
                         width * 4, QImage::Format_RGB32);
    ASSERT_TRUE(QImageWriter(&qt, "bmp").write(wrapped));
    EXPECT_EQ(written.readAll(), qt.data()) << width;
  }
}

TEST(WritePicture, JpegQualityTradesSizeForFidelity) {
  QTemporaryDir dir;
  const Image picture = Gradient(256, 128);
  ASSERT_FALSE(WritePicture(picture, PathIn(dir, "low.jpg"), PictureFormat::Jpeg, 10));
  ASSERT_FALSE(WritePicture(picture, PathIn(dir, "high.jpg"), PictureFormat::Jpeg, 100));
  EXPECT_LT(QFile(QString::fromStdString(PathIn(dir, "low.jpg"))).size() * 2,
            QFile(QString::fromStdString(PathIn(dir, "high.jpg"))).size());
}

TEST(WritePicture, ReplacingAFileKeepsItsPermissions) {
  QTemporaryDir dir;
  const std::string path = PathIn(dir, "frame.png");
  ASSERT_FALSE(WritePicture(Gradient(4, 4), path, PictureFormat::Png, 90));
  ASSERT_EQ(chmod(path.c_str(), 0640), 0);
  ASSERT_FALSE(WritePicture(Gradient(8, 8), path, PictureFormat::Png, 90));
  struct stat status {};
  ASSERT_EQ(stat(path.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0640u);
  EXPECT_EQ(QImage(QString::fromStdString(path)).width(), 8);
}

TEST(WritePicture, APictureLeftUnfinishedIsNotWritten) {
  QTemporaryDir dir;
  for (const auto& [name, format] :
       {std::pair{"frame.png", PictureFormat::Png}, std::pair{"frame.jpg", PictureFormat::Jpeg},
        std::pair{"frame.bmp", PictureFormat::Bmp}}) {
    RowGate gate;
    gate.Publish(10);
    gate.Abandon();
    EXPECT_EQ(WritePicture(Gradient(64, 32), PathIn(dir, name), format, 90, &gate),
              "the picture was not finished")
        << name;
  }
  EXPECT_TRUE(FilesIn(dir).isEmpty());
}

TEST(WritePicture, LongNamesAndSymbolicLinksLandWhereTheyShould) {
  QTemporaryDir dir;
  const std::string folder = dir.path().toStdString() + "/";
  ASSERT_EQ(mkdir((folder + "maps").c_str(), 0755), 0);
  ASSERT_EQ(symlink("maps/new.png", (folder + "dangling.png").c_str()), 0);
  ASSERT_EQ(symlink("../chained.png", (folder + "maps/one.png").c_str()), 0);
  ASSERT_EQ(symlink("maps/one.png", (folder + "two.png").c_str()), 0);
  // 255 bytes is the longest name: the temporary name beside it is cut
  // short to fit.
  const std::string longest = std::string(251, 'a') + ".png";
  std::string accented;
  while (accented.size() < 246) accented += "\xC3\xA9";  // é
  accented += ".png";
  const struct {
    std::string written;
    std::string landed;  // the regular file that must hold the picture
  } cases[] = {
      {folder + longest, folder + longest},
      {folder + accented, folder + accented},
      {folder + "dangling.png", folder + "maps/new.png"},
      {folder + "two.png", folder + "chained.png"},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(WritePicture(Gradient(4, 4), c.written, PictureFormat::Png, 90), std::nullopt)
        << c.written;
    struct stat status {};
    ASSERT_EQ(lstat(c.landed.c_str(), &status), 0) << c.landed;
    EXPECT_TRUE(S_ISREG(status.st_mode)) << c.landed;
  }
  for (const char* link : {"dangling.png", "two.png", "maps/one.png"}) {
    struct stat status {};
    ASSERT_EQ(lstat((folder + link).c_str(), &status), 0);
    EXPECT_TRUE(S_ISLNK(status.st_mode)) << link << " was replaced";
  }
  // The two long names, two links and chained.png: no temporary file left.
  EXPECT_EQ(FilesIn(dir).size(), 5);
  EXPECT_EQ(QDir(dir.filePath("maps")).entryList(QDir::Files | QDir::Hidden | QDir::System),
            QStringList({"new.png", "one.png"}));
}

TEST(CheckOutputPath, RefusesWhatIsNotARegularFileAtOnce) {
  QTemporaryDir dir;
  const std::string fifo = PathIn(dir, "pipe.png");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const std::string loop = PathIn(dir, "loop.png");
  ASSERT_EQ(symlink("loop.png", loop.c_str()), 0);
  const struct {
    std::string path;
    const char* cause;  // nullptr: accepted
  } cases[] = {
      {PathIn(dir, "new.png"), nullptr},
      {dir.path().toStdString(), "is a directory"},
      {fifo, "is a FIFO, not a regular file"},
      {"/dev/null", "is a device, not a regular file"},
      {PathIn(dir, "missing/new.png"), "does not exist"},
      {loop, "too many levels of symbolic links"},
      {PathIn(dir, "loop.png/new.png"), "too many levels of symbolic links"},
      {PathIn(dir, std::string(256, 'a').c_str()), "File name too long"},
  };
  for (const auto& c : cases) {
    const auto problem = CheckOutputPath(c.path);
    if (!c.cause) {
      EXPECT_EQ(problem, std::nullopt) << c.path;
      continue;
    }
    ASSERT_TRUE(problem) << c.path;
    EXPECT_NE(problem->find(c.cause), std::string::npos) << *problem;
    // The same refusal from the writer, which never opens the FIFO.
    EXPECT_EQ(WritePicture(Gradient(2, 2), c.path, PictureFormat::Png, 90), problem);
  }
  EXPECT_EQ(FilesIn(dir), QStringList({"loop.png", "pipe.png"}));
}

}  // namespace
}  // namespace lumivane
