// Writes cut short by a full disk, played by a file size limit
// (RLIMIT_FSIZE) in a child process: every file is either complete and in
// place or untouched, and the write says it failed.
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <functional>
#include <gtest/gtest.h>

#include "platform/qt/atomic_file.h"
#include "platform/qt/qt_profile_store.h"
#include "platform/qt/temporary_config_home.h"
#include "platform/qt/xdg_autostart.h"

namespace lumivane {
namespace {

// The write's result in a child whose files cannot grow past `room` bytes;
// a write beyond gets EFBIG, as on a full disk it would get ENOSPC.
bool WriteWithLittleRoom(const std::function<bool()>& write, rlim_t room) {
  const pid_t child = ::fork();
  if (child == 0) {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{room, room};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    ::_exit(write() ? 0 : 1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) <= 1) << "the child died: " << status;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

QByteArray Contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class ShortWriteTest : public testing::TemporaryConfigHomeTest {};

TEST_F(ShortWriteTest, AWriteCutShortLeavesTheOldFileAndFails) {
  const QString ini = ConfigHome() + "/Brevanta/Lumivane.ini";
  const QString entry = ConfigHome() + "/autostart/Lumivane.desktop";
  const QString plain = ConfigHome() + "/plain.txt";
  // About 8 KB of settings, more than the room left.
  QByteArray settings = "[size]\nscale=45\n";
  for (int group = 0; group < 8; ++group) {
    settings += "[group" + QByteArray::number(group) + "]\n";
    for (int i = 0; i < 60; ++i) settings += "key" + QByteArray::number(i) + "=1234\n";
  }
  ASSERT_TRUE(QDir().mkpath(ConfigHome() + "/Brevanta"));
  ASSERT_TRUE(WriteFileAtomically(ini, settings));
  QtProfileStore store("Lumivane");
  std::string longCommand = "\"/opt/";
  longCommand.append(5000, 'x');
  longCommand += "/lumivane\"";
  XdgAutostart autostart("/opt/lumivane/lumivane");
  ASSERT_TRUE(autostart.Register("\"/opt/lumivane/lumivane\""));
  ASSERT_TRUE(WriteFileAtomically(plain, "old contents"));

  // A small settings file, cut short after a few bytes.
  const QString smallIni = ConfigHome() + "/Brevanta/Small.ini";
  ASSERT_TRUE(WriteFileAtomically(smallIni,
                                  "[options]\nloadingimage=Default\nsun=0\n"
                                  "[size]\nscale=45\n[anchor]\nx=1\ny=-1\n"));
  QtProfileStore small("Small");

  const struct {
    const char* what;
    QString path;
    rlim_t room;
    std::function<bool()> write;
  } cases[] = {
      {"a file", plain, 4096, [&] { return WriteFileAtomically(plain, QByteArray(10000, 'n')); }},
      {"the settings", ini, 4096, [&] { return store.WriteSettingInt("size", "scale", 60); }},
      {"small settings", smallIni, 60,
       [&] { return small.WriteSettingString("options", "loadingimage", "/maps/a.bmp"); }},
      {"the autostart entry", entry, 4096, [&] { return autostart.Register(longCommand); }},
  };
  for (const auto& [what, path, room, write] : cases) {
    const QByteArray before = Contents(path);
    ASSERT_FALSE(before.isEmpty()) << what;
    const QStringList filesBefore = QDir(QFileInfo(path).absolutePath()).entryList(QDir::Files);
    EXPECT_FALSE(WriteWithLittleRoom(write, room)) << what;
    EXPECT_EQ(Contents(path), before) << what;
    EXPECT_EQ(QDir(QFileInfo(path).absolutePath()).entryList(QDir::Files), filesBefore) << what;
  }
  // With room, the same writes go through.
  EXPECT_TRUE(store.WriteSettingInt("size", "scale", 60));
  EXPECT_EQ(QtProfileStore("Lumivane").ReadSettingInt("size", "scale", 30), 60);
}

}  // namespace
}  // namespace lumivane
