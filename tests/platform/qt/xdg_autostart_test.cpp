#include "platform/qt/xdg_autostart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
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
  EXPECT_EQ(DesktopExecValue("\"/100%/l\""), "env \"/100%%/l\"");
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
  FakeMessageSink shell;
  autostart.ReportFailuresTo(shell);

  UpdateRunEntry(1, store, autostart, owner);

  EXPECT_EQ(store.IntValue("options", "start"), 0);
  EXPECT_TRUE(owner.log.empty());
  // The Linux program says why the box it ticked comes back unticked.
  ASSERT_EQ(shell.log.size(), 1u);
  EXPECT_EQ(shell.log[0], "ShowMessage \"Unable to start at logon:\\n" +
                              (ConfigHome() + "/autostart/Lumivane.desktop").toStdString() +
                              "\\nCannot make the folder " +
                              (ConfigHome() + "/autostart").toStdString() + ".\"");
}

TEST_F(XdgAutostartTest, GiosLauncherStartsAProgramInAFolderWithAPercentSign) {
  const QString gio = QStandardPaths::findExecutable("gio");
  if (gio.isEmpty()) GTEST_SKIP() << "gio is not installed";
  QTemporaryDir folder;
  const QString program = folder.filePath("100% $un/lumivane");
  const QString marker = folder.filePath("started");
  ASSERT_TRUE(QDir().mkpath(QFileInfo(program).absolutePath()));
  QFile script(program);
  ASSERT_TRUE(script.open(QIODevice::WriteOnly));
  script.write("#!/bin/sh\necho \"$0\" > '" + marker.toUtf8() + "'\n");
  script.close();
  script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  XdgAutostart autostart(program.toStdString());
  ASSERT_TRUE(autostart.Register('"' + program.toStdString() + '"'));

  EXPECT_EQ(QProcess::execute(gio, {"launch", EntryPath()}), 0);
  QFile started(marker);
  for (int wait = 0; wait < 50 && !started.exists(); ++wait) QThread::msleep(100);
  ASSERT_TRUE(started.open(QIODevice::ReadOnly));
  EXPECT_EQ(started.readAll(), program.toUtf8() + '\n');
}

}  // namespace
}  // namespace lumivane
