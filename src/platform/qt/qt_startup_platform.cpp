#include "platform/qt/qt_startup_platform.h"

#include <QCoreApplication>
#include <QStandardPaths>
#include <cstdio>

#include "platform/qt/qt_builtin_images.h"
#include "platform/qt/qt_map_image_loader.h"
#include "platform/qt/qt_profile_store.h"
#include "platform/qt/qt_world_window.h"
#include "app/system_clock.h"
#include "platform/qt/xdg_autostart.h"

namespace lumivane {

QString QtStartupPlatform::LockFilePath(const std::string& name) {
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (folder.isEmpty()) return {};
  return folder + QLatin1Char('/') + QString::fromStdString(name) + QStringLiteral(".lock");
}

bool QtStartupPlatform::AcquireSingleInstanceLock(const std::string& name) {
  const QString path = LockFilePath(name);
  // No private runtime folder: a shared place could let another user's
  // instance block this one, so run without the lock.
  if (path.isEmpty()) return true;
  lock_ = std::make_unique<QLockFile>(path);
  // A lock is stale only when the process that took it has gone, however
  // long the running one has held it.
  lock_->setStaleLockTime(0);
  if (lock_->tryLock(0)) return true;
  // Only another instance stops start-up; any other failure lets it go on.
  return lock_->error() != QLockFile::LockFailedError;
}

std::string QtStartupPlatform::ProgramFilePath() {
  return QCoreApplication::applicationFilePath().toStdString();
}

void QtStartupPlatform::UseSettingsRoot(const std::string& company,
                                        const std::string& application) {
  QCoreApplication::setOrganizationName(QString::fromStdString(company));
  QCoreApplication::setApplicationName(QString::fromStdString(application));
}

int QtStartupPlatform::RunWorldWindow(const std::string& applicationName) {
  const QString name = QString::fromStdString(applicationName);
  QtProfileStore store(name);
  XdgAutostart startup;
  QtBuiltinImageSource images;
  // The message box names only the file; the cause goes to the terminal.
  QtMapImageLoader mapLoader([&name](const std::string& path, const MapLoadFailure& failure) {
    std::fprintf(stderr, "%s: cannot load the map '%s': %s\n", qPrintable(name), path.c_str(),
                 DescribeMapLoadFailure(failure).c_str());
  });
  SystemClock clock;
  QtWorldWindow window(QtWorldWindowServices{store, startup, images, mapLoader, clock, name});
  return window.Run();
}

}  // namespace lumivane
