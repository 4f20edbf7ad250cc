#include "platform/qt/xdg_autostart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "platform/qt/temporary_config_home.h"

#include "fakes/fake_profile_store.h"
#include "fakes/fake_settings_ports.h"
#include "settings/run_entry.h"

namespace lumivane {
namespace {

class XdgAutostartTest : public testing::TemporaryConfigHomeTest {
 protected:
  QString EntryPath() const { return ConfigHome() + "/autostart/Lumivane.desktop"; }
  QByteArray Entry() const {
    QFile file(EntryPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
};

TEST_F(XdgAutostartTest, RegisterWritesADesktopEntryStartingTheQuotedPath) {
  XdgAutostart autostart("/opt/lumivane/lumivane");
  EXPECT_EQ(XdgAutostart::EntryFilePath(), EntryPath());
  EXPECT_EQ(autostart.ProgramPath(), "/opt/lumivane/lumivane");

  ASSERT_TRUE(autostart.Register("\"/opt/lumivane/lumivane\""));

  EXPECT_EQ(Entry(),
            "[Desktop Entry]\n"
            "Type=Application\n"
            "Name=Lumivane\n"
            "Comment=See where on Earth it is day and night\n"
            "Icon=com.brevanta.Lumivane\n"
            "Exec=\"/opt/lumivane/lumivane\"\n");
}

TEST_F(XdgAutostartTest, TheEntryPassesDesktopFileValidate) {
  const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
  if (validator.isEmpty()) GTEST_SKIP() << "desktop-file-validate is not installed";
  XdgAutostart autostart("/home/ann/My Apps/100% $un");
  ASSERT_TRUE(autostart.Register("\"/home/ann/My Apps/100% $un\""));

  QProcess validate;
  validate.start(validator, {EntryPath()});
  ASSERT_TRUE(validate.waitForFinished());
  EXPECT_EQ(validate.exitCode(), 0);
  EXPECT_EQ(validate.readAllStandardOutput(), "");
}

TEST_F(XdgAutostartTest, ExecIsEscapedSoThatAnyPathStartsThatFile) {
  EXPECT_EQ(DesktopExecValue("\"/home/ann/My Apps/lumivane\""), "\"/home/ann/My Apps/lumivane\"");
  EXPECT_EQ(DesktopExecValue("\"/a\"b/l\""), "\"/a\\\\\"b/l\"");
  EXPECT_EQ(DesktopExecValue("\"/$HOME/`x`\""), "\"/\\\\$HOME/\\\\`x\\\\`\"");
  EXPECT_EQ(DesktopExecValue("\"/a\\b\""), "\"/a\\\\\\\\b\"");
  EXPECT_EQ(DesktopExecValue("\"/100%/l\""), "\"/100%%/l\"");
  EXPECT_EQ(DesktopExecValue("\"/a\nb\tc\""), "\"/a\\nb\\tc\"");
}

TEST_F(XdgAutostartTest, RegisterReplacesAnOldEntryAndUnregisterRemovesOnlyIt) {
  XdgAutostart autostart("/new/lumivane");
  ASSERT_TRUE(autostart.Register("\"/old/lumivane\""));
  const QString neighbour = ConfigHome() + "/autostart/other.desktop";
  QFile other(neighbour);
  ASSERT_TRUE(other.open(QIODevice::WriteOnly));
  other.close();

  ASSERT_TRUE(autostart.Register("\"/new/lumivane\""));
  EXPECT_TRUE(Entry().contains("Exec=\"/new/lumivane\"\n"));

  autostart.Unregister();
  autostart.Unregister();  // nothing left to remove: no harm
  EXPECT_FALSE(QFileInfo::exists(EntryPath()));
  EXPECT_TRUE(QFileInfo::exists(neighbour));
}

TEST_F(XdgAutostartTest, AnEntryThatCannotBeWrittenReportsFailure) {
  // A folder in the entry's place: neither written over nor deleted.
  ASSERT_TRUE(QDir().mkpath(EntryPath()));
  XdgAutostart autostart("/opt/lumivane/lumivane");
  EXPECT_FALSE(autostart.Register("\"/opt/lumivane/lumivane\""));
  autostart.Unregister();
  EXPECT_TRUE(QFileInfo(EntryPath()).isDir());
}

TEST_F(XdgAutostartTest, AFailedEntryTurnsTheStoredWishOff) {
  // "autostart" is a file, so no entry can be made below it.
  QFile blocker(ConfigHome() + "/autostart");
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  XdgAutostart autostart("/opt/lumivane/lumivane");
  FakeProfileStore store;
  FakeMessageSink owner;

  UpdateRunEntry(1, store, autostart, owner);

  EXPECT_EQ(store.IntValue("options", "start"), 0);
  EXPECT_TRUE(owner.log.empty());
}

}  // namespace
}  // namespace lumivane
