#include "platform/qt/qt_startup_platform.h"

#include <QCoreApplication>
#include <QStandardPaths>
#include <cstdio>

#include <cstdlib>

#include "platform/qt/qt_builtin_images.h"
#include "platform/qt/qt_message_box.h"
#include "platform/qt/session_end_signals.h"
#include "settings/one_line.h"
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

void QtStartupPlatform::UseSettingsRoot(const std::string& company, const std::string&) {
  QCoreApplication::setOrganizationName(QString::fromStdString(company));
  QCoreApplication::setApplicationName(QString::fromLatin1(kProgramName));
}

namespace {

// The window while it runs, for the end of a process whose display has gone
// (Qt then calls exit(), which unwinds nothing).
QtWorldWindow* runningWindow = nullptr;

}  // namespace

int QtStartupPlatform::RunWorldWindow(const std::string&) {
  // Settings, lock and captions are Lumivane's whatever the program file is
  // called: copies and AppImages carry names of their own, and the settings
  // file is where the README and lumivane-render look for it.
  const QString name = QString::fromLatin1(kProgramName);
  QtProfileStore store(name);
  XdgAutostart startup;
  QtBuiltinImageSource images;
  // The message box names only the file; the cause goes to the terminal.
  QtMapImageLoader mapLoader([&name](const std::string& path, const MapLoadFailure& failure) {
    std::fprintf(stderr, "%s: cannot load the map '%s': %s\n", qPrintable(name),
                 OneLine(path).c_str(), DescribeMapLoadFailure(failure).c_str());
  });
  SystemClock clock;
  QtWorldWindow window(QtWorldWindowServices{store, startup, images, mapLoader, clock, name});
  QtMessageBox startupMessages(&window, name);
  startup.ReportFailuresTo(startupMessages);
  const SessionEndSignals sessionEnd([&window] { window.EndSession(); });
  runningWindow = &window;
  static const bool atExitSet = std::atexit([] {
                                  if (runningWindow != nullptr)
                                    runningWindow->EndAfterLostDisplay();
                                }) == 0;
  static_cast<void>(atExitSet);
  const int result = window.Run();
  runningWindow = nullptr;
  return result;
}

}  // namespace lumivane
