#include "platform/qt/ini_screening.h"
#include "platform/qt/qt_profile_store.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "platform/qt/temporary_config_home.h"

namespace lumivane {
namespace {

// Each test gets its own XDG_CONFIG_HOME.
class QtProfileStoreTest : public testing::TemporaryConfigHomeTest {
 protected:
  QString IniPath() const { return ConfigHome() + "/Brevanta/Lumivane.ini"; }

  void WriteIni(const QByteArray& contents) {
    ASSERT_TRUE(QDir().mkpath(ConfigHome() + "/Brevanta"));
    QFile file(IniPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(contents);
  }

  QByteArray ReadIni() const {
    QFile file(IniPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
};

TEST_F(QtProfileStoreTest, LivesInTheUsersConfigFolderUnderTheProgramsName) {
  EXPECT_EQ(QtProfileStore("Lumivane").filePath(), IniPath());
  EXPECT_EQ(QtProfileStore("Other").filePath(), ConfigHome() + "/Brevanta/Other.ini");
}

TEST_F(QtProfileStoreTest, ReadsOfAMissingFileGiveDefaultsAndCreateNothing) {
  QtProfileStore store("Lumivane");
  EXPECT_EQ(store.ReadSettingInt("size", "scale", 30), 30);
  EXPECT_EQ(store.ReadSettingString("options", "image", "Default"), "Default");
  EXPECT_FALSE(QFileInfo::exists(ConfigHome() + "/Brevanta"));
}

TEST_F(QtProfileStoreTest, WrittenValuesReadBackInOneGroupPerSection) {
  QtProfileStore store("Lumivane");
  EXPECT_TRUE(store.WriteSettingInt("anchor", "x", -1));
  EXPECT_TRUE(store.WriteSettingInt("position", "y", -2147483647 - 1));
  EXPECT_TRUE(store.WriteSettingString("options", "image", "/home/ann/maps/earth, big=1.bmp"));
  EXPECT_TRUE(store.WriteSettingString("options", "note", "caf\xC3\xA9 \"quoted\" ;#\\"));

  QtProfileStore again("Lumivane");
  EXPECT_EQ(again.ReadSettingInt("anchor", "x", 0), -1);
  EXPECT_EQ(again.ReadSettingInt("position", "y", 0), -2147483647 - 1);
  EXPECT_EQ(again.ReadSettingString("options", "image", "Default"),
            "/home/ann/maps/earth, big=1.bmp");
  EXPECT_EQ(again.ReadSettingString("options", "note", ""), "caf\xC3\xA9 \"quoted\" ;#\\");
  const QByteArray ini = ReadIni();
  EXPECT_TRUE(ini.contains("[anchor]\nx=-1\n")) << ini.toStdString();
}

TEST_F(QtProfileStoreTest, ValuesOfTheWrongTypeReadAsTheDefault) {
  WriteIni(
      "[size]\n"
      "scale=abc\n"
      "w=12.5\n"
      "h=-2147483649\n"
      "big=4294967296\n"
      "[options]\n"
      "image=/maps/a, b.bmp\n"
      "sun= 0 \n");
  QtProfileStore store("Lumivane");
  EXPECT_EQ(store.ReadSettingInt("size", "scale", 30), 30);
  EXPECT_EQ(store.ReadSettingInt("size", "w", 400), 400);
  EXPECT_EQ(store.ReadSettingInt("size", "h", 200), 200);
  EXPECT_EQ(store.ReadSettingInt("size", "big", 7), 7);
  // An unquoted comma makes a list, not a text.
  EXPECT_EQ(store.ReadSettingString("options", "image", "Default"), "Default");
  EXPECT_EQ(store.ReadSettingInt("options", "image", 3), 3);
  EXPECT_EQ(store.ReadSettingInt("options", "sun", 1), 0);
}

TEST_F(QtProfileStoreTest, NumbersAboveTheSignedRangeKeepTheir32Bits) {
  WriteIni("[size]\nw=4294967295\nh=2147483648\n");
  QtProfileStore store("Lumivane");
  EXPECT_EQ(store.ReadSettingInt("size", "w", 400), -1);
  EXPECT_EQ(static_cast<std::uint32_t>(store.ReadSettingInt("size", "h", 200)), 2147483648u);
}

TEST_F(QtProfileStoreTest, ReadsNeverRewriteTheFile) {
  const QByteArray handWritten = "; my settings\n[size]\nscale = 45\n\n[colors]\nnightfilter=abc\n";
  WriteIni(handWritten);
  QtProfileStore store("Lumivane");
  EXPECT_EQ(store.ReadSettingInt("size", "scale", 30), 45);
  EXPECT_EQ(store.ReadSettingInt("colors", "nightfilter", 50), 50);
  EXPECT_EQ(store.ReadSettingInt("anchor", "x", 0), 0);
  EXPECT_EQ(ReadIni(), handWritten);
}

// Every byte of a literal with NULs in it, but not its terminating NUL.
template <std::size_t N>
QByteArray Bytes(const char (&text)[N]) {
  return QByteArray(text, N - 1);
}

// A QVariantList nested `depth` deep as QSettings serialises it: type 9,
// not null, one element, and so on.
QByteArray NestedVariantList(int depth) {
  QByteArray nested;
  for (int i = 0; i < depth; ++i) nested += Bytes("\0\0\0\x09\0\0\0\0\x01");
  return nested;
}

TEST_F(QtProfileStoreTest, OnlyPlainNumbersAndTextsAreRead) {
  const struct {
    const char* what;
    QByteArray line;  // the value options/image, or a line in its place
  } hostile[] = {
      {"a list nested 100000 deep", "image=@Variant(" + NestedVariantList(100000) + ")"},
      {"a pixmap", Bytes("image=@Variant(\0\0\0\x7f\0\0\0\x07QPixmap\0)")},
      {"a quoted variant", "image=\"@Variant(\\0\\0\\0\\x7f)\""},
      {"a variant spelled with an escape", "image=\\x40Variant(abc)"},
      {"bytes", "image=@ByteArray(/maps/a.bmp)"},
      {"a rectangle", "image=@Rect(1 2 3 4)"},
      {"a list", "image=/maps/a.bmp, /maps/b.bmp"},
      {"a stray quote", "image=\"/maps/a.bmp"},
      {"a line joined to the next", "image=/maps/a.bmp\\"},
      {"binary junk", Bytes("image=\x01\xff\xfe\x00junk")},
      {"a lone carriage return", "image=/maps/a.bmp\r[colors]\rnightfilter=5"},
      {"no equals sign", "image /maps/a.bmp"},
      {"a broken section header", "[opt\"ions]\nimage=/maps/a.bmp"},
  };
  for (const auto& [what, line] : hostile) {
    WriteIni("[size]\nscale=45\n[options]\nsun=0\n" + line + "\n[colors]\nnightfilter=70\n");
    QtProfileStore store("Lumivane");
    EXPECT_EQ(store.ReadSettingString("options", "image", "Default"), "Default") << what;
    EXPECT_EQ(store.ReadSettingInt("options", "image", 3), 3) << what;
    // Everything else the file says still reads.
    EXPECT_EQ(store.ReadSettingInt("size", "scale", 30), 45) << what;
    EXPECT_EQ(store.ReadSettingInt("colors", "nightfilter", 50), 70) << what;
  }

  const struct {
    QByteArray line;
    const char* text;
  } plain[] = {
      {"image=@@home/maps/a.bmp", "@home/maps/a.bmp"},
      {"image=/home/me@work/a.bmp", "/home/me@work/a.bmp"},
      {"image=\"/maps/earth, big=1.bmp\"", "/maps/earth, big=1.bmp"},
      {"image=\"\\\\server\\\\maps\\\\a \\\"b\\\".bmp\" ; a comment",
       "\\server\\maps\\a \"b\".bmp"},
      {"image=caf\xC3\xA9.bmp", "caf\xC3\xA9.bmp"},
      // An escape with more digits than a character holds keeps the last 16 bits.
      {"image=a\\x123456789000004a.bmp", "aJ.bmp"},
  };
  for (const auto& [line, text] : plain) {
    WriteIni("[options]\n" + line + "\n");
    EXPECT_EQ(QtProfileStore("Lumivane").ReadSettingString("options", "image", "Default"), text)
        << line.toStdString();
  }
}

TEST_F(QtProfileStoreTest, ScreenedLinesPassTheScreeningAgainUnchanged) {
  for (const QByteArray& contents : {QByteArray("junk\x01\n\xEF\xBB\xBFkey=1\n"),
                                     QByteArray("\xEF\xBB\xBF[options]\nsun=1\n")}) {
    const ScreenedIni screened = ScreenIni(contents);
    const ScreenedIni again = ScreenIni(screened.plain);
    EXPECT_FALSE(again.dropped) << contents.toStdString();
    EXPECT_EQ(again.plain, screened.plain) << contents.toStdString();
  }
}

TEST_F(QtProfileStoreTest, TheFirstWriteAfterAnUnreadableLineKeepsTheFileAsItWas) {
  const QByteArray broken = "[size]\nscale=40\nw=\"800\n[colors]\nnightfilter=70\n";
  WriteIni(broken);
  QtProfileStore store("Lumivane");
  // The stray quote hides nothing after it.
  EXPECT_EQ(store.ReadSettingInt("colors", "nightfilter", 50), 70);

  ::testing::internal::CaptureStderr();
  EXPECT_TRUE(store.WriteSettingInt("options", "sun", 0));
  EXPECT_TRUE(store.WriteSettingInt("options", "moon", 0));
  const std::string said = ::testing::internal::GetCapturedStderr();

  EXPECT_EQ(said, "Lumivane: " + IniPath().toStdString() +
                      " could not be read whole; kept as it was in " + IniPath().toStdString() +
                      ".bad\n");
  QFile kept(IniPath() + ".bad");
  ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
  EXPECT_EQ(kept.readAll(), broken);
  EXPECT_EQ(store.ReadSettingInt("size", "scale", 30), 40);
  EXPECT_EQ(store.ReadSettingInt("colors", "nightfilter", 50), 70);
  EXPECT_EQ(store.ReadSettingInt("options", "sun", 1), 0);
  EXPECT_EQ(store.ReadSettingInt("options", "moon", 1), 0);
  EXPECT_FALSE(ReadIni().contains("800"));

  // A later unreadable edit is kept under a name of its own.
  WriteIni("[size]\nscale=@Variant(x)\n");
  ::testing::internal::CaptureStderr();
  EXPECT_TRUE(store.WriteSettingInt("size", "scale", 50));
  EXPECT_NE(::testing::internal::GetCapturedStderr(), "");
  EXPECT_TRUE(QFileInfo::exists(IniPath() + ".bad.2"));
  EXPECT_EQ(store.ReadSettingInt("size", "scale", 30), 50);
}

TEST_F(QtProfileStoreTest, AnUnreadableFileGivesDefaultsAndIsNotWrittenOver) {
  // A folder or a FIFO where the file should be can be neither read (nor
  // waited on) nor replaced.
  for (const bool fifo : {false, true}) {
    ASSERT_TRUE(QDir().mkpath(ConfigHome() + "/Brevanta"));
    QDir(IniPath()).removeRecursively();
    QFile::remove(IniPath());
    if (fifo) {
      ASSERT_EQ(::mkfifo(QFile::encodeName(IniPath()).constData(), 0600), 0);
    } else {
      ASSERT_TRUE(QDir().mkpath(IniPath()));
    }
    QtProfileStore store("Lumivane");
    EXPECT_EQ(store.ReadSettingInt("size", "scale", 30), 30);
    EXPECT_FALSE(store.WriteSettingInt("size", "scale", 60));
    EXPECT_FALSE(store.WriteSettingString("options", "image", "/maps/x.bmp"));
    EXPECT_EQ(QFileInfo(IniPath()).isDir(), !fifo);
  }
}

TEST_F(QtProfileStoreTest, WritesReplaceTheFileInsteadOfWritingIntoIt) {
  QtProfileStore store("Lumivane");
  ASSERT_TRUE(store.WriteSettingInt("size", "scale", 45));
  // A second name for the old file: a write in place would change it too.
  const QString oldLink = ConfigHome() + "/old.ini";
  ASSERT_EQ(
      ::link(QFile::encodeName(IniPath()).constData(), QFile::encodeName(oldLink).constData()), 0);

  ASSERT_TRUE(store.WriteSettingInt("size", "scale", 60));

  QFile old(oldLink);
  ASSERT_TRUE(old.open(QIODevice::ReadOnly));
  EXPECT_TRUE(old.readAll().contains("scale=45"));
  EXPECT_TRUE(ReadIni().contains("scale=60"));
  EXPECT_EQ(QDir(ConfigHome() + "/Brevanta").entryList(QDir::Files), QStringList{"Lumivane.ini"});
}

TEST_F(QtProfileStoreTest, ReadsAndWritesNeedNothingButTheFilesOwnFolder) {
  // However unusable the temporary folder, the settings read and save.
  const QString blocked = ConfigHome() + "/not-a-folder";
  QFile(blocked).open(QIODevice::WriteOnly);
  const QByteArray oldTmp = qgetenv("TMPDIR");
  for (const QString& tmp : {blocked, ConfigHome() + "/missing"}) {
    qputenv("TMPDIR", tmp.toUtf8());
    WriteIni("; kept\n[size]\nscale = 45\n");
    QtProfileStore store("Lumivane");
    EXPECT_EQ(store.ReadSettingInt("size", "scale", 30), 45) << tmp.toStdString();
    EXPECT_TRUE(store.WriteSettingInt("size", "scale", 60)) << tmp.toStdString();
    EXPECT_EQ(ReadIni(), "; kept\n[size]\nscale=60\n");
  }
  qputenv("TMPDIR", oldTmp);
}

TEST_F(QtProfileStoreTest, ValuesWrittenTogetherLandInOneFileAsQSettingsSpellsThem) {
  WriteIni("[options]\nsun=0\n");
  QtProfileStore store("Lumivane");
  const ProfileStore::Value place[] = {{"anchor", "x", 1},
                                       {"position", "x", 880},
                                       {"anchor", "y", -1},
                                       {"options", "image", " lead@, \x01"}};
  EXPECT_TRUE(store.WriteSettings(place));
  EXPECT_EQ(ReadIni(),
            "[options]\nsun=0\nimage=\" lead@, \\x1\"\n\n[anchor]\nx=1\ny=-1\n\n"
            "[position]\nx=880\n");
  EXPECT_EQ(store.ReadSettingString("options", "image", ""), " lead@, \x01");
}

TEST_F(QtProfileStoreTest, ALinkedFileIsWrittenThroughToItsTargetEvenBeforeItExists) {
  const QString target = ConfigHome() + "/dotfiles/lumivane.ini";
  ASSERT_TRUE(QDir().mkpath(ConfigHome() + "/Brevanta"));
  ASSERT_TRUE(QFile::link("../dotfiles/lumivane.ini", IniPath()));
  QtProfileStore store("Lumivane");
  EXPECT_TRUE(store.WriteSettingInt("size", "scale", 45));
  EXPECT_TRUE(QFileInfo(IniPath()).isSymLink());
  QFile written(target);
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  EXPECT_EQ(written.readAll(), "[size]\nscale=45\n");
  EXPECT_EQ(store.ReadSettingInt("size", "scale", 30), 45);
}

}  // namespace
}  // namespace lumivane
