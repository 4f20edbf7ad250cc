#include "platform/qt/qt_startup_platform.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QSysInfo>

#include "qt_test_application.h"

namespace lumivane::testing {
namespace {

constexpr const char* kLockName = "LumivaneMutexTest";

TEST(QtStartupPlatform, TheLockLivesInTheUsersRuntimeFolder) {
  EXPECT_EQ(QtStartupPlatform::LockFilePath("LumivaneMutex"),
            RuntimeFolder() + "/LumivaneMutex.lock");
}

TEST(QtStartupPlatform, ASecondInstanceIsRefusedUntilTheFirstHasGone) {
  {
    QtStartupPlatform first;
    ASSERT_TRUE(first.AcquireSingleInstanceLock(kLockName));
    QtStartupPlatform second;
    EXPECT_FALSE(second.AcquireSingleInstanceLock(kLockName));
  }
  QtStartupPlatform later;
  EXPECT_TRUE(later.AcquireSingleInstanceLock(kLockName));
}

TEST(QtStartupPlatform, ALockLeftByACrashedProcessDoesNotBlock) {
  // The lock file of a process that has ended without releasing it.
  QProcess gone;
  gone.start("true");
  ASSERT_TRUE(gone.waitForStarted());
  const qint64 pid = gone.processId();
  ASSERT_TRUE(gone.waitForFinished());
  QFile lock(QtStartupPlatform::LockFilePath(kLockName));
  ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
  lock.write(QByteArray::number(pid) + "\nLumivane\n" + QSysInfo::machineHostName().toUtf8() +
             "\n");
  lock.close();

  QtStartupPlatform platform;
  EXPECT_TRUE(platform.AcquireSingleInstanceLock(kLockName));
}

}  // namespace
}  // namespace lumivane::testing
