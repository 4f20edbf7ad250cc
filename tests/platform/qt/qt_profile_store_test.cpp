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
  WriteIni("[size]\n"
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

TEST_F(QtProfileStoreTest, AWriteAfterACorruptFileKeepsTheReadableValues) {
  WriteIni(QByteArray("[size]\nscale=40\n\x01\xff\xfe garbage\n[colors]\nnightfilter=70\n"));
  QtProfileStore store("Lumivane");
  EXPECT_EQ(store.ReadSettingInt("size", "scale", 30), 40);

  EXPECT_TRUE(store.WriteSettingInt("options", "sun", 0));

  EXPECT_EQ(store.ReadSettingInt("size", "scale", 30), 40);
  EXPECT_EQ(store.ReadSettingInt("colors", "nightfilter", 50), 70);
  EXPECT_EQ(store.ReadSettingInt("options", "sun", 1), 0);
}

TEST_F(QtProfileStoreTest, AnUnreadableFileGivesDefaultsAndIsNotWrittenOver) {
  // A folder where the file should be can be neither read nor replaced.
  ASSERT_TRUE(QDir().mkpath(IniPath()));
  QtProfileStore store("Lumivane");
  EXPECT_EQ(store.ReadSettingInt("size", "scale", 30), 30);
  EXPECT_FALSE(store.WriteSettingInt("size", "scale", 60));
  EXPECT_FALSE(store.WriteSettingString("options", "image", "/maps/x.bmp"));
  EXPECT_TRUE(QFileInfo(IniPath()).isDir());
}

TEST_F(QtProfileStoreTest, WritesReplaceTheFileInsteadOfWritingIntoIt) {
  QtProfileStore store("Lumivane");
  ASSERT_TRUE(store.WriteSettingInt("size", "scale", 45));
  // A second name for the old file: a write in place would change it too.
  const QString oldLink = ConfigHome() + "/old.ini";
  ASSERT_EQ(::link(QFile::encodeName(IniPath()).constData(),
                   QFile::encodeName(oldLink).constData()),
            0);

  ASSERT_TRUE(store.WriteSettingInt("size", "scale", 60));

  QFile old(oldLink);
  ASSERT_TRUE(old.open(QIODevice::ReadOnly));
  EXPECT_TRUE(old.readAll().contains("scale=45"));
  EXPECT_TRUE(ReadIni().contains("scale=60"));
  EXPECT_EQ(QDir(ConfigHome() + "/Brevanta").entryList(QDir::Files),
            QStringList{"Lumivane.ini"});
}

}  // namespace
}  // namespace lumivane
